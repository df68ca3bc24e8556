#include "chess_engine.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include "cecp_engine.h"
#include "uci_engine.h"

namespace {

constexpr int QUIT_GRACE_MS = 1000;

// Debian installs chess engines in /usr/games, which a desktop PATH may lack.
QString programPath(const QString& program) {
  if (program.contains(u'/')) return program;
  QString found = QStandardPaths::findExecutable(program);
  if (found.isEmpty()) found = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/games")});
  return found.isEmpty() ? program : found;
}

bool isExternal(EngineProtocol protocol) { return protocol == EngineProtocol::Uci || protocol == EngineProtocol::Cecp; }

// An entry whose protocol is none this program speaks: it never starts a
// process, and its start fails with the reason.
class UnusableEngine : public ChessEngine {
 public:
  using ChessEngine::ChessEngine;
  void newGame(const QString&) override {}
  void go(const QStringList&, const SearchLimits&) override {}
  void stop() override {}

 protected:
  void greet() override {}
  void readLine(const QString&) override {}
  void beginAnalysis(const AnalysisRequest&) override {}
  void endAnalysis() override {}
};

}  // namespace

std::unique_ptr<ChessEngine> ChessEngine::create(const EngineConfig& config, QObject* parent) {
  switch (config.protocol) {
    case EngineProtocol::Uci: return std::make_unique<UciEngine>(config, parent);
    case EngineProtocol::Cecp: return std::make_unique<CecpEngine>(config, parent);
    default: return std::make_unique<UnusableEngine>(config, parent);
  }
}

ChessEngine::ChessEngine(EngineConfig config, QObject* parent)
    : SeatedPlayer(parent), configuration(std::move(config)), process(new QProcess(this)), startTimer(new QTimer(this)),
      stopTimer(new QTimer(this)) {
  qRegisterMetaType<EngineInfo>();
  stopTimer->setSingleShot(true);
  connect(stopTimer, &QTimer::timeout, this, [this] {
    fail(tr("El motor %1 no dejó de analizar en %2 s.").arg(name()).arg(STOP_TIMEOUT_MS / 1000));
  });
  startTimer->setSingleShot(true);
  connect(startTimer, &QTimer::timeout, this, [this] {
    fail(tr("El motor %1 no contestó en %2 s al iniciarse.").arg(name()).arg(START_TIMEOUT_MS / 1000));
  });
  process->setProcessChannelMode(QProcess::SeparateChannels);
  connect(process, &QProcess::readyReadStandardOutput, this, &ChessEngine::readOutput);
  // Unread, an engine's standard error would pile up in memory.
  connect(process, &QProcess::readyReadStandardError, this, &ChessEngine::dropErrors);
  connect(process, &QProcess::errorOccurred, this, &ChessEngine::processError);
  connect(process, &QProcess::finished, this, &ChessEngine::processFinished);
}

ChessEngine::~ChessEngine() {
  // The process must not outlive its driver, nor keep the window waiting.
  disconnect(process, nullptr, this, nullptr);
  if (process->state() != QProcess::NotRunning) {
    process->write(goodbye().toLatin1() + '\n');
    process->kill();
    process->waitForFinished(500);
  }
}

bool ChessEngine::whiteToMove(const QString& fen, qsizetype plies) {
  const bool whiteStarts = fen.section(u' ', 1, 1) != QLatin1String("b");
  return (plies % 2 == 0) == whiteStarts;
}

void ChessEngine::start() {
  if (currentState != State::NotStarted) return;
  currentState = State::Starting;
  if (!isExternal(configuration.protocol)) {
    // Told once the caller is back, as a process that cannot start is.
    QMetaObject::invokeMethod(
        this,
        [this] {
          fail(tr("El motor %1 no se puede usar: su protocolo no es UCI ni xboard.").arg(name()));
        },
        Qt::QueuedConnection);
    return;
  }
  startTimer->start(START_TIMEOUT_MS);
  process->start(programPath(configuration.program), configuration.arguments);
  greet();
}

void ChessEngine::quit() {
  if (process->state() == QProcess::NotRunning) return;
  currentState = State::Closed;
  startTimer->stop();
  send(goodbye());
  QTimer::singleShot(QUIT_GRACE_MS, process, [p = process] {
    if (p->state() != QProcess::NotRunning) p->kill();
  });
}

