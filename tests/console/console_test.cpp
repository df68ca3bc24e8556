// Engine sessions whose checks go beyond comparing replies: files the engine
// writes and reads, the opening book, signals and the command-line tools.

#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "kelvo_process.h"
#include "reply_patterns.h"

namespace {

const std::string INITIAL_PICTURE =
    "\n"
    " r  n  b  q  k  b  n  r \n"
    " p  p  p  p  p  p  p  p \n"
    " .  .  .  .  .  .  .  . \n"
    " .  .  .  .  .  .  .  . \n"
    " .  .  .  .  .  .  .  . \n"
    " .  .  .  .  .  .  .  . \n"
    " P  P  P  P  P  P  P  P \n"
    " R  N  B  Q  K  B  N  R \n";

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

TEST(Console, ShowLegalListsEachMoveTwiceThenAnEmptyLine) {
  TemporaryDirectory directory;
  const KelvoRun run = runKelvo(directory.path(), {"new", "_showlegal"});
  ASSERT_EQ(run.lines.size(), 1u + 20 * 3);
  std::set<std::string> moves;
  for (std::size_t i = 1; i < run.lines.size(); i += 3) {
    EXPECT_EQ(run.lines[i + 1], run.lines[i]);
    EXPECT_EQ(run.lines[i + 2], "");
    moves.insert(run.lines[i]);
  }
  EXPECT_EQ(moves.size(), 20u);
  EXPECT_TRUE(moves.count("Nf3") && moves.count("e4") && moves.count("a3"));
}

TEST(Console, WritePosThenClearThenReadPosRestoresEverySquare) {
  TemporaryDirectory directory;
  const KelvoRun run = runKelvo(directory.path(), {"new", "force", "e2e4", "_writepos", "_clear", "_get e1",
                                                   "_readpos", "undo", "_get e1", "_get e4", "_get d8", "e7e5"});
  const std::vector<std::string> expected = {"accepted", "accepted", "-1", "accepted", "4", "8", "27"};
  EXPECT_EQ(run.lines, expected);
  // The history restarted at the read position, so nothing was left to undo;
  // Black was to move before "_readpos" and still is, so e7e5 is played silently.
  std::string picture = INITIAL_PICTURE;
  picture.replace(picture.find(" P  P  P  P  P "), 15, " P  P  P  P  . ");
  picture.replace(picture.rfind(" .  .  .  .  .  .  .  . \n .  .  .  .  .  .  .  . \n P"), 24,
                  " .  .  .  .  P  .  .  . ");
  EXPECT_EQ(directory.readFile("pos.log"), picture);
}

TEST(Console, WritePosInTheInitialPositionWritesThePicture) {
  TemporaryDirectory directory;
  runKelvo(directory.path(), {"new", "_writepos"});
  EXPECT_EQ(directory.readFile("pos.log"), INITIAL_PICTURE);
}

TEST(Console, ShortPositionFileChangesOnlyTheSquaresItHolds) {
  TemporaryDirectory directory;
  directory.writeFile("pos.log", "\n .  .  .  K ");
  const KelvoRun run =
      runKelvo(directory.path(), {"new", "_readpos", "_get a8", "_get d8", "_get e8", "_get e1", "_get a1"});
  const std::vector<std::string> expected = {"accepted", "accepted", "-1", "4", "28", "4", "0"};
  EXPECT_EQ(run.lines, expected);
}

TEST(Console, WithoutTheLogSwitchNoLogFileIsCreated) {
  TemporaryDirectory directory;
  runKelvo(directory.path(), {"new", "_dump", "e2e4"});
  EXPECT_TRUE(directory.filesMatching("deb", ".log").empty());
  EXPECT_TRUE(directory.filesMatching("log", ".log").empty());
}

TEST(Console, LogSwitchWritesTranscriptAndDump) {
  TemporaryDirectory directory;
  const KelvoRun run = runKelvo(directory.path(), {"new", "_dump 3", "protover 2", "ping 1"}, {"--log"});
  EXPECT_EQ(run.exitStatus, 0);
  const std::vector<std::string> transcripts = directory.filesMatching("deb", ".log");
  ASSERT_EQ(transcripts.size(), 1u);
  const std::string number = transcripts[0].substr(3, transcripts[0].size() - 7);
  ASSERT_TRUE(isNumber(number, false)) << number;
  EXPECT_LE(std::stoi(number), 100);
  EXPECT_TRUE(number == "0" || number[0] != '0') << number;
  EXPECT_EQ(directory.readFile(transcripts[0]),
            "< new\n> accepted\n< _dump 3\n< protover 2\n> Error (unknown command)\n\n< ping 1\n> pong 1\n");
  EXPECT_EQ(directory.readFile("log" + number + ".log"), INITIAL_PICTURE + "White: 03 : 00\nBlack: 03 : 00\n0\n");
}

TEST(Console, LogNumberIsTheSameOnEveryRun) {
  TemporaryDirectory first;
  TemporaryDirectory second;
  runKelvo(first.path(), {}, {"--log"});
  runKelvo(second.path(), {}, {"--log"});
  EXPECT_EQ(first.filesMatching("deb", ".log"), second.filesMatching("deb", ".log"));
}

// The dump is the only place the clock shows, so level and time are checked through it.
TEST(Console, LevelAndTimeShowInTheDump) {
  struct Case {
    std::vector<std::string> input;
    const char* white;
    const char* black;
  };
  const Case cases[] = {
      {{"level 40 5 0", "new", "_dump"}, "05 : 00", "05 : 00"},
      {{"new", "level 40 5 0", "_dump"}, "03 : 00", "03 : 00"},
      {{"level 40 0:30 0", "new", "_dump"}, "00 : 00", "00 : 00"},
      {{"new", "time 6000", "_dump"}, "01 : 00", "03 : 00"},
      {{"new", "force", "e2e4", "time 5999", "_dump"}, "03 : 00", "00 : 59"},
      {{"new", "time -50", "_dump"}, "OUT", "03 : 00"},
  };
  for (const Case& c : cases) {
    TemporaryDirectory directory;
    runKelvo(directory.path(), c.input, {"--log"});
    const std::vector<std::string> logs = directory.filesMatching("log", ".log");
    ASSERT_EQ(logs.size(), 1u);
    const std::vector<std::string> lines = linesOf(directory.readFile(logs[0]));
    ASSERT_EQ(lines.size(), 12u) << c.input[0];
    EXPECT_EQ(lines[9], std::string("White: ") + c.white) << c.input[0];
    EXPECT_EQ(lines[10], std::string("Black: ") + c.black) << c.input[0];
  }
}

TEST(Console, LoadPgnPlaysTheFirstGameWithoutReply) {
  TemporaryDirectory directory;
  directory.writeFile("game.pgn",
                      "[Event \"a\"]\n[Result \"*\"]\n\n1. e4 e5 2. Nf3 *\n\n[Event \"b\"]\n\n1. d4 d5 *\n");
  const KelvoRun run = runKelvo(directory.path(), {"_loadpgn game.pgn", "_get f3", "_get e5", "_get d4", "undo",
                                                   "undo", "undo", "b8c6", "_loadpgn missing.pgn", "_get e2"});
  ASSERT_EQ(run.lines.size(), 7u);
  EXPECT_EQ(run.lines[0], "1");
  EXPECT_EQ(run.lines[1], "16");
  EXPECT_EQ(run.lines[2], "-1");
  // The history starts after the first move, so only two plies can be taken back.
  EXPECT_EQ(run.lines[3], "accepted");
  EXPECT_EQ(run.lines[4], "accepted");
  // The engine player answers for the side to move, here White.
  EXPECT_TRUE(isMoveLine(run.lines[5])) << run.lines[5];
  // A file that cannot be read still starts a new game.
  EXPECT_EQ(run.lines[6], "8");
}

TEST(Console, TinyBookAnswersFromTheBookUntilASearchEmptiesIt) {
  TemporaryDirectory directory;
  directory.writeFile("aperturas.pgn", "1. e4 e5 2. Nf3 Nc6 *\n");
  const KelvoRun run = runKelvo(directory.path(), {"new", "post", "go", "new", "post", "e2e4", "g1f3", "d2d4",
                                                   "new", "post", "e2e4"});
  ASSERT_EQ(run.lines.size(), 10u);
  // Book moves come without thinking lines.
  const std::vector<std::string> bookPart = {"accepted", "move e2e4", "accepted", "move e7e5", "move b8c6"};
  EXPECT_EQ(std::vector<std::string>(run.lines.begin(), run.lines.begin() + 5), bookPart);
  // 3. d4 is not in the book: searched, with a thinking line; the book is gone
  // for the next game, so 1. e4 is searched too.
  EXPECT_TRUE(isThinkingLine(run.lines[5])) << run.lines[5];
  EXPECT_TRUE(isMoveLine(run.lines[6]));
  EXPECT_EQ(run.lines[7], "accepted");
  EXPECT_TRUE(isThinkingLine(run.lines[8])) << run.lines[8];
  EXPECT_TRUE(isMoveLine(run.lines[9]));
}

TEST(Console, BeforeNewTheGameHoldsTheLastBookGame) {
  TemporaryDirectory directory;
  directory.writeFile("aperturas.pgn", "1. e4 e5 2. Nf3 Nc6 *\n");
  const KelvoRun run = runKelvo(directory.path(), {"_get c6", "f1c4", "_get c4"});
  const std::vector<std::string> expected = {"25", "2"};
  EXPECT_EQ(run.lines, expected);
}

TEST(Console, InterruptSignalIsIgnored) {
  TemporaryDirectory directory;
  KelvoProcess engine(directory.path());
  std::string line;
  engine.writeLine("ping 1");
  ASSERT_TRUE(engine.readLine(line));
  EXPECT_EQ(line, "pong 1");
  engine.signal(SIGINT);
  engine.writeLine("new");
  engine.writeLine("e2e4");
  ASSERT_TRUE(engine.readLine(line));
  EXPECT_EQ(line, "accepted");
  ASSERT_TRUE(engine.readLine(line));
  EXPECT_TRUE(isMoveLine(line)) << line;
  engine.closeInput();
  EXPECT_FALSE(engine.readLine(line));
  EXPECT_EQ(engine.wait(), 0);
}

TEST(Console, EndOfInputInEditModeEndsTheProgram) {
  TemporaryDirectory directory;
  const KelvoRun run = runKelvo(directory.path(), {"new", "edit", "Ke4"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.lines, std::vector<std::string>{"accepted"});
}

TEST(Console, CarriageReturnIsPartOfTheLineEnd) {
  TemporaryDirectory directory;
  KelvoProcess engine(directory.path());
  engine.writeRaw("ping 5\r\nnew\r\ne2e5\r\n");
  engine.closeInput();
  std::vector<std::string> lines;
  for (std::string line; engine.readLine(line);) lines.push_back(line);
  const std::vector<std::string> expected = {"pong 5", "accepted", "Illegal move: "};
  EXPECT_EQ(lines, expected);
}

TEST(Console, PerftDividesTheInitialPosition) {
  TemporaryDirectory directory;
  const KelvoRun run = runKelvo(directory.path(), {}, {"perft", "2"});
  EXPECT_EQ(run.exitStatus, 0);
  ASSERT_EQ(run.lines.size(), 22u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_TRUE(isSquareText(run.lines[i], 0) && isSquareText(run.lines[i], 2)) << run.lines[i];
    EXPECT_EQ(run.lines[i].substr(4), ": 20");
  }
  EXPECT_EQ(run.lines[20], "");
  EXPECT_EQ(run.lines[21], "Nodes searched: 400");
}

TEST(Console, PerftReadsAFenFromTheRemainingArguments) {
  TemporaryDirectory directory;
  const KelvoRun run = runKelvo(
      directory.path(), {},
      {"perft", "2", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", "w", "KQkq", "-", "0", "1"});
  EXPECT_EQ(run.exitStatus, 0);
  ASSERT_EQ(run.lines.size(), 48u + 2);
  EXPECT_EQ(run.lines.back(), "Nodes searched: 2039");
}

TEST(Console, PerftRejectsAnUnreadableFen) {
  TemporaryDirectory directory;
  const KelvoRun run = runKelvo(directory.path(), {}, {"perft", "2", "not-a-fen"});
  EXPECT_NE(run.exitStatus, 0);
  EXPECT_TRUE(run.lines.empty());
}

TEST(Console, BenchSearchesThePositionsOfAFile) {
  TemporaryDirectory directory;
  directory.writeFile("suite.txt", "# one position\n\nrnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1\n");
  const KelvoRun run = runKelvo(directory.path(), {}, {"bench", (directory.path() / "suite.txt").string()});
  EXPECT_EQ(run.exitStatus, 0);
  const auto nodes = std::find_if(run.lines.begin(), run.lines.end(),
                                  [](const std::string& line) { return line.rfind("Nodes searched", 0) == 0; });
  EXPECT_NE(nodes, run.lines.end());
}

}  // namespace
