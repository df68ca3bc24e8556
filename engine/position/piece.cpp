#include "piece.h"

namespace {
constexpr char LETTERS[] = "RNBQKPrnbqkp";
constexpr Piece CODES[] = {WHITE_ROOK, WHITE_KNIGHT, WHITE_BISHOP, WHITE_QUEEN, WHITE_KING, WHITE_PAWN,
                           BLACK_ROOK, BLACK_KNIGHT, BLACK_BISHOP, BLACK_QUEEN, BLACK_KING, BLACK_PAWN};
}  // namespace

Piece pieceFromLetter(char letter) {
  for (int i = 0; i < 12; ++i)
    if (LETTERS[i] == letter) return CODES[i];
  return EMPTY;
}

Piece promotionFromLetter(char letter) {
  const Piece code = pieceFromLetter(letter);
  return isWhitePiece(code) && !isPawn(code) && !isKing(code) ? code : EMPTY;
}

char pieceLetter(int code) {
  for (int i = 0; i < 12; ++i)
    if (CODES[i] == code) return LETTERS[i];
  return ' ';
}
