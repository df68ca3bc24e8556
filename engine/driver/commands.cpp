#include "driver/commands.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <regex>
#include <sstream>
#include <thread>

#include "base/random.h"
#include "book/opening_book.h"
#include "book/pgn_file.h"
#include "driver/command_line.h"
#include "driver/debug_commands.h"
#include "driver/engine_io.h"
#include "driver/game.h"
#include "driver/protocol_text.h"
#include "driver/engine_session.h"
#include "driver/uci_protocol.h"
#include "position/move_gen.h"
#include "position/fen.h"
#include "position/notation.h"
#include "search/engine_player.h"

namespace {

const char* const UNKNOWN_COMMAND = "Error (unknown command): ";
const char* const ILLEGAL_MOVE = "Illegal move: ";
// A draw is worth taking when the engine's own last search has it this many
// centipawns down: a draw then beats the result it expects.
constexpr int DRAW_ACCEPTING_DEFICIT = 300;
// pychess asks for its strengths 1 to 18 by search depth alone.
constexpr int DEPTH_OF_TOP_LEVEL = 18;

// The console's loop goes on reading while the engine thinks; a loop driven
// line by line (the desktop app's worker, the tests) thinks inside the command.
bool thinkAside = false;

EngineSession& session() { return processSession(); }
SessionSettings& settings() { return session().settings; }
ThinkingThread& thinking() { return session().thinking; }

using ThinkingKind = ThinkingThread::Kind;

EngineIO& io() { return EngineIO::instance(); }
Game& game() { return Game::instance(); }
EnginePlayer* engineOfGame() { return session().engineOfGame(); }

// Analyze mode's reports, as thinking lines.
class ThinkingLines : public SearchListener {
 public:
  void iterationDone(const SearchReport& report) override { io().sendLine(thinkingLine(report)); }
};

// The desktop app's window reads the position, clock and play state under
// the Game lock, so every change is made under it too.
template <class Change>
void changeGame(Change change) {
  game().edit(change);
}

CChessBoard currentPosition() {
  return game().read([](const Game& g) { return g.position; });
}

std::string moveLine(const Move& move) { return "move " + moveText(move); }

// The window's parser learns the winner from the line itself.
void sendResign(int sideToMove) {
  if (io().isWindowedProgram())
    io().sendLine(sideToMove ? "0-1 resign" : "1-0 resign");
  else
    io().sendLine("resign");
}

void tellHost(int code, int value) {
  if (EngineHost* host = io().host()) host->notifyHost(code, value);
}

// Sends the result line when the game has ended; true then.
bool reportResult() {
  std::string reason;
  const int result = game().adjudicate(reason);
  if (result == GAME_GOES_ON) return false;
  io().sendLine(resultLine(result, reason));
  return true;
}

// Runs the thinking beside the loop when the loop reads on, else at once,
// with a stop token of its own: a stop asked for before was meant for
// something earlier.
void think(ThinkingKind kind, std::function<void()> work) {
  EngineSession::StopToken stop = session().beginSearch();
  if (!thinkAside) {
    work();
    return;
  }
  thinking().start(kind, [stop = std::move(stop), work = std::move(work)] { work(); });
}

// In analyze mode every change of the position is analysed at once, until the next command.
void analyseIfAsked() {
  if (!settings().analysing) return;
  const CChessBoard position = currentPosition();
  think(ThinkingKind::ANALYSIS, [position] {
    static ThinkingLines lines;
    session().analyse(position, thinkAside, lines);
  });
}

// Asks the engine player for a move and plays it. False when it resigned.
bool playEngineMove(bool runClock) {
  const CChessBoard position = currentPosition();
  if (EnginePlayer* engine = engineOfGame()) {
    engine->limits = game().read([](const Game& g) { return settings().limitsFor(g); });
    if (settings().limitStrength) engine->level = settings().moveLevel(engineRand());
    session().prepare(*engine, position);
  }
  const Move move = game().enginePlayer->chooseMove(position);
  // A null answer would put nothing on the board: treated as giving up too.
  if (move.sameSquares(RESIGN_MOVE) || move.isNull()) {
    sendResign(position.sideToMove);
    return false;
  }
  changeGame([&](Game& g) {
    g.playMove(move);
    if (runClock) g.clock.start(g.position.sideToMove);
  });
  io().sendLine(moveLine(move));
  return true;
}

// "hard": after its move the engine thinks on, in the position its search
// expects next, until the opponent's move (or any other command) comes.
void ponderIfAsked() {
  if (!thinkAside || !settings().ponder) return;
  EnginePlayer* engine = engineOfGame();
  if (!engine || engine->expectedReply.isNull()) return;
  const Move reply = engine->expectedReply;
  const CChessBoard now = currentPosition();
  CChessBoard scratch = now;
  const Move* legal = findMove(scratch, reply.from, reply.to);
  if (!legal) return;
  thinking().becomes(ThinkingKind::PONDER);
  engine->gameKeys = session().keysAfter(now, *legal);
  const EngineSession::StopToken stop = session().continueSearch();
  engine->setStopRequest(stop.get());
  engine->ponder(positionAfter(now, reply));
}

// The interface's move text as a Move; false when it names no legal move.
// Only the squares decide legality. Accepts e7e8, e7e8q (either case) and e7e8=Q.
bool parseOpponentMove(const std::string& word, const CChessBoard& position, Move& move) {
  const int from = squareAt(word, 0);
  const int to = squareAt(word, 2);
  CChessBoard scratch = position;
  if (from < 0 || to < 0 || !findMove(scratch, from, to)) {
    // Algebraic notation from an interface that ignores san=0.
    scratch = position;
    move = parseSan(scratch, word);
    return !move.isNull();
  }

  move = parseCoordinateMove(position, word);
  if (!isPawn(move.piece) || (rankOf(to) != 0 && rankOf(to) != 7)) return true;
  if (word.size() == 5) {
    // Either case names the piece.
    const Piece white = promotionFromLetter(static_cast<char>(word[4] & ~0x20));
    if (white != EMPTY) move.promotion = pieceForSide(white, !isBlackPiece(move.piece));
  }
  // A pawn never stays a pawn on the last rank: without a readable letter it becomes a queen.
  if (move.promotion == EMPTY) move.promotion = isBlackPiece(move.piece) ? BLACK_QUEEN : WHITE_QUEEN;
  return true;
}

// A word an interface can only mean as a move: coordinates, even off the
// board (e2e4, e7e8q, e7e8=Q, e9e4), or algebraic notation (Nf3, exd5, O-O).
bool looksLikeMove(const std::string& word) {
  static const std::regex pattern(
      "[a-zA-Z][0-9][a-zA-Z][0-9]=?[a-zA-Z]?|[KQRBN]?[a-h]?[1-8]?x?[a-h][1-8](=?[QRBNqrbn])?[+#]?|"
      "([Oo0]-[Oo0](-[Oo0])?)[+#]?");
  return std::regex_match(word, pattern);
}

void opponentMove(const std::string& word) {
  Move move;
  if (!parseOpponentMove(word, currentPosition(), move)) {
    io().sendLine(ILLEGAL_MOVE + word);
    return;
  }
  changeGame([&](Game& g) {
    g.playMove(move);
    g.clock.start(g.position.sideToMove);
  });
  if (io().isWindowedProgram()) io().sendLine("accepted");
  if (settings().analysing) {
    analyseIfAsked();
    return;
  }
  if (reportResult()) return;
  if (!game().enginePlayer) return;
  think(ThinkingKind::MOVE, [] {
    if (playEngineMove(true) && !reportResult()) ponderIfAsked();
  });
}

const char* myName() { return io().isWindowedProgram() ? "Kelvo 3.0" : "Kelvo 3.2"; }

// An interface that never sends "new" (gnome-chess) expects the protocol's
// start: the initial position with the engine on Black, not the last book game.
// The window starts its games itself.
void cmdXboard(const CommandLine&) {
  io().sendLine(std::string("feature time=0 myname=\"") + myName() + "\"");
  const bool windowed = io().isWindowedProgram();
  changeGame([windowed](Game& g) {
    if (!g.whitePlayer && !windowed) {
      g.startNewGame();
      g.restartHistory();
    }
    g.playState = PLAYING;
  });
}

// Version 2 interfaces wait for done=1; every feature promises what the
// commands below do.
void cmdProtover(const CommandLine& command) {
  if (toNumber(command.args[0]) < 2) return;
  io().sendLine(std::string("feature ping=1 setboard=1 playother=1 san=0 usermove=1 time=1 draw=1 sigint=0 "
                            "sigterm=0 reuse=1 analyze=1 colors=0 name=1 ics=0 pause=0 nps=0 debug=0 memory=1 "
                            "smp=1 exclude=0 highlight=0 variants=\"normal\" myname=\"") +
                myName() + "\"");
  io().sendLine("feature option=\"" + std::string(LEVEL_OPTION) + " -spin " + std::to_string(settings().level) + " " +
                std::to_string(WEAKEST_LEVEL) + " " + std::to_string(TOP_LEVEL) + "\"");
  io().sendLine("feature done=1");
}

void setLevel(int level) { session().setLevel(level); }

// option NAME=VALUE: only the strength level is an option. A value that is
// no whole number changes nothing; one out of range is clamped. Either way
// the interface hears why its value was not taken as given.
void cmdOption(const CommandLine& command) {
  const std::string prefix = std::string(LEVEL_OPTION) + "=";
  const std::string setting = command.line.substr(std::min(command.line.find("option") + 7, command.line.size()));
  if (setting.rfind(prefix, 0) != 0) return;
  std::string value = setting.substr(prefix.size());
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
  const bool whole = !value.empty() && value.find_first_not_of("0123456789", value[0] == '-' || value[0] == '+') ==
                                           std::string::npos && value.size() > (value[0] == '-' || value[0] == '+');
  if (!whole) {
    io().sendLine("Error (not a whole number): option " + setting);
    return;
  }
  const int level = toNumber(value);
  settings().limitStrength = false;
  setLevel(level);
  settings().levelChosen = true;
  if (settings().level != level)
    io().sendLine("telluser " + prefix + value + " is out of range: level " + std::to_string(settings().level));
}

// "Skill Level N", the UCI option's words as a command: an interface's
// engine list may send them to either protocol.
void cmdSkill(const CommandLine& command) {
  if (command.args[0] != "Level") {
    io().sendLine(UNKNOWN_COMMAND + command.word);
    return;
  }
  settings().limitStrength = false;
  setLevel(toNumber(command.args[1]));
  settings().levelChosen = true;
}

void cmdUserMove(const CommandLine& command) { opponentMove(command.args[0]); }

// An interface that asks for strength by depth alone (pychess, 1 to 18)
// gets a rating rising evenly with it, from the weakest level's to the top
// level's, each move played at one of the two levels around it; unless a
// level was chosen by name.
void cmdSearchDepth(const CommandLine& command) {
  SessionSettings& chosen = settings();
  chosen.depth = std::max(toNumber(command.args[0]), 0);
  if (chosen.depth == 0 || chosen.levelChosen) return;
  chosen.limitStrength = chosen.depth < DEPTH_OF_TOP_LEVEL;
  if (!chosen.limitStrength) {
    // Any depth from the top level's up plays at full strength; it never
    // enters the rating's arithmetic, where "sd 2147483646" would overflow.
    setLevel(TOP_LEVEL);
    return;
  }
  const int weakest = eloOfLevel(WEAKEST_LEVEL);
  chosen.elo = weakest + (chosen.depth - 1) * (eloOfLevel(TOP_LEVEL) - weakest) / (DEPTH_OF_TOP_LEVEL - 1);
  setLevel(levelForElo(chosen.elo));
}

void cmdMemory(const CommandLine& command) { session().setHashMegabytes(toNumber(command.args[0])); }
void cmdCores(const CommandLine& command) { session().setThreads(toNumber(command.args[0])); }

void cmdHard(const CommandLine&) { settings().ponder = true; }
void cmdEasy(const CommandLine&) { settings().ponder = false; }

void cmdMoveTime(const CommandLine& command) {
  settings().moveTime = std::max(toNumber(command.args[0]), 0) * 1000LL;
}

void cmdOpponentTime(const CommandLine& command) { settings().opponentTime = toNumber(command.args[0]) * 10LL; }

void cmdHint(const CommandLine&) {
  const Move move = session().hintMove(currentPosition());
  if (!move.isNull()) io().sendLine("Hint: " + moveText(move));
}

// The book's moves for the position and how many games play each, then the
// empty line that ends the reply; every line begins with a blank as xboard wants.
void cmdBook(const CommandLine&) {
  const auto weights = session().book.weightedLegalMoves(currentPosition());
  if (weights.empty()) io().sendLine(" no book moves");
  for (const auto& [move, count] : weights) io().sendLine(" " + moveText(move) + " " + std::to_string(count));
  io().sendLine("");
}

void cmdSetBoard(const CommandLine& command) {
  const std::size_t at = command.line.find(command.word) + command.word.size();
  const std::string fen = command.line.substr(at);
  // pychess stops an analysis with the empty board and shows any error about it.
  const auto isEmpty = [](const CChessBoard& p) {
    return std::all_of(ALL_SQUARES.begin(), ALL_SQUARES.end(), [&p](Square s) { return p.squares[s] == EMPTY; });
  };
  if (const auto board = positionFromFen(fen); board && isEmpty(*board)) return;
  const SetupReading setup = readSetup(fen);
  if (!setup.position) {
    io().sendLine(std::string("tellusererror Illegal position") + (setup.readable ? ": " : "") + setup.fault);
    return;
  }
  session().setUpPosition(*setup.position, setup.counters);
  analyseIfAsked();
}

void cmdDraw(const CommandLine&) {
  if (game().enginePlayer && !settings().analysing && settings().lastScore <= -DRAW_ACCEPTING_DEFICIT)
    io().sendLine("offer draw");
}

void cmdPlayOther(const CommandLine&) {
  changeGame([](Game& g) {
    g.playState = PLAYING;
    g.makeEngineNotToMove();
  });
}

// Moves are only recorded while analysing: nobody answers them.
void cmdAnalyze(const CommandLine&) {
  settings().analysing = true;
  game().makeHumansOnly();
  analyseIfAsked();
}

void cmdExit(const CommandLine&) { settings().analysing = false; }

void cmdNothing(const CommandLine&) {}
void cmdStop(const CommandLine&) { session().stopSearch(); }
void cmdPing(const CommandLine& command) { io().sendLine("pong " + command.args[0]); }
void cmdTellUser(const CommandLine& command) { io().sendLine(command.line); }

void cmdHumanHuman(const CommandLine&) { game().makeHumansOnly(); }

void cmdUndo(const CommandLine&) {
  if (!game().undoPly()) return;
  tellHost(EngineHost::PLIES_TAKEN_BACK, 1);
  io().sendLine("accepted");
  analyseIfAsked();
}

void cmdRemove(const CommandLine&) {
  if (!game().removePair()) return;
  tellHost(EngineHost::PLIES_TAKEN_BACK, 2);
  io().sendLine("accepted");
  analyseIfAsked();
}

void cmdPost(const CommandLine&) { session().setPosting(true); }
void cmdNoPost(const CommandLine&) { session().setPosting(false); }

void cmdTime(const CommandLine& command) {
  changeGame([&](Game& g) { g.clock.setRemaining(g.position.sideToMove, toNumber(command.args[0]) / 100.0); });
  settings().engineTime = toNumber(command.args[0]) * 10LL;
}

// Edit mode: only squares change. Lines are read (and logged) but never dispatched.
void cmdEdit(const CommandLine&) {
  bool white = true;
  std::string line;
  while (io().readLine(line)) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == ".") return;
    changeGame([&](Game& g) {
      CChessBoard& position = g.position;
      if (word == "#") {
        position.clearSquares();
      } else if (word == "c") {
        white = !white;
      } else if (const int square = squareAt(word, 1); square >= 0) {
        const char letter = word[0];
        if (letter == 'x') {
          position.squares[square] = EMPTY;
        } else if (letter == 'P' || letter == 'N' || letter == 'B' || letter == 'R' || letter == 'Q' ||
                   letter == 'K') {
          const Piece code = pieceFromLetter(letter);
          position.squares[square] = pieceForSide(code, white);
        }
      }
    });
  }
}

