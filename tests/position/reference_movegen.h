#pragma once
// The literal generator, kept as the yardstick for the engine's fast one.

#include "position/chess_board.h"
#include "position/move_gen.h"

namespace reference {

bool makeMove(CChessBoard& position, const Move& move);
int generateMoves(CChessBoard& position, bool pseudoOnly, int upperBound = NO_BOUND, int lowerBound = NO_BOUND);
void removeIllegalMoves(CChessBoard& position);
bool canCaptureKing(CChessBoard& position);
int classifyMove(const CChessBoard& position, const Move& move);

}  // namespace reference
