#include "square.h"

// The inverse of parseSquare over a whole byte: an off-board value keeps its
// off-board file or rank (letters past h, characters past 8), so its name can
// never be taken for a real square.
std::string squareName(int square) {
  const int value = square & 0xFF;
  return {static_cast<char>('a' + (value & 15)), static_cast<char>('1' + (value >> 4))};
}

Square parseSquare(const char* text) {
  if (text[0] == '\0') return static_cast<Square>(-'a');  // never a real square
  return static_cast<Square>((text[1] - '1') * 16 + (text[0] - 'a'));
}
