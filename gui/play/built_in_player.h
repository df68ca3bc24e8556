#pragma once
// kelvo at a seat of the window's game. kelvo keeps the very game the window
// shows (commands typed in the command window act on it too), so it is told
// no moves: a move made for the other side reaches it as a person's does, and
// it plays its own into the game. On its turn it is only asked to move, which
// the window does through the protocol, with both clocks, once kelvo waits.

#include <functional>
#include <utility>

#include "external/seated_player.h"

class BuiltInPlayer : public SeatedPlayer {
 public:
  explicit BuiltInPlayer(std::function<void()> askToMove, QObject* parent = nullptr)
      : SeatedPlayer(parent), askToMove(std::move(askToMove)) {}

  // The saved game names kelvo itself.
  QString seatName() const override { return {}; }
  bool hasStarted() const override { return true; }
  bool isReady() const override { return true; }
  void start() override { emit ready(); }
  void newGame(const QString&) override {}
  void go(const QStringList&, const SearchLimits&) override { askToMove(); }
  bool playsIntoTheGame() const override { return true; }
  // "Move now!" and the end of a game stop kelvo's search directly.
  void stop() override {}
  void quit() override {}

 private:
  std::function<void()> askToMove;
};
