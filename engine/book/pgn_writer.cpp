#include "book/pgn_writer.h"

#include <algorithm>

#include <cctype>

#include "position/fen.h"
#include "position/move_gen.h"
#include "position/piece.h"

namespace {

constexpr std::size_t MAX_LINE = 79;
const char* const ROSTER[] = {"Event", "Site", "Date", "Round", "White", "Black", "Result"};

// SAN names the piece in capitals whichever side moves it.
char sanLetter(int piece) { return static_cast<char>(std::toupper(static_cast<unsigned char>(pieceLetter(piece)))); }

bool samePosition(const CBoard& a, const CBoard& b) {
  for (Square s : ALL_SQUARES)
    if (a.squares[s] != b.squares[s]) return false;
  return a.sideToMove == b.sideToMove && a.castlingRights == b.castlingRights &&
         a.enPassantSquare == b.enPassantSquare;
}

CChessBoard initialPosition() {
  CChessBoard initial;
  initial.setupInitialPosition();
  return initial;
}

void play(CChessBoard& position, const Move& move) {
  makeMove(position, move);
  position.switchSide();
}

// A tag value in quotes, with the two characters PGN escapes.
std::string quoted(const std::string& value) {
  std::string text = "\"";
  for (char c : value) {
    if (c == '\n' || c == '\r') c = ' ';
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  return text + '"';
}

const std::string* tagValue(const std::vector<PgnTag>& tags, const std::string& name) {
  for (const PgnTag& tag : tags)
    if (tag.name == name) return &tag.value;
  return nullptr;
}

// Movetext words joined by blanks, a line end before a word that would pass the limit.
class LineFiller {
 public:
  void add(const std::string& word) {
    if (!line.empty() && line.size() + 1 + word.size() > MAX_LINE) {
      text += line + '\n';
      line.clear();
    }
    if (!line.empty()) line += ' ';
    line += word;
  }
  std::string finish() { return line.empty() ? text : text + line + '\n'; }

 private:
  std::string text, line;
};

// A line of moves from `position` as movetext words, up to its first illegal move.
// `number`: the full-move number of `position`.
std::vector<std::string> lineWords(CChessBoard position, int number, const std::vector<Move>& line) {
  std::vector<std::string> words;
  for (const Move& move : line) {
    CChessBoard legal = position;
    if (move.isNull() || !findMove(legal, move.from, move.to)) break;
    if (position.sideToMove)
      words.push_back(std::to_string(number) + '.');
    else if (words.empty())
      words.push_back(std::to_string(number) + "...");
    words.push_back(standardSan(position, move));
    if (!position.sideToMove) ++number;
    play(position, move);
  }
  return words;
}

}  // namespace

PgnMoves pgnMovesOfHistory(const std::vector<CChessBoard>& history) {
  PgnMoves game;
  game.start = initialPosition();
  std::size_t first = 1;
  if (history.empty()) {
    first = 0;
  } else if (!history[0].lastMove.isNull()) {
    CChessBoard after = game.start;
    play(after, history[0].lastMove);
    if (samePosition(after, history[0]))
      first = 0;
    else
      game.start = history[0];
  } else {
    game.start = history[0];
  }
  game.start.lastMove = Move();
  game.start.parent = game.start.child = nullptr;
  game.fromInitialPosition = samePosition(game.start, initialPosition());
  for (std::size_t i = first; i < history.size(); ++i) game.moves.push_back(history[i].lastMove);
  return game;
}

std::string standardSan(const CChessBoard& position, const Move& move) {
  if (isCastlingMove(move)) {
    std::string text = fileOf(move.to) == 6 ? "O-O" : "O-O-O";
    const int check = classifyMove(position, move);
    return check == 2 ? text + '#' : check == 1 ? text + '+' : text;
  }
  CChessBoard legal = position;
  generateMoves(legal, false);
  std::string text;
  const bool pawn = isPawn(move.piece);
  if (!pawn) {
    text += sanLetter(move.piece);
    bool rival = false, rivalOnFile = false, rivalOnRank = false;
    for (int i = 0; i < legal.moveCount; ++i) {
      const Move& other = legal.moves[i];
      if (other.to != move.to || other.piece != move.piece || other.from == move.from) continue;
      rival = true;
      rivalOnFile |= fileOf(other.from) == fileOf(move.from);
      rivalOnRank |= rankOf(other.from) == rankOf(move.from);
    }
    if (rival && !rivalOnFile)
      text += static_cast<char>('a' + fileOf(move.from));
    else if (rival && !rivalOnRank)
      text += static_cast<char>('1' + rankOf(move.from));
    else if (rival)
      text += squareName(move.from);
  }
  if (move.captured != EMPTY) {
    if (pawn) text += static_cast<char>('a' + fileOf(move.from));
    text += 'x';
  }
  text += squareName(move.to);
  if (move.promotion != EMPTY) {
    text += '=';
    text += sanLetter(move.promotion);
  }
  const int check = classifyMove(position, move);
  if (check == 2) text += '#';
  if (check == 1) text += '+';
  return text;
}

std::string writePgnGame(const std::vector<PgnTag>& tags, const PgnMoves& game, const std::string& result,
                         const std::string& termination) {
  std::string text;
  for (const char* name : ROSTER) {
    const std::string* value = tagValue(tags, name);
    const std::string shown = std::string(name) == "Result" ? result : value && !value->empty() ? *value : "?";
    text += '[' + std::string(name) + ' ' + quoted(shown) + "]\n";
  }
  if (!game.fromInitialPosition) {
    text += "[SetUp \"1\"]\n";
    text += "[FEN " + quoted(positionToFen(game.start, game.startCounters)) + "]\n";
  }
  for (const PgnTag& tag : tags) {
    bool roster = tag.name == "SetUp" || tag.name == "FEN";
    for (const char* name : ROSTER) roster |= tag.name == name;
    if (!roster && !tag.name.empty()) text += '[' + tag.name + ' ' + quoted(tag.value) + "]\n";
  }
  text += '\n';

  LineFiller movetext;
  CChessBoard position = game.start;
  // A set-up game goes on from its FEN's move number, as its readers count.
  int number = game.fromInitialPosition ? 1 : std::max(game.startCounters.moveNumber, 1);
  bool numberBlack = true;  // at the start, and after a comment or a variation
  // A move's comment and variation wait for the next move: the termination
  // joins the last move's comment, ahead of its variation, as some readers
  // take one comment per move and none after a variation.
  std::string comment;
  std::vector<std::string> variation;
  const auto flush = [&] {
    if (!comment.empty()) movetext.add('{' + comment + '}');
    for (const std::string& word : variation) movetext.add(word);
    comment.clear();
    variation.clear();
  };
  for (std::size_t ply = 0; ply < game.moves.size(); ++ply) {
    const Move& move = game.moves[ply];
    // Only a legal move can be read back; a game edited square by square ends here.
    CChessBoard legal = position;
    if (move.isNull() || !findMove(legal, move.from, move.to)) break;
    flush();
    if (position.sideToMove)
      movetext.add(std::to_string(number) + '.');
    else if (numberBlack)
      movetext.add(std::to_string(number) + "...");
    movetext.add(standardSan(position, move));
    numberBlack = false;
    if (ply < game.annotations.size()) {
      const PgnAnnotation& note = game.annotations[ply];
      if (note.nag > 0) movetext.add('$' + std::to_string(note.nag));
      if (note.eval && !evalText(*note.eval).empty()) {
        comment = "[%eval " + evalText(*note.eval) + "]";
        numberBlack = true;
      }
      variation = lineWords(position, number, note.variation);
      if (!variation.empty()) {
        variation.front().insert(0, "(");
        variation.back() += ')';
        numberBlack = true;
      }
    }
    if (!position.sideToMove) ++number;
    play(position, move);
  }
  if (!termination.empty()) {
    if (!comment.empty()) comment += ' ';
    for (char c : termination)
      if (c != '{' && c != '}') comment += c;
  }
  flush();
  movetext.add(result);
  return text + movetext.finish();
}
