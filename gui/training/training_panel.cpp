#include "training_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* wrappingLabel() {
  auto* label = new QLabel;
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

TrainingPanel::TrainingPanel(QWidget* parent)
    : QWidget(parent),
      counts(wrappingLabel()),
      exercise(wrappingLabel()),
      answer(wrappingLabel()),
      retry(new QPushButton(tr("Reintentar"))),
      solution(new QPushButton(tr("Ver solución"))),
      next(new QPushButton(tr("Siguiente"))),
      leave(new QPushButton(tr("Volver a la partida"))) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(counts);
  layout->addWidget(exercise);
  layout->addWidget(answer, 1);
  auto* buttons = new QGridLayout;
  buttons->addWidget(retry, 0, 0);
  buttons->addWidget(solution, 0, 1);
  buttons->addWidget(next, 1, 0);
  buttons->addWidget(leave, 1, 1);
  layout->addLayout(buttons);
  answer->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  // Wide enough for the exercise's lines to wrap in a few rows.
  setFixedWidth(280);
  setButtons(false, false, false);
}

void TrainingPanel::setCounts(int solved, int pending, int total) {
  counts->setText(tr("Resueltos: %1 · Pendientes: %2 · Total: %3").arg(solved).arg(pending).arg(total));
}

void TrainingPanel::setExercise(const QString& text) { exercise->setText(text); }

void TrainingPanel::setAnswer(const QString& text, int verdict) {
  answer->setText(text);
  answer->setStyleSheet(verdict > 0   ? QStringLiteral("color: #1b7a1b;")
                        : verdict < 0 ? QStringLiteral("color: #b01818;")
                                      : QString());
}

void TrainingPanel::setButtons(bool canRetry, bool canSolve, bool canNext) {
  retry->setEnabled(canRetry);
  solution->setEnabled(canSolve);
  next->setEnabled(canNext);
}

QString TrainingPanel::countsText() const { return counts->text(); }
QString TrainingPanel::exerciseText() const { return exercise->text(); }
QString TrainingPanel::answerText() const { return answer->text(); }
