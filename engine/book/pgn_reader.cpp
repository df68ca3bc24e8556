#include "book/pgn_reader.h"

#include <cctype>
#include <utility>

#include "book/opening_book.h"
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
  nulRead = false;
}

void PgnReader::attach(std::FILE* stream) {
  close();
  file = stream;
}

// A NUL byte cannot occur in PGN text: it ends the readable text for good, as
// the end of the file does, and what was read before it stays read, as before
// an unreadable move. NULs are neither blank nor text, so without this the tag
// skipper would never stop on a device that yields nothing else (/dev/zero).
int PgnReader::readChar() {
  if (nulRead) return EOF;
  const int c = std::getc(file);
  if (c != '\0') return c;
  nulRead = true;
  return EOF;
}

bool PgnReader::textEnded() const { return nulRead || std::feof(file); }

// Many editors start a UTF-8 file with a byte-order mark; read as text it
// would glue itself to the first tag and empty the whole book.
void PgnReader::skipByteOrderMark() {
  const int first = std::getc(file);
  if (first != 0xEF) {
    if (first != EOF) std::ungetc(first, file);
    return;
  }
  const int second = std::getc(file);
  const int third = second == 0xBB ? std::getc(file) : EOF;
  if (third != 0xBF) std::fseek(file, 0, SEEK_SET);
}

// A white-space-delimited word; the blank after it is consumed too. A word
// ends after MAX_WORD characters as well: no move or result is that long, and
// a file without blanks must not grow one string without bound.
bool PgnReader::readWord(std::string& word) {
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

void PgnReader::skipTags() {
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
    if (textEnded()) return "";
  }
}

Move PgnReader::parseBookMove(CChessBoard& position, const std::string& token) {
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

long PgnReader::readGame(const std::string& path, long offset, OpeningBook* book, ReplayTarget& game) {
  game.setupInitialPosition();
  if (book) game.clearHistory();

  // Binary: games are addressed by byte offsets, which a text-mode stream on
  // Windows does not keep (its ftell miscounts a file with LF line ends), and a
  // CR is just another blank to the reader.
  file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  std::fseek(file, offset, SEEK_SET);
  if (offset == 0) skipByteOrderMark();
  skipTags();

  for (int plies = 0;; ++plies) {
    const std::string token = nextToken();
    if (token.empty() || isResult(token)) break;
    const Move played = game.replayMove([&](CChessBoard& position) {
      Move move;  // null past the cap
      if (plies < MAX_GAME_PLIES) move = book ? parseBookMove(position, token) : parseSan(position, token);
      if (!move.isNull() && book) book->addEntry(position, move);
      return move;
    });
    if (played.isNull()) {
      close();
      return 0;
    }
  }

  // The next game starts at its first tag line; only blanks left is the end.
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
