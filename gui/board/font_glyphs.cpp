#include "font_glyphs.h"

#include "position/piece.h"
#include "position/square.h"

namespace {

enum Face { REGULAR, MERIDA, UNKNOWN_FACE };

Face faceOf(std::string_view fontName) {
  if (fontName == "Regular") return REGULAR;
  if (fontName == "Merida") return MERIDA;
  return UNKNOWN_FACE;
}

struct PieceGlyphs {
  int piece;
  char dark[2];   // per face
  char light[2];
};

constexpr PieceGlyphs PIECE_GLYPHS[] = {
    {WHITE_ROOK, {'R', 'R'}, {'r', 'r'}},   {WHITE_KNIGHT, {'H', 'N'}, {'h', 'n'}},
    {WHITE_BISHOP, {'B', 'B'}, {'b', 'b'}}, {WHITE_QUEEN, {'Q', 'Q'}, {'q', 'q'}},
    {WHITE_KING, {'K', 'K'}, {'k', 'k'}},   {WHITE_PAWN, {'P', 'P'}, {'p', 'p'}},
    {BLACK_PAWN, {'O', 'O'}, {'o', 'o'}},   {BLACK_ROOK, {'T', 'T'}, {'t', 't'}},
    {BLACK_KNIGHT, {'J', 'M'}, {'j', 'm'}}, {BLACK_BISHOP, {'N', 'V'}, {'n', 'v'}},
    {BLACK_QUEEN, {'W', 'W'}, {'w', 'w'}},  {BLACK_KING, {'L', 'L'}, {'l', 'l'}},
};

constexpr unsigned char DARK_EMPTY = '+';
constexpr unsigned char LIGHT_EMPTY[2] = {199, ','};

// Indexed by FramePart.
constexpr char FRAME_GLYPHS[2][8] = {
    {'/', '\\', '-', '_', ' ', ' ', ' ', ' '},
    {'$', '%', '"', '(', '!', '#', '/', ')'},
};

}  // namespace

bool isDarkSquare(int square) { return (fileOf(square) + rankOf(square)) % 2 == 0; }

unsigned char fontGlyph(int piece, int square, std::string_view fontName) {
  Face face = faceOf(fontName);
  if (face == UNKNOWN_FACE) return '?';
  bool dark = isDarkSquare(square);
  if (piece == EMPTY) return dark ? DARK_EMPTY : LIGHT_EMPTY[face];
  for (const PieceGlyphs& g : PIECE_GLYPHS) {
    if (g.piece == piece) return static_cast<unsigned char>(dark ? g.dark[face] : g.light[face]);
  }
  return DARK_EMPTY;
}

unsigned char fontGlyph(FramePart part, std::string_view fontName) {
  Face face = faceOf(fontName);
  if (face == UNKNOWN_FACE) return '?';
  return static_cast<unsigned char>(FRAME_GLYPHS[face][static_cast<int>(part)]);
}

std::string_view fontFamily(std::string_view fontName) {
  switch (faceOf(fontName)) {
    case REGULAR: return "Chess Regular";
    case MERIDA: return "Chess Merida";
    default: return {};
  }
}
