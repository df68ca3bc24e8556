// A real chess interface: xboard runs a two-game match between kelvo and each
// opponent without a display. Every game must end in a chess result: a mate,
// a resignation or a draw by the rules, never by an illegal move, a false
// claim, a crash, a broken pipe or the clock. The game file and xboard's debug
// log stay in the build tree for inspection.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const XBOARD = "/usr/games/xboard";
const char* const XVFB_RUN = "/usr/bin/xvfb-run";

// xboard's codes for a finished game; 0 marks the reset before a game.
constexpr int WHITE_WINS = 26, BLACK_WINS = 27, GAME_DRAWN = 28;

struct GameEnd {
  int result = 0;
  std::string reason;
};

bool contains(const std::string& text, const std::string& word) { return text.find(word) != std::string::npos; }

// The first GameEnds call of each game in xboard's debug log: later calls for
// the same game only repeat it. An empty reason (a result line without braces)
// is taken from the engine line that ended the game.
std::vector<GameEnd> gameEnds(const std::string& debugLog) {
  std::vector<GameEnd> ends;
  std::string engineLine;
  bool ended = false;
  std::istringstream in(debugLog);
  for (std::string line; std::getline(in, line);) {
    for (const char* from : {"<first : ", "<second: "})
      if (const std::size_t at = line.find(from); at != std::string::npos) engineLine = line.substr(at + 9);
    const std::size_t first = line.find(", "), last = line.rfind(", ");
    if (line.rfind("GameEnds(", 0) != 0 || first == std::string::npos || last <= first) continue;
    const int result = std::atoi(line.c_str() + 9);
    if (result == 0) {
      ended = false;
      continue;
    }
    if (ended) continue;
    ended = true;
    std::string reason = line.substr(first + 2, last - first - 2);
    if (reason.empty() || reason == "(null)") reason = engineLine;
    ends.push_back({result, reason});
  }
  return ends;
}

// Why the game end is not a chess result, or "" when it is one. Unknown
// reasons fail too: only what the rules end a game with is accepted.
std::string notAChessResult(const GameEnd& end) {
  std::string reason = end.reason;
  std::transform(reason.begin(), reason.end(), reason.begin(), [](unsigned char c) { return std::tolower(c); });
  if (end.result != WHITE_WINS && end.result != BLACK_WINS && end.result != GAME_DRAWN)
    return "unfinished (" + std::to_string(end.result) + ")";
  for (const char* fault : {"false", "illegal", "invalid", "forfeit", "error", "exit", "flag", "time", "crash", "fail"})
    if (contains(reason, fault)) return "a fault";
  // "Stalemate" and "mating material" hold "mate": draws are recognised first.
  for (const char* draw : {"stalemate", "repetition", "insufficient", "material", "move rule", "agreed"})
    if (contains(reason, draw)) return end.result == GAME_DRAWN ? "" : "a draw scored as a win";
  for (const char* win : {"mate", "resign"})
    if (contains(reason, win)) return end.result != GAME_DRAWN ? "" : "a win scored as a draw";
  return "no chess reason";
}

