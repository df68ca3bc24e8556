// The window's clock and end-of-game rules as tables.
#include <gtest/gtest.h>

#include <tuple>

#include "common/window_place.h"
#include "driver/game.h"
#include "engine/thinking_line.h"
#include "game/chess_clocks.h"
#include "game/game_end.h"
#include "game/game_flow.h"
#include "game/time_control.h"
#include "position/fen.h"

namespace {

TEST(TimeControl, ReadsWritesAndTellsTheEngine) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"5+3", "5+3", "level 0 5 3"}, {"none", "none", ""}, {"", "3+0", "level 0 3 0"}, {"0+5", "3+0", "level 0 3 0"},
      {"5+x", "3+0", "level 0 3 0"}};
  for (const auto& [text, stored, level] : cases) {
    const TimeControl control = TimeControl::parse(QString::fromLatin1(text));
    EXPECT_EQ(control.text().toStdString(), stored) << text;
    EXPECT_EQ(control.levelCommand().toStdString(), level) << text;
  }
  EXPECT_EQ(TimeControl{}.clockCommands(17955, -40).toStdString(), "time 1795\notim 0");
}

// Each row: a time, what the game did then, and both sides' remaining times after it (1+2).
TEST(ChessClocks, ChargeWhoeverIsToMoveUntilTheEnd) {
  enum Event { PLIES, THINK, FINISH };
  const std::tuple<qint64, Event, int, qint64, qint64> rows[] = {
      {0, PLIES, 0, 60000, 60000},      // the start runs nothing
      {5000, PLIES, 1, 62000, 60000},   // White's first move: increment, Black runs
      {9000, PLIES, 2, 62000, 58000},   // Black used 4 s and gets 2
      {12000, PLIES, 1, 59000, 58000},  // a take-back charges White, no increment
      {13000, THINK, 1, 59000, 57000},  // the engine thinks for the side already running
      {20000, FINISH, 0, 59000, 50000}, // stopped for good
      {90000, PLIES, 3, 59000, 50000}};
  ChessClocks clocks;
  clocks.reset({true, 1, 2});
  for (const auto& [at, event, plies, white, black] : rows) {
    if (event == PLIES) clocks.follow(at, plies, plies % 2 == 0 ? 1 : 0);
    if (event == THINK) clocks.startThinking(at, 0);
    if (event == FINISH) clocks.finish(at);
    EXPECT_EQ(clocks.remaining(1, at), white) << at;
    EXPECT_EQ(clocks.remaining(0, at), black) << at;
  }
  EXPECT_EQ(clocks.spent(1, 90000) + clocks.spent(0, 90000), 15000);  // from the first move to the end
  ChessClocks flag;
  flag.reset({true, 1, 0});
  flag.startThinking(0, 0);
  EXPECT_EQ(flag.flagged(59999), ChessClocks::NOBODY);
  EXPECT_EQ(flag.flagged(60000), 0);
}

// The side whose flag falls loses unless the other cannot mate.
TEST(GameEnd, FlagFallAndItsAnnouncement) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"4k3/8/8/8/8/8/8/4KB2 w - - 0 1", 0, "1/2-1/2 Tablas (tiempo agotado)"},
      {"4k3/8/8/8/8/8/8/3NKB2 w - - 0 1", 0, "1-0 Ganan las blancas (tiempo agotado)"},
      {"4k3/4p3/8/8/8/8/8/4K3 w - - 0 1", 1, "0-1 Ganan las negras (tiempo agotado)"}};
  for (const auto& [fen, flagged, text] : cases)
    EXPECT_EQ(GameEnd::ofFlagFall(*positionFromFen(fen), flagged).announcement().toStdString(), text) << fen;
  EXPECT_EQ((GameEnd{"1/2-1/2", "Fifty move rule"}).announcement().toStdString(),
            "1/2-1/2 Tablas (regla de los cincuenta movimientos)");
}

// The window ends a game the engine would play on: neither side can mate.
TEST(GameFlow, DeadPositionsEndTheGame) {
  const std::pair<const char*, bool> cases[] = {
      {"4k3/8/8/8/8/8/8/3NK3 w - - 0 1", true},      {"4k3/8/8/8/8/8/8/2BNK3 w - - 0 1", false},
      {"4k3/8/8/8/8/8/3n4/2B1K3 w - - 0 1", false},  // bishop against knight: a mate can still happen
      {"4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1", true},    // bishops on squares of one colour
      {"2b1k3/8/8/8/8/8/8/2B1K3 w - - 0 1", false},  // and of both
      {"4k3/8/8/8/8/8/8/1NN1K3 w - - 0 1", false}};
  for (const auto& [fen, over] : cases) {
    Game game;
    game.position = *positionFromFen(fen);
    GameFlow flow(game);
    EXPECT_EQ(flow.checkMaterial().has_value(), over) << fen;
    EXPECT_EQ(flow.isOver(), over) << fen;
  }
}

TEST(ThinkingLine, VariationInMoveListNotation) {
  const CChessBoard start = *positionFromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
  const std::pair<const char*, const char*> cases[] = {{"4 -94 0 338 e7e5 g1f3 b8c6", "4 -94 0 338 1...e5 2.Nf3 Nc6"},
                                                       {"4 -94 0 338 [error]", "4 -94 0 338 [error]"},
                                                       {"3 10 5 99 e7e5 e2e4", "3 10 5 99 1...e5 e2e4"}};
  for (const auto& [line, shown] : cases) EXPECT_EQ(thinkingLineInSan(line, start, 1), shown);
  EXPECT_FALSE(thinkingLineInSan("1-0 {Checkmate}", start, 1));
}

TEST(WindowPlace, ReopensOnTheScreen) {
  EXPECT_EQ(parseWindowPlace("10,20,600,500"), QRect(10, 20, 600, 500));
  EXPECT_FALSE(parseWindowPlace("10,20,0,500"));
  EXPECT_EQ(fitWindowPlace({1900, -50, 600, 2000}, {0, 0, 1280, 1024}), QRect(680, 0, 600, 1024));
  // Hand-edited extremes saturate and still land on the screen, with no overflow on the way.
  const std::pair<const char*, QRect> extremes[] = {
      {"2147483647,2147483647,2147483647,2147483647", {0, 0, 1280, 1024}},
      {"-2147483648,-2147483648,600,500", {0, 0, 600, 500}},
      {"9223372036854775807,-9223372036854775807,9223372036854775807,500", {0, 0, 1280, 500}},
  };
  for (const auto& [text, fitted] : extremes) {
    const std::optional<QRect> place = parseWindowPlace(text);
    ASSERT_TRUE(place) << text;
    EXPECT_EQ(fitWindowPlace(*place, {0, 0, 1280, 1024}), fitted) << text;
  }
  EXPECT_FALSE(parseWindowPlace("99999999999999999999,0,600,500"));
}

}  // namespace
