// Engine sessions whose checks go beyond comparing replies: files the engine
// writes and reads, the opening book, signals and the command-line tools.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "kelvo_process.h"
#include "reply_patterns.h"

namespace {

using Lines = std::vector<std::string>;

const std::string INITIAL_PICTURE =
    "\n r  n  b  q  k  b  n  r \n p  p  p  p  p  p  p  p \n"
    " .  .  .  .  .  .  .  . \n .  .  .  .  .  .  .  . \n .  .  .  .  .  .  .  . \n .  .  .  .  .  .  .  . \n"
    " P  P  P  P  P  P  P  P \n R  N  B  Q  K  B  N  R \n";

TEST(Console, WritePosThenReadPosRestoresThePositionAndRestartsTheHistory) {
  TemporaryDirectory directory;
  const KelvoRun run = runKelvo(
      directory.path(), {"new", "_writepos", "force", "e2e4", "_dump", "_readpos", "_get e4", "_get e2", "undo"});
  EXPECT_EQ(run.lines, (Lines{"accepted", "accepted", "accepted", "-1", "8"}));
  EXPECT_EQ(directory.readFile("pos.log"), INITIAL_PICTURE);
  // Without "--log" the dump goes nowhere.
  EXPECT_TRUE(directory.filesMatching("deb", ".log").empty() && directory.filesMatching("log", ".log").empty());
}

// pos.log is replaced whole through a file beside it: a link keeps pointing at
// the file it names; a pos.log that cannot be replaced stays and is reported.
TEST(Console, WritePosReplacesTheFileWholeOrReportsWhy) {
  TemporaryDirectory directory;
  std::filesystem::create_symlink("real.log", directory.path() / "pos.log");
  EXPECT_EQ(runKelvo(directory.path(), {"new", "_writepos"}).lines, (Lines{"accepted", "accepted"}));
  EXPECT_TRUE(std::filesystem::is_symlink(directory.path() / "pos.log"));
  EXPECT_EQ(directory.readFile("real.log"), INITIAL_PICTURE);
  std::filesystem::remove(directory.path() / "pos.log");
  std::filesystem::create_directory(directory.path() / "pos.log");
  EXPECT_EQ(runKelvo(directory.path(), {"new", "_writepos"}).lines,
            (Lines{"accepted", "tellusererror Could not write pos.log: Is a directory", "accepted"}));
}

TEST(Console, LogSwitchWritesTranscriptAndDump) {
  TemporaryDirectory directory;
  runKelvo(directory.path(), {"new", "_dump 3", "frobnicate", "ping 1"}, {"--log"});
  runKelvo(directory.path(), {"new"}, {"--log"});  // a later session takes the next number
  const Lines transcripts = directory.filesMatching("deb", ".log");
  ASSERT_EQ(transcripts.size(), 2u);
  const std::string first = transcripts[directory.readFile(transcripts[0]) == "< new\n> accepted\n" ? 1 : 0];
  ASSERT_TRUE(std::regex_match(first, std::regex(R"(deb(\d|[1-9]\d|100)\.log)"))) << first;
  EXPECT_EQ(directory.readFile(first),
            "< new\n> accepted\n< _dump 3\n< frobnicate\n> Error (unknown command): frobnicate\n< ping 1\n> pong 1\n");
  EXPECT_EQ(directory.readFile("log" + first.substr(3)),
            INITIAL_PICTURE + "White: 03 : 00\nBlack: 03 : 00\n0\n");
}

// The dump is the only place the clock shows, so level and time are checked through it.
TEST(Console, LevelAndTimeShowInTheDump) {
  const std::tuple<Lines, const char*, const char*> cases[] = {
      {{"level 40 5 0", "new", "_dump"}, "05 : 00", "05 : 00"},
      {{"new", "level 40 5 0", "_dump"}, "03 : 00", "03 : 00"},
      {{"level 40 0:30 0", "new", "_dump"}, "00 : 30", "00 : 30"},
      {{"new", "time 6000", "_dump"}, "01 : 00", "03 : 00"},
      {{"new", "force", "e2e4", "time 5999", "_dump"}, "03 : 00", "00 : 59"},
      {{"new", "time -50", "_dump"}, "OUT", "03 : 00"},
  };
  for (const auto& [input, white, black] : cases) {
    TemporaryDirectory directory;
    runKelvo(directory.path(), input, {"--log"});
    const Lines logs = directory.filesMatching("log", ".log");
    ASSERT_EQ(logs.size(), 1u);
    const std::string clocks = std::string("\nWhite: ") + white + "\nBlack: " + black + "\n";
    EXPECT_NE(directory.readFile(logs[0]).find(clocks), std::string::npos) << input[0] << " " << input[1];
  }
}

TEST(Console, LoadPgnPlaysTheFirstGameWithoutReply) {
  TemporaryDirectory directory;
  directory.writeFile("game.pgn",
                      "[Event \"a\"]\n[Result \"*\"]\n\n1. e4 e5 2. Nf3 *\n\n[Event \"b\"]\n\n1. d4 d5 *\n");
  KelvoRun run = runKelvo(directory.path(), {"_loadpgn game.pgn", "_get f3", "_get e5", "_get d4", "undo", "undo",
                                             "undo", "b8c6", "_loadpgn missing.pgn", "_get e2"});
  ASSERT_EQ(run.lines.size(), 7u);
  // The engine player answers for the side to move, here White.
  EXPECT_TRUE(isMoveLine(run.lines[5])) << run.lines[5];
  run.lines[5] = "move";
  // The history starts after the first move, so only two plies can be taken
  // back; a file that cannot be read still starts a new game.
  EXPECT_EQ(run.lines, (Lines{"1", "16", "-1", "accepted", "accepted", "move", "8"}));
}

// Leaving the book searches (with a thinking line, as posting holds) for the
// rest of that game only: the next game starts in the book again.
TEST(Console, BookInTheWorkingDirectoryAnswersWithoutThinkingInEveryGame) {
  TemporaryDirectory directory;
  directory.writeFile("aperturas.pgn", "[A \"1\"]\n1. e4 e5 2. Nf3 Nc6 *\n\n[A \"2\"]\n1. e4 e5 2. Nf3 Nf6 *\n");
  // Before "new" the game holds the last book game.
  KelvoRun run = runKelvo(directory.path(), {"_get f6", "new", "post", "e2e4", "d2d4", "new", "bk", "e2e4", "g1f3"});
  ASSERT_EQ(run.lines.size(), 10u);
  EXPECT_TRUE(isThinkingLine(run.lines[3]) && isMoveLine(run.lines[4])) << run.lines[3] << "\n" << run.lines[4];
  run.lines.erase(run.lines.begin() + 3, run.lines.begin() + 5);
  EXPECT_TRUE(run.lines[7] == "move b8c6" || run.lines[7] == "move g8f6") << run.lines[7];
  run.lines[7] = "move";
  EXPECT_EQ(run.lines, (Lines{"25", "accepted", "move e7e5", "accepted", " e2e4 2", "", "move e7e5", "move"}));
}

// UCI: the same book, another file as the book, and no book; a book move comes without an info line.
TEST(Console, UciBookFileAndOwnBook) {
  TemporaryDirectory directory;
  directory.writeFile("aperturas.pgn", "1. e4 e5 *\n");
  directory.writeFile("d4.pgn", "1. d4 *\n");
  const KelvoRun run = runKelvo(directory.path(), {"uci", "position startpos moves e2e4", "go",
                                                   "setoption name BookFile value d4.pgn", "ucinewgame", "go",
                                                   "setoption name OwnBook value false", "go"});
  const std::size_t header = 15;  // the answer to "uci"
  ASSERT_EQ(run.lines.size(), header + 4);
  EXPECT_EQ(run.lines[header - 1], "uciok");
  EXPECT_EQ(Lines(run.lines.begin() + header, run.lines.begin() + header + 2), (Lines{"bestmove e7e5", "bestmove d2d4"}));
  EXPECT_TRUE(isInfoLine(run.lines[header + 2]) && run.lines[header + 3].rfind("bestmove d2d4", 0) != 0)
      << run.lines[header + 2] << "\n" << run.lines[header + 3];
}

// SIGINT (a terminal's Ctrl+C) between two commands, once the engine answered
// the first, must not end it.
TEST(Console, InterruptSignalIsIgnored) {
  TemporaryDirectory directory;
  const KelvoRun run = runInShell(
      directory.path(),
      "(echo 'ping 1'; for i in $(seq 200); do grep -qs 'pong 1' out && break; sleep 0.05; done; "
      "kill -INT $(cat pid); echo 'ping 2') | "
      "sh -c 'echo $$ >pid; exec " KELVO_PATH " >out'; status=$?; cat out; exit $status");
  EXPECT_EQ(run.lines, (Lines{"pong 1", "pong 2"}));
  EXPECT_EQ(run.exitStatus, 0);
}

TEST(Console, PerftAndBenchSubcommands) {
  TemporaryDirectory directory;
  KelvoRun run = runKelvo(directory.path(), {}, {"perft", "2"});
  EXPECT_EQ(run.exitStatus, 0);
  ASSERT_EQ(run.lines.size(), 22u);
  for (int i = 0; i < 20; ++i)
    EXPECT_TRUE(std::regex_match(run.lines[i], std::regex("[a-h][1-8][a-h][1-8]: 20"))) << run.lines[i];
  EXPECT_EQ(run.lines[20], "");
  EXPECT_EQ(run.lines[21], "Nodes searched: 400");
  run = runKelvo(directory.path(), {},
                 {"perft", "2", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", "w", "KQkq", "-", "0", "1"});
  EXPECT_EQ(run.lines.size(), 48u + 2);
  EXPECT_EQ(run.lines.back(), "Nodes searched: 2039");
  run = runKelvo(directory.path(), {}, {"perft", "2", "not-a-fen"});
  EXPECT_NE(run.exitStatus, 0);
  EXPECT_TRUE(run.lines.empty());
  // The suite file's reading is the bench test's; here the subcommand runs it.
  directory.writeFile("suite.txt", "8/8/8/8/8/8/8/K6k w - - 0 1\n");
  EXPECT_EQ(runKelvo(directory.path(), {}, {"bench", (directory.path() / "suite.txt").string()}).exitStatus, 0);
}

}  // namespace