// The base time may be given as minutes:seconds.
void cmdLevel(const CommandLine& command) {
  const std::string& base = command.args[1];
  const std::size_t colon = base.find(':');
  const double seconds =
      toNumber(base) * 60.0 + (colon == std::string::npos ? 0 : toNumber(base.substr(colon + 1)));
  // xboard writes an increment under a second with its fraction ("level 0 0:05 0.05").
  changeGame([&](Game& g) { g.clock.setLevel(toNumber(command.args[0]), seconds, toSeconds(command.args[2])); });
  settings().clockGiven = true;
  settings().moveTime = 0;
}

void cmdResult(const CommandLine&) {
  changeGame([](Game& g) { g.playState = FINISHED; });
}

// Each game starts in the book, whatever the last one did.
void cmdNew(const CommandLine&) {
  session().newGame();
  tellHost(EngineHost::GAME_STARTED, 0);
  io().sendLine("accepted");
  analyseIfAsked();
}

void cmdGo(const CommandLine&) {
  const int side = game().edit([](Game& g) {
    g.playState = PLAYING;
    g.makeEngineToMove();
    return static_cast<int>(g.position.sideToMove);
  });
  tellHost(EngineHost::ENGINE_TAKES_SIDE, side);
  think(ThinkingKind::MOVE, [] {
    if (playEngineMove(false) && !reportResult()) ponderIfAsked();
  });
}

