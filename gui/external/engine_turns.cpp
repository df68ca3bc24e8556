#include "engine_turns.h"

#include "driver/game.h"
#include "driver/uci_moves.h"
#include "engine_text.h"
#include "position/fen.h"

namespace {

// Only placement, side, castling and en passant tell two starts apart.
QString withoutCounters(const std::string& fen) {
  return QString::fromStdString(fen).section(u' ', 0, 3);
}

}  // namespace

EngineTurns::EngineTurns(const Game& game, QObject* parent) : QObject(parent), game(game) {}

EngineTurns::~EngineTurns() { clear(); }

void EngineTurns::seat(int side, std::unique_ptr<SeatedPlayer> player) {
  if (players[side]) players[side]->quit();
  players[side] = std::move(player);
  seated[side] = players[side] != nullptr;
  inGame[side] = false;
  SeatedPlayer* seatedPlayer = players[side].get();
  if (!seatedPlayer) return;
  connect(seatedPlayer, &SeatedPlayer::ready, this, [this, side] { playerReady(side); });
  connect(seatedPlayer, &SeatedPlayer::moveMade, this, [this, side](const QString& move) { moveArrived(side, move); });
  connect(seatedPlayer, &SeatedPlayer::resigned, this, [this, side, seatedPlayer] {
    if (!halted) emit fault(side, tr("El motor %1 abandona.").arg(seatedPlayer->seatName()), true);
  });
  connect(seatedPlayer, &SeatedPlayer::failed, this, [this, side](const QString& reason) {
    const bool began = inGame[side];
    // The player's seat is a person's from now on: the game can be saved or played on.
    seated[side] = false;
    askedAtPly = -1;
    emit fault(side, reason, began);
  });
}

void EngineTurns::clear() {
  for (int side : {0, 1}) seat(side, nullptr);
  askedAtPly = -1;
}

void EngineTurns::begin() {
  halted = false;
  askedAtPly = -1;
  for (int side : {0, 1}) {
    SeatedPlayer* player = activePlayer(side);
    if (!player) continue;
    if (!player->hasStarted())
      player->start();
    else
      playerReady(side);
  }
  poll();
}

void EngineTurns::playerReady(int side) {
  SeatedPlayer* player = activePlayer(side);
  if (!player || !player->isReady() || inGame[side]) return;
  player->newGame(gameSoFar().first);
  inGame[side] = player->isReady();
  poll();
}

int EngineTurns::sideToMove() const {
  return game.read([](const Game& g) { return g.position.sideToMove; });
}

bool EngineTurns::isEnginesTurn() const { return activePlayer(sideToMove()) != nullptr; }

bool EngineTurns::hasProposingPlayer() const {
  for (int side : {0, 1})
    if (activePlayer(side) && !activePlayer(side)->playsIntoTheGame()) return true;
  return false;
}

std::pair<QString, QStringList> EngineTurns::gameSoFar() const {
  return game.read([](const Game& g) {
    QStringList moves;
    QString fen;
    if (!g.history.empty()) {
      CChessBoard initial;
      initial.setupInitialPosition();
      const std::string start = positionToFen(g.history.front());
      if (withoutCounters(start) != withoutCounters(positionToFen(initial))) fen = QString::fromStdString(start);
      for (std::size_t i = 1; i < g.history.size(); ++i)
        moves << QString::fromStdString(uciMoveText(g.history[i].lastMove));
    }
    return std::pair{fen, moves};
  });
}

void EngineTurns::poll() {
  if (halted || (gameOver && gameOver())) return;
  const int side = sideToMove();
  SeatedPlayer* player = activePlayer(side);
  if (!player || !inGame[side] || !player->isReady()) return;
  // kelvo answers moves by itself once it plays its side; it is asked each
  // time it may stand idle on its own turn, as after a set-up position. It
  // reads its clocks itself, so none are taken here on each line it writes.
  if (player->playsIntoTheGame()) {
    player->go({}, SearchLimits{});
    return;
  }
  const auto [fen, moves] = gameSoFar();
  if (askedAtPly == moves.size()) return;
  askedAtPly = static_cast<int>(moves.size());
  player->go(moves, currentLimits ? currentLimits() : SearchLimits{});
}

void EngineTurns::halt() {
  halted = true;
  askedAtPly = -1;
  for (auto& player : players)
    if (player) player->stop();
}

void EngineTurns::moveArrived(int side, const QString& text) {
  const int expectedPly = askedAtPly;
  askedAtPly = -1;
  if (halted || (gameOver && gameOver()) || sideToMove() != side || !activePlayer(side)) return;
  const auto [fen, moves] = gameSoFar();
  if (expectedPly != moves.size()) return;  // the game moved on meanwhile (a take-back)
  const Move move = game.read([&text](const Game& g) { return readUciMove(g.position, text.toStdString()); });
  if (move.isNull()) {
    seated[side] = false;
    players[side]->quit();
    emit fault(side,
               tr("El motor %1 envió una jugada ilegal: %2.")
                   .arg(players[side]->seatName(), engine_text::quotedMove(text)),
               true);
    return;
  }
  emit movePlayed(text, side);
}
