#include "chess_clocks.h"

void ChessClocks::reset(const TimeControl& control) {
  timeControl = control;
  left[0] = left[1] = control.baseMilliseconds();
  used[0] = used[1] = 0;
  runningSide = NOBODY;
  lastPlies = -1;
  over = false;
}

void ChessClocks::charge(qint64 now) {
  if (runningSide == NOBODY) return;
  const qint64 elapsed = now - since;
  left[runningSide] -= elapsed;
  used[runningSide] += elapsed;
  since = now;
}

void ChessClocks::run(qint64 now, int side) {
  charge(now);
  runningSide = side;
  since = now;
}

void ChessClocks::follow(qint64 now, int plies, int sideToMove) {
  if (over) return;
  // The first sight of a game (the start position, or a loaded game) starts nothing.
  if (lastPlies < 0 || plies == lastPlies) {
    lastPlies = plies;
    return;
  }
  const bool moved = plies > lastPlies;
  lastPlies = plies;
  charge(now);
  if (moved) left[1 - sideToMove] += timeControl.incrementMilliseconds();
  run(now, sideToMove);
}

void ChessClocks::startThinking(qint64 now, int side) {
  if (over || runningSide == side) return;
  run(now, side);
}

void ChessClocks::finish(qint64 now) {
  if (over) return;
  charge(now);
  runningSide = NOBODY;
  over = true;
}

qint64 ChessClocks::remaining(int side, qint64 now) const {
  return left[side] - (side == runningSide ? now - since : 0);
}

qint64 ChessClocks::spent(int side, qint64 now) const {
  return used[side] + (side == runningSide ? now - since : 0);
}

int ChessClocks::flagged(qint64 now) const {
  if (!timeControl.timed || runningSide == NOBODY) return NOBODY;
  return remaining(runningSide, now) <= 0 ? runningSide : NOBODY;
}
