#pragma once
// What one move's search is allowed, whichever protocol asked for it: the
// xboard commands (sd, st, level, time, otim) and UCI's "go" fill the same
// record, and the search reads only this.

#include <cstdint>
#include <vector>

#include "position/move.h"

struct SearchLimits {
  int depth = 0;                    // plies; 0: no depth limit
  std::int64_t moveTime = 0;        // milliseconds for this move; 0: none
  std::int64_t timeLeft = -1;       // milliseconds on the mover's clock; -1: no clock
  std::int64_t opponentTime = -1;   // milliseconds on the opponent's clock; -1: unknown
  std::int64_t increment = 0;       // milliseconds added to the mover's clock per move
  std::int64_t moveOverhead = 0;    // milliseconds each move costs besides its search (the interface's lag)
  int movesToGo = 0;                // moves to the next time control; 0: the rest of the game
  std::int64_t nodes = 0;           // 0: no node limit
  int mate = 0;                     // moves: a mate found in this many or fewer ends the search; 0: none
  bool infinite = false;            // search until stopped
  std::vector<Move> searchMoves;    // empty: every legal move
  int reversiblePliesBefore = 0;    // before the game's keys without a capture or pawn move (a
                                    // set-up position's halfmove clock): toward the fifty-move rule
  int multiPv = 1;                  // best lines to find and report (the strong search only)
  std::int64_t progressEvery = 0;   // milliseconds: an iteration that runs longer repeats its
                                    // last lines this often with the nodes so far; 0: never
};
