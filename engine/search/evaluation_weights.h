#pragma once
// Every weight of the strong evaluation, middlegame (Mg) and endgame (Eg)
// apart, in centipawns. The values in use are fitted to the results of the
// engine's own games (tools/texel/, make tune) and written to
// evaluation_weights.cpp; the piece-square values add rank and file
// corrections to a fixed shape (towards the centre, pawns forward, the king
// home in the middlegame).

#include <functional>
#include <string>

struct EvaluationWeights {
  int materialMg[5], materialEg[5];   // pawn, knight, bishop, rook, queen
  int rankMg[6][8], rankEg[6][8];     // by kind (pawn .. king) and the owner's rank
  int fileMg[6][4], fileEg[6][4];     // by kind and file, a..d mirrored onto h..e
  int passedMg[8], passedEg[8];       // by the owner's rank
  int mobilityMg[4], mobilityEg[4];   // knight .. queen, per square over the kind's average
  int doubledMg, doubledEg, isolatedMg, isolatedEg;
  int shieldMissingMg, shieldOpenMg, shieldNearMg, shieldMiddleMg, shieldFarMg;
  int kingAttack;                     // per squared attack unit on the king's surroundings
  int rookOpenMg, rookOpenEg, rookHalfOpenMg, rookHalfOpenEg;
  int bishopPairMg, bishopPairEg;
  int passerOtherKingEg, passerOwnKingEg;  // per square of king distance to the square in front, by rank
  int tempo;
};

// The fitted weights the engine plays with.
extern const EvaluationWeights TUNED_WEIGHTS;

// Calls `visit` with each weight's name (as written in evaluation_weights.cpp)
// and a reference to it, in declaration order.
void forEachWeight(EvaluationWeights& weights, const std::function<void(const std::string&, int&)>& visit);
