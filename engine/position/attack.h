#pragma once
// Direct attack detection. "Attacked" means exactly what the generator would
// produce: some pseudo-legal move of the attacking side lands on the square.
// A square that holds a piece of the defending side can only be reached by
// captures, so it is enough to look outwards from it along the piece offsets;
// pawn pushes, castling and en-passant captures never add a target there.

#include "chess_board.h"

namespace attack {

inline constexpr int KING_OFFSETS[8] = {-1, 1, -16, 16, -15, 15, -17, 17};
inline constexpr int KNIGHT_OFFSETS[8] = {-14, -18, -33, 33, 14, 18, 31, -31};
inline constexpr int ROOK_OFFSETS[4] = {-1, 1, 16, -16};
inline constexpr int BISHOP_OFFSETS[4] = {17, -17, 15, -15};

// Line direction from one square towards another (0 when they share no line),
// indexed by to - from + 119.
inline constexpr auto LINE_DIRECTION = [] {
  std::array<std::int8_t, 239> table{};
  for (int offset : ROOK_OFFSETS)
    for (int step = 1; step < 8; ++step) table[offset * step + 119] = static_cast<std::int8_t>(offset);
  for (int offset : BISHOP_OFFSETS)
    for (int step = 1; step < 8; ++step) table[offset * step + 119] = static_cast<std::int8_t>(offset);
  return table;
}();

constexpr bool isDiagonal(int direction) {
  return direction == 15 || direction == -15 || direction == 17 || direction == -17;
}

// Does this code slide along `direction` for `side`?
constexpr bool slidesAlong(int code, int direction, int side) {
  if (!belongsTo(code, side)) return false;
  if (isQueen(code)) return true;
  return isDiagonal(direction) ? isBishop(code) : isRook(code);
}

// Is `square` (holding a piece that is not `side`'s, usually the other king)
// reached by a pseudo-legal move of `side`?
inline bool isAttackedBy(const CBoard& board, int square, int side) {
  const Piece* s = board.squares;
  // pawns: a white pawn captures up-left and up-right
  if (side) {
    if (isOnBoard(square - 15) && isPawn(s[square - 15]) && isWhitePiece(s[square - 15])) return true;
    if (isOnBoard(square - 17) && isPawn(s[square - 17]) && isWhitePiece(s[square - 17])) return true;
  } else {
    if (isOnBoard(square + 15) && isPawn(s[square + 15]) && isBlackPiece(s[square + 15])) return true;
    if (isOnBoard(square + 17) && isPawn(s[square + 17]) && isBlackPiece(s[square + 17])) return true;
  }
  for (int offset : KNIGHT_OFFSETS) {
    const int from = square + offset;
    if (isOnBoard(from) && isKnight(s[from]) && belongsTo(s[from], side)) return true;
  }
  for (int offset : KING_OFFSETS) {
    const int from = square + offset;
    if (isOnBoard(from) && isKing(s[from]) && belongsTo(s[from], side)) return true;
  }
  for (int offset : ROOK_OFFSETS) {
    for (int from = square + offset; isOnBoard(from); from += offset) {
      if (s[from] == EMPTY) continue;
      if ((isRook(s[from]) || isQueen(s[from])) && belongsTo(s[from], side)) return true;
      break;
    }
  }
  for (int offset : BISHOP_OFFSETS) {
    for (int from = square + offset; isOnBoard(from); from += offset) {
      if (s[from] == EMPTY) continue;
      if ((isBishop(s[from]) || isQueen(s[from])) && belongsTo(s[from], side)) return true;
      break;
    }
  }
  return false;
}

// Does `piece`, standing on `at` for `side`, reach `target`? `isEmpty(square)`
// says which squares a slider passes: the board as it is, or as a move leaves it.
template <typename IsEmpty>
bool pieceReaches(int piece, int at, int target, int side, IsEmpty isEmpty) {
  const int towards = target - at;
  if (isPawn(piece)) return side ? (towards == 15 || towards == 17) : (towards == -15 || towards == -17);
  if (isKnight(piece) || isKing(piece)) {
    for (int offset : isKnight(piece) ? KNIGHT_OFFSETS : KING_OFFSETS)
      if (towards == offset) return true;
    return false;
  }
  const int direction = LINE_DIRECTION[towards + 119];
  if (direction == 0 || !slidesAlong(piece, direction, side)) return false;
  int between = at + direction;
  while (between != target && isEmpty(between)) between += direction;
  return between == target;
}

// Is `square` attacked by `side` on a board where, since it was last known not
// to be, only a piece of `side` moved from `vacated` to `arrived`? Then only
// that piece and the line from `square` through `vacated` can reach it. A
// promotion to the other side's piece attacks nothing of that side.
inline bool isAttackedAfterMoveBy(const CBoard& board, int square, int side, int vacated, int arrived) {
  const Piece* s = board.squares;
  const int piece = s[arrived];
  if (belongsTo(piece, side) && pieceReaches(piece, arrived, square, side, [s](int at) { return s[at] == EMPTY; }))
    return true;
  const int direction = LINE_DIRECTION[vacated - square + 119];
  if (direction == 0) return false;
  for (int at = square + direction; isOnBoard(at); at += direction)
    if (s[at] != EMPTY) return slidesAlong(s[at], direction, side);
  return false;
}

// First square in a1..h8 order holding exactly `code`, or NO_SQUARE.
inline int findFirst(const CBoard& board, int code) {
  for (Square s : ALL_SQUARES)
    if (board.squares[s] == code) return s;
  return NO_SQUARE;
}

}  // namespace attack
