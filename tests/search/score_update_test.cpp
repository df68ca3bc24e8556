// The child's score from the parent's must equal evaluate() of the child for
// every move: ordinary moves, captures, castling, en passant, promotions, and
// pieces with stray codes.

#include <gtest/gtest.h>

#include <random>

#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "search/evaluation.h"
#include "search/score_update.h"

namespace {

// Checks every pseudo-legal move of the position; returns how many.
int expectScoresMatch(const CChessBoard& position) {
  const std::int32_t parentScore = evaluate(position);
  CChessBoard list = position;
  generateMoves(list, true);
  for (int i = 0; i < list.moveCount; ++i) {
    const Move& move = list.moves[i];
    CChessBoard child;
    createChild(child, list, i);
    EXPECT_EQ(scoreAfterMove(position, parentScore, move), evaluate(child))
        << positionToFen(position) << " " << moveToCoordinates(move);
    EXPECT_EQ(scoreAfterMove(position, parentScore, child, move), evaluate(child));
  }
  return list.moveCount;
}

TEST(ScoreAfterMove, SpecialMoves) {
  const char* fens[] = {
      "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1",      // castling, both sides
      "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R b KQkq - 0 1",
      "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",  // en passant
      "rnbqkbnr/pppp1ppp/8/8/3PpP2/8/PPP1P1PP/RNBQKBNR b KQkq d3 0 3",
      "1n2k3/P1P5/8/8/8/8/1p1p4/R3K1N1 w Q - 0 1",               // promotions, with capture
      "1n2k3/P1P5/8/8/8/8/1p1p4/R3K1N1 b - - 0 1",
      "4k3/8/8/3q4/4N3/8/8/4K3 w - - 0 1",                       // captures
  };
  for (const char* fen : fens) EXPECT_GT(expectScoresMatch(*positionFromFen(fen)), 0) << fen;
}

TEST(ScoreAfterMove, StrayCodesAndRandomPlayouts) {
  CChessBoard stray = *positionFromFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  stray.squares[0x33] = 5;   // letterless bishop, knight and rook codes
  stray.squares[0x44] = 30;
  stray.squares[0x22] = 7;
  stray.squares[0x55] = 12;  // a pawn-kind code
  EXPECT_GT(expectScoresMatch(stray), 0);

  std::mt19937 random(99);
  for (int game = 0; game < 20; ++game) {
    CChessBoard position;
    position.setupInitialPosition();
    for (int ply = 0; ply < 60; ++ply) {
      expectScoresMatch(position);
      CChessBoard legal = position;
      generateMoves(legal, false);
      if (legal.moveCount == 0) break;
      makeMove(position, legal.moves[random() % legal.moveCount]);
      position.switchSide();
    }
  }
}

}  // namespace
