#pragma once
// The evaluation of the strong levels, in centipawns from the side to move's
// point of view: material and piece-square values tapered between middlegame
// and endgame by the material left, mobility, pawn structure (doubled, isolated
// and passed pawns, the kings' distance to a passed pawn), rooks on open files,
// the bishop pair, king safety (pawn shield, attacks next to the king), threats
// (pieces attacked by lesser ones or not defended), connected and backward
// pawns, knights and bishops on outposts, drawish material and, with a bare
// king left, the drive of that king to the edge. The weights are
// evaluation_weights.cpp's; the fixed level keeps its own tables.

#include <array>

#include "position/chess_board.h"
#include "search/evaluation_weights.h"

// The weights with the piece-square values laid out per square, material
// included: what one evaluation reads.
struct EvaluationTables {
  explicit EvaluationTables(const EvaluationWeights& weights);
  EvaluationWeights w;
  std::array<std::array<int, 64>, 6> mg{}, eg{};  // by kind, the owner's rank * 8 + file
};

// The tables of the weights in use.
const EvaluationTables& tunedTables();

int strongEvaluate(const CBoard& board);
int strongEvaluate(const CBoard& board, const EvaluationTables& tables);

// Material of one side without pawns and kings, in middlegame centipawns: the
// search's null-move test needs pieces to zugzwang-proof the pass.
int pieceMaterial(const CBoard& board, int side);
