// The command loop in-process, behind a scripted host: what differs between the
// console and the desktop app, and what the host is told.

#include "driver/commands.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "driver/engine_io.h"
#include "driver/game.h"

namespace {

class ScriptedHost : public EngineHost {
 public:
  ScriptedHost(bool windowed, std::vector<std::string> script) : windowed(windowed), script(script.begin(), script.end()) {}

  bool takeCommand(std::string& line) override {
    if (script.empty()) return false;
    line = script.front();
    script.pop_front();
    return true;
  }
  void lineWritten(const std::string& text) override { written.push_back(text); }
  void debugText(const std::string& text, int colour) override { debug.push_back({text, colour}); }
  void notifyHost(int code, int) override { notifications.push_back(code); }
  void searchStats(int, int) override {}
  bool isWindowedProgram() const override { return windowed; }

  bool windowed;
  std::deque<std::string> script;
  std::vector<std::string> written;
  std::vector<std::pair<std::string, int>> debug;
  std::vector<int> notifications;
};

class CommandTest : public testing::Test {
 protected:
  CommandTest() { EngineIO::instance().setOutput(&output); }
  ~CommandTest() override {
    EngineIO::instance().setOutput(nullptr);
    EngineIO::instance().setHost(nullptr);
  }

  std::vector<std::string> run(ScriptedHost& host, const std::vector<std::string>& commands) {
    EngineIO::instance().setHost(&host);
    for (const std::string& command : commands)
      if (!dispatchCommand(command)) break;
    return host.written;
  }

  std::ostringstream output;
};

TEST_F(CommandTest, DesktopEngineReportsVersionThreeZeroAndAcceptsMoves) {
  ScriptedHost host(true, {});
  const auto lines = run(host, {"xboard", "new", "force", "e2e4", "e2e5"});
  const std::vector<std::string> expected = {"feature time=0 myname=\"Kelvo 3.0\"", "accepted", "accepted",
                                             "Illegal move: "};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(Game::instance().playState, 2);
}

TEST_F(CommandTest, ConsoleEngineWritesEveryLineToOutputAndHost) {
  ScriptedHost host(false, {});
  const auto lines = run(host, {"xboard", "ping 3", "new", "_get e1"});
  const std::vector<std::string> expected = {"feature time=0 myname=\"Kelvo 3.2\"", "pong 3", "accepted"};
  EXPECT_EQ(lines, expected);
  // "_get" bypasses the line channel: standard output only.
  EXPECT_EQ(output.str(), "feature time=0 myname=\"Kelvo 3.2\"\npong 3\naccepted\n4\n");
  EXPECT_EQ(Game::instance().playState, 0);
}

TEST_F(CommandTest, DumpGoesToTheHostAsDebugText) {
  ScriptedHost host(true, {});
  run(host, {"new", "_dump 12"});
  ASSERT_EQ(host.debug.size(), 1u);
  EXPECT_EQ(host.debug[0].second, 0);
  const std::string& dump = host.debug[0].first;
  EXPECT_EQ(dump.substr(dump.size() - 32), "White: 03 : 00\nBlack: 03 : 00\n0\n");
}

TEST_F(CommandTest, EditModeReadsItsLinesFromTheHost) {
  ScriptedHost host(false, {"#", "Ke1", "c", "Ke8", "Qd8", "."});
  run(host, {"new", "edit", "_get d8", "_get d1"});
  EXPECT_EQ(output.str(), "accepted\n27\n-1\n");
  EXPECT_TRUE(host.script.empty());
}

TEST_F(CommandTest, QuitStopsDispatching) {
  ScriptedHost host(false, {});
  EngineIO::instance().setHost(&host);
  EXPECT_TRUE(dispatchCommand("ping 1"));
  EXPECT_FALSE(dispatchCommand("quit"));
  EXPECT_FALSE(dispatchCommand("quit now"));
  EXPECT_TRUE(dispatchCommand("quitter"));
}

TEST_F(CommandTest, StopRequestIsSetByQuestionMark) {
  ScriptedHost host(false, {});
  EngineIO::instance().stopRequested = false;
  run(host, {"?"});
  EXPECT_TRUE(EngineIO::instance().stopRequested);
  EngineIO::instance().stopRequested = false;
}

TEST_F(CommandTest, ResultOnlySetsThePlayState) {
  ScriptedHost host(false, {});
  run(host, {"new", "force", "e2e4", "result 1-0 {x}"});
  EXPECT_EQ(Game::instance().playState, 1);
  EXPECT_EQ(Game::instance().history.size(), 2u);
}

}  // namespace
