// The strong evaluation is blind to which colour is which: every term of it
// counted for Black is the mirror of the one counted for White. Threats go to
// the attacker.

#include <cstdlib>

#include "search/strong_evaluation.h"
#include "test_positions.h"

namespace {

TEST(StrongEvaluation, BlindToColour) {
  for (const char* fen : {
           "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
           "r1bq1rk1/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R2QK2R w KQ - 0 8",
           "2r2rk1/1b2qppp/p3pn2/1p1nN3/3P4/P1B3Q1/1P3PPP/2RR2K1 w - - 0 20",
           "4k3/p7/8/4N3/3P4/8/8/4K3 w - - 0 1",
           "8/5pk1/6p1/3Pp3/2P1P3/5K2/8/8 b - - 0 40",
           "r3k2r/ppp2ppp/2n5/3q4/3n4/2P2N2/PP3PPP/R2QKB1R w KQkq - 0 10",
           "6k1/5ppp/8/8/8/8/1K6/7R w - - 0 1",
           "8/2k5/8/1P6/5p2/8/4K3/8 w - - 0 50",        // passed pawns and the kings' race
           "1r4k1/5ppp/8/8/8/8/5PPP/2R3K1 b - - 0 30",  // rooks on open files, shields
           "8/8/8/3k4/8/8/8/KQ6 w - - 0 60",            // the bare king driven to the edge
           "8/4k3/8/8/3N4/8/3K4/8 b - - 0 70",          // a lone knight cannot win
           "k7/8/K7/P7/3B4/8/8/8 w - - 0 80",           // the bishop that misses the corner
           "4k3/p7/8/3q4/8/5N2/P3B3/3RK3 b - - 0 20",   // threats and pieces left undefended
           "r2q1rk1/pp3ppp/2n1p3/3pPb2/2pP1N2/2P2N2/P4PPP/R2QKB1R w - - 0 12",  // chains, outposts
           "4k3/8/8/4p3/2P1P3/3P4/8/4K3 b - - 0 30",    // a backward pawn
       }) {
    const CChessBoard position = fromFen(fen);
    EXPECT_EQ(strongEvaluate(colourMirror(position)), strongEvaluate(position)) << fen;
  }
}

// A bishop and rook pawns whose promotion square the bishop does not reach,
// the other king in that corner: a draw, however much material is ahead.
// The other bishop, or the king out of the corner, still wins.
TEST(StrongEvaluation, TheWrongBishopWithRookPawnsIsADraw) {
  for (const char* fen : {"k7/8/K7/P7/3B4/8/8/8 w - - 0 80", "8/5B1k/8/7P/7K/7P/8/8 b - - 0 70",
                          "8/8/8/8/7p/7k/3b4/7K w - - 0 70"})
    EXPECT_LT(std::abs(strongEvaluate(fromFen(fen))), 60) << fen;
  for (const char* fen : {"k7/8/K7/P7/4B3/8/8/8 w - - 0 80", "8/8/K7/P7/3B4/8/6k1/8 w - - 0 80"})
    EXPECT_GT(std::abs(strongEvaluate(fromFen(fen))), 250) << fen;
}

// With every weight zero but one term's, at 100 in both phases, the score
// is that term alone: White's count of it less Black's, times 100.
int termAlone(const char* fen, void (*set)(EvaluationWeights&)) {
  EvaluationWeights weights{};
  set(weights);
  const EvaluationTables tables(weights);
  const CChessBoard position = fromFen(fen);
  return strongEvaluate(position, tables) * (position.sideToMove ? 1 : -1) / 100;
}

void threatByPawn(EvaluationWeights& w) { w.threatByPawnMg = w.threatByPawnEg = 100; }
void threatByMinor(EvaluationWeights& w) { w.threatByMinorMg = w.threatByMinorEg = 100; }
void threatByRook(EvaluationWeights& w) { w.threatByRookMg = w.threatByRookEg = 100; }
void hanging(EvaluationWeights& w) { w.hangingMg = w.hangingEg = 100; }
void hangingPawn(EvaluationWeights& w) { w.hangingPawnMg = w.hangingPawnEg = 100; }
void connected(EvaluationWeights& w) {
  for (int rank = 0; rank < 8; ++rank) w.connectedMg[rank] = w.connectedEg[rank] = 100;
}
void backward(EvaluationWeights& w) { w.backwardMg = w.backwardEg = 100; }
void outpost(EvaluationWeights& w) { w.outpostMg[0] = w.outpostEg[0] = w.outpostMg[1] = w.outpostEg[1] = 100; }

// Threats count once, for the attacker, and only where they are.
TEST(StrongEvaluation, ThreatsCountForTheAttacker) {
  EXPECT_EQ(termAlone("4k3/8/8/3n4/4P3/8/8/4K3 w - - 0 1", threatByPawn), 1);
  EXPECT_EQ(termAlone("4k3/8/2p5/3n4/4P3/8/8/4K3 b - - 0 1", threatByPawn), 1);  // defended too
  EXPECT_EQ(termAlone("4k3/8/8/3n4/8/4P3/8/4K3 w - - 0 1", threatByPawn), 0);
  EXPECT_EQ(termAlone("4k3/p7/8/3r4/8/4N3/P7/4K3 w - - 0 1", threatByMinor), 1);
  EXPECT_EQ(termAlone("4k3/p7/8/3r4/8/4N3/P7/4K3 w - - 0 1", threatByPawn), 0);
  EXPECT_EQ(termAlone("4k3/p7/8/3n4/8/4N3/P7/4K3 w - - 0 1", threatByMinor), 0);  // a minor only
  EXPECT_EQ(termAlone("4k3/p7/8/3q4/8/8/P7/3RK3 w - - 0 1", threatByRook), 1);
  EXPECT_EQ(termAlone("4k3/p7/8/3q4/8/8/P7/3RK3 w - - 0 1", hanging), 1);  // the rook is the king's
  EXPECT_EQ(termAlone("4k3/p7/8/3n4/8/5B2/P7/4K3 w - - 0 1", hanging), 1);
  EXPECT_EQ(termAlone("4k3/p7/2p5/3n4/8/5B2/P7/4K3 w - - 0 1", hanging), 0);
  EXPECT_EQ(termAlone("4k3/p7/2p5/3n4/8/5B2/P7/4K3 w - - 0 1", hangingPawn), 0);
  EXPECT_EQ(termAlone("4k3/8/8/3p4/8/5B2/P7/4K3 w - - 0 1", hangingPawn), 1);
  EXPECT_EQ(termAlone("4k3/8/8/3p4/8/5B2/P7/4K3 w - - 0 1", hanging), 0);
  EXPECT_EQ(termAlone("4k3/7p/8/8/8/1b6/P7/4K3 b - - 0 1", hangingPawn), -1);
}

// Connected pawns stand beside or defend each other; a backward pawn has no
// neighbour level or behind and an enemy pawn on the square in front of it;
// an outpost is a defended minor piece no enemy pawn can ever attack.
TEST(StrongEvaluation, PawnStructureAndOutposts) {
  EXPECT_EQ(termAlone("4k3/8/8/8/8/3PP3/8/4K3 w - - 0 1", connected), 2);
  EXPECT_EQ(termAlone("4k3/8/8/8/4P3/3P4/8/4K3 w - - 0 1", connected), 1);  // the defended one
  EXPECT_EQ(termAlone("4k3/8/8/8/3P4/8/4P3/4K3 w - - 0 1", connected), 0);
  EXPECT_EQ(termAlone("4k3/8/2pp4/8/8/8/P7/4K3 w - - 0 1", connected), -2);
  EXPECT_EQ(termAlone("4k3/8/8/4p3/2P1P3/3P4/8/4K3 w - - 0 1", backward), 1);
  EXPECT_EQ(termAlone("4k3/8/8/8/2P1P3/3P4/8/4K3 w - - 0 1", backward), 0);    // nothing attacks d4
  EXPECT_EQ(termAlone("4k3/8/8/4p3/2P5/3P4/2P5/4K3 w - - 0 1", backward), 0);  // c2 may come to defend
  EXPECT_EQ(termAlone("4k3/p7/8/3N4/4P3/8/8/4K3 w - - 0 1", outpost), 1);
  EXPECT_EQ(termAlone("4k3/p7/8/3N4/8/4P3/8/4K3 w - - 0 1", outpost), 0);  // no pawn defends it
  EXPECT_EQ(termAlone("4k3/2p5/8/3N4/4P3/8/8/4K3 w - - 0 1", outpost), 0);  // ...c6 drives it away
  EXPECT_EQ(termAlone("4k3/p7/8/8/3N4/4P3/8/4K3 w - - 0 1", outpost), 1);
  EXPECT_EQ(termAlone("4k3/p7/8/8/8/3N4/4P3/4K3 w - - 0 1", outpost), 0);  // too far back
  EXPECT_EQ(termAlone("4k3/8/8/2p5/3b4/8/P7/4K3 w - - 0 1", outpost), -1);
}

}  // namespace
