#pragma once
// The order in which the strong search tries a node's moves: the move the
// transposition table remembers, then captures and promotions by the value of
// the piece taken and then of the piece taking (most valuable victim, least
// valuable attacker), then the two killer moves of the ply, the counter-move
// to the move before, then the quiet moves by their history score, and last
// the captures that lose material in the exchange on their square. Moves come
// one at a time, pseudo-legal: the search tests legality only for the moves
// it reaches.

#include <cstdint>

#include "position/chess_board.h"
#include "position/move_gen.h"

// Cutoffs made by quiet moves, by side, origin and destination; the quiet
// moves tried before a cutoff lose what the cutting move gains. And the quiet
// move that last refuted each move (by its squares), the counter-move.
struct HistoryTable {
  std::int32_t score[2][SQUARE_COUNT][SQUARE_COUNT] = {};
  Move counter[SQUARE_COUNT][SQUARE_COUNT] = {};
  void reward(int side, const Move& move, int bonus);
  void clear();
};

// The value the ordering gives a piece code (pawn 1 .. queen 9, king 20).
int orderingValue(int code);

class MovePicker {
 public:
  // `capturesOnly`: captures and promotions only (the quiescence search).
  void start(const CBoard& board, const Move& hashMove, const Move* killers, const HistoryTable& history,
             bool capturesOnly, const Move& counter = Move());
  bool next(Move& move);
  // Whether the move `next` gave last loses material in the exchange on its square.
  bool lastLoses() const { return cursor > 0 && scores[cursor - 1] < LOSING_BAND; }
  int count() const { return total; }

 private:
  Move moves[MAX_MOVES];
  std::int32_t scores[MAX_MOVES];
  int total = 0;
  int cursor = 0;
  static constexpr std::int32_t LOSING_BAND = -(1 << 27);
};

bool isCaptureOrPromotion(const Move& move);
