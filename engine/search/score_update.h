#pragma once
// The static score of a child from its parent's. The evaluation is a sum of
// one value per occupied square, so only the squares a move changes need
// looking at; the per-square values are read off `evaluate` itself (a board
// holding a single piece), so they can never disagree with it.

#include <cstdint>

#include "position/chess_board.h"

// evaluate(child), given evaluate(parent) and the move that led from parent to child.
std::int32_t scoreAfterMove(const CBoard& parent, std::int32_t parentScore, const CBoard& child, const Move& move);

// The same without the child: most moves change only their two squares.
std::int32_t scoreAfterMove(const CBoard& parent, std::int32_t parentScore, const Move& move);

// The contribution of `code` standing on `square` to evaluate().
std::int32_t squareValue(int code, int square);
