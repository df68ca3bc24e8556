#include "font_glyphs.h"

#include <gtest/gtest.h>

#include "position/piece.h"
#include "position/square.h"

namespace {

struct PieceCase {
  int piece;
  unsigned char regularDark, regularLight, meridaDark, meridaLight;
};

class PieceGlyphTest : public ::testing::TestWithParam<PieceCase> {};

// a1 and e3 are dark squares, b1 and e4 light ones.
TEST_P(PieceGlyphTest, DependsOnFaceAndSquareColour) {
  const PieceCase& c = GetParam();
  for (int dark : {parseSquare("a1"), parseSquare("e3")}) {
    EXPECT_EQ(fontGlyph(c.piece, dark, "Regular"), c.regularDark);
    EXPECT_EQ(fontGlyph(c.piece, dark, "Merida"), c.meridaDark);
  }
  for (int light : {parseSquare("b1"), parseSquare("e4")}) {
    EXPECT_EQ(fontGlyph(c.piece, light, "Regular"), c.regularLight);
    EXPECT_EQ(fontGlyph(c.piece, light, "Merida"), c.meridaLight);
  }
  EXPECT_EQ(fontGlyph(c.piece, A1, "Courier"), '?');
  EXPECT_EQ(fontGlyph(c.piece, B1, "regular"), '?');
}

// Rows where the faces or the square colours differ, and the edges of the table.
INSTANTIATE_TEST_SUITE_P(
    Codes, PieceGlyphTest,
    ::testing::Values(PieceCase{WHITE_ROOK, 'R', 'r', 'R', 'r'}, PieceCase{WHITE_KNIGHT, 'H', 'h', 'N', 'n'},
                      PieceCase{BLACK_PAWN, 'O', 'o', 'O', 'o'}, PieceCase{BLACK_KNIGHT, 'J', 'j', 'M', 'm'},
                      PieceCase{BLACK_BISHOP, 'N', 'n', 'V', 'v'}, PieceCase{EMPTY, '+', 199, '+', ','},
                      // codes outside the table draw the dark empty square on either colour
                      PieceCase{5, '+', '+', '+', '+'}, PieceCase{100, '+', '+', '+', '+'}));

}  // namespace
