#pragma once
// Every weight of the strong evaluation, middlegame (Mg) and endgame (Eg)
// apart, in centipawns. The values in use are fitted to the results of the
// engine's own games (tools/texel/, make tune) and written to
// evaluation_weights.cpp. Each kind has a value of its own on every square,
// material apart, seen from its owner's side.

#include <array>
#include <functional>
#include <string>

struct EvaluationWeights {
  int materialMg[5], materialEg[5];   // pawn, knight, bishop, rook, queen
  // By kind (pawn .. king) and square, the owner's rank * 8 + file: a1 is
  // White's and a8 Black's square 0. A pawn's first and last ranks are unused.
  std::array<std::array<int, 64>, 6> squareMg, squareEg;
  int passedMg[8], passedEg[8];       // by the owner's rank
  // Knight .. queen, by the number of squares the piece reaches (up to 27):
  // a table, not a slope, so the first few squares may count for more.
  std::array<std::array<int, 28>, 4> mobilityMg, mobilityEg;
  int doubledMg, doubledEg, isolatedMg, isolatedEg;
  // A pawn beside or defended by another, by the owner's rank; a pawn no
  // other can defend whose square in front an enemy pawn attacks.
  int connectedMg[8], connectedEg[8];
  int backwardMg, backwardEg;
  // A knight or bishop on the owner's ranks 4 to 6, defended by a pawn, where
  // no enemy pawn can attack it.
  int outpostMg[2], outpostEg[2];
  int shieldMissingMg, shieldOpenMg, shieldNearMg, shieldMiddleMg, shieldFarMg;
  int kingAttack;                     // per squared attack unit on the king's surroundings
  int rookOpenMg, rookOpenEg, rookHalfOpenMg, rookHalfOpenEg;
  int bishopPairMg, bishopPairEg;
  int passerOtherKingEg, passerOwnKingEg;  // per square of king distance to the square in front, by rank
  // Threats, counted for the attacker: a piece attacked by a pawn, a rook or
  // queen by a minor piece, a queen by a rook, and a piece or pawn attacked
  // and not defended.
  int threatByPawnMg, threatByPawnEg, threatByMinorMg, threatByMinorEg, threatByRookMg, threatByRookEg;
  int hangingMg, hangingEg, hangingPawnMg, hangingPawnEg;
  int tempo;
};

// The fitted weights the engine plays with.
extern const EvaluationWeights TUNED_WEIGHTS;

// Calls `visit` with each weight's name (as written in evaluation_weights.cpp)
// and a reference to it, in declaration order.
void forEachWeight(EvaluationWeights& weights, const std::function<void(const std::string&, int&)>& visit);
