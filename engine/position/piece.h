#pragma once
// Piece codes are single bytes. White pieces are 0..15, black pieces 16..31,
// and a black piece's code is the white code XOR 24:
//   R 0  N 1  B 2  Q 3  K 4  P 8      r 24  n 25  b 26  q 27  k 28  p 16
// 255 is an empty square. Kind tests go by code set, not by masking, and also
// accept the letterless codes 5, 6, 7 and 29, 30, 31 as bishop, knight, rook.

#include <cstdint>

using Piece = std::uint8_t;

constexpr Piece EMPTY = 255;

enum : Piece {
  WHITE_ROOK = 0, WHITE_KNIGHT = 1, WHITE_BISHOP = 2, WHITE_QUEEN = 3, WHITE_KING = 4, WHITE_PAWN = 8,
  BLACK_PAWN = 16, BLACK_ROOK = 24, BLACK_KNIGHT = 25, BLACK_BISHOP = 26, BLACK_QUEEN = 27, BLACK_KING = 28,
};

constexpr bool isWhitePiece(int c) { return c >= 0 && c <= 15; }
constexpr bool isBlackPiece(int c) { return c >= 16 && c <= 31; }
constexpr bool isPawn(int c) { return c >= 8 && c <= 23; }
constexpr bool isKing(int c) { return c == 4 || c == 28; }
constexpr bool isQueen(int c) { return c == 3 || c == 27; }
constexpr bool isRook(int c) { return c == 0 || c == 7 || c == 24 || c == 31; }
constexpr bool isKnight(int c) { return c == 1 || c == 6 || c == 25 || c == 30; }
constexpr bool isBishop(int c) { return c == 2 || c == 5 || c == 26 || c == 29; }
// Does the piece belong to the side given as sideToMove (1 White, 0 Black)?
constexpr bool belongsTo(int c, int side) { return side ? isWhitePiece(c) : isBlackPiece(c); }

// The same piece for the side given as sideToMove (1 White, 0 Black); EMPTY stays EMPTY.
constexpr Piece pieceForSide(Piece whiteCode, int side) {
  return whiteCode == EMPTY || side ? whiteCode : static_cast<Piece>(whiteCode ^ 24);
}

// R N B Q K P r n b q k p; any other character gives EMPTY.
Piece pieceFromLetter(char letter);
// The white code for the promotion letters Q R N B (upper case only); EMPTY for anything else.
Piece promotionFromLetter(char letter);
// The letter of a code of the table; a blank for codes without a letter.
char pieceLetter(int code);
