// Whatever an interface, a file or a hand-made position throws at the engine,
// it gives the reply it defines (often none), stays alive to answer the next
// "ping" and ends with status 0 at the end of input. Under the sanitizer build
// a memory error ends the process abnormally, which fails the same checks.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "kelvo_process.h"
#include "reply_patterns.h"

namespace {

using Lines = std::vector<std::string>;

std::string joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += "  [" + line + "]\n";
  return text;
}

// The lines between "pong <from>" and "pong <to>".
Lines between(const Lines& lines, const std::string& from, const std::string& to) {
  Lines part;
  bool inside = false;
  for (const std::string& line : lines) {
    if (line == "pong " + to) return part;
    if (inside) part.push_back(line);
    if (line == "pong " + from) inside = true;
  }
  ADD_FAILURE() << "no pong " << from << " ... pong " << to << " in\n" << joined(lines);
  return {};
}

// "_showlegal" writes each move twice, the second time followed by an empty line.
Lines legalMoves(const Lines& listing) {
  Lines moves;
  EXPECT_EQ(listing.size() % 3, 0u) << joined(listing);
  for (std::size_t i = 0; i + 2 < listing.size(); i += 3) {
    EXPECT_EQ(listing[i], listing[i + 1]);
    EXPECT_EQ(listing[i + 2], "");
    moves.push_back(listing[i]);
  }
  return moves;
}

bool contains(const Lines& lines, const std::string& line) { return std::ranges::find(lines, line) != lines.end(); }

class BadInput : public testing::Test {
 protected:
  // No case needs more than a few seconds; a hang is killed and fails here.
  KelvoRun run(const Lines& input) {
    KelvoRun result = runKelvo(directory.path(), input, {}, std::chrono::seconds(60));
    EXPECT_FALSE(result.timedOut) << joined(result.lines);
    EXPECT_EQ(result.exitStatus, 0) << joined(result.lines);
    return result;
  }

  TemporaryDirectory directory;
};

TEST_F(BadInput, BinaryBytesAndNulInALine) {
  const Lines input = {
      std::string("\x01\x02\xff\xfe", 4),  // not a command, nor a move
      std::string("\0", 1),
      std::string("ping 5\0x", 8),         // NUL inside the argument
      std::string("pi\0ng 6", 7),          // NUL inside the command word
      "telluser \x80\x81\xff",
      "\x1b[31m",
      "ping 7\r",
      "ping 8",
  };
  const Lines expected = {ERROR_LINE + input[0], ERROR_LINE + input[1], std::string("pong 5\0x", 8),
                          ERROR_LINE + std::string("pi\0ng", 5), "telluser \x80\x81\xff", ERROR_LINE + input[5],
                          "pong 7", "pong 8"};
  const Lines output = run(input).lines;
  EXPECT_EQ(output, expected) << joined(output);
}

// UCI: every go still ends in a bestmove, and the engine answers "isready" at the end.
TEST_F(BadInput, UciSurvivesBrokenPositionsOptionsAndGoArguments) {
  std::string manyMoves = "position startpos moves";
  for (int i = 0; i < 5000; ++i) manyMoves += " g1f3 g8f6 f3g1 f6g8";
  const Lines input = {"uci", std::string("position fen \xff\0 w", 17), "position fen 8/8/8/8/8/8/8/8",
                       "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e9 0 1", manyMoves,
                       "position fen 4k3/8/8/8/8/8/8/4K2R w KQkq e3 0 1 moves e1c1", "go searchmoves zz e1c1 e2e4x",
                       "setoption", "setoption name", "setoption name Skill Level value 99999999999999999999",
                       "go depth -5 movetime x nodes", "position startpos moves e2e4", "go wtime -1 btime 0 movestogo",
                       std::string(100000, 'x'), "isready"};
  const Lines output = run(input).lines;
  EXPECT_EQ(std::ranges::count_if(output, isBestMoveLine), 3) << joined(output);
  EXPECT_EQ(output.back(), "readyok") << joined(output);
}

TEST_F(BadInput, VeryLongLinesKeepTheirFirst127Characters) {
  const Lines input = {
      std::string(1 << 20, 'a'),
      "ping 9" + std::string(5000, ' ') + "tail",
      "telluser " + std::string(1 << 20, 'z'),
      std::string(126, ' ') + "ping 10",  // only its "p" is kept
      "ping 11",
  };
  const Lines expected = {ERROR_LINE + std::string(127, 'a'), "pong 9", "telluser " + std::string(118, 'z'),
                          ERROR_LINE + "p", "pong 11"};
  const Lines output = run(input).lines;
  EXPECT_EQ(output, expected) << joined(output);
}

