#include "book/pgn_reader.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "position/fen.h"

#include "position/move_gen.h"
#include "position/notation.h"

namespace {

// White space as the "C" locale has it, whatever locale the program runs in
// (the desktop app takes the user's): space, tab, line feed, vertical tab,
// form feed, carriage return.
constexpr bool isBlank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isLetter(char c) { return c >= 'A' && c <= 'z'; }
// Asked of every word, so by length first.
bool isResult(const std::string& word) {
  if (word.size() == 3) return word == "1-0" || word == "0-1";
  return word.size() == 7 && word == "1/2-1/2";
}

constexpr std::size_t MAX_WORD = 4096;

const CBoard& initialPosition() {
  static const CBoard initial = [] {
    CChessBoard position;
    position.setupInitialPosition();
    return static_cast<CBoard>(position);
  }();
  return initial;
}

}  // namespace

void PgnReader::attach(std::FILE* stream) { file.attach(stream); }

// A white-space-delimited word; the blank after it is consumed too. A word
// ends after MAX_WORD characters as well: no move or result is that long, and
// a file without blanks must not grow one string without bound.
bool PgnReader::readWord(std::string& word) {
  word.clear();
  int c = file.get();
  while (isBlank(c)) c = file.get();
  if (c == EOF) return false;
  word.push_back(static_cast<char>(c));
  file.readRun([](int b) { return !isBlank(b); }, &word, MAX_WORD);
  if (word.size() < MAX_WORD) file.get();  // the blank after the word
  return true;
}

void PgnReader::skipTags() { readTags(nullptr); }

// The tag section as skipTags reads it; with `name`, the ECO and Opening
// values are kept on the way.
void PgnReader::readTags(OpeningName* name) {
  bool insideTag = false;
  std::string tag;
  for (int c = file.get(); c != EOF; c = file.get()) {
    if (c == '[') {
      insideTag = true;
      tag.clear();
    } else if (c == ']') {
      if (insideTag && name) keepTag(tag, *name);
      insideTag = false;
    } else if (!insideTag && c > ' ') {
      file.unget();
      return;
    } else if (insideTag && name && tag.size() < MAX_WORD) {
      tag.push_back(static_cast<char>(c));
    }
    if (insideTag) file.readRun([](int b) { return b != '[' && b != ']'; }, name ? &tag : nullptr, MAX_WORD);
  }
}

// `ECO "B20"` or `Opening "Defensa Siciliana"`; a value is the quoted
// string, with \" and \\ standing for themselves.
void PgnReader::keepTag(const std::string& tag, OpeningName& name) {
  const std::size_t space = tag.find_first_of(" \t");
  const std::string key = tag.substr(0, space);
  std::string* target = key == "ECO" ? &name.eco : key == "Opening" ? &name.name : nullptr;
  if (!target) return;
  const std::size_t quote = tag.find('"');
  if (quote == std::string::npos) return;
  std::string value;
  for (std::size_t i = quote + 1; i < tag.size() && tag[i] != '"'; ++i) {
    if (tag[i] == '\\' && i + 1 < tag.size()) ++i;
    value.push_back(tag[i]);
  }
  *target = std::move(value);
}

std::string PgnReader::castlingToken(const std::string& word) {
  if (word.size() > 10 || word.find('0') == std::string::npos) return "";
  std::string kept;
  for (char c : word)
    if (c == '0' || c == '-') kept.push_back(c);
  return kept == "0-0" || kept == "0-0-0" ? kept : "";
}

