#pragma once
// The CECP (xboard) driver: "xboard" and "protover 2", the feature lines
// answered one by one until done=1 (or 2 s of silence from an engine of the
// first protocol version); then "new" and "force" for each game, the moves not
// yet sent, "time"/"otim" and "go" for each move the engine is to make. To
// analyse, the position and "analyze"; "exit" ends it, and with a "ping"
// its "pong" tells when the old search's lines are over.

#include <QMap>

#include "chess_engine.h"

class QTimer;

class CecpEngine : public ChessEngine {
  Q_OBJECT

 public:
  // Without done=0, the features are taken as complete after this silence.
  static constexpr int FEATURE_SILENCE_MS = 2000;

  explicit CecpEngine(EngineConfig config, QObject* parent = nullptr);

  void newGame(const QString& fen) override;
  void go(const QStringList& moves, const SearchLimits& limits) override;
  void stop() override;

  // The pairs of a feature line, quotes removed: feature a=1 b="x y".
  static QList<std::pair<QString, QString>> parseFeatures(const QString& text);
  // The move of an engine's move line ("move e2e4", "My move is : e2e4"), else empty.
  static QString moveOfLine(const QString& line);
  // Phalanx writes its castling "O-O" even with san=0: the king's move instead.
  static QString castlingAsCoordinates(const QString& move, bool white);

 protected:
  void greet() override;
  void readLine(const QString& line) override;
  void beginAnalysis(const AnalysisRequest& request) override;
  void endAnalysis() override;

 private:
  void takeFeature(const QString& key, const QString& value);
  void finishFeatures();
  void startPosition();

  QTimer* silence;
  QMap<QString, QString> features;
  bool waitForDone = false;
  bool featuresDone = false;
  bool answered = false;  // a silent process is no engine of either version
  QString startFen;
  QStringList sentMoves;
  bool levelSent = false;
  int pings = 0;  // the number of the last ping sent
};
