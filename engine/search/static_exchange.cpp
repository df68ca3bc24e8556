#include "search/static_exchange.h"

#include <algorithm>

#include "position/attack.h"

namespace {

constexpr int KING_VALUE = 20000;

// Where `side`'s cheapest piece attacking `target` stands, or NO_SQUARE; the
// board's emptied squares let the pieces behind the first takers through.
int cheapestAttacker(const Piece* s, int target, int side) {
  const int pawnFrom[2] = {side ? target - 15 : target + 15, side ? target - 17 : target + 17};
  for (int from : pawnFrom)
    if (isOnBoard(from) && isPawn(s[from]) && belongsTo(s[from], side)) return from;
  for (int offset : attack::KNIGHT_OFFSETS) {
    const int from = target + offset;
    if (isOnBoard(from) && isKnight(s[from]) && belongsTo(s[from], side)) return from;
  }
  // The first piece on each line, then the cheapest slider among them.
  int best = NO_SQUARE, bestValue = KING_VALUE + 1;
  auto scan = [&](const int(&offsets)[4], bool diagonal) {
    for (int offset : offsets)
      for (int from = target + offset; isOnBoard(from); from += offset) {
        const int code = s[from];
        if (code == EMPTY) continue;
        if (belongsTo(code, side) && (isQueen(code) || (diagonal ? isBishop(code) : isRook(code)))) {
          const int value = exchangeValue(code);
          if (value < bestValue) best = from, bestValue = value;
        }
        break;
      }
  };
  scan(attack::BISHOP_OFFSETS, true);
  scan(attack::ROOK_OFFSETS, false);
  if (best != NO_SQUARE) return best;
  for (int offset : attack::KING_OFFSETS) {
    const int from = target + offset;
    if (isOnBoard(from) && isKing(s[from]) && belongsTo(s[from], side)) return from;
  }
  return NO_SQUARE;
}

}  // namespace

int exchangeValue(int code) {
  if (isPawn(code)) return 100;
  if (isKnight(code) || isBishop(code)) return 325;
  if (isRook(code)) return 500;
  if (isQueen(code)) return 975;
  if (isKing(code)) return KING_VALUE;
  return 0;
}

int staticExchange(const CBoard& board, const Move& move) {
  Piece s[SQUARE_COUNT];
  std::copy(std::begin(board.squares), std::end(board.squares), s);
  const int target = move.to;
  int gain[40];
  int depth = 0;
  gain[0] = exchangeValue(move.captured);
  int onSquare = exchangeValue(move.piece);
  if (move.promotion != EMPTY) {
    gain[0] += exchangeValue(move.promotion) - 100;
    onSquare = exchangeValue(move.promotion);
  }
  if (move.enPassant) s[fileOf(target) + (rankOf(move.from) * 16)] = EMPTY;
  s[move.from] = EMPTY;
  s[target] = move.promotion != EMPTY ? move.promotion : move.piece;
  int side = belongsTo(move.piece, 1) ? 0 : 1;
  while (depth < 38) {
    const int from = cheapestAttacker(s, target, side);
    if (from == NO_SQUARE) break;
    // The king takes only where nothing takes it back.
    if (isKing(s[from])) {
      const Piece taken = s[target];
      s[target] = s[from];
      s[from] = EMPTY;
      const bool defended = cheapestAttacker(s, target, side ? 0 : 1) != NO_SQUARE;
      s[from] = s[target];
      s[target] = taken;
      if (defended) break;
    }
    ++depth;
    gain[depth] = onSquare - gain[depth - 1];
    // Neither taking nor standing pat can change the outcome any more.
    if (std::max(-gain[depth - 1], gain[depth]) < 0) break;
    onSquare = exchangeValue(s[from]);
    s[target] = s[from];
    s[from] = EMPTY;
    side = side ? 0 : 1;
  }
  while (depth > 0) {
    gain[depth - 1] = -std::max(-gain[depth - 1], gain[depth]);
    --depth;
  }
  return gain[0];
}