std::string PgnReader::nextToken() {
  std::string word;
  for (;;) {
    const long start = file.tell();
    if (!readWord(word)) return "";
    if (word.find('[') != std::string::npos) {
      file.seek(start);  // the tag section belongs to the next game
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
    if (file.atEnd()) return "";
  }
}

// A reader walking one file keeps it open from game to game.
bool PgnReader::openAt(const std::string& path, long offset) {
  if (!file.isOpen() || file.path() != path) {
    if (!file.open(path)) return false;
  }
  file.seek(offset);
  if (offset == 0) file.skipByteOrderMark();
  return true;
}

// The next game starts at its first tag line; only blanks left is the end.
long PgnReader::nextGameOffset() {
  int c = file.get();
  while (isBlank(c)) c = file.get();
  if (c == EOF) {
    file.close();
    return 0;
  }
  file.unget();
  return file.tell();
}

// Tag pairs as PGN writes them: a "]" or "[" inside a quoted value is part of it.
void PgnReader::readTagPairs(std::vector<PgnTag>& tags) {
  for (int c = file.get(); c != EOF; c = file.get()) {
    if (isBlank(c)) continue;
    if (c != '[') {
      file.unget();
      return;
    }
    std::string tag;
    bool quoted = false;
    for (c = file.get(); c != EOF && (quoted || c != ']') && tag.size() < MAX_WORD; c = file.get()) {
      if (c == '\\' && quoted) {
        tag.push_back('\\');
        c = file.get();
        if (c == EOF) break;
      } else if (c == '"') {
        quoted = !quoted;
      }
      tag.push_back(static_cast<char>(c));
    }
    std::size_t at = 0;
    while (at < tag.size() && isBlank(tag[at])) ++at;
    std::size_t nameEnd = at;
    while (nameEnd < tag.size() && !isBlank(tag[nameEnd]) && tag[nameEnd] != '"') ++nameEnd;
    PgnTag pair{tag.substr(at, nameEnd - at), {}};
    const std::size_t open = tag.find('"', nameEnd);
    if (open != std::string::npos) {
      // The escapes were kept above only to find the closing quote.
      for (std::size_t i = open + 1; i < tag.size() && tag[i] != '"'; ++i) {
        if (tag[i] == '\\' && i + 1 < tag.size()) ++i;
        pair.value.push_back(tag[i]);
      }
    }
    if (!pair.name.empty()) tags.push_back(std::move(pair));
  }
}

PgnAnnotation* PgnReader::noting() {
  return annotations && !annotations->empty() ? &annotations->back() : nullptr;
}

// Past the next `closing` byte; false at the end of the text first.
bool PgnReader::skipPast(int closing, std::string* kept) {
  for (int c = file.get(); c != EOF; c = file.get()) {
    if (c == closing) return true;
    if (kept && kept->size() < MAX_WORD) kept->push_back(static_cast<char>(c));
  }
  return false;
}

// After a "(": up to its ")", nested variations and comments inside it included.
bool PgnReader::skipVariation(std::string* kept) {
  for (int depth = 1, c = file.get(); c != EOF; c = file.get()) {
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) return true;
    if (kept && kept->size() < MAX_WORD) kept->push_back(static_cast<char>(c));
    if (c == '{' && !skipPast('}')) return false;
    if (c == ';' && !skipPast('\n')) return false;
  }
  return false;
}