TEST_F(BadInput, EndOfInputInEditModeEndsTheEngine) {
  const Lines output = run({"new", "edit", "#", "Ke4", "Qd4"}).lines;
  EXPECT_EQ(output, Lines{"accepted"});
}

TEST_F(BadInput, QuitInEditModeIsAnEditLine) {
  const Lines output = run({"new", "edit", "quit", ".", "ping 3"}).lines;
  EXPECT_EQ(output, (Lines{"accepted", "pong 3"}));
}

// "_loadpgn" never replies; a file it cannot read leaves the new game's
// initial position, whose 20 moves "_showlegal" then lists.
struct UnreadableFile {
  const char* name;
  void (*create)(const TemporaryDirectory&);
};

void PrintTo(const UnreadableFile& file, std::ostream* out) { *out << file.name; }

std::string binaryBytes() {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>((i * 151 + 7) % 256));
  return bytes;
}

const UnreadableFile UNREADABLE_FILES[] = {
    {"Missing", [](const TemporaryDirectory&) {}},
    {"Directory", [](const TemporaryDirectory& d) { std::filesystem::create_directory(d.path() / "game.pgn"); }},
    {"Empty", [](const TemporaryDirectory& d) { d.writeFile("game.pgn", ""); }},
    {"Binary", [](const TemporaryDirectory& d) { d.writeFile("game.pgn", binaryBytes()); }},
    {"OnlyTags", [](const TemporaryDirectory& d) { d.writeFile("game.pgn", "[Event \"x\"]\n[Site \"y\""); }},
    {"OpenComment", [](const TemporaryDirectory& d) { d.writeFile("game.pgn", "{ never closed"); }},
    // A NUL byte ends the readable text: the game after the zeros is not read.
    {"NulBytes", [](const TemporaryDirectory& d) { d.writeFile("game.pgn", std::string(65536, '\0') + "1. e4 e5 *"); }},
    {"DevZero", [](const TemporaryDirectory& d) { std::filesystem::create_symlink("/dev/zero", d.path() / "game.pgn"); }},
};

class UnreadablePgn : public BadInput, public testing::WithParamInterface<UnreadableFile> {};

TEST_P(UnreadablePgn, LoadsNothingAndAnswers) {
  GetParam().create(directory);
  const Lines output = run({"_loadpgn game.pgn", "ping 1", "_showlegal", "ping 2", "go", "ping 3"}).lines;
  ASSERT_FALSE(output.empty());
  EXPECT_EQ(output[0], "pong 1");
  const Lines moves = legalMoves(between(output, "1", "2"));
  EXPECT_TRUE(moves.size() == 20 && contains(moves, "Nf3") && contains(moves, "e4")) << joined(moves);
  const Lines reply = between(output, "2", "3");
  ASSERT_EQ(reply.size(), 1u) << joined(output);
  EXPECT_TRUE(isMoveLine(reply[0])) << reply[0];
}

// The same files as the opening book: the engine starts, and searches.
TEST_P(UnreadablePgn, AsTheBookLeavesItEmpty) {
  GetParam().create(directory);
  if (std::filesystem::exists(directory.path() / "game.pgn"))
    std::filesystem::rename(directory.path() / "game.pgn", directory.path() / "aperturas.pgn");
  const Lines output = run({"ping 1", "new", "post", "e2e4", "ping 2"}).lines;
  ASSERT_EQ(output.size(), 5u) << joined(output);
  EXPECT_EQ(output[0], "pong 1");
  EXPECT_TRUE(isThinkingLine(output[2])) << output[2];
  EXPECT_TRUE(isMoveLine(output[3])) << output[3];
  EXPECT_EQ(output[4], "pong 2");
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadablePgn, testing::ValuesIn(UNREADABLE_FILES),
                         [](const auto& info) { return std::string(info.param.name); });

// Each ply keeps a whole position; a game file without end would exhaust memory,
// so reading stops after 20,000 plies: here with the knights back home.
TEST_F(BadInput, LoadPgnOfAnEndlessGameIsCut) {
  std::string game;
  for (int i = 0; i < 25000; ++i) game += "Nf3 Nf6 Ng1 Ng8 ";
  directory.writeFile("endless.pgn", game + "Nf3 Nf6 *\n");
  const Lines output = run({"_loadpgn endless.pgn", "_get g1", "_get f3", "_get g8", "ping 1"}).lines;
  EXPECT_EQ(output, (Lines{"1", "-1", "25", "pong 1"})) << joined(output);
}

