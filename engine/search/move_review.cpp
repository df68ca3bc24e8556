#include "search/move_review.h"

#include <algorithm>
#include <cmath>

namespace {

// The curve's slope: 100 centipawns are worth about 59 % for the side ahead.
constexpr double CENTIPAWN_SLOPE = 0.00368208;

}  // namespace

double expectedScore(const WhiteScore& score) {
  if (score.mate > 0) return 1.0;
  if (score.mate < 0) return 0.0;
  return 1.0 / (1.0 + std::exp(-CENTIPAWN_SLOPE * score.centipawns));
}

MoveMark markForLoss(double loss) {
  if (loss >= 0.15) return MoveMark::BLUNDER;
  if (loss >= 0.10) return MoveMark::MISTAKE;
  if (loss >= 0.05) return MoveMark::INACCURACY;
  return MoveMark::NONE;
}

MoveMark markForMove(const WhiteScore& before, const WhiteScore& after, bool whiteMoved) {
  const double drop = expectedScore(before) - expectedScore(after);
  MoveMark mark = markForLoss(whiteMoved ? drop : -drop);
  const int sign = whiteMoved ? 1 : -1;
  if (before.mate * sign > 0 && after.mate * sign <= 0 && !after.isWon()) {
    const int keptCentipawns = after.mate != 0 ? -WhiteScore::WON_CENTIPAWNS : after.centipawns * sign;
    const MoveMark lost = keptCentipawns > 999   ? MoveMark::INACCURACY
                          : keptCentipawns > 700 ? MoveMark::MISTAKE
                                                 : MoveMark::BLUNDER;
    mark = std::max(mark, lost);
  }
  return mark;
}

double moveAccuracy(double loss) {
  const double percent = loss * 100;
  if (percent <= 0) return 100;
  return std::clamp(103.1668 * std::exp(-0.04354 * percent) - 3.1669, 0.0, 100.0);
}

ScoreReview reviewScores(const std::vector<std::optional<WhiteScore>>& scores, bool whiteMovesFirst,
                         const std::vector<std::optional<WhiteScore>>& playedScores) {
  ScoreReview review;
  double accuracySum[2] = {0, 0};
  bool whiteMoves = whiteMovesFirst;
  for (std::size_t ply = 0; ply + 1 < scores.size(); ++ply, whiteMoves = !whiteMoves) {
    PlyReview& judged = review.plies.emplace_back();
    const std::optional<WhiteScore>& before = scores[ply];
    const bool playedKnown = ply < playedScores.size() && playedScores[ply];
    const std::optional<WhiteScore>& after = playedKnown ? playedScores[ply] : scores[ply + 1];
    if (!before || !after) continue;
    const double drop = expectedScore(*before) - expectedScore(*after);
    judged.judged = true;
    judged.loss = std::max(whiteMoves ? drop : -drop, 0.0);
    judged.mark = markForMove(*before, *after, whiteMoves);

    SideSummary& side = whiteMoves ? review.white : review.black;
    ++side.judgedMoves;
    accuracySum[whiteMoves ? 0 : 1] += moveAccuracy(judged.loss);
    if (judged.mark == MoveMark::INACCURACY) ++side.inaccuracies;
    if (judged.mark == MoveMark::MISTAKE) ++side.mistakes;
    if (judged.mark == MoveMark::BLUNDER) ++side.blunders;
  }
  if (review.white.judgedMoves) review.white.accuracy = accuracySum[0] / review.white.judgedMoves;
  if (review.black.judgedMoves) review.black.accuracy = accuracySum[1] / review.black.judgedMoves;
  return review;
}
