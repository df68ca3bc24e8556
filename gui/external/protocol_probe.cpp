#include "protocol_probe.h"

#include <QTimer>

ProtocolProbe::ProtocolProbe(EngineConfig config, QObject* parent)
    : QObject(parent), config(std::move(config)), uciSilence(new QTimer(this)) {
  uciSilence->setSingleShot(true);
  connect(uciSilence, &QTimer::timeout, this, [this] { tryProtocol(EngineProtocol::Cecp); });
}

void ProtocolProbe::start() { tryProtocol(EngineProtocol::Uci); }

void ProtocolProbe::tryProtocol(EngineProtocol protocol) {
  uciSilence->stop();
  if (engine) engine.release()->deleteLater();  // its own signals may be on the stack
  EngineConfig trial = config;
  trial.protocol = protocol;
  engine = ChessEngine::create(trial);
  ChessEngine* driver = engine.get();
  connect(driver, &ChessEngine::ready, this, [this, driver, trial] {
    if (done) return;
    done = true;
    EngineConfig answer = trial;
    answer.name = driver->name();
    driver->quit();
    emit found(answer);
  });
  connect(driver, &ChessEngine::failed, this, [this, protocol, driver](const QString& reason) {
    if (done) return;
    if (protocol == EngineProtocol::Uci && !driver->failedToStart()) {
      QTimer::singleShot(0, this, [this] { tryProtocol(EngineProtocol::Cecp); });
      return;
    }
    done = true;
    emit failed(reason);
  });
  if (protocol == EngineProtocol::Uci) {
    connect(driver, &ChessEngine::lineReceived, this, &ProtocolProbe::uciAnswered);
    uciSilence->start(UCI_SILENCE_MS);
  }
  driver->start();
}

// A refusal of "uci" ends the UCI trial at once; a UCI line keeps it going.
void ProtocolProbe::uciAnswered(const QString& line) {
  const QString word = line.section(u' ', 0, 0, QString::SectionSkipEmpty);
  if (word == QLatin1String("id") || word == QLatin1String("option") || word == QLatin1String("uciok")) {
    uciSilence->stop();
    return;
  }
  if (line.contains(QLatin1String("uci")) &&
      (line.contains(QLatin1String("rror")) || line.contains(QLatin1String("llegal")) ||
       line.contains(QLatin1String("nvalid")) || line.contains(QLatin1String("nknown"))))
    QTimer::singleShot(0, this, [this] { tryProtocol(EngineProtocol::Cecp); });
}
