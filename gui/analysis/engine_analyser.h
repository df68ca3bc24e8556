#pragma once
// The analysis panel's search on an external engine: the shown game's
// position handed to the engine's own protocol, and the engine's lines
// turned into the panel's (SAN in the window's notation from the position, the score from
// White's side). Lines of a position no longer asked for never come out.

#include <QObject>

#include <memory>
#include <vector>

#include "position_analyser.h"

class ChessEngine;
struct EngineConfig;
struct EngineInfo;

class EngineAnalyser : public QObject {
  Q_OBJECT

 public:
  explicit EngineAnalyser(const EngineConfig& config, QObject* parent = nullptr);
  ~EngineAnalyser() override;

  // As PositionAnalyser::analyse: the last of `positions`, the others its game.
  quint64 analyse(const std::vector<CChessBoard>& positions, int moveNumber, int lines = 1);
  void stop();
  QString name() const;

  // An engine's line for the panel; empty text when no move of it is legal.
  static AnalysisLine lineOf(const EngineInfo& info, const CChessBoard& position, int moveNumber);

 signals:
  void lineFound(const AnalysisLine& line);
  // The engine did not start or died: nothing runs any more.
  void failed(const QString& reason);

 private:
  std::unique_ptr<ChessEngine> engine;
  CChessBoard position;
  int moveNumber = 1;
  quint64 request = 0;
};
