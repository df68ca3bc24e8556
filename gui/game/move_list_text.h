#pragma once
// The moves of the game as the right-hand bar shows them and Guardar writes
// them: "1.e4 e5 \n2.Nf3" - one line per full move.

#include <cstdint>
#include <string>
#include <vector>

#include "book/game_tree.h"
#include "book/pgn_annotation.h"
#include "move_notation.h"
#include "position/chess_board.h"

// The history's first entry has no predecessor to write SAN against, so its
// move is written from the Move alone (no disambiguation, no check sign).
std::string plainMoveText(const Move& move);

// Where the move that led to history entry `entry` stands in the text, counted
// in the window's characters (UTF-16), not in the text's bytes.
// A variation's move has no entry (VARIATION_ENTRY) but a node: its index in
// the tree paths the text was made with.
struct MoveSpan {
  int entry;
  int start;
  int length;
  int node = -1;
};
inline constexpr int VARIATION_ENTRY = -2;

// The caller holds the Game lock while the history is read. With `spans`,
// also where each move stands, in the order of the text. UTF-8.
std::string moveListText(const std::vector<CChessBoard>& history, std::vector<MoveSpan>* spans = nullptr,
                         MoveNotation notation = MoveNotation::List);

// The list of an annotated game: the same lines, with comments in braces
// after their moves (commands such as [%clk] left out), NAG signs after the
// move ("e4!", "Nf3 +="), and each variation on its own indented line in
// parentheses after the move it stands in for; the black move that follows
// a comment or a variation gets its number again ("1...e5"). `tree` goes
// along the history (its main line is the history's moves); without any
// annotation the text is moveListText's. NAGs a review marks itself (`review`,
// per move) are left to its marks. `nodes` receives the variation moves' paths.
std::string treeMoveListText(const std::vector<CChessBoard>& history, const GameTree& tree,
                             const std::vector<PgnAnnotation>* review, std::vector<MoveSpan>* spans,
                             std::vector<TreePath>* nodes, MoveNotation notation = MoveNotation::List);

// The window redraws at every engine line, and SAN for a long game is slow:
// the text of the history last asked for, made again only when its start or
// one of its moves, or the notation, changed. The caller holds the Game lock.
class MoveListCache {
 public:
  const std::string& textOf(const std::vector<CChessBoard>& history, std::vector<MoveSpan>& spansOut,
                            MoveNotation notation = MoveNotation::List);

 private:
  bool made = false;
  std::string start;                 // the first entry's FEN
  std::vector<std::uint64_t> moves;  // each entry's move and side to move
  MoveNotation notation = MoveNotation::List;
  std::string text;
  std::vector<MoveSpan> spans;
};
