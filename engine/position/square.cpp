#include "square.h"

std::string squareName(int square) {
  return {static_cast<char>('a' + fileOf(square)), static_cast<char>('1' + rankOf(square))};
}

Square parseSquare(const char* text) {
  if (text[0] == '\0') return static_cast<Square>(-'a');  // never a real square
  return static_cast<Square>((text[1] - '1') * 16 + (text[0] - 'a'));
}