void cmdForce(const CommandLine&) {
  changeGame([](Game& g) {
    g.playState = FORCING;
    g.clock.stop();
    g.makeHumansOnly();
  });
}

void cmdWhite(const CommandLine&) {
  changeGame([](Game& g) {
    g.clock.stop();
    g.assignPlayers(true);
  });
}

void cmdBlack(const CommandLine&) {
  changeGame([](Game& g) {
    g.clock.stop();
    g.assignPlayers(false);
  });
}

struct CommandEntry {
  const char* word;
  void (*handler)(const CommandLine&);
};

const CommandEntry COMMANDS[] = {
    {"st", cmdMoveTime},        {"hard", cmdHard},       {"sd", cmdSearchDepth},
    {"xboard", cmdXboard},      {"?", cmdStop},             {"accepted", cmdNothing},
    {"ping", cmdPing},          {"telluser", cmdTellUser},  {"tellusererror", cmdTellUser},
    {"_showlegal", cmdShowLegal}, {"_humanhuman", cmdHumanHuman}, {"_clear", cmdClear},
    {"_loadpgn", cmdLoadPgn},   {"_set", cmdSet},           {"_get", cmdGet},
    {"_dump", cmdDump},         {"_writepos", cmdWritePos}, {"_readpos", cmdReadPos},
    {"undo", cmdUndo},          {"remove", cmdRemove},      {"post", cmdPost},
    {"nopost", cmdNoPost},      {"time", cmdTime},          {"edit", cmdEdit},
    {"level", cmdLevel},        {"result", cmdResult},      {"new", cmdNew},
    {"go", cmdGo},              {"force", cmdForce},        {"white", cmdWhite},
    {"black", cmdBlack},
    // Protocol version 2.
    {"protover", cmdProtover},  {"rejected", cmdNothing},   {"variant", cmdNothing},
    {"random", cmdNothing},     {"playother", cmdPlayOther}, {"nps", cmdNothing},
    {"otim", cmdOpponentTime},  {"usermove", cmdUserMove},  {"draw", cmdDraw},
    {"setboard", cmdSetBoard},  {"hint", cmdHint},          {"bk", cmdBook},
    {"easy", cmdEasy},       {"analyze", cmdAnalyze},    {"exit", cmdExit},
    {".", cmdNothing},          {"name", cmdNothing},       {"rating", cmdNothing},
    {"ics", cmdNothing},        {"computer", cmdNothing},   {"pause", cmdNothing},
    {"resume", cmdNothing},     {"memory", cmdMemory},      {"cores", cmdCores},
    {"egtpath", cmdNothing},    {"option", cmdOption},      {"Skill", cmdSkill},
};

}  // namespace