std::string PgnReader::nextGameToken() {
  for (;;) {
    int c = file.get();
    while (isBlank(c)) c = file.get();
    tokenStart = file.tell() - 1;
    if (c == EOF) return "";
    if (c == '{' || c == '(') {
      PgnAnnotation* note = noting();
      std::string kept;
      std::string* keep = note && (c == '{' || note->variationText.empty()) ? &kept : nullptr;
      if (c == '{' ? !skipPast('}', keep) : !skipVariation(keep)) {
        unclosed = static_cast<char>(c);
        return "-1";
      }
      if (keep && c == '{') {
        if (std::optional<WhiteScore> eval = evalInComment(kept)) note->eval = eval;
      } else if (keep) {
        note->variationText = kept;
      }
      continue;
    }
    if (c == ';' || c == ')') {  // a stray ")" closes nothing
      if (c == ';') skipPast('\n');
      continue;
    }
    if (c == '[') {
      file.unget();  // the tag section belongs to the next game
      return "";
    }
    std::string word(1, static_cast<char>(c));
    file.readRun([](int b) { return !isBlank(b) && b != '{' && b != '(' && b != ')' && b != ';' && b != '['; },
                 &word, MAX_WORD);
    if (isResult(word) || word == "*") return word;
    // A move number glued to its move (12.e4, 12...Nf6, 10.O-O).
    std::size_t at = 0;
    while (at < word.size() && word[at] >= '0' && word[at] <= '9') ++at;
    if (at > 0 && at < word.size() && word[at] == '.') {
      while (at < word.size() && word[at] == '.') ++at;
      word.erase(0, at);
    }
    std::size_t markStart = word.size();
    while (markStart > 0 && (word[markStart - 1] == '!' || word[markStart - 1] == '?')) --markStart;
    markNag = nagOfMark(word.substr(markStart));
    word.resize(markStart);
    if (std::string castling = castlingToken(word); !castling.empty() && word.size() <= 6) return castling;
    if (!word.empty() && word[0] == '$') {
      if (PgnAnnotation* note = noting(); note && note->nag == 0) note->nag = std::atoi(word.c_str() + 1);
      continue;
    }
    if (word.empty()) {
      // A mark standing apart from its move ("e4 ?!").
      if (PgnAnnotation* note = noting(); note && note->nag == 0) note->nag = markNag;
      continue;
    }
    for (std::size_t i = 0; i < word.size(); ++i)
      if (isLetter(word[i])) return word.substr(i);
  }
}

namespace {

int lineAt(const std::string& path, long offset) {
  std::ifstream in(path, std::ios::binary);
  int line = 1;
  for (long i = 0; i < offset && in; ++i)
    if (in.get() == '\n') ++line;
  return line;
}

long fileSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  return in ? static_cast<long>(in.tellg()) : 0;
}

}  // namespace

long PgnReader::readGame(const std::string& path, long offset, OpeningBook* book, ReplayTarget& game,
                         PgnGameInfo* info) {
  PgnGameInfo scratchInfo;
  PgnGameInfo& read = info ? *info : scratchInfo;
  read = PgnGameInfo();
  game.setupInitialPosition();
  if (book) game.clearHistory();
  read.start.setupInitialPosition();
  if (!openAt(path, offset)) {
    std::error_code error;
    if (std::filesystem::exists(path, error) && !PgnFile::isRegularFile(path)) read.fault = PgnFault::NOT_REGULAR_FILE;
    return 0;
  }
  read.opened = true;
  auto fail = [&](PgnFault fault, long at, const std::string& word) {
    read.fault = fault;
    read.errorLine = lineAt(path, at);
    read.errorWord = word;
    file.close();
    return 0L;
  };
  if (offset == 0 && file.looksWide()) return fail(PgnFault::WIDE_TEXT, 0, "");
  readTagPairs(read.tags);

  for (const PgnTag& tag : read.tags) {
    if (tag.name != "FEN") continue;
    std::optional<CChessBoard> start = positionFromFen(tag.value);
    if (!start) return fail(PgnFault::BAD_FEN, offset, tag.value);
    read.setupFault = checkSetup(*start);
    if (read.setupFault != SetupFault::NONE) return fail(PgnFault::UNPLAYABLE_FEN, offset, tag.value);
    read.start = *start;
    game.setupPosition(read.start);
  }

  const long movetextStart = file.tell();
  std::vector<Move> moves;
  annotations = info ? &read.annotations : nullptr;
  struct StopNoting {
    std::vector<PgnAnnotation>*& target;
    ~StopNoting() { target = nullptr; }
  } stopNoting{annotations};
  for (int plies = 0;; ++plies) {
    unclosed = 0;
    const std::string token = nextGameToken();
    if (token.empty() || isResult(token) || token == "*") {
      read.result = token;
      break;
    }
    if (unclosed) return fail(unclosed == '{' ? PgnFault::OPEN_COMMENT : PgnFault::OPEN_VARIATION, tokenStart, "");
    if (plies >= MAX_GAME_PLIES) return fail(PgnFault::PLY_LIMIT, tokenStart, token);
    const Move played = game.replayMove([&](CChessBoard& position) {
      const Move move = parseSan(position, token);
      if (!move.isNull() && book) book->addEntry(position, move);
      return move;
    });
    if (played.isNull()) return fail(PgnFault::ILLEGAL_MOVE, tokenStart, token);
    if (annotations) annotations->push_back(PgnAnnotation{markNag, std::nullopt, {}, {}});
    if (info) moves.push_back(played);
  }
  if (info) readTree(movetextStart, read.start, moves, read.tree);
  const long next = nextGameOffset();
  read.moreGames = next != 0;
  read.end = next != 0 ? next : fileSize(path);
  return next;
}

