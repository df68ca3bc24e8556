#pragma once
// Finds which protocol an engine speaks by asking it: "uci" first, and when
// the engine refuses it or stays silent, "xboard" and "protover 2" (in a fresh
// process, so the refusal leaves nothing behind). The engine's own name comes
// with the answer. Nothing within the start time-out is a fault.

#include <QObject>
#include <QPointer>

#include <memory>

#include "chess_engine.h"
#include "engine_config.h"

class ProtocolProbe : public QObject {
  Q_OBJECT

 public:
  // A UCI engine answers "uci" at once; silence this long means it is not one.
  static constexpr int UCI_SILENCE_MS = 3000;

  explicit ProtocolProbe(EngineConfig config, QObject* parent = nullptr);
  void start();

 signals:
  // The configuration with its protocol and the engine's name filled in.
  void found(const EngineConfig& config);
  void failed(const QString& reason);

 private:
  void tryProtocol(EngineProtocol protocol);
  void uciAnswered(const QString& line);

  EngineConfig config;
  std::unique_ptr<ChessEngine> engine;
  QTimer* uciSilence;
  bool done = false;
};
