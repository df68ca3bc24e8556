#include "driver/commands.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <sstream>

#include "book/opening_book.h"
#include "book/pgn_reader.h"
#include "driver/engine_io.h"
#include "driver/file_replace.h"
#include "driver/game.h"
#include "driver/uci_protocol.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "search/engine_player.h"
#include "position/evaluation.h"

namespace {

const char* const POSITION_FILE = "pos.log";
const char* const UNKNOWN_COMMAND = "Error (unknown command)\n";
const char* const ILLEGAL_MOVE = "Illegal move: ";

// A command line split at white space: the command word and up to three
// arguments (missing ones empty); the whole line stays for "telluser".
struct CommandLine {
  std::string word;
  std::string args[3];
  const std::string& line;
};

CommandLine splitLine(const std::string& line) {
  CommandLine command{{}, {}, line};
  std::istringstream in(line);
  in >> command.word >> command.args[0] >> command.args[1] >> command.args[2];
  return command;
}

// atoi's reading (blanks, sign, leading digits; anything else 0), but
// saturating where atoi would overflow.
int toNumber(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// The square named at text[at], or -1 unless it is a1..h8: nothing the
// interface sends may index outside the board.
int squareAt(const std::string& text, std::size_t at) {
  if (text.size() < at + 2) return -1;
  const char file = text[at];
  const char rank = text[at + 1];
  if (file < 'a' || file > 'h' || rank < '1' || rank > '8') return -1;
  return makeSquare(file - 'a', rank - '1');
}

EngineIO& io() { return EngineIO::instance(); }
Game& game() { return Game::instance(); }

EnginePlayer* engineOfGame() { return dynamic_cast<EnginePlayer*>(game().enginePlayer); }

// The desktop app's window reads the position, clock and play state under
// the Game lock, so every change is made under it too.
template <class Change>
void changeGame(Change change) {
  game().edit(change);
}

CChessBoard currentPosition() {
  return game().read([](const Game& g) { return g.position; });
}

std::string moveLine(const Move& move) {
  std::string text = "move " + squareName(move.from) + squareName(move.to);
  // The interface needs the piece a pawn becomes; without it the move is unplayable.
  if (move.promotion != EMPTY) {
    const char letter = pieceLetter(move.promotion);
    if (letter != ' ') text += static_cast<char>(letter | 0x20);
  }
  return text;
}

void sendResign(int sideToMove) { io().sendLine(sideToMove ? "0-1 resign" : "1-0 resign"); }

// Sends the result line when the game has ended; true then.
bool reportResult() {
  std::string reason;
  const int result = game().adjudicate(reason);
  switch (result) {
    case WHITE_WINS: io().sendLine("1-0 " + reason); return true;
    case GAME_DRAWN: io().sendLine("1/2-1/2 " + reason); return true;
    case BLACK_WINS: io().sendLine("0-1 " + reason); return true;
    default: return false;
  }
}

// Asks the engine player for a move and plays it. False when it resigned.
bool playEngineMove(bool runClock) {
  const CChessBoard position = currentPosition();
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

// The interface's move text as a Move; false when it names no legal move.
// Only the squares decide legality. Accepts e7e8, e7e8q (either case) and e7e8=Q.
bool parseOpponentMove(const std::string& word, const CChessBoard& position, Move& move) {
  const int from = squareAt(word, 0);
  const int to = squareAt(word, 2);
  if (from < 0 || to < 0) return false;
  CChessBoard scratch = position;
  if (!findMove(scratch, from, to)) return false;

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

void opponentMove(const CommandLine& command) {
  Move move;
  if (!parseOpponentMove(command.word, currentPosition(), move)) {
    io().sendLine(ILLEGAL_MOVE);
    return;
  }
  changeGame([&](Game& g) {
    g.playMove(move);
    g.clock.start(g.position.sideToMove);
  });
  if (io().isWindowedProgram()) io().sendLine("accepted");
  if (reportResult()) return;
  if (!game().enginePlayer) return;
  if (playEngineMove(true)) reportResult();
}

void cmdXboard(const CommandLine&) {
  io().sendLine(io().isWindowedProgram() ? "feature time=0 myname=\"Kelvo 3.0\""
                                         : "feature time=0 myname=\"Kelvo 3.2\"");
  changeGame([](Game& g) { g.playState = PLAYING; });
}

void cmdNothing(const CommandLine&) {}
void cmdStop(const CommandLine&) { io().stopRequested = true; }
void cmdPing(const CommandLine& command) { io().sendLine("pong " + command.args[0]); }
void cmdTellUser(const CommandLine& command) { io().sendLine(command.line); }

void cmdShowLegal(const CommandLine&) {
  CChessBoard position = currentPosition();
  generateMoves(position, false);
  for (int i = 0; i < position.moveCount; ++i) {
    const std::string san = moveToSan(position, position.moves[i]) + "\n";
    io().writeDirect(san);
    io().sendLine(san);
  }
}

void cmdHumanHuman(const CommandLine&) { game().makeHumansOnly(); }

void cmdClear(const CommandLine&) {
  changeGame([](Game& g) { g.position.clearSquares(); });
}

void cmdLoadPgn(const CommandLine& command) {
  game().startNewGame();
  PgnReader reader;
  reader.readGame(command.args[0], 0, nullptr, game());
}

void cmdSet(const CommandLine& command) {
  const int square = squareAt(command.args[0], 0);
  if (square < 0) return;
  changeGame([&](Game& g) { g.position.squares[square] = static_cast<Piece>(toNumber(command.args[1])); });
}

void cmdGet(const CommandLine& command) {
  const int square = squareAt(command.args[0], 0);
  if (square < 0) return;
  const int code = static_cast<std::int8_t>(currentPosition().squares[square]);
  io().writeDirect(std::to_string(code) + "\n");
}

void cmdDump(const CommandLine&) {
  const CChessBoard position = currentPosition();
  std::ostringstream dump;
  position.writePicture(dump);
  const GameClock& clock = game().clock;
  dump << "White: " << GameClock::clockText(clock.remaining(1)) << '\n';
  dump << "Black: " << GameClock::clockText(clock.remaining(0)) << '\n';
  EnginePlayer* engine = engineOfGame();
  dump << (engine ? engine->evaluateNode(position) : evaluate(position)) << '\n';
  io().writeGameLog(dump.str());
}

// The old file stays whole when the new one cannot be written, and the
// interface hears why; "accepted" is the reply either way.
void cmdWritePos(const CommandLine&) {
  std::ostringstream picture;
  currentPosition().writePicture(picture);
  const std::string reason = replaceFile(POSITION_FILE, picture.str());
  if (!reason.empty()) io().sendLine(std::string("tellusererror Could not write ") + POSITION_FILE + ": " + reason);
  io().sendLine("accepted");
}

void cmdReadPos(const CommandLine&) {
  changeGame([](Game& g) {
    std::ifstream file(POSITION_FILE);
    if (file) g.position.readPicture(file);
    generateMoves(g.position, false);
    g.restartHistory();
  });
  io().sendLine("accepted");
}

void cmdUndo(const CommandLine&) {
  if (game().undoPly()) io().sendLine("accepted");
}

void cmdRemove(const CommandLine&) {
  if (game().removePair()) io().sendLine("accepted");
}

void cmdPost(const CommandLine&) {
  if (EnginePlayer* engine = engineOfGame()) engine->post = true;
}

void cmdNoPost(const CommandLine&) {
  if (EnginePlayer* engine = engineOfGame()) engine->post = false;
}

void cmdTime(const CommandLine& command) {
  changeGame([&](Game& g) { g.clock.setRemaining(g.position.sideToMove, toNumber(command.args[0]) / 100.0); });
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

void cmdLevel(const CommandLine& command) {
  changeGame([&](Game& g) {
    g.clock.setLevel(toNumber(command.args[0]), toNumber(command.args[1]) * 60.0, toNumber(command.args[2]));
  });
}

void cmdResult(const CommandLine&) {
  changeGame([](Game& g) { g.playState = FINISHED; });
}

void cmdNew(const CommandLine&) {
  changeGame([](Game& g) {
    g.startNewGame();
    g.restartHistory();
  });
  io().sendLine("accepted");
}

void cmdGo(const CommandLine&) {
  changeGame([](Game& g) {
    g.playState = PLAYING;
    g.makeEngineToMove();
  });
  if (playEngineMove(false)) reportResult();
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
    {"st", cmdNothing},         {"hard", cmdNothing},       {"sd", cmdNothing},
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
};

bool isMoveWord(const std::string& word) { return word.size() >= 2 && word.size() <= 7; }

}  // namespace

bool dispatchCommand(const std::string& line) {
  const CommandLine command = splitLine(line);
  if (command.word == "quit") return false;
  for (const CommandEntry& entry : COMMANDS) {
    if (command.word == entry.word) {
      entry.handler(command);
      return true;
    }
  }
  if (isMoveWord(command.word))
    opponentMove(command);
  else
    io().sendLine(UNKNOWN_COMMAND);
  return true;
}

int runEngine(EngineHost& host) {
  io().setHost(&host);
  // Reading a book game resets the Game; without a book file the Game must
  // keep its empty board.
  if (std::ifstream(BOOK_FILE_NAME)) OpeningBook::instance().loadBook(BOOK_FILE_NAME, game());
  game();
  std::string line;
  bool more = io().readLine(line);
  // An interface that speaks UCI opens with "uci"; xboard stays the default.
  if (more && isUciCommand(line)) return runUci();
  for (; more; more = io().readLine(line))
    if (!dispatchCommand(line)) break;
  return 0;
}
