#include "analysis_panel.h"

#include <utility>

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cstring>

#include "spanish_notation.h"

namespace {

constexpr int MAX_LINES = 5;
constexpr int MIN_WIDTH = 230;  // a line of about eight moves before it wraps

bool samePosition(const CBoard& a, const CBoard& b) {
  return std::memcmp(a.squares, b.squares, sizeof a.squares) == 0 && a.sideToMove == b.sideToMove &&
         a.castlingRights == b.castlingRights && a.enPassantSquare == b.enPassantSquare;
}

}  // namespace

AnalysisPanel::AnalysisPanel(QWidget* parent) : QWidget(parent), info(new QLabel(this)), lines(new QSpinBox(this)) {
  setMinimumWidth(MIN_WIDTH);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* title = new QLabel(QStringLiteral("<b>Análisis</b>"), this);
  top->addWidget(title);
  top->addStretch();
  top->addWidget(new QLabel(QStringLiteral("Líneas"), this));
  lines->setRange(1, MAX_LINES);
  lines->setValue(1);
  lines->setToolTip(QStringLiteral("Mejores líneas mostradas"));
  top->addWidget(lines);
  layout->addLayout(top);
  layout->addWidget(info);
  for (int i = 0; i < MAX_LINES; ++i) {
    auto* label = new QLabel(this);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lineLabels.push_back(label);
    layout->addWidget(label);
  }
  layout->addStretch();
  connect(&analyser, &PositionAnalyser::lineFound, this, &AnalysisPanel::onLine);
  connect(lines, &QSpinBox::valueChanged, this, [this] {
    for (int i = 0; i < MAX_LINES; ++i) {
      lineLabels[i]->setVisible(i < lines->value());
      lineLabels[i]->clear();
    }
    if (active && !shown.empty()) request = analyser.analyse(shown, shownMoveNumber, lines->value());
  });
  for (int i = 1; i < MAX_LINES; ++i) lineLabels[i]->hide();
  info->setText(QStringLiteral("Apagado"));
}

void AnalysisPanel::showPosition(std::vector<CChessBoard> positions, int moveNumber) {
  if (positions.empty()) return;
  const bool same = !shown.empty() && samePosition(shown.back(), positions.back());
  shown = std::move(positions);
  shownMoveNumber = moveNumber;
  if (same || !active) return;
  answered = false;
  request = analyser.analyse(shown, shownMoveNumber, lines->value());
}

void AnalysisPanel::setActive(bool on) {
  if (on == active) return;
  active = on;
  if (!active) {
    analyser.stop();
    info->setText(QStringLiteral("Apagado"));
    return;
  }
  info->setText(QStringLiteral("Calculando..."));
  if (!shown.empty()) {
    answered = false;
    request = analyser.analyse(shown, shownMoveNumber, lines->value());
  }
}

int AnalysisPanel::lineCount() const { return lines->value(); }
QString AnalysisPanel::lineText(int index) const { return lineLabels.at(index)->text(); }
QString AnalysisPanel::infoText() const { return info->text(); }

void AnalysisPanel::onLine(const AnalysisLine& line) {
  if (line.request != request || !active) return;  // a position no longer shown
  if (line.rank > 1) {
    if (line.rank <= MAX_LINES)
      lineLabels[line.rank - 1]->setText(
          QStringLiteral("<b>%1</b> %2").arg(scoreText(line.score), line.text.toHtmlEscaped()));
    return;
  }
  lastScore = line.score;
  if (line.depth == 0) {
    info->setText(QStringLiteral("Partida terminada"));
    lineLabels[0]->setText(scoreText(line.score));
  } else {
    const qint64 speed = line.milliseconds > 0 ? line.nodes / line.milliseconds : line.nodes;
    info->setText(QStringLiteral("Profundidad %1 · %2 kN/s").arg(line.depth).arg(speed));
    lineLabels[0]->setText(QStringLiteral("<b>%1</b> %2").arg(scoreText(line.score), line.text.toHtmlEscaped()));
  }
  emit scoreChanged(lastScore);
  if (!answered) {
    answered = true;
    emit firstLineShown();
  }
}
