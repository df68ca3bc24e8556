#include "game_flow.h"

#include <QCoreApplication>

#include "driver/game.h"

GameFlow::GameFlow(const Game& game) : game(game) {
  clockState.reset(nextControl);
}

QString GameFlow::newGameCommand() const {
  const QString level = nextControl.levelCommand();
  return level.isEmpty() ? QStringLiteral("new") : level + QStringLiteral("\nnew");
}

QString GameFlow::withClocks(const QString& command, int engineSide) const {
  const qint64 at = now();
  const QString times = clockState.control().clockCommands(clockState.remaining(engineSide, at),
                                                           clockState.remaining(1 - engineSide, at));
  return times.isEmpty() ? command : times + u'\n' + command;
}

void GameFlow::restart() {
  clockState.reset(nextControl);
  gameEnd.reset();
}

void GameFlow::follow(qint64 at, int plies, int sideToMove) {
  if (!isOver()) clockState.follow(at, plies, sideToMove);
}

std::optional<GameEnd> GameFlow::checkFlag() {
  if (isOver()) return std::nullopt;
  const int flagged = clockState.flagged(now());
  if (flagged == ChessClocks::NOBODY) return std::nullopt;
  const CBoard position = game.read([](const Game& g) -> CBoard { return g.position; });
  finish(GameEnd::ofFlagFall(position, flagged));
  return gameEnd;
}

std::optional<GameEnd> GameFlow::checkMaterial() {
  if (isOver()) return std::nullopt;
  const CBoard position = game.read([](const Game& g) -> CBoard { return g.position; });
  if (!isDeadPosition(position)) return std::nullopt;
  finish({QStringLiteral("1/2-1/2"), QStringLiteral("Insufficient material")});
  return gameEnd;
}

void GameFlow::finish(const GameEnd& end) {
  if (isOver()) return;
  gameEnd = end;
  clockState.finish(now());
}

void GameFlow::takenBack() {
  if (!gameEnd || gameEnd->reason == QLatin1String("time")) return;
  gameEnd.reset();
  clockState.resume();
}

QString GameFlow::clockText() const {
  if (!clockState.control().timed) return QCoreApplication::translate("GameFlow", "sin reloj");
  const qint64 at = now();
  auto text = [&](int side) {
    return QString::fromStdString(GameClock::clockText(static_cast<double>(clockState.remaining(side, at)) / 1000.0));
  };
  return QCoreApplication::translate("GameFlow", "Blancas %1 - Negras %2").arg(text(1), text(0));
}
