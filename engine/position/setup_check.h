#pragma once
// Whether a position given from outside (a FEN from an interface) can be
// played: one king a side, no pawn on the first or last rank, and the side
// that just moved not left in check. Rights the squares contradict are
// dropped, so the move generator never castles a missing rook or takes en
// passant past a missing pawn.

#include "chess_board.h"

bool makePlayable(CChessBoard& position);
