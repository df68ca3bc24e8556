#include "reference_book_loader.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <mutex>

#include "book/opening_book.h"
#include "driver/game.h"
#include "position/notation.h"

namespace reference {
namespace {

constexpr int MAX_GAME_PLIES = 20000;
constexpr std::size_t MAX_WORD = 4096;

bool isBlank(int c) { return c != EOF && std::isspace(static_cast<unsigned char>(c)); }
bool isLetter(char c) { return c >= 'A' && c <= 'z'; }
bool isResult(const std::string& word) { return word == "1-0" || word == "0-1" || word == "1/2-1/2"; }

std::string castlingToken(const std::string& word) {
  if (word.size() > 10) return "";
  std::string kept;
  for (char c : word)
    if (c == '0' || c == '-') kept.push_back(c);
  return kept == "0-0" || kept == "0-0-0" ? kept : "";
}

class Reader {
 public:
  ~Reader() { close(); }

  long readGame(const std::string& path, long offset, OpeningBook& book, Game& game) {
    game.setupInitialPosition();
    game.history.clear();
    file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    std::fseek(file, offset, SEEK_SET);
    if (offset == 0) skipByteOrderMark();
    skipTags();
    for (int plies = 0;; ++plies) {
      const std::string token = nextToken();
      if (token.empty() || isResult(token)) break;
      const Move move = plies < MAX_GAME_PLIES ? parseSan(game.position, token) : Move();
      if (move.isNull()) {
        close();
        return 0;
      }
      book.addEntry(game.position, move);
      game.playMove(move);
    }
    int c = readChar();
    while (isBlank(c)) c = readChar();
    if (c == EOF) {
      close();
      return 0;
    }
    std::ungetc(c, file);
    const long next = std::ftell(file);
    close();
    return next;
  }

 private:
  void close() {
    if (file) std::fclose(file);
    file = nullptr;
    nulRead = false;
  }

  int readChar() {
    if (nulRead) return EOF;
    const int c = std::getc(file);
    if (c != '\0') return c;
    nulRead = true;
    return EOF;
  }

  void skipByteOrderMark() {
    const int first = std::getc(file);
    if (first != 0xEF) {
      if (first != EOF) std::ungetc(first, file);
      return;
    }
    const int second = std::getc(file);
    const int third = second == 0xBB ? std::getc(file) : EOF;
    if (third != 0xBF) std::fseek(file, 0, SEEK_SET);
  }

  bool readWord(std::string& word) {
    word.clear();
    int c = readChar();
    while (isBlank(c)) c = readChar();
    while (c != EOF && !isBlank(c)) {
      word.push_back(static_cast<char>(c));
      if (word.size() >= MAX_WORD) return true;
      c = readChar();
    }
    return !word.empty();
  }

  void skipTags() {
    bool insideTag = false;
    for (int c = readChar(); c != EOF; c = readChar()) {
      if (c == '[') {
        insideTag = true;
      } else if (c == ']') {
        insideTag = false;
      } else if (!insideTag && c > ' ') {
        std::ungetc(c, file);
        return;
      }
    }
  }

  std::string nextToken() {
    std::string word;
    for (;;) {
      const long start = std::ftell(file);
      if (!readWord(word)) return "";
      if (word.find('[') != std::string::npos) {
        std::fseek(file, start, SEEK_SET);
        return "";
      }
      if (isResult(word)) return word;
      if (std::string castling = castlingToken(word); !castling.empty()) return castling;
      std::size_t i = 0;
      while (i < word.size()) {
        if (isLetter(word[i])) return word.substr(i);
        if (word[i] != '{') {
          ++i;
          continue;
        }
        while (word.find('}', i) == std::string::npos) {
          if (!readWord(word)) return "-1";
          i = 0;
        }
        i = word.size();
      }
      if (nulRead || std::feof(file)) return "";
    }
  }

  std::FILE* file = nullptr;
  bool nulRead = false;
};

}  // namespace

int loadBook(OpeningBook& book, const std::string& path, Game& game) {
  if (!std::ifstream(path)) return 0;
  Reader reader;
  int games = 0;
  long offset = 0;
  for (;;) {
    ++games;
    const long next = reader.readGame(path, offset, book, game);
    if (next <= offset) break;
    offset = next;
  }
  return games;
}

}  // namespace reference
