#include "position/fen.h"

#include <gtest/gtest.h>

#include "test_positions.h"

namespace {

class FenRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(FenRoundTrip, WriteGivesBackTheSameText) {
  const auto position = positionFromFen(GetParam());
  ASSERT_TRUE(position.has_value());
  EXPECT_EQ(positionToFen(*position), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Fen, FenRoundTrip,
                         testing::Values(INITIAL_FEN, KIWIPETE_FEN, "8/2p5/3p4/KP5r/1R3p2/4P1k1/6P1/8 w - - 0 1",
                                         "rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                                         "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 1",
                                         "r3k2r/8/8/8/8/8/8/R3K2R b Kq - 0 1", "8/8/8/8/8/8/8/8 w - - 0 1"));

TEST(Fen, EnPassantFieldNamesThePassedSquare) {
  const CChessBoard afterWhite = fromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  EXPECT_EQ(afterWhite.enPassantSquare, makeSquare(4, 3));  // e4, the pawn
  const CChessBoard afterBlack = fromFen("rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2");
  EXPECT_EQ(afterBlack.enPassantSquare, makeSquare(2, 4));  // c5

  CChessBoard played = initialPosition();
  play(played, "e2e4");
  EXPECT_EQ(positionToFen(played), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
}

TEST(Fen, FieldsAreRead) {
  const CChessBoard position = fromFen("r3k2r/8/8/8/8/8/8/R3K2R b Kq - 5 40");
  EXPECT_EQ(position.sideToMove, 0);
  EXPECT_EQ(position.castlingRights, WHITE_KING_SIDE | BLACK_QUEEN_SIDE);
  EXPECT_EQ(position.enPassantSquare, NO_SQUARE);
  EXPECT_TRUE(position.lastMove.isNull());
  EXPECT_EQ(position.parent, nullptr);
  EXPECT_EQ(position.moveCount, 0);
  // The clocks may be left out.
  EXPECT_TRUE(positionFromFen("8/8/8/8/8/8/8/K6k w - -").has_value());
  EXPECT_TRUE(positionFromFen("8/8/8/8/8/8/8/K6k w").has_value());
}

TEST(Fen, MalformedTextIsRejected) {
  for (const char* fen : {"", "8/8/8/8/8/8/8 w - - 0 1", "8/8/8/8/8/8/8/9 w - - 0 1", "8/8/8/8/8/8/8/7 w - - 0 1",
                          "8/8/8/8/8/8/8/8/8 w - - 0 1", "8/8/8/8/8/8/8/7X w - - 0 1", "8/8/8/8/8/8/8/8 x - - 0 1",
                          "8/8/8/8/8/8/8/8 w KX - 0 1", "8/8/8/8/8/8/8/8 w - e9 0 1", "8/8/8/8/8/8/8/8 w - e1 0 1",
                          "8/8/8/8/8/8/8/8 w - e33 0 1", "8/8/8/8/8/8/8/8"})
    EXPECT_FALSE(positionFromFen(fen).has_value()) << fen;
}

}  // namespace
