// Scripted sessions against the built engine, compared line by line. Each runs
// in a fresh directory holding only the session's files, without "aperturas.pgn"
// unless given, so every engine move is searched.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "kelvo_process.h"
#include "reply_patterns.h"

namespace {

// Stand-ins for replies whose text depends on the search.
const std::string ENGINE_MOVE = "<engine move>";
const std::string THINKING = "<thinking line>";
const std::string BESTMOVE = "<bestmove>";
const std::string INFO = "<info lines>";  // one or more: a deepening search writes one per iteration
const std::string THINKING_LINES = "<thinking lines>";  // the same for xboard's thinking lines
const std::string HINT = "<hint>";
const std::string FEATURES =
    "feature ping=1 setboard=1 playother=1 san=0 usermove=1 time=1 draw=1 sigint=0 sigterm=0 reuse=1 analyze=1 "
    "colors=0 name=1 ics=0 pause=0 nps=0 debug=0 memory=1 smp=1 exclude=0 highlight=0 "
    "variants=\"normal\" myname=\"Kelvo 3.2\"";
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
  if (expected == BESTMOVE) return isBestMoveLine(actual);
  // A bestmove may name the answer it expects; the test names the move.
  if (expected.rfind("bestmove ", 0) == 0 && actual.rfind(expected + " ponder ", 0) == 0) return isBestMoveLine(actual);
  if (expected == HINT) return actual.rfind("Hint: ", 0) == 0 && isMoveLine("move " + actual.substr(6));
  return expected == actual;
}

bool sameReplies(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
  std::size_t at = 0;
  for (const std::string& line : expected) {
    if (line == THINKING_LINES) {
      if (at == actual.size() || !isThinkingLine(actual[at])) return false;
      while (at < actual.size() && isThinkingLine(actual[at])) ++at;
      continue;
    }
    if (at == actual.size() || !(line == INFO ? isInfoLine(actual[at]) : lineMatches(line, actual[at++]))) return false;
    while (line == INFO && at < actual.size() && isInfoLine(actual[at])) ++at;
  }
  return at == actual.size();
}

// The answer to "uci", then the replies that follow it.
std::vector<std::string> uci(std::vector<std::string> replies) {
  std::vector<std::string> lines = {"id name Kelvo 3.2",
                                    "id author the Kelvo developers",
                                    "option name OwnBook type check default true",
                                    "option name BookFile type string default aperturas.pgn",
                                    "option name Skill Level type spin default 4 min 1 max 10",
                                    "option name Hash type spin default 16 min 1 max 1024",
                                    "option name Clear Hash type button",
                                    "option name Threads type spin default 1 min 1 max " +
                                        std::to_string(std::max(1u, std::thread::hardware_concurrency())),
                                    "option name Move Overhead type spin default 0 min 0 max 5000",
                                    "option name Ponder type check default false",
                                    "option name MultiPV type spin default 1 min 1 max 16",
                                    "option name UCI_LimitStrength type check default false",
                                    "option name UCI_Elo type spin default 838 min 227 max 2150",
                                    "option name UCI_AnalyseMode type check default false",
                                    "uciok"};
  lines.insert(lines.end(), replies.begin(), replies.end());
  return lines;
}

// A game of 41 plies, more than a line of the xboard protocol holds.
const std::string LONG_GAME = [] {
  std::string moves;
  for (int i = 0; i < 10; ++i) moves += " g1f3 g8f6 f3g1 f6g8";
  return "position startpos moves" + moves + " e2e4";
}();

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
  EXPECT_TRUE(sameReplies(session.expected, run.lines)) << session.name << "\nexpected " << testing::PrintToString(session.expected) << "\ngot "
                    << testing::PrintToString(run.lines);
}

std::string endlessGame() {
  std::string game;
  for (int i = 0; i < 25000; ++i) game += "Nf3 Nf6 Ng1 Ng8 ";
  return game + "Nf3 Nf6 *\n";
}

