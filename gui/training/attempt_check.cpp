#include "attempt_check.h"

#include <algorithm>

#include "search/alpha_beta_search.h"
#include "search/move_review.h"

SearchLimits attemptBudget() {
  SearchLimits limits;
  limits.nodes = 2 * REVIEW_NODES_PER_SECOND;  // what a review spends on a move in two seconds
  return limits;
}

AttemptVerdict checkAttempt(const CChessBoard& position, const Move& tried, const Move& played,
                            const SearchLimits& limits, ReviewCancel* cancel) {
  AttemptVerdict verdict;
  AlphaBetaSearch search;
  SearchContext context;
  if (cancel) context.stopRequest = &cancel->stopSearch;
  const std::vector<CChessBoard> positions{position};
  const PositionJudgement best = judgePosition(search, positions, 0, limits, context);
  verdict.bestScore = best.score;
  verdict.bestLine = best.line;
  if (cancel && cancel->cancelled) {
    verdict.stopped = true;
    return verdict;
  }
  const PositionJudgement judged = judgeMoveAlone(search, positions, 0, tried, best, context);
  verdict.triedScore = judged.score;
  verdict.triedLine = judged.line;
  if (cancel && cancel->cancelled) {
    verdict.stopped = true;
    return verdict;
  }
  const bool white = position.sideToMove != 0;
  const double lost = expectedScore(verdict.bestScore) - expectedScore(verdict.triedScore);
  verdict.loss = std::max(0.0, white ? lost : -lost);
  const bool isPlayed = tried.sameSquares(played) && tried.promotion == played.promotion;
  verdict.solved = !isPlayed && markForLoss(verdict.loss) == MoveMark::NONE;
  return verdict;
}