TEST_F(BadInput, ReadPosOfATruncatedFileKeepsTheSquaresNotRead) {
  // Rank 8 read as empty, then a7..d7 empty and a black king on e7; the rest is missing.
  directory.writeFile("pos.log", "\n . . . . . . . .\n . . . . k");
  const Lines input = {"new",    "_readpos",   "_get e8", "_get e7", "_get f7",
                       "_get e1", "_showlegal", "ping 1", "go",      "ping 2"};
  const Lines output = run(input).lines;
  ASSERT_GE(output.size(), 6u) << joined(output);
  EXPECT_EQ(Lines(output.begin(), output.begin() + 6), (Lines{"accepted", "accepted", "-1", "28", "16", "4"}));
  const Lines reply = between(output, "1", "2");
  ASSERT_EQ(reply.size(), 1u) << joined(output);
  EXPECT_TRUE(isMoveLine(reply[0])) << reply[0];
}

TEST_F(BadInput, ReadPosOfAMissingOrBinaryFileAnswers) {
  const Lines missing = run({"new", "_readpos", "_get e1", "ping 1"}).lines;
  EXPECT_EQ(missing, (Lines{"accepted", "accepted", "4", "pong 1"}));
  directory.writeFile("pos.log", binaryBytes());
  const Lines binary = run({"new", "_readpos", "_showlegal", "go", "ping 1"}).lines;
  ASSERT_GE(binary.size(), 2u);
  EXPECT_EQ(binary[1], "accepted");
  EXPECT_EQ(binary.back(), "pong 1") << joined(binary);
}

// Positions no game reaches, set up in edit mode, then listed and searched.
struct OddPosition {
  const char* name;
  Lines setup;    // lines after "new", "force"
  std::size_t legalCount;  // 0: not checked
  const char* someMove;    // a move "_showlegal" must list, or nullptr
  bool engineResigns;
};

void PrintTo(const OddPosition& position, std::ostream* out) { *out << position.name; }

Lines twentyQueens() {
  Lines lines = {"edit", "#", "Ka1"};
  for (const char* square : {"a3", "b3", "c3", "d3", "e3", "f3", "g3", "h3", "a4", "b4", "c4", "d4", "e4", "f4",
                             "g4", "h4", "b5", "c5", "d5", "e5"})
    lines.push_back(std::string("Q") + square);
  lines.insert(lines.end(), {"c", "Kh8", "."});
  return lines;
}

const OddPosition ODD_POSITIONS[] = {
    {"NoKings", {"edit", "#", "Ra1", "c", "Rh1", "."}, 14, "Rxh1", false},
    {"OneKing", {"edit", "#", "Ke1", "."}, 5, "Kf2", false},
    {"OneKingOfTheSideNotToMove", {"e2e4", "edit", "#", "Ke1", "."}, 0, nullptr, true},
    {"TwentyQueens", twentyQueens(), 0, nullptr, false},
    {"PawnsOnTheFirstAndLastRanks",
     {"edit", "#", "Ka3", "Pe1", "Pe8", "c", "Kh6", "Pa1", "Ph8", "."}, 0, "e2", false},
    {"BlackPawnsOnTheFirstAndLastRanks",
     {"e2e4", "edit", "#", "Ka3", "Pe1", "Pe8", "c", "Kh6", "Pa1", "Pd8", "."}, 0, "d7", false},
    {"StrayPieceCodes", {"_set e4 200", "_set d4 5", "_set c4 31", "_set h5 127", "_set a6 -1"}, 0, nullptr, false},
};

class OddPositions : public BadInput, public testing::WithParamInterface<OddPosition> {};

TEST_P(OddPositions, AreListedAndSearched) {
  const OddPosition& position = GetParam();
  Lines input = {"new", "force"};
  input.insert(input.end(), position.setup.begin(), position.setup.end());
  input.insert(input.end(), {"ping 1", "_showlegal", "ping 2", "go", "ping 3", "_showlegal", "ping 4"});
  const Lines output = run(input).lines;

  const Lines moves = legalMoves(between(output, "1", "2"));
  EXPECT_LE(moves.size(), 256u);
  if (position.legalCount || position.engineResigns) {
    EXPECT_EQ(moves.size(), position.legalCount) << joined(moves);
  }
  if (position.someMove) {
    EXPECT_TRUE(contains(moves, position.someMove)) << joined(moves);
  }

  const Lines reply = between(output, "2", "3");
  ASSERT_FALSE(reply.empty()) << joined(output);
  if (position.engineResigns) {
    EXPECT_EQ(reply, Lines{"resign"});
  } else {
    EXPECT_TRUE(isMoveLine(reply[0]) || reply[0] == "resign") << reply[0];
  }
  legalMoves(between(output, "3", "4"));
}

INSTANTIATE_TEST_SUITE_P(Kelvo, OddPositions, testing::ValuesIn(ODD_POSITIONS),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
