#include "search/time_manager.h"

#include <gtest/gtest.h>

namespace {

// Whatever the clock says, the plan leaves a reserve on it and never runs past it.
TEST(TimeManager, PlansWithinTheClock) {
  struct Row {
    std::int64_t timeLeft, increment, moveTime;
    int movesToGo, depth;
    bool infinite;
    std::int64_t soft, hard;  // -2: only the bounds are checked
  };
  const Row rows[] = {
      {-1, 0, 0, 0, 0, false, 700, 700},      // no clock: the level's own time
      {-1, 0, 0, 0, 6, false, -1, -1},        // a depth alone
      {-1, 0, 0, 0, 0, true, -1, -1},         // until stopped
      {-1, 0, 1000, 0, 0, false, 950, 950},   // a time per move
      {60000, 0, 0, 40, 0, false, -2, -2},
      {60000, 0, 0, 1, 0, false, -2, -2},     // the last move before the control
      {300, 0, 0, 0, 0, false, -2, -2},       // almost flagged
      {1000, 5000, 0, 0, 0, false, -2, -2},   // an increment larger than the clock
      {0, 0, 0, 0, 0, false, 1, 1},
  };
  for (const Row& row : rows) {
    SearchLimits limits;
    limits.timeLeft = row.timeLeft;
    limits.increment = row.increment;
    limits.moveTime = row.moveTime;
    limits.movesToGo = row.movesToGo;
    limits.depth = row.depth;
    limits.infinite = row.infinite;
    const TimeBudget budget = planTime(limits, 700);
    if (row.soft != -2) {
      EXPECT_EQ(budget.soft, row.soft) << row.timeLeft;
      EXPECT_EQ(budget.hard, row.hard) << row.timeLeft;
      continue;
    }
    EXPECT_GT(budget.soft, 0) << row.timeLeft;
    EXPECT_LE(budget.soft, budget.hard) << row.timeLeft;
    EXPECT_LE(budget.hard, row.timeLeft * 2 / 3) << row.timeLeft;
  }
  // What each move loses besides its search comes off the plan.
  SearchLimits limits;
  limits.moveTime = 1000;
  limits.moveOverhead = 300;
  EXPECT_EQ(planTime(limits, 0).hard, 700);
  limits.moveTime = 0;
  limits.timeLeft = 60000;
  const TimeBudget withOverhead = planTime(limits, 0);
  limits.moveOverhead = 0;
  EXPECT_LT(withOverhead.soft + 250, planTime(limits, 0).soft);
}

// A best move that keeps changing, or a score that falls, earns more of the
// share; a settled search gives some back. Never without bounds: a mate found
// or lost moves the score by thousands.
TEST(TimeManager, TheShareFollowsHowSettledTheSearchIs) {
  EXPECT_GT(stabilityScale(0, 0), 1.0);
  EXPECT_LT(stabilityScale(8, 0), 1.0);
  EXPECT_LT(stabilityScale(8, -50), stabilityScale(8, 0));
  EXPECT_GT(stabilityScale(4, 40), stabilityScale(4, 0) * 1.3);
  for (int unchanged = 0; unchanged < 20; ++unchanged)
    for (int drop = -30000; drop <= 30000; drop += 250) {
      const double scale = stabilityScale(unchanged, drop);
      EXPECT_GE(scale, 0.6) << unchanged << " " << drop;
      EXPECT_LE(scale, 2.0) << unchanged << " " << drop;
      EXPECT_LE(stabilityScale(unchanged + 1, drop), scale) << unchanged << " " << drop;
      EXPECT_GE(stabilityScale(unchanged, drop + 250), scale) << unchanged << " " << drop;
    }
}

}  // namespace
