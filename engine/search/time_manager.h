#pragma once
// How long one move's search may run, from the limits the interface gave: a
// fixed time per move, or a share of the clock that leaves a reserve for the
// interface's own delays, so the engine never oversteps its time. The soft
// limit stops a new iteration from starting; the hard limit ends the search.

#include <cstdint>

#include "search/search_limits.h"

struct TimeBudget {
  std::int64_t soft = -1;  // milliseconds; -1: no limit
  std::int64_t hard = -1;
};

// `fallback` applies when the limits name no time at all (no clock, no time
// per move, no depth or node limit, not infinite): milliseconds per move, 0 none.
TimeBudget planTime(const SearchLimits& limits, std::int64_t fallback);

// The share of the soft limit a clock's search may have used and still start
// another iteration: more while the best move keeps changing or the score
// falls from one iteration to the next, less once both hold still.
// `iterationsUnchanged`: finished iterations in a row with the same best move
// (0: it just changed); `scoreDrop`: the last iteration's score below the one
// before, in centipawns (negative when it rose).
double stabilityScale(int iterationsUnchanged, int scoreDrop);
