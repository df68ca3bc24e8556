#pragma once
// What each step of the strength ladder asks of the strong search. Levels
// below the fixed one search shallowly and choose among their moves with a
// measured amount of randomness (and now and then a random move), so that a
// beginner can win; levels above it search ever deeper, the top one as deep
// as its clock allows.

#include <cstdint>

struct LevelSettings {
  int depth = 64;                       // iteration limit in plies
  bool quiescence = true;               // resolve captures beyond the horizon
  int noise = 0;                        // centipawns of chance added to each root move's score
  int blunderPercent = 0;               // chance of playing any legal move at all
  int timePercent = 100;                // of the time the clock allows a move to start a new iteration
  int minDepth = 0;                     // iterations finished whatever timePercent says (the clock's limit holds)
  std::int64_t moveTimeWithoutClock = 0;  // milliseconds a move may take when no clock is given
};

// The settings of a level of the ladder (clamped into it); the fixed level is
// not searched this way, it gets the settings of the level above it.
LevelSettings settingsForLevel(int level);
