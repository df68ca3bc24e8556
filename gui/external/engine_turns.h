#pragma once
// The players seated at the window's game. The game itself stays the
// built-in engine's Game, which judges every move (the window hands it each
// move as it hands it a person's); this only notices when a seated player is
// to move, asks it with the game so far and both clocks, checks the answer
// against the legal moves, and passes it on. Every seat is a SeatedPlayer,
// kelvo's as an engine's; a seat without one is the person's. A fault of a
// player is reported with the side it played.

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

#include "seated_player.h"

class Game;

class EngineTurns : public QObject {
  Q_OBJECT

 public:
  EngineTurns(const Game& game, QObject* parent = nullptr);
  ~EngineTurns() override;

  // The clocks and the end of the window's game, asked before each turn.
  void setLimits(std::function<SearchLimits()> limits) { currentLimits = std::move(limits); }
  void setGameOver(std::function<bool()> over) { gameOver = std::move(over); }

  // Side 1 White, 0 Black; no player: the seat is the person's. A player
  // seated before is told to quit.
  void seat(int side, std::unique_ptr<SeatedPlayer> player);
  // Every seat a person's again (the quick new game seats kelvo itself).
  void clear();
  // Starts the seated players; the first turn follows once they are ready.
  void begin();
  // The game changed (a move, a new game, a take-back): asks whoever is to move now.
  void poll();
  // Ends every thinking: a move that still arrives is not played.
  void halt();

  // The player given the side's seat, also once it has failed (the saved
  // game still names it); none for the person's.
  SeatedPlayer* playerOf(int side) const { return players[side].get(); }
  // The side to move is a seated player's (no clicks on the board then).
  bool isEnginesTurn() const;
  // A seat holds a player that proposes its moves (an engine run as a process).
  bool hasProposingPlayer() const;

 signals:
  // A legal move of the player at `side`, for the window to play.
  void movePlayed(const QString& move, int side);
  // The player of `side` cannot go on; `gameBegan` is false when it never got ready.
  void fault(int side, const QString& reason, bool gameBegan);

 private:
  int sideToMove() const;
  // The player still holding the side's seat: none once it has failed.
  SeatedPlayer* activePlayer(int side) const { return seated[side] ? players[side].get() : nullptr; }
  void playerReady(int side);
  void moveArrived(int side, const QString& move);
  // The game's start as a FEN (empty for the initial position) and its moves as coordinates.
  std::pair<QString, QStringList> gameSoFar() const;

  const Game& game;
  std::function<SearchLimits()> currentLimits;
  std::function<bool()> gameOver;
  std::array<std::unique_ptr<SeatedPlayer>, 2> players;
  std::array<bool, 2> seated{false, false};  // the seat is the player's (until it fails)
  std::array<bool, 2> inGame{false, false};  // told the game's start
  int askedAtPly = -1;                       // the ply a proposing player is thinking on
  bool halted = false;
};
