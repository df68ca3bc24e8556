#pragma once
// The engine's strength ladder. Level SPECIFIED_LEVEL is the fixed 4-ply
// search with the static-score cut-off and the default; levels below it play
// weaker on purpose, levels above it use the real search.

constexpr int WEAKEST_LEVEL = 1;
constexpr int SPECIFIED_LEVEL = 4;
constexpr int TOP_LEVEL = 10;

// Any number below the ladder means its bottom, any number above it its top.
constexpr int clampLevel(int level) {
  return level < WEAKEST_LEVEL ? WEAKEST_LEVEL : level > TOP_LEVEL ? TOP_LEVEL : level;
}
