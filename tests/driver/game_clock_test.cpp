#include "driver/game_clock.h"

#include <gtest/gtest.h>

namespace {

std::int64_t fakeNow = 0;
std::int64_t fakeClock() { return fakeNow; }

TEST(ClockText, FormatsMinutesAndWholeSeconds) {
  const std::pair<double, const char*> cases[] = {{180, "03 : 00"}, {59.9, "00 : 59"},  {0, "00 : 00"},
                                                  {-0.5, "OUT"},    {6000, "100 : 00"}, {1e300, "16666666 : 40"}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(GameClock::clockText(seconds), text) << seconds;
}

TEST(GameClock, ChargesOnlyWholeSecondsOfTheRunningSide) {
  GameClock clock;
  clock.timeSource = fakeClock;
  fakeNow = 5000;
  clock.reset();
  clock.start(1);
  fakeNow += 2900;
  EXPECT_DOUBLE_EQ(clock.remaining(1), 178);
  EXPECT_DOUBLE_EQ(clock.whiteRemaining, 180);  // reading does not charge
  clock.start(0);                               // stops White first
  EXPECT_DOUBLE_EQ(clock.whiteRemaining, 178);
  fakeNow += 999;
  clock.stop();
  EXPECT_DOUBLE_EQ(clock.blackRemaining, 180);
  EXPECT_FALSE(clock.blackRunning);
  // An overstepped side keeps running and shows "OUT".
  clock.setRemaining(1, 1);
  clock.start(1);
  fakeNow += 3000;
  EXPECT_EQ(GameClock::clockText(clock.remaining(1)), "OUT");
  EXPECT_TRUE(clock.whiteRunning);
}

}  // namespace
