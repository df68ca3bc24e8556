#pragma once
// The two clocks of the window's game, apart from the widgets so the rules can
// be checked as tables. Times are in milliseconds; sides use the position's
// convention, 1 White and 0 Black. The window tells the clocks what the game
// did (moves counted by plies, who is to move, the engine starting to think,
// the end) and when; they never look at a real clock themselves.
//
// A clock runs only for the side to move of a live game: from the first move
// (or the engine's first thought) to the end of the game. Browsing is none of
// their business.

#include <QtGlobal>

#include <optional>

#include "time_control.h"

class ChessClocks {
 public:
  static constexpr int NOBODY = -1;

  // Both sides get the base time; nothing runs until the first move.
  void reset(const TimeControl& control);
  // The game stands at `plies` with `sideToMove` to move. A new ply charges
  // the side that was running and credits the increment to the side that
  // moved; a take-back charges without credit. Then the side to move runs.
  void follow(qint64 now, int plies, int sideToMove);
  // The engine starts thinking for `side` (Mueve! before any move): its clock runs.
  void startThinking(qint64 now, int side);
  // The game is over: charge the running side and stop for good (until reset).
  void finish(qint64 now);
  // After a take-back of a finished game: the clocks follow the game again.
  void resume() { over = false; }

  qint64 remaining(int side, qint64 now) const;
  // Time used so far, increments not counted.
  qint64 spent(int side, qint64 now) const;
  int running() const { return runningSide; }
  bool finished() const { return over; }
  // The running side once its time is gone; NOBODY without a clock.
  int flagged(qint64 now) const;
  const TimeControl& control() const { return timeControl; }

 private:
  void charge(qint64 now);
  void run(qint64 now, int side);

  TimeControl timeControl;
  qint64 left[2] = {0, 0};
  qint64 used[2] = {0, 0};
  int runningSide = NOBODY;
  qint64 since = 0;  // when the running side's clock was last charged
  int lastPlies = -1;
  bool over = false;
};