// The movetext read again, whole, for its annotations; the tree's main line
// is the one just played, whatever the tree's own reading made of it.
void PgnReader::readTree(long movetextStart, const CChessBoard& start, const std::vector<Move>& moves, GameTree& tree) {
  const long stop = file.tell();
  const auto length = static_cast<std::size_t>(stop - movetextStart);
  if (stop > movetextStart && length <= MAX_TREE_TEXT) {
    std::string text;
    file.seek(movetextStart);
    file.readRun([](int) { return true; }, &text, length);
    file.seek(stop);
    tree = parseGameTree(start, text);
  }
  followMainLine(tree, moves);
}

// Book games come sorted by opening, so a game mostly repeats the previous
// one's first moves: those plies are taken from the kept line as they were, and
// only the rest is parsed and made. Parsing depends on nothing but the
// position and the word, so the entries are the ones readGame would add.
long PgnReader::readBookGame(const std::string& path, long offset, OpeningBook& book, OpeningNames* names) {
  bookLineLength = 0;
  if (!openAt(path, offset)) return 0;
  OpeningName name;
  readTags(names ? &name : nullptr);

  long next = -1;
  for (std::size_t ply = 0; next < 0; ++ply) {
    const std::string token = nextToken();
    if (token.empty() || isResult(token)) {
      if (names) names->add(ply == 0 ? initialPosition() : line.after[ply - 1], std::move(name));
      next = nextGameOffset();
      break;
    }
    if (ply < line.tokens.size() && line.tokens[ply] == token) {
      bookLineLength = ply + 1;
      continue;
    }
    line.truncate(ply);
    if (ply >= static_cast<std::size_t>(MAX_GAME_PLIES)) break;
    if (ply == 0) {
      static_cast<CBoard&>(scratch) = initialPosition();
    } else {
      static_cast<CBoard&>(scratch) = line.after[ply - 1];
    }
    const Move move = parseSanQuietly(scratch, token);
    if (move.isNull()) break;
    line.tokens.push_back(token);
    line.entries.push_back(makeBookEntry(scratch, move));
    line.hashes.push_back(hashBookSquares(line.entries.back().squares));
    CBoard& after = line.after.emplace_back(scratch);
    applyMove(after, move);
    after.sideToMove = after.sideToMove ? 0 : 1;
    bookLineLength = ply + 1;
  }
  if (next < 0) {  // an unreadable word: what came before it still counts
    file.close();
    next = 0;
  }
  book.addEntries(line.entries.data(), line.hashes.data(), bookLineLength);
  return next;
}

void PgnReader::BookLine::truncate(std::size_t plies) {
  tokens.resize(plies);
  entries.resize(plies);
  hashes.resize(plies);
  after.resize(plies);
}

std::vector<Move> PgnReader::bookGameMoves() const {
  std::vector<Move> moves;
  for (std::size_t i = 0; i < bookLineLength; ++i) moves.push_back(line.entries[i].move);
  return moves;
}
