#include "engine_review.h"

#include <algorithm>

#include "driver/uci_moves.h"
#include "engine_analyser.h"
#include "external/chess_engine.h"
#include "external/engine_config.h"
#include "position/fen.h"
#include "position/move_gen.h"

namespace {

QString startFenOf(const CChessBoard& start) {
  CChessBoard initial;
  initial.setupInitialPosition();
  const std::string fen = positionToFen(start);
  return fen == positionToFen(initial) ? QString() : QString::fromStdString(fen);
}

}  // namespace

EngineReview::EngineReview(const EngineConfig& config, std::vector<CChessBoard> gamePositions,
                           const SearchLimits& reviewLimits, QObject* parent)
    : QObject(parent),
      engine(ChessEngine::create(config)),
      positions(std::move(gamePositions)),
      limits(budgetOf(reviewLimits)) {
  connect(engine.get(), &ChessEngine::ready, this, [this] {
    if (!running) return;
    engine->newGame(startFenOf(positions.front()));
    next();
  });
  connect(engine.get(), &ChessEngine::thinking, this, [this](const QString& line) {
    // Bounds are the search's guesses on the way; the line it settles on is exact.
    if (line.contains(QLatin1String(" lowerbound")) || line.contains(QLatin1String(" upperbound"))) return;
    if (auto info = parseUciInfo(line); info && info->multiPv == 1) lastInfo = std::move(info);
  });
  connect(engine.get(), &ChessEngine::moveMade, this, &EngineReview::searchEnded);
  connect(engine.get(), &ChessEngine::resigned, this, [this] { searchEnded(QString()); });
  connect(engine.get(), &ChessEngine::failed, this, [this](const QString& reason) {
    if (!running) return;
    running = false;
    emit failed(reason);
  });
}

EngineReview::~EngineReview() = default;

QString EngineReview::engineName() const { return engine->name(); }

SearchLimits EngineReview::budgetOf(const SearchLimits& limits) {
  const SearchLimits budget = reviewBudget(limits);
  SearchLimits asked;  // only what a review sends: the depth or the nodes
  asked.depth = budget.depth;
  asked.nodes = budget.nodes;
  return asked;
}

QStringList EngineReview::movesTo(std::size_t index) const {
  QStringList moves;
  for (std::size_t i = 1; i <= index; ++i) moves << QString::fromStdString(uciMoveText(positions[i].lastMove));
  return moves;
}

void EngineReview::start() {
  if (running || positions.empty()) return;
  running = true;
  engine->start();
}

void EngineReview::cancel() {
  if (!running) return;
  end();
}

void EngineReview::end() {
  running = false;
  engine->quit();
  emit finished(judged);
}

void EngineReview::next() {
  while (running && judged.size() < positions.size()) {
    const std::size_t index = judged.size();
    const CChessBoard& position = positions[index];
    MoveBuffer buffer;
    if (generateLegalMoves(position, buffer.moves) > 0) {
      current = PositionJudgement();
      lastInfo.reset();
      searchingPlayed = false;
      engine->go(movesTo(index), limits);
      return;
    }
    // Mate or stalemate on the board: nothing to search, as in kelvo's review.
    PositionJudgement over;
    if (legalityContext(position).inCheck) over.score = WhiteScore::won(position.sideToMove == 0);
    judged.push_back(over);
    emit progress(static_cast<int>(judged.size()), static_cast<int>(positions.size()));
  }
  if (running) end();
}

void EngineReview::searchEnded(const QString& bestMove) {
  if (!running) return;
  const std::size_t index = judged.size();
  const CChessBoard& position = positions[index];
  const AnalysisLine line = lastInfo ? EngineAnalyser::lineOf(*lastInfo, position, 1) : AnalysisLine();
  if (searchingPlayed) {
    current.playedScore = lastInfo ? line.score : current.score;
  } else {
    current.score = line.score;
    current.line = line.moves;
    current.depth = line.depth;
    current.nodes = line.nodes;
    const Move best = readUciMove(position, bestMove.toStdString());
    if (!best.isNull() && (current.line.empty() || !sameMove(current.line.front(), best))) current.line = {best};
    if (index + 1 < positions.size()) {
      const Move& played = positions[index + 1].lastMove;
      if (!playedMoveNeedsItsOwnSearch(position, current.line, played)) {
        current.playedScore = current.score;
      } else {
        searchingPlayed = true;
        lastInfo.reset();
        SearchLimits alone = limits;
        alone.searchMoves = {played};
        engine->go(movesTo(index), alone);
        return;
      }
    }
  }
  judged.push_back(current);
  emit progress(static_cast<int>(judged.size()), static_cast<int>(positions.size()));
  next();
}
