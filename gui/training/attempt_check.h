#pragma once
// Whether a move tried in an exercise solves it: the position searched for
// its best score, then the tried move searched alone to the same depth (as a
// game's review weighs a played move), and the tried move accepted when it
// costs its mover less than an inaccuracy of expected score against the best.
// Two equally good moves are both accepted; the mistake that made the
// exercise never is, whatever the search says of it.

#include <vector>

#include "position/chess_board.h"
#include "position/white_score.h"
#include "search/position_judgement.h"
#include "search/search_limits.h"

struct AttemptVerdict {
  bool solved = false;
  bool stopped = false;          // cut short: no verdict
  double loss = 0;               // of the mover's expected score, against the best
  WhiteScore bestScore, triedScore;
  std::vector<Move> bestLine;    // from the exercise's position
  std::vector<Move> triedLine;   // from the same position, the tried move first
};

// The budget an attempt is judged with: a fixed count of nodes, so that the
// same try gets the same answer on every machine.
SearchLimits attemptBudget();

AttemptVerdict checkAttempt(const CChessBoard& position, const Move& tried, const Move& played,
                            const SearchLimits& limits = attemptBudget(), ReviewCancel* cancel = nullptr);
