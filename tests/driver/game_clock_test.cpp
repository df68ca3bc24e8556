#include "driver/game_clock.h"

#include <gtest/gtest.h>

namespace {

std::int64_t fakeNow = 0;
std::int64_t fakeClock() { return fakeNow; }

class GameClockTest : public testing::Test {
 protected:
  GameClockTest() {
    fakeNow = 5000;
    clock.timeSource = fakeClock;
  }
  GameClock clock;
};

TEST(ClockText, FormatsMinutesAndWholeSeconds) {
  struct Case {
    double seconds;
    const char* text;
  };
  const Case cases[] = {{180, "03 : 00"}, {59.9, "00 : 59"}, {0, "00 : 00"},   {-0.5, "OUT"},
                        {300, "05 : 00"}, {61, "01 : 01"},   {6000, "100 : 00"}, {1e300, "16666666 : 40"}};
  for (const Case& c : cases) EXPECT_EQ(GameClock::clockText(c.seconds), c.text) << c.seconds;
}

TEST_F(GameClockTest, ChargesOnlyWholeSecondsOfTheRunningSide) {
  clock.reset();
  clock.start(1);
  fakeNow += 2900;
  EXPECT_DOUBLE_EQ(clock.remaining(1), 178);
  EXPECT_DOUBLE_EQ(clock.remaining(0), 180);
  clock.start(0);  // stops White first
  EXPECT_FALSE(clock.whiteRunning);
  EXPECT_TRUE(clock.blackRunning);
  EXPECT_DOUBLE_EQ(clock.whiteRemaining, 178);
  fakeNow += 999;
  clock.stop();
  EXPECT_DOUBLE_EQ(clock.blackRemaining, 180);
  EXPECT_FALSE(clock.blackRunning);
}

TEST_F(GameClockTest, RemainingDoesNotChangeTheStoredTime) {
  clock.reset();
  clock.start(0);
  fakeNow += 4000;
  EXPECT_DOUBLE_EQ(clock.remaining(0), 176);
  EXPECT_DOUBLE_EQ(clock.blackRemaining, 180);
}

TEST_F(GameClockTest, OversteppedSideKeepsRunningAndShowsOut) {
  clock.setRemaining(1, 1);
  clock.start(1);
  fakeNow += 3000;
  EXPECT_EQ(GameClock::clockText(clock.remaining(1)), "OUT");
  EXPECT_TRUE(clock.whiteRunning);
}

TEST_F(GameClockTest, LevelTakesEffectAtTheNextReset) {
  clock.setLevel(40, 300, 2);
  EXPECT_DOUBLE_EQ(clock.whiteRemaining, 180);
  clock.reset();
  EXPECT_DOUBLE_EQ(clock.whiteRemaining, 300);
  EXPECT_DOUBLE_EQ(clock.blackRemaining, 300);
  EXPECT_EQ(clock.movesPerSession, 40);
  EXPECT_DOUBLE_EQ(clock.increment, 2);
}

}  // namespace
