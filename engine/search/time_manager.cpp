#include "search/time_manager.h"

#include <algorithm>

namespace {

// Lag between our move and the interface's clock stopping, and a clock read in
// whole centiseconds: never plan to use the last moments.
std::int64_t reserveFor(std::int64_t timeLeft) { return std::min<std::int64_t>(50 + timeLeft / 20, 1000); }

// Times beyond this (about 31 years) plan as this: the budget and the
// deadlines computed from it stay far from overflowing.
constexpr std::int64_t MAX_PLANNED_TIME = 1'000'000'000'000;

SearchLimits saturated(SearchLimits limits) {
  limits.moveTime = std::clamp<std::int64_t>(limits.moveTime, 0, MAX_PLANNED_TIME);
  limits.timeLeft = std::clamp<std::int64_t>(limits.timeLeft, -1, MAX_PLANNED_TIME);
  limits.increment = std::clamp<std::int64_t>(limits.increment, 0, MAX_PLANNED_TIME);
  limits.moveOverhead = std::clamp<std::int64_t>(limits.moveOverhead, 0, MAX_PLANNED_TIME);
  return limits;
}

}  // namespace

TimeBudget planTime(const SearchLimits& givenLimits, std::int64_t fallback) {
  const SearchLimits limits = saturated(givenLimits);
  TimeBudget budget;
  if (limits.infinite) return budget;
  if (limits.moveTime > 0) {
    const std::int64_t lag = std::max(std::min<std::int64_t>(50, limits.moveTime / 10), limits.moveOverhead);
    budget.soft = budget.hard = std::max<std::int64_t>(limits.moveTime - lag, 1);
    return budget;
  }
  if (limits.timeLeft >= 0) {
    // This move's overhead is never planned for, nor that of the moves the share counts.
    const std::int64_t usable =
        std::max<std::int64_t>(limits.timeLeft - reserveFor(limits.timeLeft) - limits.moveOverhead, 1);
    // Without a session length, assume the game lasts this many more moves.
    const std::int64_t moves = limits.movesToGo > 0 ? std::min(limits.movesToGo, 50) : 30;
    const std::int64_t share = usable / moves + limits.increment * 3 / 4 - limits.moveOverhead;
    budget.soft = std::min(share, usable * 2 / 3);
    // A hard problem may take several shares, never most of what is left.
    // The move count may be off by one from the interface's: the last move
    // before the control keeps a third too.
    const std::int64_t cap = moves > 1 ? usable / 3 : usable * 2 / 3;
    budget.hard = std::max<std::int64_t>(std::min(share * 4, cap), std::min(budget.soft, cap));
    budget.hard = std::max<std::int64_t>(budget.hard, 1);
    budget.soft = std::clamp<std::int64_t>(budget.soft, 1, budget.hard);
    return budget;
  }
  if (limits.depth > 0 || limits.nodes > 0) return budget;
  if (fallback > 0) budget.soft = budget.hard = std::min(fallback, MAX_PLANNED_TIME);
  return budget;
}

double stabilityScale(int iterationsUnchanged, int scoreDrop) {
  const double settled = std::max(1.5 - 0.1 * std::max(iterationsUnchanged, 0), 0.9);
  // A mate score is thousands: a mate found or lost counts as any large rise or fall.
  const double falling = std::clamp(1.0 + std::clamp(scoreDrop, -1000, 1000) / 80.0, 0.9, 1.6);
  return std::clamp(settled * falling, 0.8, 2.0);
}
