#pragma once
// FEN reading and writing, for tests and tools. FEN names the square passed over
// by a double pawn step (e3); the position keeps the pawn's own square (e4).

#include <optional>
#include <string>

#include "chess_board.h"

// The two counters at the end of a FEN, which the position itself does not keep.
struct FenCounters {
  int halfMoves = 0;   // plies since the last capture or pawn move
  int moveNumber = 1;  // of the move to be played
};

std::optional<CChessBoard> positionFromFen(const std::string& fen);
// The counters of a FEN; missing or unreadable ones keep their start values.
FenCounters fenCounters(const std::string& fen);
std::string positionToFen(const CChessBoard& position, FenCounters counters = {});
