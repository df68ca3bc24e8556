#pragma once
// Where the PGN reader plays a game: the engine's Game, or a scratch game for
// a book load that must leave the game in progress alone.

#include <functional>

#include "position/chess_board.h"

class ReplayTarget {
 public:
  virtual ~ReplayTarget() = default;
  // The initial position with no line links and a null last move.
  virtual void setupInitialPosition() = 0;
  virtual void clearHistory() = 0;
  // A set-up start (a FEN tag) in place of the initial position, like it
  // with no line links and a null last move.
  virtual void setupPosition(const CBoard& start) = 0;
  // Hands the current position to `read` (reading a move generates its legal
  // moves into it) and plays the move it returns unless that is null; returns
  // the move. A game shared with another thread does all of it under its lock.
  virtual Move replayMove(const std::function<Move(CChessBoard& position)>& read) = 0;
};
