#include "position/notation.h"

#include <gtest/gtest.h>

#include "test_positions.h"

namespace {

std::string sanOf(const std::string& fen, const std::string& coordinates) {
  CChessBoard position = fromFen(fen);
  generateMoves(position, false);
  for (int i = 0; i < position.moveCount; ++i)
    if (moveToCoordinates(position.moves[i]) == coordinates) return moveToSan(position, position.moves[i]);
  return "(not legal)";
}

std::string parsed(const std::string& fen, const std::string& san) {
  CChessBoard position = fromFen(fen);
  const Move move = parseSan(position, san);
  return move.isNull() ? "null" : moveToCoordinates(move);
}

constexpr const char* FOOLS_MATE = "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2";
constexpr const char* TWO_KNIGHTS = "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1";
constexpr const char* TWO_ROOKS = "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1";
constexpr const char* THREE_QUEENS = "8/8/1k6/8/4Q2Q/8/8/K6Q w - - 0 1";
constexpr const char* PAWN_TAKES = "4k3/8/8/3p4/2P1P3/8/8/4K3 w - - 0 1";
constexpr const char* PROMOTIONS = "3r4/4P3/7k/8/8/8/8/K7 w - - 0 1";
constexpr const char* CASTLES = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";

struct SanCase {
  const char* fen;
  const char* coordinates;
  const char* san;
};

class WriteSan : public testing::TestWithParam<SanCase> {};

TEST_P(WriteSan, Text) { EXPECT_EQ(sanOf(GetParam().fen, GetParam().coordinates), GetParam().san); }

INSTANTIATE_TEST_SUITE_P(Notation, WriteSan,
                         testing::Values(SanCase{INITIAL_FEN, "e2e4", "e4"}, SanCase{INITIAL_FEN, "g1f3", "Nf3"},
                                         SanCase{TWO_KNIGHTS, "b1d2", "Nbd2"}, SanCase{TWO_KNIGHTS, "f3d4", "Nd4"},
                                         SanCase{TWO_ROOKS, "a1a3", "R1a3"}, SanCase{TWO_ROOKS, "a5a3", "R5a3"},
                                         SanCase{THREE_QUEENS, "h4e1", "Qh4e1"}, SanCase{THREE_QUEENS, "h1e1", "Q1e1"},
                                         SanCase{PAWN_TAKES, "e4d5", "exd5"}, SanCase{PAWN_TAKES, "c4d5", "cxd5"},
                                         SanCase{CASTLES, "e1g1", "0-0"}, SanCase{CASTLES, "e1c1", "0-0-0"},
                                         SanCase{"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "0-0-0"},
                                         SanCase{"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "0-0+"},
                                         SanCase{CASTLES, "a1a8", "Rxa8+"}, SanCase{FOOLS_MATE, "d8h4", "Qh4+"},
                                         SanCase{PROMOTIONS, "e7e8", "e8=Q"}, SanCase{PROMOTIONS, "e7d8", "exd8=Q"}));

struct ParseCase {
  const char* fen;
  const char* san;
  const char* coordinates;  // "null" for a failure
};

class ReadSan : public testing::TestWithParam<ParseCase> {};

TEST_P(ReadSan, Move) { EXPECT_EQ(parsed(GetParam().fen, GetParam().san), GetParam().coordinates); }

INSTANTIATE_TEST_SUITE_P(Notation, ReadSan,
                         testing::Values(ParseCase{INITIAL_FEN, "e4", "e2e4"}, ParseCase{INITIAL_FEN, "e3", "e2e3"},
                                         ParseCase{INITIAL_FEN, "Nf3", "g1f3"}, ParseCase{INITIAL_FEN, "Nf3+", "g1f3"},
                                         ParseCase{INITIAL_FEN, "e5", "null"}, ParseCase{INITIAL_FEN, "Nf9", "null"},
                                         ParseCase{INITIAL_FEN, "Pe4", "null"}, ParseCase{INITIAL_FEN, "e", "null"},
                                         ParseCase{INITIAL_FEN, "Ng1f3+#x", "null"},
                                         ParseCase{INITIAL_FEN, "Nd4", "null"}, ParseCase{INITIAL_FEN, "+", "null"},
                                         ParseCase{INITIAL_FEN, "Zz", "null"}, ParseCase{PAWN_TAKES, "exd5", "e4d5"},
                                         ParseCase{PAWN_TAKES, "cxd5", "c4d5"}, ParseCase{TWO_KNIGHTS, "Nbd2", "b1d2"},
                                         ParseCase{TWO_KNIGHTS, "Nfd2", "f3d2"}, ParseCase{TWO_KNIGHTS, "Nd2", "b1d2"},
                                         ParseCase{TWO_ROOKS, "R1a3", "a1a3"}, ParseCase{TWO_ROOKS, "R5a3", "a5a3"},
                                         ParseCase{THREE_QUEENS, "Qh4e1", "h4e1"},
                                         ParseCase{THREE_QUEENS, "Qh4xe1", "h4e1"},
                                         ParseCase{THREE_QUEENS, "Qee1", "e4e1"}, ParseCase{PROMOTIONS, "e8=Q", "e7e8"},
                                         ParseCase{PROMOTIONS, "exd8=Q+", "e7d8"},
                                         ParseCase{FOOLS_MATE, "Qh4#", "d8h4"}, ParseCase{FOOLS_MATE, "Qh4+", "d8h4"},
                                         ParseCase{CASTLES, "O-O", "e1g1"}, ParseCase{CASTLES, "0-0", "e1g1"},
                                         ParseCase{CASTLES, "O-O-O", "e1c1"}, ParseCase{CASTLES, "0-0-0+", "e1c1"},
                                         ParseCase{INITIAL_FEN, "O-O", "e1g1"}));  // castling is not checked

TEST(ReadSan, PromotionPieceAndColour) {
  CChessBoard position = fromFen(PROMOTIONS);
  EXPECT_EQ(parseSan(position, "e8=N").promotion, WHITE_KNIGHT);
  EXPECT_EQ(parseSan(position, "e8=Q").promotion, WHITE_QUEEN);
  EXPECT_EQ(parseSan(position, "exd8=R").promotion, WHITE_ROOK);
  CChessBoard black = fromFen("8/8/8/8/8/7K/4p3/k4N2 b - - 0 1");
  EXPECT_EQ(parseSan(black, "exf1=B").promotion, BLACK_BISHOP);
  EXPECT_EQ(parseSan(black, "e1=Q").promotion, BLACK_QUEEN);
  EXPECT_TRUE(parseSan(black, "O-O-O").sameSquares(Move(E8, C8, BLACK_KING, EMPTY, EMPTY)));
}

TEST(Coordinates, TextsAndPromotions) {
  const CChessBoard position = fromFen(PROMOTIONS);
  const Move plain = parseCoordinateMove(position, "e7e8");
  EXPECT_EQ(plain.promotion, EMPTY);
  EXPECT_EQ(plain.piece, WHITE_PAWN);
  EXPECT_EQ(parseCoordinateMove(position, "e7e8=N").promotion, WHITE_KNIGHT);
  EXPECT_EQ(parseCoordinateMove(position, "e7d8=B").promotion, WHITE_BISHOP);
  EXPECT_EQ(parseCoordinateMove(position, "e7d8=B").captured, BLACK_ROOK);
  EXPECT_EQ(parseCoordinateMove(position, "e7e8=q").promotion, EMPTY);
  EXPECT_EQ(parseCoordinateMove(position, "e7e8q").promotion, EMPTY);
  EXPECT_EQ(parseCoordinateMove(position, "e2e1=R").promotion, BLACK_ROOK);
  EXPECT_EQ(moveToCoordinates(Move(makeSquare(4, 6), E8, WHITE_PAWN, EMPTY, WHITE_QUEEN)), "e7e8");

  // A pawn stepping diagonally onto an empty square is taken as en passant.
  const Move diagonal = parseCoordinateMove(position, "e7f8");
  EXPECT_EQ(diagonal.enPassant, 1);
  EXPECT_EQ(diagonal.captured, BLACK_PAWN);
}

TEST(Coordinates, SquaresOffTheBoardGiveTheNullMove) {
  const CChessBoard position = initialPosition();
  for (const char* text : {"e2e9", "i2e4", "e0e4", "e2", "", "zzzz", "a1a1"}) {
    const Move move = parseCoordinateMove(position, text);
    EXPECT_TRUE(move.isNull() || move.from == move.to) << text;
  }
  EXPECT_TRUE(moveFromSquares(position, 4, 200).isNull());
  EXPECT_TRUE(moveFromSquares(position, -20, 4).isNull());
  EXPECT_EQ(moveFromSquares(position, 20, 36).piece, WHITE_PAWN);
}

}  // namespace
