#pragma once
// The playing strength of each level as a rating, for interfaces that ask for
// a strength by rating (UCI_Elo) rather than by level, and for the names
// Opciones gives the levels. Measured by make levels (tools/level_ratings.sh):
// 40 games a level at 40 moves in 15 s against stockfish held to a rating by
// its UCI_Elo, so they are ratings on that scale at that clock, each known to
// about a hundred points. Levels 1-3 are rated through the level above them.
// Levels 7 and 8 measured 1861 and 1842, crossed within their intervals
// (level 8 searches two plies deeper): they get the rating of both matches
// together, 20 points apart, so each rating still names its level. Levels 6
// and 9 are rated from two matches each, the first of them lopsided.
// The one place to update when the levels are measured again.

#include <array>

#include "search/level.h"

// Index 0 is level WEAKEST_LEVEL; rising with the level.
inline constexpr std::array<int, TOP_LEVEL - WEAKEST_LEVEL + 1> LEVEL_ELO = {
    227, 430, 500, 838, 1720, 1722, 1842, 1862, 1983, 2150};

constexpr int eloOfLevel(int level) { return LEVEL_ELO[clampLevel(level) - WEAKEST_LEVEL]; }

// The level whose rating is nearest (the weaker of two as near).
constexpr int levelForElo(int elo) {
  int best = WEAKEST_LEVEL;
  for (int level = WEAKEST_LEVEL; level <= TOP_LEVEL; ++level) {
    const int distance = elo > eloOfLevel(level) ? elo - eloOfLevel(level) : eloOfLevel(level) - elo;
    const int bestDistance = elo > eloOfLevel(best) ? elo - eloOfLevel(best) : eloOfLevel(best) - elo;
    if (distance < bestDistance) best = level;
  }
  return best;
}
