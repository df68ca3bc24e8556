#include "debug_fields.h"

#include <gtest/gtest.h>

#include <mutex>

#include "driver/game.h"

namespace {

TEST(DebugFields, CastlingRunsTheHeldRightsTogether) {
  EXPECT_EQ(castlingText(15), QLatin1String("00W000W00B000B"));
  EXPECT_EQ(castlingText(0), QString());
  EXPECT_EQ(castlingText(1 | 8), QLatin1String("00W000B"));
  EXPECT_EQ(castlingText(2 | 4), QLatin1String("000W00B"));
}

TEST(DebugFields, PlayStateNames) {
  EXPECT_EQ(playStateText(0), QLatin1String("playing"));
  EXPECT_EQ(playStateText(1), QLatin1String("finished"));
  EXPECT_EQ(playStateText(2), QLatin1String("forcing"));
  EXPECT_EQ(playStateText(-1), QLatin1String("unknown"));
  EXPECT_EQ(playStateText(3), QLatin1String("unknown"));
}

TEST(DebugFields, TimeAndSpeed) {
  EXPECT_EQ(timeText(123), QLatin1String("1.23"));
  EXPECT_EQ(speedText(5000, 50), QLatin1String("(10.0)"));
  EXPECT_EQ(speedText(0, 50), std::nullopt);
  EXPECT_EQ(speedText(5000, 0), std::nullopt);
}

TEST(DebugFields, StartOfAGame) {
  Game& game = Game::instance();
  std::lock_guard guard(game.mutex());
  game.startNewGame();
  game.restartHistory();
  const DebugFields fields = DebugFields::of(game);
  EXPECT_EQ(fields.plays, QLatin1String("white"));
  EXPECT_EQ(fields.castling, QLatin1String("00W000W00B000B"));
  EXPECT_EQ(fields.enPassant, QLatin1String("none"));
  EXPECT_EQ(fields.computerPlays, QLatin1String("black"));
  EXPECT_TRUE(fields.evaluation.has_value());

  game.makeHumansOnly();
  const DebugFields humans = DebugFields::of(game);
  EXPECT_EQ(humans.computerPlays, QLatin1String("none"));
  EXPECT_FALSE(humans.evaluation.has_value());
}

}  // namespace
