// The command loop in-process, behind a recording host: what differs between the
// console and the desktop app, and what the host is told.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "base/random.h"
#include "driver/commands.h"
#include "driver/engine_io.h"
#include "driver/game.h"
#include "driver/engine_session.h"
#include "driver/uci_protocol.h"
#include "search/level_elo.h"

namespace {

using Lines = std::vector<std::string>;

class RecordingHost : public EngineHost {
 public:
  explicit RecordingHost(bool windowed) : windowed(windowed) {}

  // The lines a loop that reads for itself (UCI's) is given, in order.
  bool takeCommand(std::string& line) override {
    if (input.empty()) return false;
    line = input.front();
    input.erase(input.begin());
    return true;
  }
  void lineWritten(const std::string& text) override { written.push_back(text); }
  void debugText(const std::string& text, int colour) override { debug.push_back({text, colour}); }
  void notifyHost(int code, int) override { notified.push_back(code); }
  void searchStats(int nodes, int) override { stats.push_back(nodes); }
  bool isWindowedProgram() const override { return windowed; }

  bool windowed;
  Lines input, written;
  std::vector<std::pair<std::string, int>> debug;
  std::vector<int> notified, stats;
};

class CommandTest : public testing::Test {
 protected:
  CommandTest() { EngineIO::instance().setOutput(&output); }
  ~CommandTest() override {
    EngineIO::instance().setOutput(nullptr);
    EngineIO::instance().setHost(nullptr);
  }

  Lines run(RecordingHost& host, const Lines& commands) {
    EngineIO::instance().setHost(&host);
    for (const std::string& command : commands)
      if (!dispatchCommand(command)) break;
    return host.written;
  }

  std::ostringstream output;
};

TEST_F(CommandTest, DesktopEngineReportsVersionThreeZeroAcceptsMovesAndShowsSpeed) {
  RecordingHost host(true);
  const Lines lines = run(host, {"xboard", "new", "e2e4", "force", "e2e5"});
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "feature time=0 myname=\"Kelvo 3.0\"");
  EXPECT_EQ(lines[1], "accepted");
  EXPECT_EQ(lines[2], "accepted");
  EXPECT_TRUE(std::regex_match(lines[3], std::regex(R"(\(\d+\.\d\))"))) << lines[3];
  EXPECT_TRUE(std::regex_match(lines[4], std::regex("move [a-h][1-8][a-h][1-8]"))) << lines[4];
  EXPECT_EQ(lines[5], "Illegal move: e2e5");
  // The engine player made by "new" announces itself, the new game follows, then its search.
  EXPECT_EQ(host.notified, (std::vector<int>{EngineHost::ENGINE_PLAYER_CREATED, EngineHost::GAME_STARTED,
                                             EngineHost::SEARCH_STARTED}));
  ASSERT_EQ(host.stats.size(), 1u);
  EXPECT_GT(host.stats[0], 0);
}

// The host hears what the commands did to the game, not the words: a take-back
// that takes nothing back and a refused move say nothing.
TEST_F(CommandTest, TheHostHearsWhatTheGameDid) {
  RecordingHost host(true);
  run(host, {"new", "force", "undo", "e2e4", "e7e5", "remove", "e2e5", "e2e4", "undo", "go"});
  const std::vector<int> expected = {EngineHost::ENGINE_PLAYER_CREATED, EngineHost::GAME_STARTED,
                                     EngineHost::PLIES_TAKEN_BACK,      EngineHost::PLIES_TAKEN_BACK,
                                     EngineHost::ENGINE_PLAYER_CREATED, EngineHost::ENGINE_TAKES_SIDE,
                                     EngineHost::SEARCH_STARTED};
  EXPECT_EQ(host.notified, expected);
}

TEST_F(CommandTest, ConsoleEngineWritesEveryLineToOutputAndHost) {
  RecordingHost host(false);
  const Lines expected = {"feature time=0 myname=\"Kelvo 3.2\"", "pong 3", "accepted"};
  EXPECT_EQ(run(host, {"xboard", "ping 3", "new", "_get e1"}), expected);
  // "_get" bypasses the line channel: standard output only.
  EXPECT_EQ(output.str(), "feature time=0 myname=\"Kelvo 3.2\"\npong 3\naccepted\n4\n");
}

