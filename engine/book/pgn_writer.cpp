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

namespace {

// A comment as words: the filler may break a line between them. A "}" would
// end it early, so it goes.
void addComment(std::vector<std::string>& words, const std::string& comment) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : comment) {
    if (c == '}') continue;
    if (c == ' ' || (c >= '\t' && c <= '\r')) {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  if (parts.empty()) return;
  parts.front() = "{" + parts.front();
  parts.back() += '}';
  words.insert(words.end(), parts.begin(), parts.end());
}

// A main-line move with the review's note laid over the tree's annotations:
// the review's NAG stands for the marks a review gives, its evaluation
// replaces an [%eval] of the comment, and its better line is written unless a
// variation already begins with its move.
TreeMove withNote(const TreeMove& node, const PgnAnnotation& note) {
  TreeMove merged = node;
  if (note.nag > 0) {
    std::vector<int> nags{note.nag};
    for (int nag : node.nags)
      if (nag != NAG_MISTAKE && nag != NAG_BLUNDER && nag != NAG_INACCURACY && nag != note.nag) nags.push_back(nag);
    merged.nags = nags;
  }
  if (note.eval && !evalText(*note.eval).empty()) {
    const std::string command = "[%eval " + evalText(*note.eval) + "]";
    const std::size_t at = merged.after.find("[%eval");
    const std::size_t end = at == std::string::npos ? at : merged.after.find(']', at);
    if (end != std::string::npos)
      merged.after.replace(at, end - at + 1, command);
    else
      merged.after = merged.after.empty() ? command : command + ' ' + merged.after;
  }
  if (!note.variation.empty()) {
    bool known = false;
    for (const TreeLine& line : node.variations)
      known |= !line.moves.empty() && sameMove(line.moves[0].move, note.variation[0]);
    if (!known) {
      TreeLine better;
      for (const Move& move : note.variation) better.moves.push_back(TreeMove{move, {}, {}, {}, {}});
      merged.variations.insert(merged.variations.begin(), std::move(better));
    }
  }
  return merged;
}

// A line's movetext words from `position` (full-move `number`), up to its
// first illegal move. `notes`: the review's, for the main line.
std::vector<std::string> treeWords(CChessBoard position, int number, const TreeLine& line,
                                   const std::vector<PgnAnnotation>* notes, int depth) {
  std::vector<std::string> words;
  bool numberBlack = true;  // at the start, and after a comment or a variation
  for (std::size_t i = 0; i < line.moves.size(); ++i) {
    const TreeMove& node = notes && i < notes->size() ? withNote(line.moves[i], (*notes)[i]) : line.moves[i];
    CChessBoard legal = position;
    // Only a legal move can be read back; a game edited square by square ends here.
    if (node.move.isNull() || !findMove(legal, node.move.from, node.move.to)) break;
    if (!node.before.empty()) {
      addComment(words, node.before);
      numberBlack = true;
    }
    if (position.sideToMove)
      words.push_back(std::to_string(number) + '.');
    else if (numberBlack)
      words.push_back(std::to_string(number) + "...");
    words.push_back(standardSan(position, node.move));
    numberBlack = false;
    for (int nag : node.nags) words.push_back('$' + std::to_string(nag));
    if (!node.after.empty()) {
      addComment(words, node.after);
      numberBlack = true;
    }
    for (const TreeLine& variation : node.variations) {
      if (depth >= MAX_VARIATION_DEPTH) break;
      std::vector<std::string> inner = treeWords(position, number, variation, nullptr, depth + 1);
      if (inner.empty()) continue;
      inner.front() = "(" + inner.front();
      inner.back() += ')';
      words.insert(words.end(), inner.begin(), inner.end());
      numberBlack = true;
    }
    if (!position.sideToMove) ++number;
    play(position, node.move);
  }
  return words;
}

}  // namespace

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

  GameTree tree = game.tree;
  followMainLine(tree, game.moves);
  // The termination joins the last move's comment, ahead of its variations,
  // as some readers take one comment per move and none after a variation.
  std::string closing;
  for (char c : termination)
    if (c != '{' && c != '}') closing += c;
  std::vector<PgnAnnotation> notes = game.annotations;
  if (!closing.empty() && !tree.main.moves.empty()) {
    notes.resize(std::max(notes.size(), tree.main.moves.size()));
    std::string& last = tree.main.moves.back().after;
    // The review's evaluation is laid over the comment later: it must stay first.
    if (const PgnAnnotation& note = notes[tree.main.moves.size() - 1]; note.eval && !evalText(*note.eval).empty() &&
                                                                      last.find("[%eval") == std::string::npos)
      last = "[%eval " + evalText(*note.eval) + "]" + (last.empty() ? "" : " " + last);
    last += (last.empty() ? "" : " ") + closing;
    closing.clear();
  }
  // A set-up game goes on from its FEN's move number, as its readers count.
  const int number = game.fromInitialPosition ? 1 : std::max(game.startCounters.moveNumber, 1);
  std::vector<std::string> words;
  addComment(words, tree.startComment);
  const std::vector<std::string> moves = treeWords(game.start, number, tree.main, &notes, 0);
  words.insert(words.end(), moves.begin(), moves.end());
  addComment(words, closing);
  LineFiller movetext;
  for (const std::string& word : words) movetext.add(word);
  movetext.add(result);
  return text + movetext.finish();
}
