#include "font_glyphs.h"

#include <gtest/gtest.h>

#include "position/piece.h"
#include "position/square.h"

namespace {

constexpr int DARK = A1;   // a1: file 0 + rank 0, even
constexpr int LIGHT = B1;  // b1: odd

struct PieceCase {
  int piece;
  unsigned char regularDark, regularLight, meridaDark, meridaLight;
};

class PieceGlyphTest : public ::testing::TestWithParam<PieceCase> {};

TEST_P(PieceGlyphTest, DependsOnFaceAndSquareColour) {
  const PieceCase& c = GetParam();
  EXPECT_EQ(fontGlyph(c.piece, DARK, "Regular"), c.regularDark);
  EXPECT_EQ(fontGlyph(c.piece, LIGHT, "Regular"), c.regularLight);
  EXPECT_EQ(fontGlyph(c.piece, DARK, "Merida"), c.meridaDark);
  EXPECT_EQ(fontGlyph(c.piece, LIGHT, "Merida"), c.meridaLight);
  EXPECT_EQ(fontGlyph(c.piece, DARK, "Courier"), '?');
  EXPECT_EQ(fontGlyph(c.piece, LIGHT, "regular"), '?');
}

INSTANTIATE_TEST_SUITE_P(
    AllCodes, PieceGlyphTest,
    ::testing::Values(PieceCase{WHITE_ROOK, 'R', 'r', 'R', 'r'}, PieceCase{WHITE_KNIGHT, 'H', 'h', 'N', 'n'},
                      PieceCase{WHITE_BISHOP, 'B', 'b', 'B', 'b'}, PieceCase{WHITE_QUEEN, 'Q', 'q', 'Q', 'q'},
                      PieceCase{WHITE_KING, 'K', 'k', 'K', 'k'}, PieceCase{WHITE_PAWN, 'P', 'p', 'P', 'p'},
                      PieceCase{BLACK_PAWN, 'O', 'o', 'O', 'o'}, PieceCase{BLACK_ROOK, 'T', 't', 'T', 't'},
                      PieceCase{BLACK_KNIGHT, 'J', 'j', 'M', 'm'}, PieceCase{BLACK_BISHOP, 'N', 'n', 'V', 'v'},
                      PieceCase{BLACK_QUEEN, 'W', 'w', 'W', 'w'}, PieceCase{BLACK_KING, 'L', 'l', 'L', 'l'},
                      PieceCase{EMPTY, '+', 199, '+', ','},
                      // codes outside the table draw the dark empty square on either colour
                      PieceCase{5, '+', '+', '+', '+'}, PieceCase{31, '+', '+', '+', '+'},
                      PieceCase{100, '+', '+', '+', '+'}));

TEST(SquareColour, FollowsFileAndRankParity) {
  EXPECT_TRUE(isDarkSquare(A1));
  EXPECT_TRUE(isDarkSquare(H8));
  EXPECT_FALSE(isDarkSquare(H1));
  EXPECT_FALSE(isDarkSquare(A8));
  EXPECT_TRUE(isDarkSquare(makeSquare(4, 2)));   // e3
  EXPECT_FALSE(isDarkSquare(makeSquare(4, 3)));  // e4
}

TEST(FrameGlyph, PerFace) {
  struct Row {
    FramePart part;
    unsigned char regular, merida;
  };
  const Row rows[] = {
      {FramePart::Left, '/', '$'},        {FramePart::Right, '\\', '%'},     {FramePart::Top, '-', '"'},
      {FramePart::Bottom, '_', '('},      {FramePart::TopLeft, ' ', '!'},    {FramePart::TopRight, ' ', '#'},
      {FramePart::BottomLeft, ' ', '/'},  {FramePart::BottomRight, ' ', ')'},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.part));
    EXPECT_EQ(fontGlyph(row.part, "Regular"), row.regular);
    EXPECT_EQ(fontGlyph(row.part, "Merida"), row.merida);
    EXPECT_EQ(fontGlyph(row.part, ""), '?');
  }
}

TEST(FontFamily, NamesTheFaces) {
  EXPECT_EQ(fontFamily("Regular"), "Chess Regular");
  EXPECT_EQ(fontFamily("Merida"), "Chess Merida");
  EXPECT_TRUE(fontFamily("Alpha").empty());
}

}  // namespace
