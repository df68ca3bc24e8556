// A real chess interface: xboard runs a two-game match between kelvo and
// fairymax without a display. Both games must end in a chess result, never by
// an illegal move, a crash or a protocol error. The game file and xboard's
// debug log stay in the build tree for inspection.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const XBOARD = "/usr/games/xboard";
const char* const FAIRYMAX = "/usr/games/fairymax";
const char* const XVFB_RUN = "/usr/bin/xvfb-run";

std::string readText(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

std::vector<std::string> linesContaining(const std::string& text, const std::string& needle) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.find(needle) != std::string::npos) lines.push_back(line);
  return lines;
}

TEST(XboardMatch, TwoGamesAgainstFairymaxEndInChessResults) {
  for (const char* program : {XBOARD, FAIRYMAX, XVFB_RUN})
    if (!fs::exists(program)) GTEST_SKIP() << program << " is not installed";

  const fs::path directory = KELVO_MATCH_DIR, games = directory / "games.pgn", debugLog = directory / "xboard.debug";
  fs::remove_all(directory);
  fs::create_directories(directory);

  // Depth 3 keeps fairymax quick; kelvo ignores "sd" and searches its fixed 4
  // plies. Five minutes plus five seconds a move: nobody runs out of time.
  const std::string command =
      std::string(XVFB_RUN) + " -a " + XBOARD + " -noGUI -xexit -matchGames 2 -fcp " + KELVO_PATH + " -fd " +
      directory.string() + " -scp " + FAIRYMAX + " -sd " + directory.string() + " -depth 3 -tc 5 -inc 5 -xponder" +
      " -saveSettingsOnExit false -settingsFile /dev/null -sgf " + games.string() + " -debug -nameOfDebugFile " +
      debugLog.string() + " > " + (directory / "xboard.out").string() + " 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << command;
  EXPECT_EQ(WEXITSTATUS(status), 0) << command;

  const std::string pgn = readText(games);
  const std::vector<std::string> results = linesContaining(pgn, "[Result ");
  ASSERT_EQ(results.size(), 2u) << pgn;
  for (const std::string& result : results)
    EXPECT_TRUE(result == "[Result \"1-0\"]" || result == "[Result \"0-1\"]" || result == "[Result \"1/2-1/2\"]")
        << result;

  // How xboard saw each game end: no forfeit for an illegal move, a false
  // claim, a crash or running out of time.
  const std::string debug = readText(debugLog);
  for (const char* fault : {"llegal move", "False", "xited", "crash", "on time", "forfeit", "ailed to start"}) {
    for (const std::string& line : linesContaining(debug, "GameEnds("))
      EXPECT_EQ(line.find(fault), std::string::npos) << line;
    for (const std::string& line : linesContaining(pgn, "{")) EXPECT_EQ(line.find(fault), std::string::npos) << line;
  }
}

}  // namespace