TEST(XboardGameEnds, OnlyChessResultsPass) {
  const struct {
    const char* log;
    std::vector<std::string> faults;  // one per game
  } cases[] = {
      // kelvo's own result lines; the repeated call at the end and the resets do not count.
      {"GameEnds(0, (null), 2)\n12826 <first : 0-1 resign\nGameEnds(27, , 5)\n"
       "12826 >second: ping 2\nGameEnds(27, , 2)\nGameEnds(0, (null), 2)\n"
       "900 <first : 1/2-1/2 Drawn_by_repetition\nGameEnds(28, , 5)\n",
       {"", ""}},
      {"5 <first : 1/2-1/2 Insufficient material.\nGameEnds(28, , 5)\n"
       "6 <first : 1-0 Checkmate\nGameEnds(0, (null), 2)\nGameEnds(26, , 5)\n",
       {"", ""}},
      {"7 <second: 0-1 {Black mates}\nGameEnds(27, Black mates, 6)\nGameEnds(0, (null), 2)\n"
       "GameEnds(28, Xboard adjudication: Stalemate, 4)\nGameEnds(0, (null), 2)\n"
       "GameEnds(26, Xboard adjudication: Checkmate, 4)\nGameEnds(0, (null), 2)\n"
       "8 <second: 1/2-1/2 {50-move rule}\nGameEnds(28, 50-move rule, 6)\n",
       {"", "", "", ""}},
      // fairymax crashed: the pipe broke, which the old word list let through.
      {"GameEnds(26, Error writing to second chess program, 4)\n", {"a fault"}},
      {"GameEnds(27, Xboard: Forfeit due to invalid move: g1f3 (g1f3) res=27, 4)\n", {"a fault"}},
      {"GameEnds(27, White's flag fell, 4)\n", {"a fault"}},
      {"GameEnds(29, xboard exit, 4)\n", {"unfinished (29)"}},
      {"GameEnds(26, False win claim: '1-0', 4)\n", {"a fault"}},
      {"3 <first : 1/2-1/2 Stalemate\nGameEnds(26, , 5)\n", {"a draw scored as a win"}},
      {"3 <second: move e2e4\nGameEnds(28, , 5)\n", {"no chess reason"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> faults;
    for (const GameEnd& end : gameEnds(c.log)) faults.push_back(notAChessResult(end));
    EXPECT_EQ(faults, c.faults) << c.log;
  }
}

// For each game kelvo played: whether its first move came from the book (no
// thinking line since the "new" before it). And when the first "new" was sent,
// in milliseconds from xboard's start: without done=1 xboard waits seconds.
struct KelvoStart {
  long firstNew = -1;
  std::vector<bool> bookOpenings;
};

KelvoStart kelvoStart(const std::string& debugLog) {
  KelvoStart start;
  bool awaiting = false, searched = false;
  std::istringstream in(debugLog);
  for (std::string line; std::getline(in, line);) {
    if (contains(line, ">first : new")) {
      if (start.firstNew < 0) start.firstNew = std::atol(line.c_str());
      awaiting = true;
      searched = false;
    } else if (const std::size_t at = line.find("<first : "); awaiting && at != std::string::npos) {
      const std::string reply = line.substr(at + 9);
      searched = searched || std::isdigit(static_cast<unsigned char>(reply[0]));
      if (reply.rfind("move ", 0) == 0) {
        start.bookOpenings.push_back(!searched);
        awaiting = false;
      }
    }
  }
  return start;
}

std::string readText(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

struct Opponent {
  const char* name;
  std::vector<const char*> programs;  // needed besides xboard
  const char* xboardArguments;        // the engine commands and their settings
};

void PrintTo(const Opponent& opponent, std::ostream* out) { *out << opponent.name; }

const Opponent OPPONENTS[] = {
    // fairymax 5.0b crashes by itself now and then when told "computer".
    {"fairymax", {"/usr/games/fairymax"}, "-scp /usr/games/fairymax -secondComputerString ''"},
    // phalanx ignores "sd"; a tenth of the time keeps its moves to about a second.
    {"phalanx", {"/usr/games/phalanx"}, "-scp '/usr/games/phalanx -l-' -secondTimeOdds 10"},
    // kelvo as a UCI engine, which xboard reaches through Debian's polyglot.
    {"fairymax_uci", {"/usr/games/fairymax", "/usr/games/polyglot"},
     "-fUCI -adapterCommand '/usr/games/polyglot -noini -ec \"%fcp\" -ed \"%fd\"' -scp /usr/games/fairymax "
     "-secondComputerString ''"},
};

class XboardMatch : public testing::TestWithParam<Opponent> {};

TEST_P(XboardMatch, TwoGamesEndInChessResults) {
  const Opponent& opponent = GetParam();
  std::vector<const char*> programs = opponent.programs;
  programs.insert(programs.end(), {XBOARD, XVFB_RUN});
  for (const char* program : programs)
    if (!fs::exists(program)) GTEST_SKIP() << program << " is not installed";

  const fs::path directory = fs::path(KELVO_MATCH_DIR) / opponent.name;
  const fs::path games = directory / "games.pgn", debugLog = directory / "xboard.debug";
  fs::remove_all(directory);
  fs::create_directories(directory);
  const bool withBook = fs::exists(KELVO_BOOK);
  if (withBook) fs::copy_file(KELVO_BOOK, directory / "aperturas.pgn");

  // Depth 3 keeps fairymax quick; kelvo ignores "sd" and searches its fixed 4
  // plies. Five minutes plus five seconds a move: nobody runs out of time.
  const std::string command =
      std::string(XVFB_RUN) + " -a " + XBOARD + " -noGUI -xexit -matchGames 2 -fcp " + KELVO_PATH + " -fd " +
      directory.string() + " " + opponent.xboardArguments + " -sd " + directory.string() +
      " -depth 3 -tc 5 -inc 5 -xponder -saveSettingsOnExit false -settingsFile /dev/null -sgf " + games.string() +
      " -debug -nameOfDebugFile " + debugLog.string() + " > " + (directory / "xboard.out").string() + " 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << command;
  EXPECT_EQ(WEXITSTATUS(status), 0) << command;

  const std::string pgn = readText(games);
  const auto count = [&pgn](const char* pattern) {
    const std::regex regex(pattern);
    return std::distance(std::sregex_iterator(pgn.begin(), pgn.end(), regex), std::sregex_iterator());
  };
  EXPECT_EQ(count(R"(\[Result )"), 2) << pgn;
  EXPECT_EQ(count(R"re(\[Result "(1-0|0-1|1/2-1/2)"\])re"), 2) << pgn;

  const std::string log = readText(debugLog);
  const KelvoStart start = kelvoStart(log);
  EXPECT_GE(start.firstNew, 0);
  EXPECT_LE(start.firstNew, 1000) << "feature negotiation waited";
  if (withBook) {
    EXPECT_EQ(start.bookOpenings, std::vector<bool>(2, true)) << debugLog;
  }
  const std::vector<GameEnd> ends = gameEnds(log);
  EXPECT_EQ(ends.size(), 2u) << debugLog;
  for (const GameEnd& end : ends)
    EXPECT_EQ(notAChessResult(end), "") << "GameEnds(" << end.result << ", " << end.reason << ") in " << debugLog;
}

INSTANTIATE_TEST_SUITE_P(Against, XboardMatch, testing::ValuesIn(OPPONENTS),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
