#pragma once
// The one game of the process: current position, a whole-position snapshot per
// ply, the clock and the players. The PGN reader and the command loop play
// into it with the same operations.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "driver/game_clock.h"
#include "search/player.h"
#include "position/chess_board.h"

// adjudicate results.
enum : int { GAME_GOES_ON = 0, WHITE_WINS = 1, GAME_DRAWN = 2, BLACK_WINS = 3 };

class Game {
 public:
  static Game& instance();

  CChessBoard position;
  std::vector<CChessBoard> history;  // index k: the position after k plies
  GameClock clock;
  std::unique_ptr<Player> whitePlayer;
  std::unique_ptr<Player> blackPlayer;
  Player* enginePlayer = nullptr;    // one of the two players, or none
  int playState = -1;                // 0 playing, 1 finished, 2 forcing; -1 until the loop sets it

  // The desktop app's one Game lock: the engine holds it while it changes
  // position or history, the window while it reads them. Recursive so that
  // operations may nest.
  std::recursive_mutex& mutex() { return lock; }

  // Makes the move, switches the side, appends a snapshot. The move list is
  // left as it was: users generate it afresh.
  void playMove(const Move& move);

  // Empty history, generator seeded from the time, clock reset and stopped,
  // initial position, human White against engine Black.
  void startNewGame();
  // The initial position with no line links and a null last move; history untouched.
  void setupInitialPosition();
  // The history becomes the current position as its only snapshot.
  void restartHistory();

  void assignPlayers(bool engineBothSides);
  void makeHumansOnly();
  // The side to move gets the engine player, the other side a human.
  void makeEngineToMove();

  // Take back one ply / two plies; false (and no change) when history is too short.
  bool undoPly();
  bool removePair();

  // 0 goes on, 1 White won, 2 drawn, 3 Black won; reason filled for 1..3.
  int adjudicate(std::string& reason);

  Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

 private:
  void restoreFromHistory();
  std::recursive_mutex lock;
};