void ChessEngine::send(const QString& line) {
  if (process->state() == QProcess::NotRunning) return;
  // One line is one command, whatever a setting or a file put into it.
  const QString command = engine_text::printable(line);
  process->write(command.toLatin1() + '\n');
  emit lineSent(command);
}

void ChessEngine::becomeReady() {
  startTimer->stop();
  currentState = State::Ready;
  emit ready();
  if (pendingAnalysis && currentState == State::Ready) analysisEnded();
}

void ChessEngine::analyse(const QString& fen, const QStringList& moves, int lines) {
  if (currentState == State::Failed || currentState == State::Closed) return;
  pendingAnalysis = AnalysisRequest{fen, moves, lines};
  if (currentState == State::NotStarted) {
    start();
  } else if (currentState == State::Ready) {
    analysisEnded();
  } else {
    requestAnalysisEnd();
  }
}

void ChessEngine::requestAnalysisEnd() {
  if (!analysisRunning || analysisStopping) return;
  analysisStopping = true;
  stopTimer->start(STOP_TIMEOUT_MS);
  endAnalysis();
}

void ChessEngine::stopAnalysis() {
  pendingAnalysis.reset();
  requestAnalysisEnd();
}

void ChessEngine::analysisEnded() {
  if (currentState == State::Failed || currentState == State::Closed) return;
  stopTimer->stop();
  analysisRunning = false;
  analysisStopping = false;
  currentState = State::Ready;
  if (!pendingAnalysis) return;
  const AnalysisRequest request = std::move(*pendingAnalysis);
  pendingAnalysis.reset();
  analysisRunning = true;
  currentState = State::Thinking;
  beginAnalysis(request);
}

void ChessEngine::reportAnalysis(const EngineInfo& info) {
  if (analysisRunning && !analysisStopping) emit analysisInfo(info);
}

void ChessEngine::fail(const QString& reason) {
  if (currentState == State::Failed || currentState == State::Closed) return;
  currentState = State::Failed;
  startTimer->stop();
  stopTimer->stop();
  if (process->state() != QProcess::NotRunning) process->kill();
  emit failed(reason);
}

void ChessEngine::declareOption(EngineOption option) {
  const auto chosen = configuration.optionValues.constFind(option.name);
  if (chosen != configuration.optionValues.cend() && option.accepts(*chosen)) option.value = *chosen;
  for (EngineOption& known : declaredOptions)
    if (known.name == option.name) {
      known = option;
      return;
    }
  // An engine declaring options without end would fill the memory and the table.
  constexpr qsizetype MAX_OPTIONS = 1000;
  if (declaredOptions.size() < MAX_OPTIONS) declaredOptions << option;
}

void ChessEngine::readOutput() {
  // What one read brings is a pipe's worth; the splitter bounds what is kept.
  partialLine += process->readAllStandardOutput();
  QByteArray raw;
  while (lines.next(partialLine, raw)) {
    if (raw.endsWith('\r')) raw.chop(1);
    const QString line = engine_text::printable(QString::fromLocal8Bit(raw));
    emit lineReceived(line);
    if (currentState == State::Failed || currentState == State::Closed) continue;
    readLine(line);
  }
}

void ChessEngine::dropErrors() { process->readAllStandardError(); }

void ChessEngine::processError(QProcess::ProcessError error) {
  if (error != QProcess::FailedToStart) return;
  processFailedToStart = true;
  const QString program = programPath(configuration.program);
  fail(QFileInfo::exists(program)
           ? tr("El motor %1 no se pudo iniciar: %2 no se puede ejecutar.").arg(name(), program)
           : tr("El motor %1 no se pudo iniciar: no existe %2.").arg(name(), program));
}

void ChessEngine::processFinished(int exitCode, QProcess::ExitStatus status) {
  if (currentState == State::Closed || currentState == State::Failed) {
    currentState = State::Closed;
    return;
  }
  if (currentState == State::Starting)
    fail(tr("El motor %1 terminó al iniciarse (código %2).").arg(name()).arg(exitCode));
  else if (analysisRunning)
    fail(tr("El motor %1 se cerró durante el análisis (código %2).").arg(name()).arg(exitCode));
  else if (status == QProcess::CrashExit)
    fail(tr("El motor %1 se cerró de forma anormal durante la partida.").arg(name()));
  else
    fail(tr("El motor %1 se cerró durante la partida (código %2).").arg(name()).arg(exitCode));
}
