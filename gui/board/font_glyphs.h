#pragma once
// Which character of a chess font draws a piece on a square or a piece of the
// board's frame. The two faces ("Regular" for "Chess Regular", "Merida" for
// "Chess Merida") number their glyphs differently; tools/make_fonts.py builds
// both faces with exactly these characters.

#include <string_view>

enum class FramePart { Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// a1 is dark: file index plus rank index even.
bool isDarkSquare(int square);

// Upper case (or "+") on dark squares, lower case (or a blank glyph) on light
// ones; codes without a glyph draw the dark empty square. An unknown font name
// gives "?". The result is a byte of the font's 8-bit code page (199 is "Ç").
unsigned char fontGlyph(int piece, int square, std::string_view fontName);
unsigned char fontGlyph(FramePart part, std::string_view fontName);

// The face a font setting draws with; empty for an unknown setting.
std::string_view fontFamily(std::string_view fontName);
