#pragma once
// The search written as plainly as it can be: every node a whole CChessBoard,
// every child list a vector of whole copies, the best line a chain of heap
// copies, and the literal move generator of the position tests. Slow, and the
// yardstick the engine's search must match move for move, score for score and
// node for node.

#include <cstdint>

#include "position/chess_board.h"

struct ReferenceResult {
  Move move;
  std::int32_t score = 0;
  std::int32_t nodes = 0;
  int lineLength = 0;
  Move lastCutMove;
};

// One search from `position`. `lastCutMove` carries over between searches of
// one player, so it is passed in; `stopRequested` imitates "?" before the search.
ReferenceResult referenceSearch(const CChessBoard& position, int depth, const Move& lastCutMove = Move(),
                                bool stopRequested = false);
