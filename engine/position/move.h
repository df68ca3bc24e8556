#pragma once
// Move: seven packed bytes, copied by value everywhere.
//   0 from        origin square
//   1 to          destination square
//   2 piece       code of the moving piece
//   3 checkState  255 unclassified, 0 no check, 1 check, 2 checkmate
//   4 enPassant   1 when the pawn behind `to` is taken en passant
//   5 captured    code of the piece taken, 255 none
//   6 promotion   code the pawn becomes, 255 none
// The null move (from == to == 0) marks "no move"; a real move never has
// from == to. RESIGN_MOVE uses from == to == 119 for the same reason.

#include <cstdint>

#include "piece.h"
#include "square.h"

// Byte 3 of a move.
enum CheckState : std::uint8_t { NO_CHECK = 0, GIVES_CHECK = 1, CHECKMATE = 2, UNCLASSIFIED = 255 };

#pragma pack(push, 1)
struct Move {
  Square from = 0;
  Square to = 0;
  Piece piece = EMPTY;
  CheckState checkState = UNCLASSIFIED;
  std::uint8_t enPassant = 0;
  Piece captured = EMPTY;
  Piece promotion = EMPTY;

  Move() = default;  // the null move
  // The one constructor every move builder uses. A pawn that changes file
  // onto an empty square is an en-passant capture of the opposing pawn.
  Move(int from, int to, int piece, int captured, int promotion)
      : from(static_cast<Square>(from)), to(static_cast<Square>(to)), piece(static_cast<Piece>(piece)),
        captured(static_cast<Piece>(captured)), promotion(static_cast<Piece>(promotion)) {
    if (isPawn(this->piece) && fileOf(this->from) != fileOf(this->to) && this->captured == EMPTY) {
      enPassant = 1;
      this->captured = isBlackPiece(this->piece) ? WHITE_PAWN : BLACK_PAWN;
    }
  }

  bool isNull() const { return from == 0 && to == 0; }
  bool sameSquares(const Move& other) const { return from == other.from && to == other.to; }
};
#pragma pack(pop)
static_assert(sizeof(Move) == 7, "Move is seven packed bytes");

// The same move, promotion piece included: the four promotions share their squares.
inline bool sameMove(const Move& a, const Move& b) { return a.sameSquares(b) && a.promotion == b.promotion; }

inline const Move RESIGN_MOVE{H8, H8, EMPTY, EMPTY, EMPTY};
