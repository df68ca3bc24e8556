#pragma once
// One node of the search tree: the position proper (its `score` holds the
// static score given at creation, later the searched value) and the move that
// led to it. The generated move list lives in a per-ply scratch position, so a
// node is a tenth of the size of a CChessBoard and cheap to keep and sort.

#include "position/chess_board.h"

#include <cstdint>
#include <limits>

struct SearchNode {
  static constexpr std::int32_t UNKNOWN_SCORE = std::numeric_limits<std::int32_t>::min();

  CBoard board;
  Move lastMove;
  // evaluate(board), kept apart from board.score, which a mating move's child
  // holds as 9001; UNKNOWN_SCORE until computed.
  std::int32_t staticScore = UNKNOWN_SCORE;
};

// The search's consistency check: the board is sound, and a known static score
// is what evaluating the board from scratch gives.
bool nodeIsOk(const SearchNode& node);
