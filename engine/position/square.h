#pragma once
// Squares use 0x88 numbering: square = rank * 16 + file, a1 = 0, h8 = 119.
// A computed square s (held in an int, so steps off either edge stay visible)
// is off the board exactly when (s & 0x88) != 0; negative values have bit 7 set.
// Stored squares are single bytes; 255 means "no square" where a field allows it.

#include <array>
#include <cstdint>
#include <string>

using Square = std::uint8_t;

constexpr int SQUARE_COUNT = 120;  // indices 0..119 cover every real square
constexpr Square NO_SQUARE = 255;

enum : int {
  A1 = 0, B1 = 1, C1 = 2, D1 = 3, E1 = 4, F1 = 5, G1 = 6, H1 = 7,
  A8 = 112, B8 = 113, C8 = 114, D8 = 115, E8 = 116, F8 = 117, G8 = 118, H8 = 119,
};

constexpr bool isOnBoard(int s) { return (s & 0x88) == 0; }
// A parsed square may be anything; only these may index the board array.
constexpr bool isValidSquare(int s) { return s >= 0 && s < SQUARE_COUNT && isOnBoard(s); }
constexpr int rankOf(int s) { return (s >> 4) & 7; }
constexpr int fileOf(int s) { return s & 7; }
constexpr int makeSquare(int file, int rank) { return rank * 16 + file; }
constexpr int squareIndex64(int s) { return rankOf(s) * 8 + fileOf(s); }

// The 64 real squares in scan order a1, b1, ... h1, a2, ... h8.
constexpr std::array<Square, 64> ALL_SQUARES = [] {
  std::array<Square, 64> squares{};
  for (int i = 0; i < 64; ++i) squares[i] = static_cast<Square>(makeSquare(i & 7, i >> 3));
  return squares;
}();

// "e4" for square 52; an off-board value gets a name outside a..h / 1..8.
std::string squareName(int square);
// Square from the first two characters, computed in a byte without validation:
// callers check the result with isValidSquare before touching the board.
Square parseSquare(const char* text);
inline Square parseSquare(const std::string& text) { return parseSquare(text.c_str()); }
