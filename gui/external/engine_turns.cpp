#include "engine_turns.h"

#include "driver/game.h"
#include "driver/uci_moves.h"
#include "position/fen.h"

namespace {

// Only placement, side, castling and en passant tell two starts apart.
QString withoutCounters(const std::string& fen) {
  return QString::fromStdString(fen).section(u' ', 0, 3);
}

}  // namespace

EngineTurns::EngineTurns(const Game& game, QObject* parent) : QObject(parent), game(game) {}

EngineTurns::~EngineTurns() { clear(); }

void EngineTurns::seat(int side, Seat seat, std::unique_ptr<ChessEngine> engine) {
  if (engines[side]) engines[side]->quit();
  engines[side].reset();
  seats[side] = seat;
  inGame[side] = false;
  if (seat != Seat::External || !engine) {
    if (seat == Seat::External) seats[side] = Seat::Person;
    return;
  }
  engines[side] = std::move(engine);
  ChessEngine* driver = engines[side].get();
  connect(driver, &ChessEngine::ready, this, [this, side] { engineReady(side); });
  connect(driver, &ChessEngine::moveMade, this, [this, side](const QString& move) { moveArrived(side, move); });
  connect(driver, &ChessEngine::resigned, this, [this, side, driver] {
    if (!halted) emit fault(side, QStringLiteral("El motor %1 abandona.").arg(driver->name()), true);
  });
  connect(driver, &ChessEngine::failed, this, [this, side](const QString& reason) {
    const bool began = inGame[side];
    // The engine's seat is a person's from now on: the game can be saved or played on.
    seats[side] = Seat::Person;
    askedAtPly = -1;
    emit fault(side, reason, began);
  });
}

void EngineTurns::clear() {
  for (int side : {0, 1}) seat(side, Seat::Person);
  askedAtPly = -1;
}

void EngineTurns::begin() {
  halted = false;
  askedAtPly = -1;
  for (int side : {0, 1}) {
    ChessEngine* engine = engines[side].get();
    if (!engine) continue;
    if (engine->state() == ChessEngine::State::NotStarted)
      engine->start();
    else
      engineReady(side);
  }
  poll();
}

void EngineTurns::engineReady(int side) {
  ChessEngine* engine = engines[side].get();
  if (!engine || engine->state() != ChessEngine::State::Ready || inGame[side]) return;
  engine->newGame(gameSoFar().first);
  inGame[side] = engine->state() == ChessEngine::State::Ready;
  poll();
}

int EngineTurns::sideToMove() const {
  return game.read([](const Game& g) { return g.position.sideToMove; });
}

bool EngineTurns::isEnginesTurn() const { return seats[sideToMove()] != Seat::Person; }

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
  // kelvo answers moves by itself once it plays its side; the window asks it
  // ("go") only when it stands idle on its own turn, as after a set-up position.
  if (seats[side] == Seat::BuiltIn) {
    emit builtInToMove();
    return;
  }
  ChessEngine* engine = engines[side].get();
  if (seats[side] != Seat::External || !engine || !inGame[side] || engine->state() != ChessEngine::State::Ready) return;
  const auto [fen, moves] = gameSoFar();
  if (askedAtPly == moves.size()) return;
  askedAtPly = static_cast<int>(moves.size());
  engine->go(moves, currentLimits ? currentLimits() : SearchLimits{});
}

void EngineTurns::halt() {
  halted = true;
  askedAtPly = -1;
  for (auto& engine : engines)
    if (engine) engine->stop();
}

void EngineTurns::moveArrived(int side, const QString& text) {
  const int expectedPly = askedAtPly;
  askedAtPly = -1;
  if (halted || (gameOver && gameOver()) || sideToMove() != side) return;
  const auto [fen, moves] = gameSoFar();
  if (expectedPly != moves.size()) return;  // the game moved on meanwhile (a take-back)
  const Move move = game.read([&text](const Game& g) { return readUciMove(g.position, text.toStdString()); });
  if (move.isNull()) {
    seats[side] = Seat::Person;
    engines[side]->quit();
    emit fault(side, QStringLiteral("El motor %1 envió una jugada ilegal: %2.").arg(engines[side]->name(), engine_text::quotedMove(text)), true);
    return;
  }
  emit movePlayed(text, side);
}
