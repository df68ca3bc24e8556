#include "game_review_dialog.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

GameReviewDialog::GameReviewDialog(std::vector<CChessBoard> gamePositions, QWidget* parent)
    : QDialog(parent),
      positions(std::move(gamePositions)),
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
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(limits);
  layout->addWidget(progress);
  layout->addWidget(results);
  layout->addLayout(buttons);
  connect(startButton, &QPushButton::clicked, this, &GameReviewDialog::start);
  connect(cancelButton, &QPushButton::clicked, this, &GameReviewDialog::cancel);
  connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

GameReviewDialog::~GameReviewDialog() {
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
  running = true;
  startButton->setEnabled(false);
  closeButton->setEnabled(false);
  cancelButton->setEnabled(true);
  results->setText(tr("Analizando..."));
  progress->setValue(0);
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

void GameReviewDialog::cancel() {
  if (cancelRequest) cancelRequest->request();
}

void GameReviewDialog::finish(std::vector<PositionJudgement> judgements) {
  if (worker.joinable()) worker.join();
  running = false;
  result = reviewOfJudgements(positions, judgements);
  startButton->setEnabled(true);
  closeButton->setEnabled(true);
  cancelButton->setEnabled(false);
  results->setText(summary());
  emit reviewReady(result);
}

QString GameReviewDialog::summary() const {
  if (result.isEmpty()) return QString();
  return tr("<b>Blancas</b>: %1<br><b>Negras</b>: %2")
      .arg(summaryText(result.summary.white).toHtmlEscaped(), summaryText(result.summary.black).toHtmlEscaped());
}

int GameReviewDialog::progressValue() const { return progress->value(); }
