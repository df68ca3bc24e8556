#pragma once
// The UCI driver: "uci" until "uciok" (collecting "id name" and the "option"
// lines), the changed options, "isready" until "readyok"; then for each move
// the whole game as "position ... moves ..." and "go" with the clocks. To
// analyse, "setoption name MultiPV", the position and "go infinite"; "stop"
// and the "bestmove" that answers it end that search.

#include "chess_engine.h"

class UciEngine : public ChessEngine {
  Q_OBJECT

 public:
  using ChessEngine::ChessEngine;

  void newGame(const QString& fen) override;
  void go(const QStringList& moves, const SearchLimits& limits) override;
  void stop() override;

  // "go wtime 180000 btime 180000 winc 2000 binc 2000" and its other forms
  // ("go depth 12 searchmoves e2e4", "go nodes 80000"); the limits count from
  // the mover's side.
  static QString goCommand(const SearchLimits& limits, bool whiteToMove);

 protected:
  void greet() override;
  void readLine(const QString& line) override;
  void beginAnalysis(const AnalysisRequest& request) override;
  void endAnalysis() override;

 private:
  QString startFen;
  bool handshakeDone = false;
  int multiPv = 1;
};
