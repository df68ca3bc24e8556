#pragma once
// A player seated at the window's game other than the person at the board:
// an engine run as a process, or kelvo itself. When its side is to move it is
// told the game so far and both clocks, and answers with a move, a
// resignation or a fault; the window judges the move and plays it. Every
// seat of the game is filled the same way, so the game knows no engine kind.

#include <QObject>
#include <QString>
#include <QStringList>

#include "search/search_limits.h"

class SeatedPlayer : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The name the saved game gives the player; empty where the game names it itself.
  virtual QString seatName() const = 0;
  virtual bool hasStarted() const = 0;
  // Able to take a turn now.
  virtual bool isReady() const = 0;
  // Starts the player; ready() or failed() follows.
  virtual void start() = 0;
  // A game from the initial position (empty `fen`) or from a FEN.
  virtual void newGame(const QString& fen) = 0;
  // The player's side is to move in the position after `moves` (coordinate
  // texts from the start of the game), within `limits`.
  virtual void go(const QStringList& moves, const SearchLimits& limits) = 0;
  // Kelvo keeps the game itself and plays its move into it; the window then
  // only follows (no moveMade comes). Every other player proposes its move.
  virtual bool playsIntoTheGame() const { return false; }
  // Move now.
  virtual void stop() = 0;
  // Leaves the game: a process is told goodbye.
  virtual void quit() = 0;

 signals:
  void ready();
  void moveMade(const QString& move);
  void resigned();
  // Start failure, no answer, death or a rejected move: the player cannot go on.
  void failed(const QString& reason);
};
