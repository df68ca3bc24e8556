#pragma once
// Static score: a sum of piece-square values, White's point of view, centipawns.

#include <cstdint>

#include "position/chess_board.h"

std::int32_t evaluate(const CBoard& position);
