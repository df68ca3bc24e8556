#include "search/evaluation.h"

#include <gtest/gtest.h>

#include "test_positions.h"

namespace {

struct EvalCase {
  const char* fen;
  int score;
};

class Evaluation : public testing::TestWithParam<EvalCase> {};

TEST_P(Evaluation, Score) { EXPECT_EQ(evaluate(fromFen(GetParam().fen)), GetParam().score) << GetParam().fen; }

INSTANTIATE_TEST_SUITE_P(
    Scores, Evaluation,
    testing::Values(EvalCase{INITIAL_FEN, 0},
                    EvalCase{"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", 5},
                    EvalCase{"rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq d3 0 1", 5},
                    EvalCase{"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2", 0},
                    EvalCase{"rnbqkbnr/pppppppp/8/8/8/5N2/PPPPPPPP/RNBQKB1R b KQkq - 1 1", 10},
                    EvalCase{"rnbqkbnr/pppppppp/8/8/8/2N5/PPPPPPPP/R1BQKBNR b KQkq - 1 1", 10},
                    EvalCase{"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 0}, EvalCase{"6k1/8/8/8/8/8/8/6K1 w - - 0 1", 0},
                    EvalCase{"8/8/8/4k3/4K3/8/8/8 w - - 0 1", 0}, EvalCase{"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", 1008},
                    EvalCase{"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", 250}, EvalCase{"4k3/8/8/8/8/8/p7/4K3 w - - 0 1", -250},
                    EvalCase{"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", 1000}, EvalCase{"4k3/8/8/8/8/8/8/P3K3 w - - 0 1", 10000},
                    EvalCase{"8/8/8/8/8/8/8/4K3 w - - 0 1", 10000}, EvalCase{"4k3/8/8/8/8/8/8/8 w - - 0 1", -10000},
                    EvalCase{"4k3/8/8/8/8/8/8/4KQ2 w - - 0 1", 1000}, EvalCase{"4k3/8/8/8/8/8/6K1/8 w - - 0 1", -10},
                    EvalCase{"4k3/8/8/8/8/8/1K6/8 w - - 0 1", -20}, EvalCase{"4k3/8/8/8/8/8/1B6/4K3 w - - 0 1", 310},
                    EvalCase{"4k3/8/8/8/8/8/R7/4K3 w - - 0 1", 497}));

// Squares and kinds only: the other fields and the letterless codes count as
// the kind tests say.
TEST(Evaluation, OnlyTheSquaresMatter) {
  CChessBoard position = fromFen(KIWIPETE_FEN);
  const int score = evaluate(position);
  position.sideToMove = 0;
  position.castlingRights = 0;
  position.enPassantSquare = makeSquare(4, 3);
  EXPECT_EQ(evaluate(position), score);

  CChessBoard odd = fromFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  odd.squares[makeSquare(1, 1)] = 5;   // bishop kind on b2
  odd.squares[makeSquare(0, 0)] = 31;  // black rook kind on a1
  odd.squares[makeSquare(7, 7)] = 99;  // no kind
  EXPECT_EQ(evaluate(odd), 310 - 500);
}

TEST(Evaluation, MirrorsAndColourSwaps) {
  auto mirror = [](const CChessBoard& p, bool vertical, bool swapColours) {
    CChessBoard m = p;
    for (Square s : ALL_SQUARES) {
      const int file = vertical ? fileOf(s) : 7 - fileOf(s);
      const int rank = vertical ? 7 - rankOf(s) : rankOf(s);
      Piece code = p.squares[s];
      if (swapColours && code != EMPTY) code = static_cast<Piece>(code ^ 24);
      m.squares[makeSquare(file, rank)] = code;
    }
    return m;
  };
  for (const char* fen : {KIWIPETE_FEN, "8/2p5/3p4/KP5r/1R3p2/4P1k1/6P1/8 w - - 0 1",
                          "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 1"}) {
    const CChessBoard position = fromFen(fen);
    EXPECT_EQ(evaluate(mirror(position, true, true)), -evaluate(position)) << fen;
  }
  const CChessBoard queen = fromFen("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
  EXPECT_EQ(evaluate(mirror(queen, false, false)), 1000);
  const CChessBoard king = fromFen("4k3/8/8/8/8/8/7K/8 w - - 0 1");
  EXPECT_EQ(evaluate(mirror(king, false, false)) - evaluate(king), -10);
}

}  // namespace
