#include "evaluation.h"

namespace {

// Each table is a board diagram seen from White: row 0 is the far rank, row 7
// the piece's own back rank. Black reads it mirrored top to bottom.
using Table = std::int16_t[64];

// clang-format off
constexpr Table pawnTable = {
    1000,  1000,  1000,  1000,  1000,  1000,  1000,  1000,
    250,   250,   250,   250,   250,   250,   250,   250,
    112,   112,   112,   112,   112,   112,   112,   112,
    102,   103,   104,   109,   109,   104,   103,   102,
    100,   101,   104,   105,   105,   104,   101,   100,
    100,   101,   101,   101,   101,   101,   101,   100,
    100,   100,   100,   100,   100,   100,   100,   100,
    10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000,
};

constexpr Table knightTable = {
    285, 295, 295, 295, 295, 295, 295, 285,
    298, 298, 298, 298, 298, 298, 298, 298,
    299, 298, 305, 305, 305, 305, 298, 299,
    300, 304, 305, 312, 312, 305, 304, 300,
    300, 304, 305, 312, 312, 305, 304, 300,
    299, 298, 305, 305, 305, 305, 298, 299,
    298, 298, 298, 298, 298, 298, 298, 298,
    285, 295, 295, 295, 295, 295, 295, 285,
};

constexpr Table bishopTable = {
    303, 300, 300, 300, 300, 300, 300, 303,
    300, 310, 300, 300, 300, 300, 310, 300,
    300, 300, 302, 300, 300, 302, 300, 300,
    300, 300, 300, 303, 303, 300, 300, 300,
    300, 300, 300, 303, 303, 300, 300, 300,
    300, 306, 305, 300, 300, 305, 306, 300,
    300, 310, 300, 300, 300, 300, 310, 300,
    303, 299, 299, 299, 299, 299, 299, 303,
};

constexpr Table rookTable = {
    500, 500, 500, 500, 500, 500, 500, 500,
    500, 500, 500, 500, 500, 500, 500, 500,
    500, 500, 500, 500, 500, 500, 500, 500,
    500, 500, 500, 500, 500, 500, 500, 500,
    500, 500, 500, 500, 500, 500, 500, 500,
    500, 500, 500, 500, 500, 500, 500, 500,
    497, 500, 500, 500, 500, 500, 500, 497,
    498, 498, 498, 505, 505, 498, 498, 498,
};

constexpr Table queenTable = {
    999,  1000, 1000, 1000, 1000, 1000, 1000, 999,
    1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000,
    1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000,
    1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000,
    1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000,
    1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000,
    1000, 1000, 1000, 1002, 1002, 1000, 1000, 1000,
    999,  1000, 1000, 1008, 1000, 1000, 1000, 999,
};

constexpr Table kingTable = {
    10000, 10010, 10000, 10000, 10000, 10000, 10010, 10000,
    10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000,
    10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000,
    9960,  9960,  9960,  9960,  9960,  9960,  9960,  9960,
    9970,  9970,  9970,  9970,  9970,  9970,  9970,  9970,
    9980,  9980,  9980,  9980,  9980,  9980,  9980,  9980,
    9980,  9980,  9980,  9980,  9980,  9980,  9990,  9990,
    10000, 10010, 10000, 10000, 10000, 10000, 10010, 10000,
};

// clang-format on

// The table for a code, in the kind order pawn, knight, bishop, rook, queen,
// king; null for a code of no kind.
const std::int16_t* tableFor(int code) {
  if (isPawn(code)) return pawnTable;
  if (isKnight(code)) return knightTable;
  if (isBishop(code)) return bishopTable;
  if (isRook(code)) return rookTable;
  if (isQueen(code)) return queenTable;
  if (isKing(code)) return kingTable;
  return nullptr;
}

}  // namespace

std::int32_t evaluate(const CBoard& position) {
  std::int32_t sum = 0;
  for (Square s : ALL_SQUARES) {
    const int code = position.squares[s];
    if (code == EMPTY) continue;
    const std::int16_t* table = tableFor(code);
    if (!table) continue;
    const int rank = rankOf(s);
    const int file = fileOf(s);
    if (isWhitePiece(code))
      sum += table[(7 - rank) * 8 + file];
    else if (isBlackPiece(code))
      sum += -table[rank * 8 + file];
  }
  return sum;
}
