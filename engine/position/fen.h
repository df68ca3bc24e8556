#pragma once
// FEN reading and writing, for tests and tools. FEN names the square passed over
// by a double pawn step (e3); the position keeps the pawn's own square (e4).

#include <optional>
#include <string>

#include "chess_board.h"

std::optional<CChessBoard> positionFromFen(const std::string& fen);
std::string positionToFen(const CChessBoard& position);
