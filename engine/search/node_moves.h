#pragma once
// The move list of one search node, exactly as generateMoves with the search's
// bound gives it, but produced one move at a time. The search stops reading
// at an expansion cutoff, so the legality test and the check classification
// of the moves after it are never paid for.
//
// The bound probe is replayed on the complete pseudo-legal list: moves come
// grouped by origin square in board order, so the list as it stood after each
// piece is a prefix of it.

#include <cstdint>

#include "position/chess_board.h"
#include "position/move_gen.h"

class NodeMoves {
 public:
  // `boardScore` is evaluate(board); the probe's scores are derived from it.
  void start(const CBoard& board, std::int32_t boardScore, int upperBound, int lowerBound);
  // The next move of the list: pseudo-legal with checkState 255 when the probe
  // stopped the list, otherwise legal and classified. False at the end.
  bool next(Move& move);

 private:
  const CBoard* board = nullptr;
  Move pseudo[MAX_MOVES];
  int pseudoCount = 0;
  int listCount = 0;
  int cursor = 0;
  bool stopped = false;
  LegalityContext context;
  bool checkFilter = false;  // one other king, not attacked yet: most moves cannot check it
};
