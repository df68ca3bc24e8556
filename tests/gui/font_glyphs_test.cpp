// What the font tests cannot see: which face and square colour pick which
// character, and what unknown faces and stray piece codes draw.
#include "board/font_glyphs.h"

#include <gtest/gtest.h>

#include <tuple>

#include "position/piece.h"
#include "position/square.h"

namespace {

// a1 and e3 are dark squares, b1 and e4 light ones.
TEST(FontGlyphs, FaceAndSquareColourPickTheCharacter) {
  const std::tuple<int, const char*, unsigned char, unsigned char> cases[] = {
      {WHITE_KNIGHT, "Regular", 'H', 'h'}, {WHITE_KNIGHT, "Merida", 'N', 'n'}, {EMPTY, "Regular", '+', 199},
      {EMPTY, "Merida", '+', ','},
      // codes outside the table draw the dark empty square on either colour
      {5, "Regular", '+', '+'}, {100, "Merida", '+', '+'},
      // faces are named exactly
      {WHITE_ROOK, "Courier", '?', '?'}, {WHITE_ROOK, "regular", '?', '?'}};
  const int darkSquares[] = {A1, parseSquare("e3")}, lightSquares[] = {B1, parseSquare("e4")};
  for (const auto& [piece, face, dark, light] : cases) {
    for (int square : darkSquares) EXPECT_EQ(fontGlyph(piece, square, face), dark) << piece << face;
    for (int square : lightSquares) EXPECT_EQ(fontGlyph(piece, square, face), light) << piece << face;
  }
}

}  // namespace
