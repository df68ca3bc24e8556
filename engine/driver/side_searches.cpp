#include "driver/side_searches.h"

#include "book/opening_book.h"
#include "driver/engine_io.h"
#include "driver/protocol_text.h"
#include "position/move_gen.h"
#include "search/engine_player.h"

namespace {

// A hint must come at once; an analysis may take a little longer per position.
constexpr std::int64_t HINT_MILLISECONDS = 1000;
constexpr std::int64_t ANALYSIS_MILLISECONDS = 5000;
// An analysis that runs on says so at least this often.
constexpr std::int64_t PROGRESS_MILLISECONDS = 1000;

class AnalysisListener : public SearchListener {
 public:
  void iterationDone(const SearchReport& report) override { EngineIO::instance().sendLine(thinkingLine(report)); }
};

bool hasMove(const CChessBoard& position) {
  CChessBoard scratch = position;
  return generateMoves(scratch, false) > 0;
}

Move scratchSearch(const CChessBoard& position, const SessionSettings& session, SearchListener* listener,
                   std::int64_t milliseconds) {
  SearchContext context;
  context.listener = listener;
  context.stopRequest = &EngineIO::instance().stopRequested;
  EnginePlayer player(context);
  player.level = session.level;
  player.limits.depth = session.depth;
  player.limits.moveTime = session.moveTime > 0 ? std::min(session.moveTime, milliseconds) : milliseconds;
  return player.chooseMove(position);
}

}  // namespace

Move hintMove(const CChessBoard& position, const SessionSettings& session) {
  if (!hasMove(position)) return Move();
  const OpeningBook& book = OpeningBook::instance();
  if (book.inPlay()) {
    const auto weights = book.weightedLegalMoves(position);
    if (!weights.empty()) return weights.front().first;
  }
  const Move move = scratchSearch(position, session, nullptr, HINT_MILLISECONDS);
  return move.sameSquares(RESIGN_MOVE) ? Move() : move;
}

void analysePosition(const CChessBoard& position, const SessionSettings& session, bool untilStopped) {
  if (!hasMove(position)) return;
  // One player for every analysis of the run: its table carries over from one position to the next.
  static AnalysisListener listener;
  static EnginePlayer analyst = [] {
    SearchContext context;
    context.listener = &listener;
    context.stopRequest = &EngineIO::instance().stopRequested;
    return EnginePlayer(context);
  }();
  analyst.level = TOP_LEVEL;
  analyst.hashMegabytes = session.hashMegabytes;
  analyst.threads = session.threads;
  analyst.limits = SearchLimits();
  analyst.limits.infinite = untilStopped;
  analyst.limits.moveTime = untilStopped ? 0 : ANALYSIS_MILLISECONDS;
  analyst.limits.progressEvery = PROGRESS_MILLISECONDS;
  analyst.chooseMove(position);
}
