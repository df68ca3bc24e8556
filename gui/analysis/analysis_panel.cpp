#include "analysis_panel.h"

#include <utility>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cstring>
#include <functional>

#include "engine_analyser.h"
#include "spanish_notation.h"
#include "position/move_gen.h"

namespace {

constexpr int MAX_LINES = 5;
constexpr int MIN_WIDTH = 230;  // a line of about eight moves before it wraps

bool samePosition(const CBoard& a, const CBoard& b) {
  return std::memcmp(a.squares, b.squares, sizeof a.squares) == 0 && a.sideToMove == b.sideToMove &&
         a.castlingRights == b.castlingRights && a.enPassantSquare == b.enPassantSquare;
}

bool gameOver(const CChessBoard& position) {
  MoveBuffer buffer;
  return generateLegalMoves(position, buffer.moves) == 0;
}

// The engines' list, refreshed just before it opens.
class EngineBox : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> beforePopup;
  void showPopup() override {
    if (beforePopup) beforePopup();
    QComboBox::showPopup();
  }
};

}  // namespace

AnalysisPanel::AnalysisPanel(QWidget* parent)
    : QWidget(parent), info(new QLabel(this)), engineBox(new EngineBox(this)), lines(new QSpinBox(this)) {
  setMinimumWidth(MIN_WIDTH);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* title = new QLabel(tr("<b>Análisis</b>"), this);
  top->addWidget(title);
  top->addStretch();
  top->addWidget(new QLabel(tr("Líneas"), this));
  lines->setRange(1, MAX_LINES);
  lines->setValue(1);
  lines->setToolTip(tr("Mejores líneas mostradas"));
  // Set with the mouse, it leaves the keyboard to the window: arrows browse, Ctrl+C copies the game.
  lines->setFocusPolicy(Qt::NoFocus);
  top->addWidget(lines);
  layout->addLayout(top);
  engineBox->setObjectName(QStringLiteral("analysisEngine"));
  engineBox->setToolTip(tr("El motor que analiza"));
  engineBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  engineBox->setMinimumContentsLength(12);
  static_cast<EngineBox*>(engineBox)->beforePopup = [this] { emit enginesWanted(); };
  setEngines({builtInEngine()}, {});
  layout->addWidget(engineBox);
  layout->addWidget(info);
  for (int i = 0; i < MAX_LINES; ++i) {
    auto* label = new QLabel(this);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lineLabels.push_back(label);
    layout->addWidget(label);
  }
  layout->addStretch();
  connect(&analyser, &PositionAnalyser::lineFound, this,
          [this](const AnalysisLine& line) { onLine(line, &analyser); });
  connect(lines, &QSpinBox::valueChanged, this, [this] {
    for (int i = 0; i < MAX_LINES; ++i) {
      lineLabels[i]->setVisible(i < lines->value());
      lineLabels[i]->clear();
    }
    if (active && !shown.empty()) analyseShown();
  });
  connect(engineBox, &QComboBox::activated, this, [this](int index) {
    useEngine(index);
    emit engineChosen(engineName());
  });
  for (int i = 1; i < MAX_LINES; ++i) lineLabels[i]->hide();
  info->setText(tr("Apagado"));
}

void AnalysisPanel::setEngines(const QList<EngineConfig>& engines, const QString& chosen) {
  const QString before = engineName();
  engineConfigs = engines;
  if (engineConfigs.isEmpty() || !engineConfigs.front().isBuiltIn()) engineConfigs.prepend(builtInEngine());
  engineBox->clear();
  for (const EngineConfig& config : engineConfigs) engineBox->addItem(config.name);
  int index = 0;
  for (int i = 0; i < engineConfigs.size(); ++i)
    if (engineConfigs[i].name == chosen) index = i;
  engineBox->setCurrentIndex(index);
  // The running engine goes on when it is still the one chosen.
  if (engineName() != before || (index == 0) != (external == nullptr)) useEngine(index);
}

QString AnalysisPanel::engineName() const { return engineBox->currentText(); }

