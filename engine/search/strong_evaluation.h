#pragma once
// The evaluation of the strong levels, in centipawns from the side to move's
// point of view: material and piece-square values tapered between middlegame
// and endgame by the material left, mobility, pawn structure (doubled,
// isolated and passed pawns), rooks on open files, the bishop pair, king
// safety (pawn shield, attacks next to the king) and, with a bare king left,
// the drive of that king to the edge. The fixed level keeps its own tables.

#include "position/chess_board.h"

int strongEvaluate(const CBoard& board);

// Material of one side without pawns and kings, in middlegame centipawns: the
// search's null-move test needs pieces to zugzwang-proof the pass.
int pieceMaterial(const CBoard& board, int side);
