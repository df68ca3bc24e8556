#include "driver/debug_commands.h"

#include <cstdint>
#include <fstream>
#include <sstream>

#include "book/pgn_reader.h"
#include "driver/engine_io.h"
#include "driver/file_replace.h"
#include "driver/game.h"
#include "driver/protocol_text.h"
#include "position/evaluation.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "search/engine_player.h"

namespace {

const char* const POSITION_FILE = "pos.log";

EngineIO& io() { return EngineIO::instance(); }
Game& game() { return Game::instance(); }

CChessBoard currentPosition() {
  return game().read([](const Game& g) { return g.position; });
}

}  // namespace

void cmdShowLegal(const CommandLine&) {
  CChessBoard position = currentPosition();
  generateMoves(position, false);
  for (int i = 0; i < position.moveCount; ++i) {
    const std::string san = moveToSan(position, position.moves[i]) + "\n";
    io().writeDirect(san);
    io().sendLine(san);
  }
}

void cmdClear(const CommandLine&) {
  game().edit([](Game& g) { g.position.clearSquares(); });
}

void cmdLoadPgn(const CommandLine& command) {
  game().startNewGame();
  PgnReader reader;
  reader.readGame(command.args[0], 0, nullptr, game());
  if (EngineHost* host = io().host()) host->notifyHost(EngineHost::GAME_STARTED, 1);
}

void cmdSet(const CommandLine& command) {
  const int square = squareAt(command.args[0], 0);
  if (square < 0) return;
  game().edit([&](Game& g) { g.position.squares[square] = static_cast<Piece>(toNumber(command.args[1])); });
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
  EnginePlayer* engine = dynamic_cast<EnginePlayer*>(game().enginePlayer);
  dump << (engine ? engine->evaluateNode(position) : evaluate(position)) << '\n';
  io().writeGameLog(dump.str());
}

// The old file stays whole when the new one cannot be written, and the
// interface hears why; "accepted" is the reply either way.
void cmdWritePos(const CommandLine&) {
  std::ostringstream picture;
  currentPosition().writePicture(picture);
  const DiskSync* sync = io().host() ? io().host()->diskSync() : nullptr;
  const std::string reason = replaceFile(POSITION_FILE, picture.str(), sync);
  if (!reason.empty()) io().sendLine(std::string("tellusererror Could not write ") + POSITION_FILE + ": " + reason);
  io().sendLine("accepted");
}

void cmdReadPos(const CommandLine&) {
  game().edit([](Game& g) {
    std::ifstream file(POSITION_FILE);
    if (file) g.position.readPicture(file);
    generateMoves(g.position, false);
    g.restartHistory();
  });
  io().sendLine("accepted");
}

