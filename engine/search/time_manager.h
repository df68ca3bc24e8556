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
