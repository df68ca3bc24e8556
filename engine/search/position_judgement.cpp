#include "search/position_judgement.h"

#include <algorithm>
#include <cstdlib>

#include "position/move_gen.h"
#include "position/zobrist.h"

namespace {


// Keeps the best line of the last finished iteration and passes each line on.
class LastIteration : public SearchListener {
 public:
  explicit LastIteration(SearchListener* forward) : forward(forward) {}
  void iterationDone(const SearchReport& report) override {
    if (report.multiPv == 1) last = report;
    if (forward) forward->iterationDone(report);
  }
  SearchReport last;

 private:
  SearchListener* forward;
};

bool irreversible(const Move& move) { return move.captured != EMPTY || isPawn(move.piece); }

// The score of the move that left `positions[index]`, weighed like the best.
WhiteScore playedMoveScore(AlphaBetaSearch& search, const std::vector<CChessBoard>& positions, std::size_t index,
                           const PositionJudgement& best, const SearchContext& context) {
  return judgeMoveAlone(search, positions, index, positions[index + 1].lastMove, best, context).score;
}

}  // namespace

SearchLimits reviewBudget(const SearchLimits& limits) {
  SearchLimits budget = limits;
  if (budget.moveTime > 0) {
    budget.nodes = std::max<std::int64_t>(budget.moveTime * REVIEW_NODES_PER_SECOND / 1000, 1);
    budget.moveTime = 0;
  }
  return budget;
}

bool playedMoveNeedsItsOwnSearch(const CChessBoard& position, const std::vector<Move>& bestLine, const Move& played) {
  if (played.isNull()) return false;
  MoveBuffer buffer;
  if (generateLegalMoves(position, buffer.moves) <= 1) return false;
  return bestLine.empty() || !sameMove(bestLine.front(), played);
}

PositionJudgement judgeMoveAlone(AlphaBetaSearch& search, const std::vector<CChessBoard>& positions,
                                 std::size_t index, const Move& move, const PositionJudgement& best,
                                 const SearchContext& context) {
  if (!playedMoveNeedsItsOwnSearch(positions[index], best.line, move)) return best;
  SearchLimits alone;
  alone.depth = std::max(best.depth, 1);
  alone.searchMoves = {move};
  // A depth the best line reached through the table can cost one move far
  // more to reach alone; it gets at most twice the best search's nodes.
  alone.nodes = std::max<std::int64_t>(best.nodes, 1000) * 2;
  PositionJudgement judged = judgePosition(search, positions, index, alone, context);
  // A slower way to the same mate can lie just past the depth where the best
  // line saw its mate: "mate let go" is a heavy verdict, so before it stands
  // the move gets a deeper look, bounded by nodes alone.
  const int mover = positions[index].sideToMove ? 1 : -1;
  if (best.score.mate * mover > 0 && judged.score.mate * mover <= 0 && !judged.score.isWon()) {
    alone.depth = 0;
    alone.nodes *= MATE_CHECK_NODES_FACTOR;
    PositionJudgement deeper = judgePosition(search, positions, index, alone, context);
    if (deeper.score.mate * mover > 0 || deeper.score.isWon()) return deeper;
  }
  return judged;
}

WhiteScore whiteScoreOf(int moverScore, bool whiteToMove) {
  WhiteScore score;
  if (moverScore >= MATE_BOUND) {
    score.mate = (MATE_VALUE - moverScore + 1) / 2;
  } else if (moverScore <= -MATE_BOUND) {
    score.mate = -((MATE_VALUE + moverScore + 1) / 2);
    if (score.mate == 0) return WhiteScore::won(!whiteToMove);  // mated on the board
  } else {
    score.centipawns = moverScore;
  }
  if (!whiteToMove) {
    score.centipawns = -score.centipawns;
    score.mate = -score.mate;
  }
  return score;
}

std::vector<std::uint64_t> repetitionKeys(const std::vector<CChessBoard>& positions, std::size_t index) {
  std::size_t first = index;
  while (first > 0 && !positions[first].lastMove.isNull() && !irreversible(positions[first].lastMove)) --first;
  std::vector<std::uint64_t> keys;
  for (std::size_t i = first; i <= index; ++i) keys.push_back(positionKey(positions[i]));
  // The search scores any return to a key it is given as a draw. The game has
  // drawn only at a third occurrence, so a position it had once (the root
  // counted) stands as no key; its place is kept, the search counts plies back.
  std::vector<std::uint64_t> twice(keys.size() - 1, NO_REPETITION_KEY);
  for (std::size_t i = 0; i + 1 < keys.size(); ++i)
    if (std::count(keys.begin(), keys.end(), keys[i]) >= 2) twice[i] = keys[i];
  return twice;
}

PositionJudgement judgePosition(AlphaBetaSearch& search, const std::vector<CChessBoard>& positions,
                                std::size_t index, const SearchLimits& limits, const SearchContext& context) {
  const CChessBoard& position = positions[index];
  const bool whiteToMove = position.sideToMove != 0;
  PositionJudgement judgement;
  MoveBuffer buffer;
  if (generateLegalMoves(position, buffer.moves) == 0) {
    if (legalityContext(position).inCheck) judgement.score = WhiteScore::won(!whiteToMove);
    return judgement;
  }
  LastIteration listener(context.listener);
  SearchContext own = context;
  own.listener = &listener;
  const SearchOutcome outcome =
      search.run(position, repetitionKeys(positions, index), limits, LevelSettings(), own);
  judgement.score = whiteScoreOf(outcome.score, whiteToMove);
  judgement.line = listener.last.pv;
  if (judgement.line.empty() || !judgement.line.front().sameSquares(outcome.move)) judgement.line = {outcome.move};
  judgement.depth = outcome.depth;
  judgement.nodes = outcome.nodes;
  return judgement;
}

std::vector<PositionJudgement> judgeGame(const std::vector<CChessBoard>& positions, const SearchLimits& limits,
                                         ReviewCancel* cancel,
                                         const std::function<void(int, int)>& progress) {
  AlphaBetaSearch search;
  ReviewCancel never;
  ReviewCancel& asked = cancel ? *cancel : never;
  SearchContext context;
  context.stopRequest = &asked.stopSearch;
  const SearchLimits budget = reviewBudget(limits);
  std::vector<PositionJudgement> judged;
  const int total = static_cast<int>(positions.size());
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (asked.cancelled) break;
    PositionJudgement judgement = judgePosition(search, positions, i, budget, context);
    if (i + 1 < positions.size() && !asked.cancelled)
      judgement.playedScore = playedMoveScore(search, positions, i, judgement, context);
    if (asked.cancelled) break;  // cut short: not a judgement to keep
    judged.push_back(std::move(judgement));
    if (progress) progress(static_cast<int>(judged.size()), total);
  }
  return judged;
}
