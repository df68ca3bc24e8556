#include "book/pgn_reader.h"

#include <cctype>
#include <utility>
#include <mutex>

#include "book/opening_book.h"
#include "driver/game.h"
#include "position/notation.h"

namespace {

bool isBlank(int c) { return c != EOF && std::isspace(static_cast<unsigned char>(c)); }
bool isLetter(char c) { return c >= 'A' && c <= 'z'; }
bool isResult(const std::string& word) { return word == "1-0" || word == "0-1" || word == "1/2-1/2"; }

// Every ply keeps a whole position in the history, so a file holding one endless
// game would exhaust memory. No game reaches this length (the 75-move and
// fivefold-repetition rules end every game sooner); a longer one is cut here,
// like a game with an unreadable move.
constexpr int MAX_GAME_PLIES = 20000;
constexpr std::size_t MAX_WORD = 4096;

}  // namespace

PgnReader::~PgnReader() { close(); }

void PgnReader::close() {
  if (file) std::fclose(file);
  file = nullptr;
}

void PgnReader::attach(std::FILE* stream) {
  close();
  file = stream;
}

// A white-space-delimited word; the blank after it is consumed too. A word
// ends after MAX_WORD characters as well: no move or result is that long, and
// a file without blanks must not grow one string without bound.
bool PgnReader::readWord(std::string& word) {
  word.clear();
  int c = std::getc(file);
  while (isBlank(c)) c = std::getc(file);
  while (c != EOF && !isBlank(c)) {
    word.push_back(static_cast<char>(c));
    if (word.size() >= MAX_WORD) return true;
    c = std::getc(file);
  }
  return !word.empty();
}

void PgnReader::skipTags() {
  bool insideTag = false;
  for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
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

std::string PgnReader::castlingToken(const std::string& word) {
  if (word.size() > 10) return "";
  std::string kept;
  for (char c : word)
    if (c == '0' || c == '-') kept.push_back(c);
  return kept == "0-0" || kept == "0-0-0" ? kept : "";
}

std::string PgnReader::nextToken() {
  std::string word;
  for (;;) {
    const long start = std::ftell(file);
    if (!readWord(word)) return "";
    if (word.find('[') != std::string::npos) {
      std::fseek(file, start, SEEK_SET);  // the tag section belongs to the next game
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
      // A comment: drop words up to the one holding the closing brace, and
      // the rest of that word.
      while (word.find('}', i) == std::string::npos) {
        if (!readWord(word)) return "-1";
        i = 0;
      }
      i = word.size();
    }
    if (std::feof(file)) return "";
  }
}

Move PgnReader::parseBookMove(const std::string& token) {
  CChessBoard& position = Game::instance().position;
  std::string key(reinterpret_cast<const char*>(position.squares), sizeof position.squares);
  key += static_cast<char>(position.sideToMove);
  key += static_cast<char>(position.castlingRights);
  key += static_cast<char>(position.enPassantSquare);
  key += token;
  const auto found = bookMoves.find(key);
  if (found != bookMoves.end()) return found->second;
  const Move move = parseSan(position, token);
  bookMoves.emplace(std::move(key), move);
  return move;
}

long PgnReader::readGame(const std::string& path, long offset, OpeningBook* book) {
  Game& game = Game::instance();
  {
    std::lock_guard guard(game.mutex());
    game.setupInitialPosition();
    if (book) game.history.clear();
  }

  // Binary: games are addressed by byte offsets, which a text-mode stream on
  // Windows does not keep (its ftell miscounts a file with LF line ends), and a
  // CR is just another blank to the reader.
  file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  std::fseek(file, offset, SEEK_SET);
  skipTags();

  for (int plies = 0;; ++plies) {
    const std::string token = nextToken();
    if (token.empty() || isResult(token)) break;
    std::lock_guard guard(game.mutex());
    Move move;  // null past the cap
    if (plies < MAX_GAME_PLIES) move = book ? parseBookMove(token) : parseSan(game.position, token);
    if (move.isNull()) {
      close();
      return 0;
    }
    if (book) book->addEntry(game.position, move);
    game.playMove(move);
  }

  // The next game starts at its first tag line; only blanks left is the end.
  int c = std::getc(file);
  while (isBlank(c)) c = std::getc(file);
  if (c == EOF) {
    close();
    return 0;
  }
  std::ungetc(c, file);
  const long next = std::ftell(file);
  close();
  return next;
}
