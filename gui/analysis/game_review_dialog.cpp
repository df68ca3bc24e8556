#include "game_review_dialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "engine_review.h"

GameReviewDialog::GameReviewDialog(std::vector<CChessBoard> gamePositions, QWidget* parent,
                                   const QList<EngineConfig>& engines)
    : QDialog(parent),
      positions(std::move(gamePositions)),
      engineBox(new QComboBox(this)),
      byTime(new QRadioButton(tr("Tiempo por jugada (s)"), this)),
      byDepth(new QRadioButton(tr("Profundidad por jugada"), this)),
      seconds(new QDoubleSpinBox(this)),
      depth(new QSpinBox(this)),
      progress(new QProgressBar(this)),
      results(new QLabel(this)),
      startButton(new QPushButton(tr("Analizar"), this)),
      cancelButton(new QPushButton(tr("Cancelar"), this)),
      closeButton(new QPushButton(tr("Cerrar"), this)) {
  setWindowTitle(tr("Analizar partida"));
  // The review asks for a depth or a node count and a single move searched
  // alone, which only UCI says; CECP engines are not offered.
  offered << builtInEngine();
  for (const EngineConfig& config : engines)
    if (config.protocol == EngineProtocol::Uci) offered << config;
  for (const EngineConfig& config : offered) engineBox->addItem(config.name);
  engineBox->setCurrentIndex(defaultEngine(offered));
  seconds->setRange(0.1, 30);
  seconds->setSingleStep(0.1);
  seconds->setValue(DEFAULT_SECONDS);
  depth->setRange(1, 30);
  depth->setValue(DEFAULT_DEPTH);
  byTime->setChecked(true);
  auto* limits = new QGridLayout;
  limits->addWidget(byTime, 0, 0);
  limits->addWidget(seconds, 0, 1);
  limits->addWidget(byDepth, 1, 0);
  limits->addWidget(depth, 1, 1);
  progress->setRange(0, static_cast<int>(positions.size()));
  progress->setValue(0);
  results->setTextFormat(Qt::RichText);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(startButton);
  buttons->addWidget(cancelButton);
  buttons->addWidget(closeButton);
  cancelButton->setEnabled(false);
  startButton->setDefault(true);
  auto* engineRow = new QFormLayout;
  engineRow->addRow(tr("Motor"), engineBox);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(engineRow);
  layout->addLayout(limits);
  layout->addWidget(progress);
  layout->addWidget(results);
  layout->addLayout(buttons);
  connect(startButton, &QPushButton::clicked, this, &GameReviewDialog::start);
  connect(cancelButton, &QPushButton::clicked, this, &GameReviewDialog::cancel);
  connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

GameReviewDialog::~GameReviewDialog() {
  delete external;  // the engine's process goes with it
  if (cancelRequest) cancelRequest->request();
  if (worker.joinable()) worker.join();
}

void GameReviewDialog::setLimit(bool time, double secondsPerMove, int plies) {
  (time ? byTime : byDepth)->setChecked(true);
  seconds->setValue(secondsPerMove);
  depth->setValue(plies);
}

void GameReviewDialog::start() {
  if (running || positions.empty()) return;
  if (worker.joinable()) worker.join();
  SearchLimits limits;
  if (byTime->isChecked())
    limits.moveTime = qRound64(seconds->value() * 1000);
  else
    limits.depth = depth->value();
  setRunning(true);
  results->setText(tr("Analizando..."));
  progress->setValue(0);
  const EngineConfig& chosen = offered.value(engineBox->currentIndex(), builtInEngine());
  if (!chosen.isBuiltIn()) {
    startExternal(chosen, limits);
    return;
  }
  cancelRequest = std::make_shared<ReviewCancel>();
  QPointer<GameReviewDialog> self(this);
  worker = std::thread([this, self, limits, cancel = cancelRequest, game = positions] {
    auto judged = judgeGame(game, limits, cancel.get(), [self](int done, int) {
      QMetaObject::invokeMethod(
          self.data(), [self, done] {
            if (self) self->progress->setValue(done);
          },
          Qt::QueuedConnection);
    });
    // The dialog waits for this thread before it goes, so it is still there.
    QMetaObject::invokeMethod(this, [this, judged = std::move(judged)]() mutable { finish(std::move(judged)); },
                              Qt::QueuedConnection);
  });
}

void GameReviewDialog::startExternal(const EngineConfig& config, const SearchLimits& limits) {
  external = new EngineReview(config, positions, limits, this);
  connect(external, &EngineReview::progress, progress, &QProgressBar::setValue);
  connect(external, &EngineReview::finished, this, [this](const std::vector<PositionJudgement>& judged) {
    external->deleteLater();
    finish(judged);
  });
  connect(external, &EngineReview::failed, this, &GameReviewDialog::engineFailed);
  external->start();
}

void GameReviewDialog::engineFailed(const QString& reason) {
  external->deleteLater();
  setRunning(false);
  // The review shown before stays; kelvo is there to try at once. The
  // reason names the engine.
  results->setText(tr("%1<br>Pulse Analizar para analizar con kelvo.").arg(reason.toHtmlEscaped()));
  engineBox->setCurrentIndex(0);
}

void GameReviewDialog::setRunning(bool on) {
  running = on;
  startButton->setEnabled(!on);
  closeButton->setEnabled(!on);
  engineBox->setEnabled(!on);
  cancelButton->setEnabled(on);
}

void GameReviewDialog::cancel() {
  if (cancelRequest) cancelRequest->request();
  if (external) external->cancel();
}

void GameReviewDialog::finish(std::vector<PositionJudgement> judgements) {
  if (worker.joinable()) worker.join();
  setRunning(false);
  result = reviewOfJudgements(positions, judgements);
  results->setText(summary());
  emit reviewReady(result);
}

QString GameReviewDialog::summary() const {
  if (result.isEmpty()) return QString();
  return tr("<b>Blancas</b>: %1<br><b>Negras</b>: %2")
      .arg(summaryText(result.summary.white).toHtmlEscaped(), summaryText(result.summary.black).toHtmlEscaped());
}

int GameReviewDialog::progressValue() const { return progress->value(); }

QString GameReviewDialog::message() const { return results->text(); }

bool GameReviewDialog::chooseEngine(const QString& name) {
  const int index = engineBox->findText(name);
  if (index < 0 || running) return false;
  engineBox->setCurrentIndex(index);
  return true;
}

QString GameReviewDialog::engineName() const { return engineBox->currentText(); }

int GameReviewDialog::defaultEngine(const QList<EngineConfig>& offered) {
  for (int i = 0; i < offered.size(); ++i) {
    const EngineConfig& config = offered[i];
    if (config.protocol != EngineProtocol::Uci) continue;
    if (!QFileInfo(config.program).fileName().contains(QLatin1String("stockfish"), Qt::CaseInsensitive)) continue;
    // Found where the engine's start looks for it: the PATH, then /usr/games.
    QString path = config.program;
    if (!path.contains(u'/')) {
      path = QStandardPaths::findExecutable(config.program);
      if (path.isEmpty()) path = QStandardPaths::findExecutable(config.program, {QStringLiteral("/usr/games")});
    }
    const QFileInfo program(path);
    if (program.isFile() && program.isExecutable()) return i;
  }
  return 0;
}
