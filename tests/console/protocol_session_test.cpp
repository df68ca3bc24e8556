// Scripted sessions against the built engine, compared line by line. Each runs
// in a fresh directory holding only the session's files, without "aperturas.pgn"
// unless given, so every engine move is searched.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "kelvo_process.h"
#include "reply_patterns.h"

namespace {

// Stand-ins for replies whose text depends on the search.
const std::string ENGINE_MOVE = "<engine move>";
const std::string THINKING = "<thinking line>";
// File contents that stand for something else than a file.
const std::string MISSING = "<missing>", A_DIRECTORY = "<directory>", DEV_ZERO = "</dev/zero>";

struct Session {
  const char* name;
  std::vector<std::string> input;
  std::vector<std::string> expected;
  std::vector<std::pair<std::string, std::string>> files = {};
};

void PrintTo(const Session& session, std::ostream* out) { *out << session.name; }

bool lineMatches(const std::string& expected, const std::string& actual) {
  if (expected == ENGINE_MOVE) return isMoveLine(actual) && actual.size() == 9;
  if (expected == THINKING) return isThinkingLine(actual);
  return expected == actual;
}

// No session needs more than a few seconds: a hung engine is killed and fails.
void expectSession(const Session& session) {
  TemporaryDirectory directory;
  for (const auto& [name, text] : session.files) {
    if (text == A_DIRECTORY)
      std::filesystem::create_directory(directory.path() / name);
    else if (text == DEV_ZERO)
      std::filesystem::create_symlink("/dev/zero", directory.path() / name);
    else if (text != MISSING)
      directory.writeFile(name, text);
  }
  const KelvoRun run = runKelvo(directory.path(), session.input, {}, std::chrono::seconds(60));
  EXPECT_EQ(run.exitStatus, 0) << session.name;
  bool same = run.lines.size() == session.expected.size();
  for (std::size_t i = 0; same && i < run.lines.size(); ++i) same = lineMatches(session.expected[i], run.lines[i]);
  EXPECT_TRUE(same) << session.name << "\nexpected " << testing::PrintToString(session.expected) << "\ngot "
                    << testing::PrintToString(run.lines);
}

std::string endlessGame() {
  std::string game;
  for (int i = 0; i < 25000; ++i) game += "Nf3 Nf6 Ng1 Ng8 ";
  return game + "Nf3 Nf6 *\n";
}

const Session SESSIONS[] = {
    {"FeatureLineAndPingWithCarriageReturnsInTheLineEnds",
     {"xboard\r", "ping 12\r", "ping"},
     {"feature time=0 myname=\"Kelvo 3.2\"", "pong 12", "pong "}},
    {"UnknownCommandsGetTheErrorLineAndAnEmptyLine",
     {"protover 2", "computer", "", "x", "   ", "\t \t", std::string(10000, ' ')},
     {ERROR_LINE, "", ERROR_LINE, "", ERROR_LINE, "", ERROR_LINE, "", ERROR_LINE, "", ERROR_LINE, "", ERROR_LINE, ""}},
    // Protocol words outside the command table are taken as moves.
    {"SilentCommandsAndProtocolWordsTakenAsMoves",
     {"st 10", "hard", "sd 3", "accepted done", "?", "result 1-0 {resign}", "post", "nopost", "level 40 5 0",
      "time 6000", "otim 30000", "easy", "random", "name Fred", "draw", "hint", "bk"},
     {ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL}},
    {"TellUserEchoesTheWholeLineUpTo127Characters",
     {"telluser hello there", "tellusererror  a  b c d e f", "telluser " + std::string(200, 'y')},
     {"telluser hello there", "tellusererror  a  b c d e f", "telluser " + std::string(118, 'y')}},
    {"QuitEndsTheSession", {"ping 1", "quit", "ping 2"}, {"pong 1"}},
    // Before "new" moves are tested against the empty board.
    {"IllegalMovesAndMoveWordsOffTheBoard",
     {"e2e4", "new", "e9e4", "i2i4", "q1a1", "a1q1", "`1a1", "E2E4", "e2", "e2e", "e2e5", "_get a2", "e2e4"},
     {ILLEGAL, "accepted", ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL, ILLEGAL, "8",
      ENGINE_MOVE}},
    {"RemoveTakesBackBothPlies",
     {"new", "undo", "remove", "e2e4", "remove", "_get e2", "_get e4", "undo"},
     {"accepted", ENGINE_MOVE, "accepted", "8", "-1"}},
    {"UndoRestoresTheSideToMove", {"new", "force", "e2e4", "undo", "e7e5", "e2e4"}, {"accepted", "accepted", ILLEGAL}},
    {"ForceRecordsMovesAndGoPlaysTheSideToMove",
     {"new", "force", "e2e4", "e7e5", "go", "b8c6"},
     {"accepted", ENGINE_MOVE, ENGINE_MOVE}},
    {"GoCreatesAPlayerWithPostingOff", {"new", "post", "go"}, {"accepted", ENGINE_MOVE}},
    {"PostSendsOneThinkingLineBeforeTheMoveUntilNoPost",
     {"new", "post", "e2e4", "nopost", "d2d4"},
     {"accepted", THINKING, ENGINE_MOVE, ENGINE_MOVE}},
    {"WhiteMakesTheEnginePlayWhite", {"new", "force", "e2e4", "white", "e7e5"}, {"accepted", ENGINE_MOVE}},
    {"BlackMakesTheEnginePlayBlack", {"new", "force", "black", "e2e4"}, {"accepted", ENGINE_MOVE}},
    {"HumanHumanOnlyRecords", {"new", "_humanhuman", "e2e4", "e7e5", "_get e5"}, {"accepted", "16"}},
    {"WhiteMatesAndTheEngineResignsForBlack",
     {"new", "force", "e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7", "go", "undo", "h5f7"},
     {"accepted", "1-0 Checkmate", "1-0 resign", "accepted", "1-0 Checkmate"}},
    {"Stalemate",
     {"new", "force", "edit", "#", "Kb6", "Qc1", "c", "Ka8", ".", "c1c7"},
     {"accepted", "1/2-1/2 Stalemate"}},
    {"BareKings",
     {"new", "force", "edit", "#", "Ka1", "c", "Kh8", "Ra2", ".", "a1a2"},
     {"accepted", "1/2-1/2 Insufficient material."}},
    {"ThreeKnightCyclesDrawByRepetition",
     {"new", "force", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "ping 6",
      "f6g8", "g1f3"},
     {"accepted", "pong 6", "1/2-1/2 Drawn_by_repetition", "1/2-1/2 Drawn_by_repetition"}},
    {"EditModeSetsSquaresOnly",
     {"new",     "edit",    "#",       "Ke1",  "Qd1", "c",   "Ke8",     "Pd7",     "xd1",     "Kz9",
      "K",       "Ke",      "Qi1",     "Kq1",  "",    "Zc3", ".",       "_get e1", "_get e8", "_get d7",
      "_get d1", "_get a2", "_get c3", "edit", "Pa3", ".",   "_get a3", "d7d5"},
     {"accepted", "4", "28", "16", "-1", "-1", "-1", "8", ILLEGAL}},
    {"SetAndGetSquares",
     {"new", "_set e4 8", "_get e4", "_get e5", "_set e4 -1", "_get e4", "_set e4 300", "_get e4", "_set z9 3",
      "_set q1 3", "_get a2", "_get z9", "_get", "_get e", "_set", "ping 9"},
     {"accepted", "8", "-1", "-1", "44", "8", "pong 9"}},
    {"DumpIsSilentAndClearEmptiesEverySquare",
     {"new", "_dump 17", "_dump", "_clear", "_get e1", "_get d8", "e2e4"},
     {"accepted", "-1", "-1", ILLEGAL}},
    {"FivePlyPromotionLettersAndDefaultQueen",
     {"new",   "force",     "edit",     "#",     "Ka1",     "Pb7",   "c",      "Kh1",     "Pg2",
      ".",     "_writepos", "_readpos", "b7b8n", "_get b8", "undo",  "b7b8",   "_get b8", "undo",
      "b7b8R", "_get b8",   "undo",     "b7b8b", "_get b8", "undo",  "b7b8=N", "_get b8", "undo",
      "b7b8k", "_get b8",   "undo",     "b7c8q", "b7b8q",   "g2g1r", "_get g1"},
     {"accepted", "accepted", "accepted", "1", "accepted", "3", "accepted", "0", "accepted", "2", "accepted", "1",
      "accepted", "3", "accepted", ILLEGAL, "24"}},
    {"EnginePromotesWithALetterAndMates",
     {"new", "force", "edit", "#", "Kg1", "Pf2", "Pg2", "Ph2", "Pa7", "c", "Kh8", "Pf7", "Pg7", "Ph7", ".", "white",
      "go"},
     {"accepted", "move a7a8q"}},
    {"BinaryBytesAndNulInALine",
     {std::string("\x01\x02\xff\xfe", 4), std::string("\0", 1), std::string("ping 5\0x", 8), std::string("pi\0ng 6", 7),
      "telluser \x80\x81\xff", "\x1b[31m", "ping 7\r", "ping 8"},
     {ILLEGAL, ERROR_LINE, "", std::string("pong 5\0x", 8), ILLEGAL, "telluser \x80\x81\xff", ILLEGAL, "pong 7", "pong 8"}},
    {"VeryLongLinesKeepTheirFirst127Characters",
     {std::string(1 << 20, 'a'), "ping 9" + std::string(5000, ' ') + "tail", "telluser " + std::string(1 << 20, 'z'),
      std::string(126, ' ') + "ping 10", "ping 11"},  // of the last but one only its "p" is kept
     {ERROR_LINE, "", "pong 9", "telluser " + std::string(118, 'z'), ERROR_LINE, "", "pong 11"}},
    {"EndOfInputInEditModeEndsTheEngine", {"new", "edit", "#", "Ke4", "Qd4"}, {"accepted"}},
    {"QuitInEditModeIsAnEditLine", {"new", "edit", "quit", ".", "ping 3"}, {"accepted", "pong 3"}},
    // Each ply keeps a whole position: reading stops after 20,000 plies, here with the knights back home.
    {"LoadPgnOfAnEndlessGameIsCut",
     {"_loadpgn endless.pgn", "_get g1", "_get f3", "_get g8", "ping 1"}, {"1", "-1", "25", "pong 1"},
     {{"endless.pgn", endlessGame()}}},
    // Rank 8 read as empty, then a7..d7 empty and a black king on e7; the rest is missing.
    {"ReadPosOfATruncatedFileKeepsTheSquaresNotRead",
     {"new", "_readpos", "_get e8", "_get e7", "_get f7", "_get e1", "go"},
     {"accepted", "accepted", "-1", "28", "16", "4", ENGINE_MOVE}, {{"pos.log", "\n . . . . . . . .\n . . . . k"}}},
    // "_showlegal" writes each move twice (straight and through the line channel), the second with an empty line.
    {"ShowLegalWritesEachMoveTwice",
     {"new", "force", "edit", "#", "Ka1", "Pb2", "c", "Kh8", ".", "_showlegal"},
     {"accepted", "Kb1", "Kb1", "", "Ka2", "Ka2", "", "b3", "b3", "", "b4", "b4", ""}},
    {"OneKingOfTheSideNotToMoveResigns", {"new", "force", "e2e4", "edit", "#", "Ke1", ".", "_showlegal", "go"},
     {"accepted", "1-0 resign"}},
    {"ReadPosOfAMissingFile", {"new", "_readpos", "_get e1", "ping 1"}, {"accepted", "accepted", "4", "pong 1"}},
};

class ProtocolSession : public testing::TestWithParam<Session> {};

TEST_P(ProtocolSession, RepliesLineByLine) { expectSession(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Kelvo, ProtocolSession, testing::ValuesIn(SESSIONS),
                         [](const testing::TestParamInfo<Session>& info) { return info.param.name; });

// A file "_loadpgn" cannot read leaves the new game's initial position; as the
// book it leaves the book empty, and the engine searches.
TEST(ProtocolSessions, UnreadableFilesLoadNothingAndTheEngineAnswers) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 151 + 7) % 256));
  for (const std::string& text : {MISSING, A_DIRECTORY, DEV_ZERO, std::string(), binary,
                                  std::string("[Event \"x\"]\n[Site \"y\""), std::string("{ never closed"),
                                  std::string(65536, '\0') + "1. e4 e5 *"}) {
    SCOPED_TRACE(testing::PrintToString(text.substr(0, 20)));
    expectSession({"game", {"_loadpgn game.pgn", "_get e2", "_get e4", "go"}, {"8", "-1", ENGINE_MOVE},
                   {{"game.pgn", text}}});
    expectSession({"book", {"ping 1", "new", "post", "e2e4"}, {"pong 1", "accepted", THINKING, ENGINE_MOVE},
                   {{"aperturas.pgn", text}}});
  }
}

}  // namespace
