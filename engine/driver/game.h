#pragma once
// The one game of the process: current position, a whole-position snapshot per
// ply, the clock and the players. The PGN reader and the command loop play
// into it with the same operations.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "book/replay_target.h"
#include "driver/game_clock.h"
#include "position/chess_board.h"
#include "position/fen.h"
#include "search/player.h"

// adjudicate results.
enum : int { GAME_GOES_ON = 0, WHITE_WINS = 1, GAME_DRAWN = 2, BLACK_WINS = 3 };

// Where the game stands for the command loop; NOT_STARTED until the loop sets it.
enum PlayState : int { NOT_STARTED = -1, PLAYING = 0, FINISHED = 1, FORCING = 2 };

// Makes one player of a game: the engine's when `engine`, a person's otherwise.
using PlayerFactory = std::function<std::unique_ptr<Player>(bool engine)>;

class Game : public ReplayTarget {
 public:
  static Game& instance();

  CChessBoard position;
  std::vector<CChessBoard> history;  // index k: the position after k plies
  GameClock clock;
  std::unique_ptr<Player> whitePlayer;
  std::unique_ptr<Player> blackPlayer;
  Player* enginePlayer = nullptr;    // one of the two players, or none
  PlayState playState = NOT_STARTED;
  // The FEN counters of history's first entry (a set-up position's own), so the
  // fifty-move rule and the FEN written later count on from them.
  FenCounters startCounters;

  // The desktop app's one Game lock, taken only here: the engine holds it while
  // it changes position or history, the window while it reads them. Recursive
  // so that operations may nest.
  //
  // Every change from another thread goes through edit; the Game's own
  // operations lock themselves as well.
  template <class Change>
  decltype(auto) edit(Change&& change) {
    std::lock_guard guard(lock);
    return change(*this);
  }
  // A reader sees one consistent state and returns what it needs as a copy.
  template <class Look>
  auto read(Look&& look) const {
    std::lock_guard guard(lock);
    return look(*this);
  }

  // Makes the move, switches the side, appends a snapshot. The move list is
  // left as it was: users generate it afresh.
  void playMove(const Move& move);

  // Empty history, generator seeded from the time, clock reset and stopped,
  // initial position, human White against engine Black.
  void startNewGame();
  // The initial position with no line links and a null last move; history untouched.
  void setupInitialPosition() override;
  void clearHistory() override;
  void setupPosition(const CBoard& start) override;
  Move replayMove(const std::function<Move(CChessBoard& position)>& read) override;
  // The history becomes the current position as its only snapshot, with a
  // fresh start's counters (nothing is known of the plies before it).
  void restartHistory();

  void assignPlayers(bool engineBothSides);
  void makeHumansOnly();
  // The side to move gets the engine player, the other side a human.
  void makeEngineToMove();
  // The side not to move gets the engine player, the side to move a human.
  void makeEngineNotToMove();

  // Take back one ply / two plies; false (and no change) when history is too short.
  bool undoPly();
  bool removePair();

  // The keys of the positions before the current one since the last capture
  // or pawn move, oldest first: what a search needs to see the game's own
  // repetitions, whoever made the moves.
  std::vector<std::uint64_t> repetitionKeys() const;
  // A set-up position's halfmove clock while no capture or pawn move has
  // been played since: those plies count toward the fifty-move rule too.
  int reversiblePliesBeforeHistory() const;
  // 0 goes on, 1 White won, 2 drawn, 3 Black won; reason filled for 1..3.
  int adjudicate(std::string& reason);

  // Without a factory every player is a person's: a scratch game to replay into.
  explicit Game(PlayerFactory makePlayer = {});
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

 private:
  void restoreFromHistory();
  void setPlayers(bool whiteEngine, bool blackEngine);

  PlayerFactory makePlayer;
  mutable std::recursive_mutex lock;
};
