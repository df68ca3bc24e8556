#include "eval_bar.h"

#include <QPainter>

#include "spanish_notation.h"
#include "search/move_review.h"

EvalBar::EvalBar(QWidget* parent) : QWidget(parent) { setMinimumWidth(14); }

void EvalBar::setScore(std::optional<WhiteScore> newScore) {
  score = newScore;
  setToolTip(score ? scoreText(*score) : QString());
  update();
}

void EvalBar::setWhiteAtBottom(bool bottom) {
  whiteAtBottom = bottom;
  update();
}

double EvalBar::whiteShare() const { return score ? expectedScore(*score) : 0.5; }

QSize EvalBar::sizeHint() const { return {18, 200}; }

void EvalBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int whiteHeight = qRound(height() * whiteShare());
  const QRect whitePart = whiteAtBottom ? QRect(0, height() - whiteHeight, width(), whiteHeight)
                                        : QRect(0, 0, width(), whiteHeight);
  painter.fillRect(rect(), QColor(60, 60, 60));
  painter.fillRect(whitePart, QColor(255, 255, 255));
  painter.setPen(QColor(90, 90, 90));
  painter.drawLine(0, height() / 2, width(), height() / 2);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
