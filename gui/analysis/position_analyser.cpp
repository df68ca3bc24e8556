#include "position_analyser.h"

#include "spanish_notation.h"
#include "search/position_judgement.h"

namespace {

// Turns each finished depth into a line for the panel.
class LineReporter : public SearchListener {
 public:
  LineReporter(PositionAnalyser& analyser, const CChessBoard& position, quint64 request, int moveNumber)
      : analyser(analyser), position(position), request(request), moveNumber(moveNumber) {}
  void iterationDone(const SearchReport& report) override {
    AnalysisLine line;
    line.request = request;
    line.score = whiteScoreOf(report.score, position.sideToMove != 0);
    line.moves = report.pv;
    line.text = notatedLine(position, moveNumber, report.pv);
    line.rank = report.multiPv;
    line.depth = report.depth;
    line.nodes = report.nodes;
    line.milliseconds = report.milliseconds;
    emit analyser.lineFound(line);
  }

 private:
  PositionAnalyser& analyser;
  const CChessBoard& position;
  quint64 request;
  int moveNumber;
};

}  // namespace

PositionAnalyser::PositionAnalyser(QObject* parent) : QObject(parent) {
  qRegisterMetaType<AnalysisLine>();
  thread = std::thread([this] { work(); });
}

PositionAnalyser::~PositionAnalyser() {
  {
    std::lock_guard lock(mutex);
    quitting = true;
    stopSearch = true;
  }
  wake.notify_all();
  thread.join();
}

quint64 PositionAnalyser::analyse(std::vector<CChessBoard> positions, int moveNumber, int lines) {
  quint64 number = 0;
  {
    std::lock_guard lock(mutex);
    number = ++requests;
    next = Request{number, std::move(positions), moveNumber, lines};
    stopSearch = true;
  }
  wake.notify_all();
  return number;
}

void PositionAnalyser::stop() {
  std::lock_guard lock(mutex);
  next.reset();
  ++requests;
  stopSearch = true;
}

void PositionAnalyser::work() {
  AlphaBetaSearch search;
  for (;;) {
    Request request;
    {
      std::unique_lock lock(mutex);
      wake.wait(lock, [this] { return quitting || next.has_value(); });
      if (quitting) return;
      request = std::move(*next);
      next.reset();
      stopSearch = false;
    }
    if (request.positions.empty()) continue;
    LineReporter reporter(*this, request.positions.back(), request.number, request.moveNumber);
    SearchContext context;
    context.listener = &reporter;
    context.stopRequest = &stopSearch;
    SearchLimits limits;
    limits.infinite = true;
    limits.multiPv = request.lines;
    // A deep iteration repeats its lines meanwhile, so the speed and nodes keep moving.
    limits.progressEvery = 1000;
    const PositionJudgement judged =
        judgePosition(search, request.positions, request.positions.size() - 1, limits, context);
    if (judged.line.empty()) {  // mate or stalemate on the board
      AnalysisLine over;
      over.request = request.number;
      over.score = judged.score;
      emit lineFound(over);
    }
  }
}