TEST_F(CommandTest, DumpGoesToTheHostAsDebugText) {
  RecordingHost host(true);
  run(host, {"new", "_dump 12"});
  ASSERT_EQ(host.debug.size(), 1u);
  EXPECT_EQ(host.debug[0].second, 0);
  EXPECT_TRUE(host.debug[0].first.ends_with("White: 03 : 00\nBlack: 03 : 00\n0\n"));
}

// The debug-files switch: off stops both logs, on again goes on in the same
// files, any number of times, with no line lost while on.
TEST_F(CommandTest, LogSwitchTurnsOffAndOnAgain) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(testing::TempDir());
  RecordingHost host(true);
  EngineIO& io = EngineIO::instance();
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(io.enableLogging(), "");
    run(host, {"ping 1", "_dump"});
    io.disableLogging();
    run(host, {"ping 2", "_dump"});
  }
  std::stringstream transcript, gameLog;
  transcript << std::ifstream(io.transcriptName()).rdbuf();
  gameLog << std::ifstream(io.gameLogName()).rdbuf();
  std::filesystem::current_path(previous);
  EXPECT_EQ(transcript.str(), "> pong 1\n> pong 1\n> pong 1\n");
  EXPECT_EQ(std::regex_replace(gameLog.str(), std::regex("[^W]"), ""), "WWW");  // one "White:" per dump
}

// A FEN's clock and move number, set up by either protocol, are the game's
// from then on; a position set up any other way starts them afresh.
TEST_F(CommandTest, SetUpPositionsKeepTheirFenCounters) {
  const std::string fen = "7k/8/8/8/8/8/8/R6K w - - 98 70";
  const struct {
    Lines commands;
    int halfMoves, moveNumber;
  } cases[] = {
      {{"setboard " + fen}, 98, 70},
      {{"setboard 7k/8/8/8/8/8/8/R6K w - -"}, 0, 1},
      {{"setboard " + fen, "new"}, 0, 1},
      {{"uci", "position fen " + fen + " moves a1a2 h8g8"}, 98, 70},
      {{"uci", "position fen " + fen, "position startpos moves e2e4"}, 0, 1},
  };
  for (const auto& [commands, halfMoves, moveNumber] : cases) {
    RecordingHost host(false);
    if (commands.front() == "uci") {
      host.input.assign(commands.begin() + 1, commands.end());
      EngineIO::instance().setHost(&host);
      runUci();
      EngineIO::instance().maxLine = EngineIO::MAX_LINE;
    } else {
      run(host, commands);
    }
    const FenCounters counters = Game::instance().read([](const Game& g) { return g.startCounters; });
    EXPECT_EQ(counters.halfMoves, halfMoves) << commands.back();
    EXPECT_EQ(counters.moveNumber, moveNumber) << commands.back();
  }
}

TEST_F(CommandTest, QuitEndsDispatchingAndQuestionMarkStopsTheSearch) {
  RecordingHost host(false);
  EngineIO::instance().setHost(&host);
  EXPECT_TRUE(dispatchCommand("quitter"));
  EXPECT_FALSE(dispatchCommand("quit now"));
  processSession().beginSearch();
  EXPECT_TRUE(dispatchCommand("?"));
  EXPECT_TRUE(processSession().searchStopped());
  // That stop is the stopped search's only: the next one starts afresh.
  processSession().beginSearch();
  EXPECT_FALSE(processSession().searchStopped());
}

}  // namespace

