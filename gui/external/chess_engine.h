#pragma once
// An engine that runs as a child process and speaks a text protocol. What
// both protocols share lives here: the process and its lines, the start
// time-out, a death noticed at once, and the faults told in Spanish. The
// protocol's own words are the subclass's (UciEngine, CecpEngine).
//
// Nothing here waits: the window's thread gets the engine's answers as signals.

#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include "engine_config.h"
#include "engine_option.h"
#include "engine_text.h"
#include "game/engine_info.h"
#include "seated_player.h"
#include "search/search_limits.h"

class QTimer;

class ChessEngine : public SeatedPlayer {
  Q_OBJECT

 public:
  enum class State { NotStarted, Starting, Ready, Thinking, Failed, Closed };
  static constexpr int START_TIMEOUT_MS = 10000;
  // An analysis asked to stop that does not end within this is a fault.
  static constexpr int STOP_TIMEOUT_MS = 3000;

  // A driver for the configured protocol (UCI or CECP); for any other
  // protocol one that fails at its start, saying the engine is not usable.
  static std::unique_ptr<ChessEngine> create(const EngineConfig& config, QObject* parent = nullptr);

  explicit ChessEngine(EngineConfig config, QObject* parent = nullptr);
  ~ChessEngine() override;

  // Starts the process and asks the protocol's greeting; ready() or failed() follows.
  void start() override;
  // Whose move it is after `plies` from the start `fen` (empty: the initial position).
  static bool whiteToMove(const QString& fen, qsizetype plies);
  // Analyses the position after `moves` from `fen` (empty: the initial
  // position) for `lines` best lines until stopped or replaced. A search
  // running is stopped first and its lines dropped; the engine is started
  // when it was not, and the request waits for its handshake.
  void analyse(const QString& fen, const QStringList& moves, int lines);
  void stopAnalysis();
  // Says goodbye and lets the process end; it is killed if it stays.
  void quit() override;

  QString seatName() const override { return name(); }
  bool hasStarted() const override { return currentState != State::NotStarted; }
  bool isReady() const override { return currentState == State::Ready; }

  State state() const { return currentState; }
  const EngineConfig& config() const { return configuration; }
  // The name the engine gave itself, else the configured one.
  QString name() const { return declaredName.isEmpty() ? configuration.name : declaredName; }
  // As declared by the engine, with the configured values applied.
  const QList<EngineOption>& options() const { return declaredOptions; }
  // Its program could not be started at all (missing, not executable), whatever the protocol.
  bool failedToStart() const { return processFailedToStart; }

 signals:
  // A search line (depth, score, variation) in the protocol's own form.
  void thinking(const QString& line);
  // A line of the position analyse() asked for last.
  void analysisInfo(const EngineInfo& info);
  void lineSent(const QString& line);
  void lineReceived(const QString& line);

 protected:
  virtual void greet() = 0;
  virtual void readLine(const QString& line) = 0;
  virtual QString goodbye() const { return QStringLiteral("quit"); }

  struct AnalysisRequest {
    QString fen;
    QStringList moves;
    int lines = 1;
  };
  // The protocol's words to start analysing, and to end it; the subclass
  // calls analysisEnded() once the engine confirmed the end.
  virtual void beginAnalysis(const AnalysisRequest& request) = 0;
  virtual void endAnalysis() = 0;
  void analysisEnded();
  bool isAnalysing() const { return analysisRunning; }
  // Hands on a line unless its search is being stopped.
  void reportAnalysis(const EngineInfo& info);

  void send(const QString& line);
  void setState(State state) { currentState = state; }
  // Handshake done: the start time-out ends and ready() goes out.
  void becomeReady();
  void fail(const QString& reason);
  void setDeclaredName(const QString& text) {
    declaredName = engine_text::excerpt(text.trimmed(), engine_text::MAX_NAME_CHARS);
  }
  // Keeps a declared option, with the configured value when it is a valid one.
  void declareOption(EngineOption option);
  QList<EngineOption>& optionList() { return declaredOptions; }

 private:
  void requestAnalysisEnd();
  void readOutput();
  void dropErrors();
  void processError(QProcess::ProcessError error);
  void processFinished(int exitCode, QProcess::ExitStatus status);

  EngineConfig configuration;
  QProcess* process;
  QTimer* startTimer;
  QTimer* stopTimer;
  State currentState = State::NotStarted;
  QString declaredName;
  QList<EngineOption> declaredOptions;
  QByteArray partialLine;
  engine_text::LineSplitter lines;
  std::optional<AnalysisRequest> pendingAnalysis;
  bool analysisRunning = false;
  bool analysisStopping = false;
  bool processFailedToStart = false;
};
