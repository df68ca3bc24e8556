#pragma once
// Analizar partida on an external UCI engine: each position of the game
// searched to the dialog's depth or node budget for its best line, then the
// move played searched alone ("searchmoves") to the same limit, so the two
// are weighed alike, as kelvo's own review does. The judgements come out in
// kelvo's form and go through the same marks, graph and PGN.
//
// Nothing waits: the engine answers on the window's thread.

#include <QObject>
#include <QStringList>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "game/engine_info.h"
#include "search/position_judgement.h"
#include "search/search_limits.h"

class ChessEngine;
struct EngineConfig;

class EngineReview : public QObject {
  Q_OBJECT

 public:
  EngineReview(const EngineConfig& config, std::vector<CChessBoard> positions, const SearchLimits& limits,
               QObject* parent = nullptr);
  ~EngineReview() override;

  // Starts the engine; progress() after each position, then finished() or failed().
  void start();
  // Ends the review with the positions judged so far; the engine is told to quit.
  void cancel();
  bool isRunning() const { return running; }
  QString engineName() const;

  // The dialog's limit as the engine is asked it: a time becomes a node
  // budget at kelvo's fixed rate, so the same setting gives the same marks.
  static SearchLimits budgetOf(const SearchLimits& limits);

 signals:
  void progress(int done, int total);
  void finished(const std::vector<PositionJudgement>& judgements);
  // The engine did not start or died; what was judged is dropped.
  void failed(const QString& reason);

 private:
  void next();
  void searchEnded(const QString& bestMove);
  void end();
  // The game's moves up to `positions[index]`, as UCI's position command lists them.
  QStringList movesTo(std::size_t index) const;

  std::unique_ptr<ChessEngine> engine;
  std::vector<CChessBoard> positions;
  SearchLimits limits;
  std::vector<PositionJudgement> judged;
  PositionJudgement current;
  std::optional<EngineInfo> lastInfo;
  bool searchingPlayed = false;
  bool running = false;
};