namespace {

// What each interface sends for strength and resources reaches the session:
// pychess's CECP strengths 1 to 18 as "sd N", a rating rising with each from
// the weakest level's to the top level; gnome-chess's option lines, xboard's
// memory and cores; a level chosen by name outlasts any depth.
TEST_F(CommandTest, StrengthAndResourceCommandsReachTheSession) {
  RecordingHost host(false);
  SessionSettings& session = processSession().settings;
  const SessionSettings saved = session;
  int previous = 0;
  for (int depth = 1; depth < 18; ++depth) {
    session = SessionSettings();
    run(host, {"sd " + std::to_string(depth)});
    EXPECT_TRUE(session.limitStrength) << depth;
    EXPECT_GT(session.elo, previous) << depth;
    EXPECT_EQ(session.elo == eloOfLevel(WEAKEST_LEVEL), depth == 1) << depth;
    previous = session.elo;
  }
  EXPECT_LT(previous, eloOfLevel(TOP_LEVEL));
  const struct {
    Lines commands;
    int level;
  } cases[] = {
      {{"sd 18"}, 10}, {{"sd 2147483646"}, 10}, {{"option Nivel=3", "sd 18"}, 3}, {{"sd 9", "option Nivel=7"}, 7},
      {{"Skill Level 7", "sd 2"}, 7}, {{"Skill Level 0"}, 1},
  };
  for (const auto& [commands, level] : cases) {
    session = SessionSettings();
    run(host, commands);
    EXPECT_EQ(session.playingLevel(), level) << commands.front();
  }
  session = SessionSettings();
  run(host, {"memory 64", "cores 1", "hard"});
  EXPECT_EQ(session.hashMegabytes, 64u);
  EXPECT_EQ(session.threads, 1);
  EXPECT_TRUE(session.ponder);
  run(host, {"memory 0", "cores 999", "easy", "Skill Set"});
  EXPECT_EQ(session.hashMegabytes, 1u);
  EXPECT_GE(session.threads, 1);
  EXPECT_FALSE(session.ponder);
  EXPECT_EQ(host.written.back(), "Error (unknown command): Skill");
  session = saved;
}

// The clock "level" sets is the one the strong search plans on, increment
// fraction and all.
TEST_F(CommandTest, LevelGivesTheSearchItsClock) {
  RecordingHost host(false);
  EngineSession& session = processSession();
  const SessionSettings saved = session.settings;
  const struct {
    const char* level;
    std::int64_t timeLeft, increment;
    int movesToGo;
  } cases[] = {
      {"level 0 0:05 0.05", 5000, 50, 0}, {"level 40 5 0", 300000, 0, 40}, {"level 0 2 12", 120000, 12000, 0},
      {"level 0 1 -3", 60000, 0, 0},      {"level 0 1 nan", 60000, 0, 0}, {"level 0 1 1e400", 60000, 0, 0},
  };
  for (const auto& c : cases) {
    run(host, {"new", c.level, "new"});
    const SearchLimits limits = session.settings.limitsFor(session.game);
    EXPECT_EQ(limits.timeLeft, c.timeLeft) << c.level;
    EXPECT_EQ(limits.increment, c.increment) << c.level;
    EXPECT_EQ(limits.movesToGo, c.movesToGo) << c.level;
  }
  session.settings = saved;
}

// UCI_Elo: a rating asks for the level measured nearest to it; the measured
// ratings rise with the level, so each one names its own level.
TEST(LevelElo, EachRatingNamesItsLevel) {
  for (int level = WEAKEST_LEVEL; level <= TOP_LEVEL; ++level) EXPECT_EQ(levelForElo(eloOfLevel(level)), level);
  EXPECT_EQ(levelForElo((eloOfLevel(4) + eloOfLevel(5)) / 2 - 1), 4);
  EXPECT_EQ(levelForElo(0), WEAKEST_LEVEL);
  EXPECT_EQ(levelForElo(99999), TOP_LEVEL);
}

// With strength limited, a rating between two levels plays each move at one
// of them, the nearer the likelier; a level's own rating is that level.
TEST(LevelElo, MovesOfARatingBetweenLevelsMixTheTwo) {
  SessionSettings settings;
  settings.limitStrength = true;
  const int seven = eloOfLevel(7), eight = eloOfLevel(8), quarter = (3 * seven + eight) / 4;
  const struct {
    int elo, draw, level;
  } cases[] = {{seven, 0, 7},          {seven, ENGINE_RAND_MAX, 7}, {eight, 0, 8},
               {quarter, ENGINE_RAND_MAX / 5, 8}, {quarter, ENGINE_RAND_MAX / 3, 7},
               {0, 0, WEAKEST_LEVEL}, {99999, ENGINE_RAND_MAX, TOP_LEVEL}};
  for (const auto& [elo, draw, level] : cases) {
    settings.elo = elo;
    EXPECT_EQ(settings.moveLevel(draw), level) << elo << " " << draw;
  }
  settings.limitStrength = false;
  settings.level = 3;
  EXPECT_EQ(settings.moveLevel(0), 3);
}

}  // namespace
