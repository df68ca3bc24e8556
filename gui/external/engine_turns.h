#pragma once
// The external engines seated at the window's game. The game itself stays
// the built-in engine's Game, which judges every move (the window hands it
// each move as it hands it a person's); this only notices when a seated
// engine is to move, asks it with the game so far and both clocks, checks
// the answer against the legal moves, and passes it on. A fault of an engine
// is reported with the side it played.

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

#include "chess_engine.h"

class Game;

class EngineTurns : public QObject {
  Q_OBJECT

 public:
  enum class Seat { Person, BuiltIn, External };

  EngineTurns(const Game& game, QObject* parent = nullptr);
  ~EngineTurns() override;

  // The clocks and the end of the window's game, asked before each turn.
  void setLimits(std::function<SearchLimits()> limits) { currentLimits = std::move(limits); }
  void setGameOver(std::function<bool()> over) { gameOver = std::move(over); }

  // Side 1 White, 0 Black; an external seat comes with its engine.
  void seat(int side, Seat seat, std::unique_ptr<ChessEngine> engine = nullptr);
  // Every seat a person's again (the quick new game seats kelvo itself); engines are told to quit.
  void clear();
  // Starts the seated engines; the first turn follows once they are ready.
  void begin();
  // The game changed (a move, a new game, a take-back): asks whoever is to move now.
  void poll();
  // Ends every thinking: a move that still arrives is not played.
  void halt();

  Seat seatOf(int side) const { return seats[side]; }
  ChessEngine* engineOf(int side) const { return engines[side].get(); }
  // The side to move is an engine's (no clicks on the board then).
  bool isEnginesTurn() const;
  bool hasExternalSeat() const { return seats[0] == Seat::External || seats[1] == Seat::External; }

 signals:
  // A legal move of the engine playing `side`, for the window to play.
  void movePlayed(const QString& move, int side);
  // The built-in engine's seat is to move: the window has it move once it waits.
  void builtInToMove();
  // The engine of `side` cannot go on; `gameBegan` is false when it never got ready.
  void fault(int side, const QString& reason, bool gameBegan);

 private:
  int sideToMove() const;
  void engineReady(int side);
  void moveArrived(int side, const QString& move);
  // The game's start as a FEN (empty for the initial position) and its moves as coordinates.
  std::pair<QString, QStringList> gameSoFar() const;

  const Game& game;
  std::function<SearchLimits()> currentLimits;
  std::function<bool()> gameOver;
  std::array<Seat, 2> seats{Seat::Person, Seat::Person};
  std::array<std::unique_ptr<ChessEngine>, 2> engines;
  std::array<bool, 2> inGame{false, false};  // told the game's start
  int askedAtPly = -1;                       // the ply an engine is thinking on
  bool halted = false;
};
