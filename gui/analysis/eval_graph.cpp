#include "eval_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int MARGIN = 4;

}  // namespace

QColor markColour(MoveMark mark) {
  switch (mark) {
    case MoveMark::INACCURACY: return QColor(220, 170, 0);
    case MoveMark::MISTAKE: return QColor(230, 110, 0);
    case MoveMark::BLUNDER: return QColor(210, 0, 0);
    default: return QColor(0, 0, 0);
  }
}

EvalGraph::EvalGraph(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(60);
  setCursor(Qt::PointingHandCursor);
}

void EvalGraph::setReview(std::vector<std::optional<WhiteScore>> newScores, std::vector<MoveMark> newMarks) {
  scores = std::move(newScores);
  marks = std::move(newMarks);
  update();
}

void EvalGraph::setCurrent(int position) {
  current = position;
  update();
}

// Narrow: under the move list it must not widen the bar.
QSize EvalGraph::sizeHint() const { return {80, 90}; }

QPointF EvalGraph::pointOf(int position) const {
  const double span = std::max<int>(pointCount() - 1, 1);
  const double x = MARGIN + (width() - 2 * MARGIN) * position / span;
  const double share = scores[position] ? expectedScore(*scores[position]) : 0.5;
  return {x, MARGIN + (height() - 2 * MARGIN) * (1 - share)};
}

int EvalGraph::positionAt(int x) const {
  if (scores.empty()) return -1;
  const double span = std::max<int>(pointCount() - 1, 1);
  const double at = (x - MARGIN) * span / std::max(width() - 2 * MARGIN, 1);
  return std::clamp(static_cast<int>(std::lround(at)), 0, pointCount() - 1);
}

void EvalGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), QColor(70, 70, 70));
  if (scores.empty()) return;
  // White's area below the curve, Black's above it.
  QPainterPath area;
  area.moveTo(pointOf(0).x(), height());
  for (int i = 0; i < pointCount(); ++i) area.lineTo(pointOf(i));
  area.lineTo(pointOf(pointCount() - 1).x(), height());
  area.closeSubpath();
  painter.fillPath(area, QColor(235, 235, 235));
  painter.setPen(QPen(QColor(140, 140, 140), 1, Qt::DashLine));
  painter.drawLine(0, height() / 2, width(), height() / 2);
  if (current >= 0 && current < pointCount()) {
    painter.setPen(QPen(QColor(40, 110, 220), 2));
    const double x = pointOf(current).x();
    painter.drawLine(QPointF(x, 0), QPointF(x, height()));
  }
  painter.setPen(Qt::NoPen);
  for (std::size_t move = 0; move < marks.size() && move + 1 < scores.size(); ++move) {
    if (marks[move] == MoveMark::NONE) continue;
    painter.setBrush(markColour(marks[move]));
    painter.drawEllipse(pointOf(static_cast<int>(move) + 1), 4, 4);
  }
}

void EvalGraph::mousePressEvent(QMouseEvent* event) {
  const int position = positionAt(qRound(event->position().x()));
  if (position >= 0) emit positionClicked(position);
}