namespace {

// Ends the thinking now (a move's search plays what it has found).
void stopThinking() {
  session().stopSearch();
  thinking().finish();
}

// Commands that touch neither the game nor the session: answered while an
// analysis or pondering goes on.
bool leavesThinkingAlone(const std::string& word) {
  return word == "ping" || word == "accepted" || word == "computer" || word == "name" || word == "rating";
}

// What a line read while the engine thinks does to the thinking; false when
// that is all the line asks. "?" plays the move now (and is nothing when no
// move is being searched: a stop never outlives its search); an analysis or
// pondering ends for any other command but "." and those that leave it
// alone (an analysis starts again after the command when it is still asked
// for); a move's search is waited for (its move comes before the command's
// answer, as interfaces that send ahead expect); "quit" has it played at once.
bool settleThinking(const std::string& line) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  if (thinking().busy() && thinking().kind() == ThinkingKind::MOVE) {
    if (word == "?") {
      session().stopSearch();
      return false;
    }
    if (word == "quit") stopThinking();
    else thinking().waitWhile(ThinkingKind::MOVE);
  }
  if (word == "?" || (word == "." && thinking().busy())) return false;
  if (thinking().busy() && leavesThinkingAlone(word)) return true;
  if (thinking().busy()) stopThinking();
  thinking().finish();
  return true;
}

}  // namespace