void AnalysisPanel::useEngine(int index) {
  stopSearch();
  if (external) {
    external->deleteLater();
    external = nullptr;
  }
  faulted = false;
  if (index > 0 && index < engineConfigs.size()) {
    external = new EngineAnalyser(engineConfigs[index], this);
    connect(external, &EngineAnalyser::lineFound, this,
            [this, from = external](const AnalysisLine& line) { onLine(line, from); });
    connect(external, &EngineAnalyser::failed, this, &AnalysisPanel::engineFailed);
  }
  for (QLabel* label : lineLabels) label->clear();
  if (active) {
    info->setText(tr("Calculando..."));
    if (!shown.empty()) analyseShown();
  }
}

void AnalysisPanel::engineFailed(const QString& reason) {
  if (external) external->deleteLater();
  external = nullptr;
  requestFrom = nullptr;
  faulted = true;
  for (QLabel* label : lineLabels) label->clear();
  info->setText(reason);
  lastScore.reset();
  emit scoreChanged(lastScore);
}

void AnalysisPanel::analyseShown() {
  answered = false;
  drawn.clear();
  if (faulted) return;
  // A finished game needs no engine: the built-in judge says how it ended.
  if (!external || gameOver(shown.back())) {
    if (external) external->stop();
    requestFrom = &analyser;
    request = analyser.analyse(shown, shownMoveNumber, lines->value());
  } else {
    analyser.stop();
    requestFrom = external;
    request = external->analyse(shown, shownMoveNumber, lines->value());
  }
}

void AnalysisPanel::stopSearch() {
  analyser.stop();
  if (external) external->stop();
  requestFrom = nullptr;
}

void AnalysisPanel::showPosition(std::vector<CChessBoard> positions, int moveNumber) {
  if (positions.empty()) return;
  const bool same = !shown.empty() && samePosition(shown.back(), positions.back());
  shown = std::move(positions);
  shownMoveNumber = moveNumber;
  if (same || !active) return;
  analyseShown();
}

void AnalysisPanel::setActive(bool on) {
  if (on == active) return;
  active = on;
  if (!active) {
    stopSearch();
    info->setText(tr("Apagado"));
    return;
  }
  // Turning the panel on again tries a failed engine once more.
  if (faulted) {
    useEngine(engineBox->currentIndex());
    return;
  }
  info->setText(tr("Calculando..."));
  if (!shown.empty()) analyseShown();
}

int AnalysisPanel::lineCount() const { return lines->value(); }
QString AnalysisPanel::lineText(int index) const { return lineLabels.at(index)->text(); }
QString AnalysisPanel::infoText() const { return info->text(); }

void AnalysisPanel::onLine(const AnalysisLine& line, const QObject* from) {
  if (from != requestFrom || line.request != request || !active) return;  // a position no longer shown
  if (line.rank > MAX_LINES) return;
  if (static_cast<int>(drawn.size()) < line.rank) {
    AnalysisLine none;
    none.rank = 0;  // a rank not heard from yet
    drawn.resize(line.rank, none);
  }
  drawn[line.rank - 1] = line;
  drawLine(line);
  if (line.rank > 1) return;
  lastScore = line.score;
  if (line.depth == 0 && line.moves.empty()) {
    info->setText(tr("Partida terminada"));
  } else {
    const qint64 speed = line.milliseconds > 0 ? line.nodes / line.milliseconds : line.nodes;
    info->setText(tr("Profundidad %1 · %2 kN/s").arg(line.depth).arg(speed));
  }
  emit scoreChanged(lastScore);
  if (!answered) {
    answered = true;
    emit firstLineShown();
  }
}

// Written from the moves, not the analyser's text, so a new notation applies at once.
void AnalysisPanel::drawLine(const AnalysisLine& line) {
  QLabel* label = lineLabels[line.rank - 1];
  if (line.rank == 1 && line.depth == 0 && line.moves.empty()) {
    label->setText(scoreText(line.score));
    return;
  }
  const QString text = shown.empty() ? line.text : notatedLine(shown.back(), shownMoveNumber, line.moves);
  label->setText(QStringLiteral("<b>%1</b> %2").arg(scoreText(line.score), text.toHtmlEscaped()));
}

void AnalysisPanel::renotate() {
  for (const AnalysisLine& line : drawn)
    if (line.rank >= 1) drawLine(line);
}
