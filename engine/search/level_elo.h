#pragma once
// The playing strength of each level as a rating, for interfaces that ask for
// a strength by rating (UCI_Elo) rather than by level. The figures are the one
// place to update when the levels are measured again.

#include <array>

#include "search/level.h"

// Index 0 is level WEAKEST_LEVEL; rising with the level.
inline constexpr std::array<int, TOP_LEVEL - WEAKEST_LEVEL + 1> LEVEL_ELO = {
    800, 1000, 1150, 1300, 1500, 1650, 1800, 1950, 2050, 2150};

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
