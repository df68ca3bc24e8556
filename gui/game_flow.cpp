#include "game_flow.h"

#include "driver/game.h"

GameFlow::GameFlow(const Game& game) : game(game) {
  timer.start();
  clockState.reset(nextControl);
}

QString GameFlow::newGameCommand() const {
  const QString level = nextControl.levelCommand();
  return level.isEmpty() ? QStringLiteral("new") : level + QStringLiteral("\nnew");
}

QString GameFlow::withClocks(const QString& command, int engineSide) const {
  const qint64 at = now();
  const QString times =
      clockState.control().clockCommands(clockState.remaining(engineSide, at), clockState.remaining(1 - engineSide, at));
  return times.isEmpty() ? command : times + u'\n' + command;
}

void GameFlow::commandTaken(const QString& line) {
  const QString word = line.section(u' ', 0, 0);
  if (word == QLatin1String("new") || word == QLatin1String("_loadpgn")) {
    clockState.reset(nextControl);
    gameEnd.reset();
  } else if (word == QLatin1String("undo") || word == QLatin1String("remove")) {
    takenBack();
  } else if (word == QLatin1String("go")) {
    const int side = game.read([](const Game& g) { return g.position.sideToMove; });
    clockState.startThinking(now(), side);
  }
}

std::optional<GameEnd> GameFlow::follow() {
  if (isOver()) return std::nullopt;
  const auto [plies, side] =
      game.read([](const Game& g) { return std::pair{static_cast<int>(g.history.size()), g.position.sideToMove}; });
  const qint64 at = now();
  clockState.follow(at, plies, side);
  const int flagged = clockState.flagged(at);
  if (flagged == ChessClocks::NOBODY) return std::nullopt;
  const CBoard position = game.read([](const Game& g) -> CBoard { return g.position; });
  finish(GameEnd::ofFlagFall(position, flagged));
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
  if (!clockState.control().timed) return QStringLiteral("sin reloj");
  const qint64 at = now();
  auto text = [&](int side) {
    return QString::fromStdString(GameClock::clockText(static_cast<double>(clockState.remaining(side, at)) / 1000.0));
  };
  return text(1) + QStringLiteral(" - ") + text(0);
}