// The same knight dance as UCI moves, longer than a UCI line may be.
std::string endlessMoves() {
  std::string moves;
  for (int i = 0; i < 5000; ++i) moves += " g1f3 g8f6 f3g1 f6g8";
  return moves;
}

const Session SESSIONS[] = {
    {"FeatureLineAndPingWithCarriageReturnsInTheLineEnds",
     {"xboard\r", "ping 12\r", "ping"},
     {"feature time=0 myname=\"Kelvo 3.2\"", "pong 12", "pong "}},
    {"ProtocolTwoFeaturesEndWithDone",
     {"xboard", "protover 2", "accepted usermove", "rejected pause", "protover 1", "option Nivel=12", "protover 3"},
     {"feature time=0 myname=\"Kelvo 3.2\"", FEATURES, "feature option=\"Nivel -spin 4 1 10\"", "feature done=1",
      "telluser Nivel=12 is out of range: level 10", FEATURES, "feature option=\"Nivel -spin 10 1 10\"",
      "feature done=1"}},
    // A value that is no number changes nothing and says so; one out of range is clamped.
    {"LevelOptionValuesNameTheirFault",
     {"option Nivel=abc", "option Nivel=", "option Nivel=-3", "option Nivel=7", "protover 2"},
     {"Error (not a whole number): option Nivel=abc", "Error (not a whole number): option Nivel=",
      "telluser Nivel=-3 is out of range: level 1", FEATURES, "feature option=\"Nivel -spin 7 1 10\"",
      "feature done=1"}},
    {"UnknownWordsGetTheErrorLineNamingThem",
     {"frobnicate", "", "x", "   ", "\t \t", "e2e", "`1a1", std::string(10000, ' ')},
     {ERROR_LINE + "frobnicate", ERROR_LINE + "x", ERROR_LINE + "e2e", ERROR_LINE + "`1a1"}},
    {"CommandsWithoutAReplyAreSilent",
     {"st 10", "hard", "sd 3", "accepted done", "?", "result 1-0 {resign}", "post", "nopost", "level 40 5 0",
      "time 6000", "otim 30000", "easy", "random", "name Fred", "computer", "rating 2100 1800", "ics -", "pause",
      "resume", "memory 64", "cores 2", "egtpath syzygy /tb", "option Hash=1", "variant normal", "nps 1000",
      "exit", ".", "draw", "ping 1"},
     {"pong 1"}},
    {"TellUserEchoesTheWholeLineUpTo127Characters",
     {"telluser hello there", "tellusererror  a  b c d e f", "telluser " + std::string(200, 'y')},
     {"telluser hello there", "tellusererror  a  b c d e f", "telluser " + std::string(118, 'y')}},
    {"QuitEndsTheSession", {"ping 1", "quit", "ping 2"}, {"pong 1"}},
    // Before "new" moves are tested against the empty board.
    {"IllegalMovesAndMoveWordsOffTheBoard",
     {"e2e4", "new", "e9e4", "i2i4", "q1a1", "a1q1", "`1a1", "E2E4", "e2", "e2e", "e2e5", "_get a2", "e2e4"},
     {ILLEGAL + "e2e4", "accepted", ILLEGAL + "e9e4", ILLEGAL + "i2i4", ILLEGAL + "q1a1", ILLEGAL + "a1q1",
      ERROR_LINE + "`1a1", ILLEGAL + "E2E4", ILLEGAL + "e2", ERROR_LINE + "e2e", ILLEGAL + "e2e5", "8", ENGINE_MOVE}},
    {"RemoveTakesBackBothPlies",
     {"new", "undo", "remove", "e2e4", "remove", "_get e2", "_get e4", "undo"},
     {"accepted", ENGINE_MOVE, "accepted", "8", "-1"}},
    {"UndoRestoresTheSideToMove", {"new", "force", "e2e4", "undo", "e7e5", "e2e4"}, {"accepted", "accepted", ILLEGAL + "e7e5"}},
    {"ForceRecordsMovesAndGoPlaysTheSideToMove",
     {"new", "force", "e2e4", "e7e5", "go", "b8c6"},
     {"accepted", ENGINE_MOVE, ENGINE_MOVE}},
    {"PostingHoldsThroughNewAndGo",
     {"post", "new", "go", "nopost", "new", "go", "post", "playother", "usermove e7e5", "usermove e7e6"},
     {"accepted", THINKING, ENGINE_MOVE, "accepted", ENGINE_MOVE, THINKING, ENGINE_MOVE, ILLEGAL + "e7e6"}},
    {"PostSendsOneThinkingLineBeforeTheMoveUntilNoPost",
     {"new", "post", "e2e4", "nopost", "d2d4"},
     {"accepted", THINKING, ENGINE_MOVE, ENGINE_MOVE}},
    {"WhiteMakesTheEnginePlayWhite", {"new", "force", "e2e4", "white", "e7e5"}, {"accepted", ENGINE_MOVE}},
    {"BlackMakesTheEnginePlayBlack", {"new", "force", "black", "e2e4"}, {"accepted", ENGINE_MOVE}},
    {"HumanHumanOnlyRecords", {"new", "_humanhuman", "e2e4", "e7e5", "_get e5"}, {"accepted", "16"}},
    {"WhiteMatesAndTheEngineResignsForBlack",
     {"new", "force", "e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7", "go", "undo", "h5f7"},
     {"accepted", "1-0 {Checkmate}", "resign", "accepted", "1-0 {Checkmate}"}},
    {"Stalemate",
     {"new", "force", "edit", "#", "Kb6", "Qc1", "c", "Ka8", ".", "c1c7"},
     {"accepted", "1/2-1/2 {Stalemate}"}},
    {"BareKings",
     {"new", "force", "edit", "#", "Ka1", "c", "Kh8", "Ra2", ".", "a1a2"},
     {"accepted", "1/2-1/2 {Insufficient material}"}},
    {"ThreeKnightCyclesDrawByRepetition",
     {"new", "force", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "ping 6",
      "f6g8", "g1f3"},
     {"accepted", "pong 6", "1/2-1/2 {Drawn_by_repetition}", "1/2-1/2 {Drawn_by_repetition}"}},
    {"EditModeSetsSquaresOnly",
     {"new",     "edit",    "#",       "Ke1",  "Qd1", "c",   "Ke8",     "Pd7",     "xd1",     "Kz9",
      "K",       "Ke",      "Qi1",     "Kq1",  "",    "Zc3", ".",       "_get e1", "_get e8", "_get d7",
      "_get d1", "_get a2", "_get c3", "edit", "Pa3", ".",   "_get a3", "d7d5"},
     {"accepted", "4", "28", "16", "-1", "-1", "-1", "8", ILLEGAL + "d7d5"}},
    {"SetAndGetSquares",
     {"new", "_set e4 8", "_get e4", "_get e5", "_set e4 -1", "_get e4", "_set e4 300", "_get e4", "_set z9 3",
      "_set q1 3", "_get a2", "_get z9", "_get", "_get e", "_set", "ping 9"},
     {"accepted", "8", "-1", "-1", "44", "8", "pong 9"}},
    {"DumpIsSilentAndClearEmptiesEverySquare",
     {"new", "_dump 17", "_dump", "_clear", "_get e1", "_get d8", "e2e4"},
     {"accepted", "-1", "-1", ILLEGAL + "e2e4"}},
    {"FivePlyPromotionLettersAndDefaultQueen",
     {"new",   "force",     "edit",     "#",     "Ka1",     "Pb7",   "c",      "Kh1",     "Pg2",
      ".",     "_writepos", "_readpos", "b7b8n", "_get b8", "undo",  "b7b8",   "_get b8", "undo",
      "b7b8R", "_get b8",   "undo",     "b7b8b", "_get b8", "undo",  "b7b8=N", "_get b8", "undo",
      "b7b8k", "_get b8",   "undo",     "b7c8q", "b7b8q",   "g2g1r", "_get g1"},
     {"accepted", "accepted", "accepted", "1", "accepted", "3", "accepted", "0", "accepted", "2", "accepted", "1",
      "accepted", "3", "accepted", ILLEGAL + "b7c8q", "24"}},
    {"EnginePromotesWithALetterAndMates",
     {"new", "force", "edit", "#", "Kg1", "Pf2", "Pg2", "Ph2", "Pa7", "c", "Kh8", "Pf7", "Pg7", "Ph7", ".", "white",
      "go"},
     {"accepted", "move a7a8q", "1-0 {Checkmate}"}},  // "go" adjudicates after its move
    // UCI, chosen by the first command for the whole run.
    {"UciIgnoresUnknownWordsAndOptionsAndAnswersIsReady",
     {"uci", "xyzzy", "joho isready", "debug on", "xyzzy", "debug off", "xboard", "setoption name Nonsense value 3",
      "setoption name Skill Level value x", "setoption name OwnBook value maybe",
      "setoption name BookFile value missing.pgn", "isready", "quit", "isready"},
     uci({"readyok", "info string unknown command xyzzy", "info string BookFile missing.pgn: cannot be read",
          "readyok"})},
    // Numbers past any meaning saturate: no overflow (the sanitizer build aborts on one), a bestmove each.
    {"UciHostileNumbersSaturate",
     {"uci", "go wtime 9223372036854775807 btime 9223372036854775807 winc 9223372036854775807 binc 9223372036854775807 depth 2",
      "go movetime 9223372036854775807 depth 2", "go nodes 99999999999999999999 depth 2",
      "go depth 9223372036854775807 nodes 3000", "go wtime 300 movestogo 9223372036854775807",
      "setoption name Skill Level value 10", "go wtime 9223372036854775807 winc 9223372036854775807 depth 2",
      "go wtime -9223372036854775808 winc -9223372036854775808"},
     uci({INFO, BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE, INFO,
          BESTMOVE})},
    {"UciBookFileThatIsNoFileIsRefusedAtOnce",
     {"uci", "setoption name BookFile value folder", "isready"},
     uci({"info string BookFile folder: not a regular file", "readyok"}),
     {{"folder", A_DIRECTORY}}},
    {"UciEveryGoFormEndsInOneBestMove",
     {"uci", "go depth 2", "go movetime 50", "go wtime 900 btime 800 winc 10 binc 10 movestogo 20", "go nodes 500",
      "go", "go mate 2", "go infinite", "stop", "go ponder", "ponderhit", "go infinite"},
     uci({INFO, BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE, INFO,
          BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE})},
    // Each searchmoves move is legal only if the moves before it were played right.
    {"UciPositionsWithCastlingEnPassantAndPromotion",
     {"uci", "position startpos moves e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1 f8c5", "go depth 1 searchmoves f1e1",
      "position startpos moves e2e4 a7a6 e4e5 d7d5", "go searchmoves e5d6",
      "position fen rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "go searchmoves e5f6",
      "position fen 8/P6k/8/8/8/8/8/K7 w - - 0 1 moves a7a8n h7g7 a8b6 g7g6", "go searchmoves b6d5",
      "position fen 8/P6k/8/8/8/8/8/K7 w - - 0 1", "go depth 4", "go searchmoves a7a8r",
      "position fen 8/8/8/8/8/8/2pK3k/8 b - - 0 1 moves c2c1n", "go searchmoves d2c1"},
     uci({INFO, "bestmove f1e1", INFO, "bestmove e5d6", INFO, "bestmove e5f6", INFO, "bestmove b6d5", INFO,
          "bestmove a7a8q", INFO, "bestmove a7a8r", INFO, "bestmove d2c1"})},
    {"UciIgnoresBadPositionsAndMovesFromTheFirstIllegalOne",
     {"uci", "position startpos moves e2e4 e2e4 e7e5", "go searchmoves e7e5", "position fen 8/8/8/8/8/8/8/8 w - - 0 1",
      "position fen k7/8/8/8/8/8/8/K6Q w - - 0 1", "position fen garbage", "position", "go searchmoves e7e5", LONG_GAME,
      "go searchmoves e7e5"},
     uci({INFO, "bestmove e7e5", INFO, "bestmove e7e5", INFO, "bestmove e7e5"})},
    // No resignation in UCI: a lost side plays on; only a mated one answers 0000.
    {"UciPlaysOnWhenLostAndHoldsAnInfiniteBestMoveUntilStop",
     {"uci", "position fen k7/8/1K6/8/8/8/8/7R b - - 0 1", "go depth 4", "position fen 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1",
      "go infinite", "isready", "stop"},
     uci({INFO, "bestmove a8b8", "info depth 0 score mate 0", "readyok", "bestmove 0000"})},
    // Illegal set-ups change nothing (the empty board is pychess's way to stop an
    // analysis: no error); "go" also adjudicates its own move.
    {"SetBoardHintAndGoMating",
     {"new", "force", "setboard 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "hint", "setboard 8/8/8/8/8/8/8/8 w - - 0 1",
      "setboard 4k3/8/8/8/8/8/8/4K2P w - - 0 1", "setboard 4k3/8/8/8/8/8/8/4R1K1 w - - 0 1", "setboard", "_get a1",
      "go"},
     {"accepted", "Hint: a1a8", "tellusererror Illegal position: a pawn on the first or last rank",
      "tellusererror Illegal position: the side to move can capture the king", "tellusererror Illegal position", "0",
      "move a1a8", "1-0 {Checkmate}"}},
    // The fifty moves count on from a set-up position's clock; read from a file, it has none.
    {"SetBoardClockCountsTowardsTheFiftyMoves",
     {"new", "force", "setboard 7k/8/8/8/8/8/8/R6K w - - 98 70", "_writepos", "_readpos", "a1a2", "h8g8", "ping 1",
      "setboard 7k/8/8/8/8/8/8/R6K w - - 98 70", "a1a2", "ping 2", "h8g8"},
     {"accepted", "accepted", "accepted", "pong 1", "pong 2", "1/2-1/2 {Fifty move rule}"}},
    {"HintLeavesTheGameAlone",
     {"new", "e2e4", "hint", "remove", "_get e4", "_get e2", "undo"},
     {"accepted", ENGINE_MOVE, HINT, "accepted", "-1", "8"}},
    // A queen and a rook down, the engine takes a draw; even, it plays on.
    {"DrawAcceptedOnlyWhenLosing",
     {"new", "draw", "e2e4", "draw", "force", "setboard 7k/8/8/8/8/8/8/1QR1K3 w - - 0 1", "playother", "e1e2", "draw"},
     {"accepted", ENGINE_MOVE, ENGINE_MOVE, "offer draw"}},
    // What the three interfaces send, from their debug logs.
    {"GnomeChessSpeaksVersionOneAndNeverSendsNew",
     {"xboard", "random", "easy", "force", "g1f3", "go", "force", "b1c3", "go"},
     {"feature time=0 myname=\"Kelvo 3.2\"", ENGINE_MOVE, ENGINE_MOVE}},
    // gnome-chess 43 with the README's engines.conf lines, Hard, from kelvo's transcripts.
    {"GnomeChessHardOverCecp",
     {"xboard", "random", "option Nivel=10", "force", "g1f3", "go", "force", "d2d4", "go"},
     {"feature time=0 myname=\"Kelvo 3.2\"", ENGINE_MOVE, ENGINE_MOVE}},
    {"GnomeChessEasyOverUci",
     {"uci", "ucinewgame", "setoption name Skill Level value 1", "isready", "position startpos moves e2e4",
      "go wtime 30000 btime 30000"},
     uci({"readyok", INFO, BESTMOVE})},
    {"PychessPlaysThenAnalysesAndStopsWithAnEmptyBoard",
     {"xboard", "protover 2", "accepted ping", "accepted done", "new", "post", "hard", "easy", "level 0 5 0",
      "time 30000", "otim 30000", "usermove e2e4", "force", "post", "analyze", "usermove g1f3", "exit",
      "setboard 8/8/8/8/8/8/8/8 w - - 0 1", "result 1/2-1/2 {?}"},
     {"feature time=0 myname=\"Kelvo 3.2\"", FEATURES, "feature option=\"Nivel -spin 4 1 10\"", "feature done=1",
      "accepted", THINKING, ENGINE_MOVE, THINKING_LINES}},
    {"XboardStartsAMatchGame",
     {"xboard", "protover 2", "accepted ping", "accepted done", "new", "level 0 5 5", "sd 3", "post", "hard", "easy",
      "ping 1", "force", "computer", "name Fairy-Max 5.0b", "time 30000", "otim 30000", "go", "time 30499",
      "otim 30499", "usermove b8c6", "result 0-1 {White resigns}", "force", "ping 4"},
     {"feature time=0 myname=\"Kelvo 3.2\"", FEATURES, "feature option=\"Nivel -spin 4 1 10\"", "feature done=1",
      "accepted", "pong 1", THINKING, ENGINE_MOVE, THINKING, ENGINE_MOVE, "pong 4"}},
    // Each change of the position is analysed; moves get no reply.
    {"AnalyzeFollowsMovesUndoAndNew",
     {"new", "force", "analyze", "e2e4", ".", "undo", "new", "exit", "e2e4", "ping 1"},
     {"accepted", THINKING_LINES, "accepted", THINKING_LINES, "accepted", THINKING_LINES, "pong 1"}},
    {"BinaryBytesAndNulInALine",
     {std::string("\x01\x02\xff\xfe", 4), std::string("\0", 1), std::string("ping 5\0x", 8), std::string("pi\0ng 6", 7),
      "telluser \x80\x81\xff", "\x1b[31m", "ping 7\r", "ping 8"},
     {ERROR_LINE + std::string("\x01\x02\xff\xfe", 4), ERROR_LINE + std::string("\0", 1), std::string("pong 5\0x", 8),
      ERROR_LINE + std::string("pi\0ng", 5), "telluser \x80\x81\xff", ERROR_LINE + "\x1b[31m", "pong 7", "pong 8"}},
    {"VeryLongLinesKeepTheirFirst127Characters",
     {std::string(1 << 20, 'a'), "ping 9" + std::string(5000, ' ') + "tail", "telluser " + std::string(1 << 20, 'z'),
      std::string(126, ' ') + "ping 10", "ping 11"},  // of the last but one only its "p" is kept
     {ERROR_LINE + std::string(127, 'a'), "pong 9", "telluser " + std::string(118, 'z'), ERROR_LINE + "p", "pong 11"}},
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
     {"accepted", "resign"}},
    // UCI: broken positions, options and go arguments; every go still ends in a bestmove.
    {"UciSurvivesBrokenPositionsOptionsAndGoArguments",
     {"uci", std::string("position fen \xff\0 w", 17), "position fen 8/8/8/8/8/8/8/8",
      "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e9 0 1", "position startpos moves" + endlessMoves(),
      "position fen 4k3/8/8/8/8/8/8/4K2R w KQkq e3 0 1 moves e1c1", "go searchmoves zz e1c1 e2e4x", "setoption",
      "setoption name", "setoption name Skill Level value -99999999999999999999", "go depth -5 movetime x nodes",
      "position startpos moves e2e4", "go wtime -1 btime 0 movestogo", std::string(100000, 'x')},
     uci({INFO, BESTMOVE, INFO, BESTMOVE, INFO, BESTMOVE})},
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
