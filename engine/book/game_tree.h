#pragma once
// A game as an annotated tree: the main line's moves and, on every move, the
// comment before it, the comment after it, its NAGs and the variations that
// stand in for it (each a line of moves annotated the same way, nested to any
// depth), plus a comment before the first move. Comments are kept as written,
// commands such as [%clk] and [%eval] included.
//
// A node is addressed by a TreePath: {i0, v0, i1, v1, ..., ik} is move i0 of
// the main line, its variation v0, that line's move i1 ... down to move ik of
// the last line; the empty path is the start, before any move.

#include <optional>
#include <string>
#include <vector>

#include "position/chess_board.h"

struct TreeLine;

struct TreeMove {
  Move move;
  std::string before;  // a comment standing before the move
  std::string after;   // the comment that follows it
  std::vector<int> nags;
  std::vector<TreeLine> variations;  // alternatives to this move, from the position before it
};

struct TreeLine {
  std::vector<TreeMove> moves;
};

struct GameTree {
  std::string startComment;
  TreeLine main;

  // Any comment, NAG or variation anywhere.
  bool annotated() const;
};

using TreePath = std::vector<int>;

// Limits against hostile files that normal ones never reach: deeper
// variations are dropped whole, a longer comment is cut, and once the game's
// text or its moves outgrow the bounds the rest of its annotations is dropped.
inline constexpr int MAX_VARIATION_DEPTH = 32;
inline constexpr std::size_t MAX_COMMENT = 16 * 1024;
inline constexpr std::size_t MAX_TREE_TEXT = 8 * 1024 * 1024;
inline constexpr std::size_t MAX_TREE_MOVES = 100000;

// Reads a game's movetext (everything after its tags) from `start`. Malformed
// text degrades: an illegal move ends its line, a ")" that closes nothing is
// skipped, an open "(" or "{" ends at the end of the text.
GameTree parseGameTree(const CChessBoard& start, const std::string& movetext);

// The move at `path`, or null when the path leads nowhere.
const TreeMove* treeMoveAt(const GameTree& tree, const TreePath& path);
TreeMove* treeMoveAt(GameTree& tree, const TreePath& path);
// The position after the move at `path`, or none when the path leads nowhere.
std::optional<CChessBoard> treePosition(const CChessBoard& start, const GameTree& tree, const TreePath& path);
// The position the move at `path` is played from, or none when the path leads nowhere.
std::optional<CChessBoard> treePositionBefore(const CChessBoard& start, const GameTree& tree, const TreePath& path);
// Whether `path` runs along the main line only (the start or a main-line move).
inline bool onMainLine(const TreePath& path) { return path.size() <= 1; }

// The node before the one at `path` (its line's previous move, or for a
// line's first move the node its line branches after); the start has none.
std::optional<TreePath> previousNode(const TreePath& path);
// The next move of the line at `path` (the main line's first from the start).
std::optional<TreePath> nextNode(const GameTree& tree, const TreePath& path);

// Plays `move` after the node at `path`: the path of the node it leads to.
// The line's next move, or one of that move's variations that begins with
// it, is stepped to; otherwise the move starts a new variation there, or
// extends a variation that ends at `path`. The main line is never extended
// (that is the game's own move). Nothing changes when `path` leads nowhere.
struct TreeStep {
  TreePath path;
  bool added = false;  // a new variation or a longer one
};
std::optional<TreeStep> playInTree(GameTree& tree, const TreePath& path, const Move& move);

// The tree for a main line that changed: annotations of the moves both lines
// share from the start are kept, the rest of the old line goes.
void followMainLine(GameTree& tree, const std::vector<Move>& moves);

// The standard sign of a NAG ("!", "?!", "+-"), or "" for none.
std::string nagSign(int nag);
