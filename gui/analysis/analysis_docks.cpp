#include "analysis_docks.h"

#include <QDockWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QMainWindow>

#include "analysis_panel.h"
#include "eval_bar.h"
#include "eval_graph.h"
#include "game_review_dialog.h"
#include "review_panel.h"
#include "book/pgn_writer.h"

namespace {

int fullMoveNumber(const std::vector<CChessBoard>& positions, std::size_t index) {
  return 1 + static_cast<int>((index + (positions[0].sideToMove ? 0 : 1)) / 2);
}

std::vector<Move> movesOf(const std::vector<CChessBoard>& positions) {
  std::vector<Move> moves;
  for (std::size_t i = 1; i < positions.size(); ++i) moves.push_back(positions[i].lastMove);
  return moves;
}

bool startsWith(const std::vector<Move>& moves, const std::vector<Move>& prefix) {
  if (prefix.size() > moves.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (!moves[i].sameSquares(prefix[i]) || moves[i].promotion != prefix[i].promotion) return false;
  return true;
}

}  // namespace

std::vector<CChessBoard> positionsOfHistory(const std::vector<CChessBoard>& history, int& firstEntry) {
  const PgnMoves game = pgnMovesOfHistory(history);
  firstEntry = static_cast<int>(history.size()) - 1 - static_cast<int>(game.moves.size());
  return positionsOfGame(game.start, game.moves);
}

AnalysisDocks::AnalysisDocks(QMainWindow* window, const QString& enginesPath)
    : QObject(window),
      window(window),
      engines(enginesPath),
      analysisPanel(new AnalysisPanel),
      evalBar(new EvalBar),
      evalGraph(new EvalGraph),
      reviewSide(new ReviewPanel),
      panelDock(new QDockWidget(tr("Análisis"), window)),
      graphDock(new QDockWidget(tr("Evaluación"), window)) {
  auto* beside = new QWidget;
  auto* layout = new QHBoxLayout(beside);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(evalBar);
  layout->addWidget(analysisPanel, 1);
  panelDock->setObjectName(QStringLiteral("analysisDock"));
  panelDock->setWidget(beside);
  panelDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  window->addDockWidget(Qt::LeftDockWidgetArea, panelDock);
  panelDock->hide();
  // Under the board the graph has the window's width to spread the game over.
  auto* under = new QWidget;
  auto* row = new QVBoxLayout(under);
  row->setContentsMargins(2, 2, 2, 2);
  row->addWidget(evalGraph, 1);
  row->addWidget(reviewSide);
  graphDock->setObjectName(QStringLiteral("graphDock"));
  graphDock->setWidget(under);
  graphDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  window->addDockWidget(Qt::BottomDockWidgetArea, graphDock);
  graphDock->hide();

  connect(panelDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) refreshEngines();
    analysisPanel->setActive(visible);
  });
  connect(analysisPanel, &AnalysisPanel::enginesWanted, this, &AnalysisDocks::refreshEngines);
  connect(analysisPanel, &AnalysisPanel::engineChosen, this, [this](const QString& name) {
    engines.setAnalysisEngine(name == builtInEngine().name ? QString() : name);
  });
  connect(analysisPanel, &AnalysisPanel::scoreChanged, evalBar, &EvalBar::setScore);
  connect(evalGraph, &EvalGraph::positionClicked, this, [this](int position) {
    emit entryChosen(firstEntry + position);
  });
}

void AnalysisDocks::refreshEngines() {
  engines.load();
  analysisPanel->setEngines(engines.engines(), engines.analysisEngine());
}

void AnalysisDocks::setAnalysisShown(bool shown) { panelDock->setVisible(shown); }

bool AnalysisDocks::analysisShown() const { return panelDock->isVisible(); }

bool AnalysisDocks::followsTheGame() const { return !panelDock->isHidden() || !current.isEmpty(); }

void AnalysisDocks::follow(const std::vector<CChessBoard>& history, int shownEntry) {
  if (history.empty()) return;
  int first = 0;
  const std::vector<CChessBoard> positions = positionsOfHistory(history, first);
  const int last = static_cast<int>(positions.size()) - 1;
  const int shown = std::clamp((shownEntry < 0 ? static_cast<int>(history.size()) - 1 : shownEntry) - first, 0, last);
  analysisPanel->showPosition({positions.begin(), positions.begin() + shown + 1}, fullMoveNumber(positions, shown));
  if (!current.isEmpty() && !startsWith(movesOf(positions), reviewedMoves)) {
    current = GameReview();
    reviewedMoves.clear();
    evalGraph->setReview({}, {});
    graphDock->hide();
    emit reviewChanged();
  }
  firstEntry = first;
  shownPosition = shown;
  evalGraph->setCurrent(shown);
  if (!current.isEmpty()) reviewSide->showPosition(positions, shown);
}

void AnalysisDocks::setReview(const std::vector<CChessBoard>& history, GameReview review) {
  int first = 0;
  const std::vector<CChessBoard> positions = positionsOfHistory(history, first);
  firstEntry = first;
  current = std::move(review);
  fillBetterMoves(current, positions);
  reviewedMoves = movesOf(positions);
  evalGraph->setReview(current.scores, current.marks, positions.front().sideToMove != 0);
  reviewSide->setReview(current);
  reviewSide->showPosition(positions, shownPosition < 0 ? static_cast<int>(positions.size()) - 1 : shownPosition);
  graphDock->setVisible(!current.isEmpty());
  emit reviewChanged();
}

void AnalysisDocks::renotate(const std::vector<CChessBoard>& history) {
  analysisPanel->renotate();
  if (!current.isEmpty()) setReview(history, current);
}

void AnalysisDocks::reviewGame(const std::vector<CChessBoard>& history) {
  int first = 0;
  const std::vector<CChessBoard> positions = positionsOfHistory(history, first);
  engines.load();  // as Motores left it
  GameReviewDialog dialog(positions, window, engines.engines());
  connect(&dialog, &GameReviewDialog::reviewReady, this,
          [this, &history](const GameReview& review) { setReview(history, review); });
  dialog.exec();
}

std::map<int, EntryNote> AnalysisDocks::entryNotes() const {
  std::map<int, EntryNote> notes;
  for (std::size_t move = 0; move < current.marks.size(); ++move) {
    const MoveMark mark = current.marks[move];
    if (mark == MoveMark::NONE) continue;
    QString tip = markName(mark) + QStringLiteral(" (") + markSign(mark) + u')';
    if (!current.betterMoves[move].isEmpty()) tip += tr(". Mejor: %1").arg(current.betterMoves[move]);
    notes[firstEntry + static_cast<int>(move) + 1] = {markColour(mark), tip, markSign(mark)};
  }
  return notes;
}
