#include "position/fen.h"

#include "test_positions.h"

namespace {

TEST(Fen, RoundTrips) {
  for (const char* fen : {INITIAL_FEN, KIWIPETE_FEN, "rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                          "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 1",
                          "r3k2r/8/8/8/8/8/8/R3K2R b Kq - 0 1", "8/8/8/8/8/8/8/8 w - - 0 1"})
    EXPECT_EQ(positionToFen(fromFen(fen)), fen);
  // The en-passant field names the passed square; the position keeps the pawn's.
  EXPECT_EQ(fromFen("rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2").enPassantSquare,
            makeSquare(2, 4));
  CChessBoard played = fromFen(INITIAL_FEN);
  play(played, "e2e4");
  EXPECT_EQ(positionToFen(played), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
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
