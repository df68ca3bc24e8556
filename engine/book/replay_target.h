#pragma once
// Where the PGN reader plays a game: the engine's Game, or a scratch game for
// a book load that must leave the game in progress alone.

#include "position/chess_board.h"

class ReplayTarget {
 public:
  virtual ~ReplayTarget() = default;
  // The initial position with no line links and a null last move.
  virtual void setupInitialPosition() = 0;
  virtual void clearHistory() = 0;
  // Not const: reading a move generates its legal moves into the position.
  virtual CChessBoard& replayPosition() = 0;
  // Makes the move and switches the side, as a game's move does.
  virtual void playMove(const Move& move) = 0;
};
