#include "eval_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "game_review.h"

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
  // Tall enough to tell a slip from a swing at a glance.
  setMinimumHeight(160);
  setCursor(Qt::PointingHandCursor);
}

void EvalGraph::setReview(std::vector<std::optional<WhiteScore>> newScores, std::vector<MoveMark> newMarks,
                          bool whiteMovesFirst) {
  scores = std::move(newScores);
  marks = std::move(newMarks);
  whiteFirst = whiteMovesFirst;
  update();
}

void EvalGraph::setCurrent(int position) {
  current = position;
  update();
}

QSize EvalGraph::sizeHint() const { return {400, 180}; }

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
  painter.setPen(QPen(QColor(60, 60, 60), 1.5));
  QPainterPath curve;
  curve.moveTo(pointOf(0));
  for (int i = 1; i < pointCount(); ++i) curve.lineTo(pointOf(i));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(curve);
  // Every tenth move numbered along the foot, under the position after White's move.
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  painter.setFont(small);
  painter.setPen(QColor(128, 128, 128));
  for (int number = 10;; number += 10) {
    const int position = positionAfterWhiteMove(number);
    if (position >= pointCount()) break;
    const double x = pointOf(position).x();
    painter.drawLine(QPointF(x, height() - 4), QPointF(x, height()));
    const double left = std::clamp(x - 20, 0.0, width() - 40.0);
    painter.drawText(QRectF(left, height() - 20, 40, 15), Qt::AlignCenter, QString::number(number));
  }
  if (current >= 0 && current < pointCount()) {
    painter.setPen(QPen(QColor(40, 110, 220), 2));
    const QPointF at = pointOf(current);
    painter.drawLine(QPointF(at.x(), 0), QPointF(at.x(), height()));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, 7, 7);
  }
  QFont bold = font();
  bold.setBold(true);
  painter.setFont(bold);
  // The dots first, then the signs: a sign never hides a dot or another sign,
  // and one that would is left out (its dot and the move list still tell it).
  std::vector<QRectF> taken;
  for (std::size_t move = 0; move < marks.size() && move + 1 < scores.size(); ++move) {
    if (marks[move] == MoveMark::NONE) continue;
    const QPointF at = pointOf(static_cast<int>(move) + 1);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(markColour(marks[move]));
    painter.drawEllipse(at, 5, 5);
    taken.emplace_back(at.x() - 5, at.y() - 5, 10, 10);
  }
  for (std::size_t move = 0; move < marks.size() && move + 1 < scores.size(); ++move) {
    if (marks[move] == MoveMark::NONE) continue;
    const QPointF at = pointOf(static_cast<int>(move) + 1);
    // Above the dot, or below it near the top.
    const QRectF box(at.x() - 10, at.y() > 24 ? at.y() - 22 : at.y() + 8, 20, 14);
    if (std::any_of(taken.begin(), taken.end(), [&box](const QRectF& other) { return other.intersects(box); }))
      continue;
    taken.push_back(box);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRoundedRect(box, 3, 3);
    painter.setPen(markColour(marks[move]));
    painter.drawText(box, Qt::AlignCenter, markSign(marks[move]));
  }
}

void EvalGraph::mousePressEvent(QMouseEvent* event) {
  const int position = positionAt(qRound(event->position().x()));
  if (position >= 0) emit positionClicked(position);
}
