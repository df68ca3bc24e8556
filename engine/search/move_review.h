#pragma once
// Judging played moves by what they cost: a score becomes the mover's expected
// score (0 lost, 1 won) through the logistic curve the game-review sites use,
// a move's loss is the drop of its mover's expected score from the position
// before it to the one after, and the loss names the mistake with the same
// thresholds those sites use.

#include <optional>
#include <vector>

#include "position/white_score.h"

enum class MoveMark { NONE, INACCURACY, MISTAKE, BLUNDER };

// White's expected score: 1 for a mate White forces, 0 for one Black forces.
double expectedScore(const WhiteScore& score);
// Loss of expected score (0 to 1) to its mark: 0.05 an inaccuracy, 0.10 a
// mistake, 0.15 a blunder.
MoveMark markForLoss(double loss);
// The mark of a move from the scores before and after it: its loss's mark,
// or, when the mover had a forced mate and let it go, at least the mark the
// review sites give that (a blunder unless the mover stays 7 or 10 pawns up),
// since a still huge advantage hides the loss on the curve.
MoveMark markForMove(const WhiteScore& before, const WhiteScore& after, bool whiteMoved);
// A move's accuracy (0 to 100) from its loss: 100 for no loss, falling
// steeply over the first few points of expected score.
double moveAccuracy(double loss);

struct PlyReview {
  bool judged = false;  // both scores around the move were known
  double loss = 0;      // of the mover's expected score, never below 0
  MoveMark mark = MoveMark::NONE;
};

struct SideSummary {
  int inaccuracies = 0, mistakes = 0, blunders = 0;
  int judgedMoves = 0;
  double accuracy = 0;  // mean of the judged moves' accuracies; 0 with none
};

struct ScoreReview {
  std::vector<PlyReview> plies;  // one per move: ply k leads from score k to score k + 1
  SideSummary white, black;
};

// `scores`: the start position's and each position after a move, unknown
// ones empty. Moves whose scores are not both known stay unjudged.
// `playedScores`, when given, one per move: the move played searched alone
// from the position before it. Where known it stands for the score after the
// move, so the move is weighed against the best by searches of one depth
// from one position (an only move or the best one then loses nothing).
ScoreReview reviewScores(const std::vector<std::optional<WhiteScore>>& scores, bool whiteMovesFirst,
                         const std::vector<std::optional<WhiteScore>>& playedScores = {});
