#pragma once
// The order in which the strong search tries a node's moves: the move the
// transposition table remembers, then captures and promotions by the value of
// the piece taken and then of the piece taking (most valuable victim, least
// valuable attacker), then the two killer moves of the ply, the counter-move
// to the move before, then the quiet moves by their history score, and last
// the captures that lose material in the exchange on their square. Moves come
// one at a time, pseudo-legal: the search tests legality only for the moves
// it reaches.

#include <array>
#include <cstdint>

#include "position/chess_board.h"
#include "position/move_gen.h"

namespace detail {
constexpr int kindOf(int code) {
  const int colour = isBlackPiece(code) ? 6 : 0;
  if (isPawn(code)) return colour;
  if (isKnight(code)) return colour + 1;
  if (isBishop(code)) return colour + 2;
  if (isRook(code)) return colour + 3;
  if (isQueen(code)) return colour + 4;
  return colour + 5;
}
// Every quiet move scored reads it: a table rather than the chain of tests.
inline constexpr std::array<std::uint8_t, 32> KIND_OF = [] {
  std::array<std::uint8_t, 32> kinds{};
  for (int code = 0; code < 32; ++code) kinds[code] = static_cast<std::uint8_t>(kindOf(code));
  return kinds;
}();
}  // namespace detail

// A piece code's colour and kind, 0 .. 11 (White pawn, knight, bishop, rook,
// queen, king, then Black's).
constexpr int pieceKind(int code) { return code >= 0 && code < 32 ? detail::KIND_OF[code] : detail::kindOf(code); }

// How a quiet move fared after one earlier move, by the quiet move's piece
// kind and destination (squareIndex64: 64 squares keep the tables small
// enough to stay in cache).
using ContinuationRow = std::array<std::array<std::int16_t, 64>, 12>;

// Cutoffs made by quiet moves: by side, origin and destination, and by the
// moves one and two plies before (the continuation history, which knows that
// a move answers what the opponent just did). The quiet moves tried before a
// cutoff lose what the cutting move gains. Scores move toward their bound
// less the nearer they are to it, so they stay within it without rescaling.
// And the quiet move that last refuted each move (by its squares), the counter-move.
struct HistoryTable {
  static constexpr int BOUND = 16384;
  std::int16_t score[2][64][64] = {};
  std::array<std::array<ContinuationRow, 64>, 12> continuation{};
  Move counter[64][64] = {};

  // The continuation row of an earlier move; null for a pass or no move.
  ContinuationRow* rowAfter(const Move& earlier) {
    return earlier.isNull() ? nullptr : &continuation[pieceKind(earlier.piece)][squareIndex64(earlier.to)];
  }
  // The counter-move slot of an earlier move (not a pass).
  Move& counterTo(const Move& earlier) { return counter[squareIndex64(earlier.from)][squareIndex64(earlier.to)]; }
  // A quiet move's score from every table, with `rows` the rows of the moves one and two plies before.
  int quietScore(int side, const Move& move, const ContinuationRow* const rows[2]) const {
    const int to = squareIndex64(move.to);
    int total = score[side][squareIndex64(move.from)][to];
    const int kind = pieceKind(move.piece);
    for (int i = 0; i < 2; ++i)
      if (rows[i]) total += (*rows[i])[kind][to];
    return total;
  }
  void reward(int side, const Move& move, ContinuationRow* const rows[2], int bonus);
  // A new search keeps a quarter of what the last one learned by origin and destination.
  void age();
  void clear();
};

// The value the ordering gives a piece code (pawn 1 .. queen 9, king 20).
int orderingValue(int code);

class MovePicker {
 public:
  // `capturesOnly`: captures and promotions only (the quiescence search).
  void start(const CBoard& board, const Move& hashMove, const Move* killers, const HistoryTable& history,
             bool capturesOnly, const Move& counter = Move(), const ContinuationRow* const* rows = nullptr);
  bool next(Move& move);
  // Whether the move `next` gave last loses material in the exchange on its square.
  bool lastLoses() const { return cursor > 0 && scores[cursor - 1] < LOSING_BAND; }
  int count() const { return total; }

 private:
  Move moves[MAX_MOVES];
  std::int32_t scores[MAX_MOVES];
  bool exchangeUnknown[MAX_MOVES];  // a capture scored as winning until looked at
  const CBoard* position = nullptr;
  int total = 0;
  int cursor = 0;
  static constexpr std::int32_t CAPTURE = 1 << 28;
  static constexpr std::int32_t LOSING_CAPTURE = -(1 << 28);
  static constexpr std::int32_t LOSING_BAND = -(1 << 27);
};

bool isCaptureOrPromotion(const Move& move);
