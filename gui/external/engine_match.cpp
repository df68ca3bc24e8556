#include "engine_match.h"

#include <QTimer>

#include "driver/uci_moves.h"
#include "position/fen.h"

namespace {

// The engine library's reasons, as the window tells them.
QString reasonInSpanish(const std::string& reason, int result) {
  const QString winner =
      result == WHITE_WINS ? EngineMatch::tr("ganan las blancas") : EngineMatch::tr("ganan las negras");
  if (reason == "Checkmate") return EngineMatch::tr("Jaque mate: %1.").arg(winner);
  if (reason == "Stalemate") return EngineMatch::tr("Tablas por ahogado.");
  if (reason == "Drawn_by_repetition") return EngineMatch::tr("Tablas por repetición.");
  if (reason == "Fifty move rule") return EngineMatch::tr("Tablas por la regla de los cincuenta movimientos.");
  return EngineMatch::tr("Tablas por material insuficiente.");
}

}  // namespace

EngineMatch::EngineMatch(ChessEngine* white, ChessEngine* black, const QString& fen, Clock clock, QObject* parent)
    : QObject(parent), white(white), black(black), startFen(fen), clock(clock), flag(new QTimer(this)) {
  flag->setSingleShot(true);
  connect(flag, &QTimer::timeout, this, [this] {
    const int side = sideToMove();
    remaining[side] = 0;
    finish(winnerAgainst(side), tr("El motor %1 perdió por tiempo.").arg(engineFor(side)->name()));
  });
  if (const auto set = fen.isEmpty() ? std::nullopt : positionFromFen(fen.toStdString()))
    board.setupPosition(*set);
  else
    board.setupInitialPosition();
  board.restartHistory();
  remaining[0] = remaining[1] = clock.baseMs;
  for (ChessEngine* engine : {white, black}) {
    connect(engine, &ChessEngine::ready, this, &EngineMatch::engineReady);
    // A game that never began has no result; one left by a dead or rejecting engine is its loss.
    connect(engine, &ChessEngine::failed, this, [this, engine](const QString& reason) {
      finish(started ? winnerAgainst(engine == this->white ? 1 : 0) : QStringLiteral("*"), reason);
    });
    connect(engine, &ChessEngine::moveMade, this, [this, engine](const QString& move) { moveArrived(engine, move); });
    connect(engine, &ChessEngine::resigned, this, [this, engine] {
      const int side = engine == this->white ? 1 : 0;
      finish(winnerAgainst(side), tr("El motor %1 abandona.").arg(engine->name()));
    });
  }
}

int EngineMatch::sideToMove() const {
  return board.read([](const Game& game) { return game.position.sideToMove; });
}

long long EngineMatch::remainingMs(int side) const {
  if (clock.baseMs < 0) return -1;
  if (side == sideToMove() && thinking.isValid() && !isOver()) return qMax(0LL, remaining[side] - thinking.elapsed());
  return remaining[side];
}

void EngineMatch::start() {
  for (ChessEngine* engine : {white.data(), black.data()})
    if (engine->state() == ChessEngine::State::NotStarted) engine->start();
  engineReady();
}

void EngineMatch::engineReady() {
  if (started || isOver()) return;
  if (white->state() != ChessEngine::State::Ready || black->state() != ChessEngine::State::Ready) return;
  started = true;
  white->newGame(startFen);
  if (black != white) black->newGame(startFen);
  askForMove();
}

void EngineMatch::askForMove() {
  if (isOver()) return;
  if (plyLimit > 0 && moveTexts.size() >= plyLimit) {
    finish(QStringLiteral("*"), tr("Partida detenida tras %1 jugadas.").arg(plyLimit));
    return;
  }
  const int side = sideToMove();
  SearchLimits limits;
  if (clock.baseMs >= 0) {
    limits.timeLeft = remaining[side];
    limits.opponentTime = remaining[1 - side];
    limits.increment = clock.incrementMs;
  } else {
    limits.moveTime = clock.moveTimeMs;
  }
  thinking.start();
  if (clock.baseMs >= 0) flag->start(static_cast<int>(remaining[side]));
  engineFor(side)->go(moveTexts, limits);
}

void EngineMatch::moveArrived(ChessEngine* engine, const QString& text) {
  if (isOver()) return;
  const int side = sideToMove();
  if (engine != engineFor(side)) return;  // an answer nobody asked for
  flag->stop();
  if (clock.baseMs >= 0) remaining[side] = remaining[side] - thinking.elapsed() + clock.incrementMs;
  const Move move = board.read([&text](const Game& game) { return readUciMove(game.position, text.toStdString()); });
  if (move.isNull()) {
    finish(winnerAgainst(side), tr("El motor %1 envió una jugada ilegal: %2.").arg(engine->name(), engine_text::quotedMove(text)));
    return;
  }
  std::string reason;
  const int outcome = board.edit([&](Game& game) {
    game.playMove(move);
    return game.adjudicate(reason);
  });
  moveTexts << text;
  emit movePlayed(text);
  if (outcome == WHITE_WINS) finish(QStringLiteral("1-0"), reasonInSpanish(reason, outcome));
  else if (outcome == BLACK_WINS) finish(QStringLiteral("0-1"), reasonInSpanish(reason, outcome));
  else if (outcome == GAME_DRAWN) finish(QStringLiteral("1/2-1/2"), reasonInSpanish(reason, outcome));
  else askForMove();
}

void EngineMatch::stop(const QString& reason) {
  for (ChessEngine* engine : {white.data(), black.data()})
    if (engine) engine->stop();
  finish(QStringLiteral("*"), reason);
}

void EngineMatch::finish(const QString& result, const QString& reason) {
  if (isOver()) return;
  flag->stop();
  resultText = result;
  reasonText = reason;
  emit finished(result, reason);
}