bool dispatchCommand(const std::string& line) {
  const CommandLine command = splitLine(line);
  if (command.word == "quit") return false;
  if (command.word.empty()) return true;  // a blank line asks nothing
  for (const CommandEntry& entry : COMMANDS) {
    if (command.word == entry.word) {
      entry.handler(command);
      return true;
    }
  }
  if (looksLikeMove(command.word))
    opponentMove(command.word);
  else
    io().sendLine(UNKNOWN_COMMAND + command.word);
  return true;
}

int runEngine(EngineHost& host) {
  io().setHost(&host);
  // Reading a book game resets the Game; without a book file the Game must
  // keep its empty board.
  if (PgnFile::isRegularFile(BOOK_FILE_NAME)) session().book.loadBook(BOOK_FILE_NAME, game());
  game();
  std::string line;
  bool more = io().readLine(line);
  // An interface that speaks UCI opens with "uci"; xboard stays the default.
  if (more && isUciCommand(line)) return runUci();
  thinkAside = !io().isWindowedProgram();
  bool quit = false;
  for (; more; more = io().readLine(line)) {
    if (thinkAside && !settleThinking(line)) continue;
    if ((quit = !dispatchCommand(line))) break;
    if (thinkAside && settings().analysing && !thinking().busy()) analyseIfAsked();
  }
  // At the end of the input the move still comes.
  if (thinkAside) {
    if (!quit) thinking().waitWhile(ThinkingKind::MOVE);
    stopThinking();
  }
  thinkAside = false;
  return 0;
}
