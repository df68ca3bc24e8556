#pragma once
// The window's side of a game in progress: its clocks, the time control the
// engine is told, and how the game ended. The frame reports what the engine
// took and what the Game now holds; this keeps the clocks in step with it.

#include <QString>

#include <chrono>
#include <functional>
#include <optional>

#include "chess_clocks.h"
#include "game_end.h"
#include "time_control.h"

class Game;

// The one time base of the clocks, on any thread.
inline qint64 steadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

class GameFlow {
 public:
  explicit GameFlow(const Game& game);

  // The usual time control (Opciones), from the next new game on.
  void setTimeControl(const TimeControl& control) { usualControl = nextControl = control; }
  // The time control of one game set up on purpose (Nueva partida...), from
  // its start until a quick new game goes back to the usual one.
  void setGameTimeControl(const TimeControl& control) { nextControl = control; }
  void useUsualTimeControl() { nextControl = usualControl; }
  const TimeControl& timeControl() const { return nextControl; }

  // "level 0 3 0\nnew": the engine learns the time control with each new game.
  QString newGameCommand() const;
  // The engine's and the person's times ahead of a command that makes the
  // engine think for `engineSide`.
  QString withClocks(const QString& command, int engineSide) const;

  // A new game (or one opened from a file): the clocks of the time control, stopped.
  void restart();
  // The engine starts thinking for `side`.
  void engineThinks(int side) { clockState.startThinking(now(), side); }
  // The game stood at `plies` with `sideToMove` to move at time `at` (the
  // moment the engine wrote a line, so each ply is charged to who made it).
  void follow(qint64 at, int plies, int sideToMove);
  // When the running side's flag has fallen, the game ends here and its end is returned.
  std::optional<GameEnd> checkFlag();
  // Neither side can be mated any more (the engine names only two bare kings):
  // the game ends here drawn, and its end is returned.
  std::optional<GameEnd> checkMaterial();
  void finish(const GameEnd& end);
  // Atras after a result other than a flag fall lets the game go on.
  void takenBack();

  bool isOver() const { return gameEnd.has_value(); }
  const std::optional<GameEnd>& end() const { return gameEnd; }
  // "Blancas 02 : 59 - Negras 03 : 00", or "sin reloj".
  QString clockText() const;
  const ChessClocks& clocks() const { return clockState; }
  qint64 now() const { return timeSource(); }
  // Where the clocks read the time; tests hand in their own.
  void setTimeSource(std::function<qint64()> source) { timeSource = std::move(source); }

 private:
  const Game& game;
  TimeControl usualControl;
  TimeControl nextControl;
  ChessClocks clockState;
  std::optional<GameEnd> gameEnd;
  std::function<qint64()> timeSource = steadyMilliseconds;
};
