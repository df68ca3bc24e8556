#pragma once
// Static exchange evaluation: what a capture wins or loses once both sides
// have taken back on its square with their cheapest pieces, each free to stop
// when going on would lose more. Pieces behind the takers (x-rays) join in as
// the line opens; pins and checks are not seen. Centipawns, pawn 100.

#include "position/chess_board.h"

// The exchange value of `move` from the mover's side; a quiet move scores
// what the piece risks on its new square (0 or less).
int staticExchange(const CBoard& board, const Move& move);

// The exchange value of a piece code (king: more than everything else).
int exchangeValue(int code);
