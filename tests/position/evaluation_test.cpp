#include "position/evaluation.h"

#include "test_positions.h"

namespace {

// The bench signature covers ordinary play; these are the odd cases.
TEST(Evaluation, Scores) {
  const std::pair<const char*, int> cases[] = {
      {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", 1008},   {"4k3/8/8/8/8/8/1B6/4K3 w - - 0 1", 310},
      {"4k3/8/8/8/8/8/R7/4K3 w - - 0 1", 497},    {"4k3/8/8/8/8/8/1K6/8 w - - 0 1", -20},
      {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", 250},    {"8/8/8/8/8/8/8/4K3 w - - 0 1", 10000},  // no black king
      // pawns on the last ranks
      {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", 1000},   {"4k3/8/8/8/8/8/8/P3K3 w - - 0 1", 10000},
  };
  for (const auto& [fen, score] : cases) EXPECT_EQ(evaluate(fromFen(fen)), score) << fen;

  // Only squares and kinds count: letterless codes score as their kind.
  CChessBoard odd = fromFen("4k3/8/8/8/8/8/8/4K3 b - e3 0 1");
  odd.squares[makeSquare(1, 1)] = 5;   // bishop kind on b2
  odd.squares[makeSquare(0, 0)] = 31;  // black rook kind on a1
  odd.squares[makeSquare(7, 7)] = 99;  // no kind
  EXPECT_EQ(evaluate(odd), 310 - 500);
}

TEST(Evaluation, ColourSwappedMirrorNegates) {
  for (const char* fen : {KIWIPETE_FEN, "8/2p5/3p4/KP5r/1R3p2/4P1k1/6P1/8 w - - 0 1",
                          "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 1"}) {
    const CChessBoard position = fromFen(fen);
    EXPECT_EQ(evaluate(colourMirror(position)), -evaluate(position)) << fen;
  }
}

}  // namespace
