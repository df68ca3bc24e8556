#include <tuple>

#include "test_positions.h"

namespace {

constexpr const char* TWO_KNIGHTS = "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1";
constexpr const char* TWO_ROOKS = "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1";
constexpr const char* THREE_QUEENS = "8/8/1k6/8/4Q2Q/8/8/K6Q w - - 0 1";
constexpr const char* PAWN_TAKES = "4k3/8/8/3p4/2P1P3/8/8/4K3 w - - 0 1";
constexpr const char* PROMOTIONS = "3r4/4P3/7k/8/8/8/8/K7 w - - 0 1";
constexpr const char* CASTLES = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";

// Written as shown, and read back to the same move. The move list tests of the
// desktop app cover the plain spellings.
TEST(Notation, SanRoundTrip) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {TWO_KNIGHTS, "b1d2", "Nbd2"},  {TWO_KNIGHTS, "f3d4", "Nd4"},     {TWO_ROOKS, "a1a3", "R1a3"},
      {TWO_ROOKS, "a5a3", "R5a3"},     {THREE_QUEENS, "h4e1", "Qh4e1"},  {THREE_QUEENS, "h1e1", "Q1e1"},
      {PAWN_TAKES, "c4d5", "cxd5"},    {CASTLES, "e1c1", "0-0-0"},       {CASTLES, "a1a8", "Rxa8+"},
      {PROMOTIONS, "e7d8", "exd8=Q"},  {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "0-0+"},
      {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2", "d8h4", "Qh4+"},  // mate written as check
  };
  for (const auto& [fen, coordinates, san] : cases) {
    CChessBoard position = fromFen(fen);
    const Move* move = legalMove(position, coordinates);
    ASSERT_NE(move, nullptr) << coordinates;
    EXPECT_EQ(moveToSan(position, *move), san);
    EXPECT_EQ(moveToCoordinates(parseSan(position, san)), coordinates) << san;
  }
}

// Games read from the book prove the common spellings; these are the rest.
TEST(Notation, SanReading) {
  CChessBoard position = fromFen(INITIAL_FEN), queens = fromFen(THREE_QUEENS), white = fromFen(PROMOTIONS),
              black = fromFen("8/8/8/8/8/7K/4p3/k4N2 b - - 0 1");
  for (const char* text : {"e5", "Nf9", "Pe4", "e", "Ng1f3+#x", "Nd4", "+", "Zz"})
    EXPECT_TRUE(parseSan(position, text).isNull()) << text;
  EXPECT_EQ(moveToCoordinates(parseSan(position, "O-O")), "e1g1");  // castling is not checked
  EXPECT_EQ(moveToCoordinates(parseSan(queens, "Qee1")), "e4e1");
  EXPECT_EQ(parseSan(white, "e8=N").promotion, WHITE_KNIGHT);
  EXPECT_EQ(parseSan(white, "exd8=R").promotion, WHITE_ROOK);
  EXPECT_EQ(parseSan(black, "exf1=B").promotion, BLACK_BISHOP);
}

TEST(Notation, CoordinatePromotionsAndEnPassant) {
  const CChessBoard position = fromFen(PROMOTIONS);
  EXPECT_EQ(parseCoordinateMove(position, "e7e8=N").promotion, WHITE_KNIGHT);
  EXPECT_EQ(parseCoordinateMove(position, "e2e1=R").promotion, BLACK_ROOK);
  EXPECT_EQ(parseCoordinateMove(position, "e7e8q").promotion, EMPTY);
  // A pawn stepping diagonally onto an empty square is taken as en passant.
  EXPECT_EQ(parseCoordinateMove(position, "e7f8").captured, BLACK_PAWN);
}

}  // namespace
