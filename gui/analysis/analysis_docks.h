#pragma once
// The analysis around the board in the main window: the Análisis panel with
// the evaluation bar beside the board, the evaluation graph and the review's
// panel under the board, and the game's review (from Analizar partida or from
// the file) that the graph, the review's panel and the move list's marks show.
// The frame tells it what the game is and which position is shown; it tells
// the frame which position a click on the graph chose. The engines the panel
// offers are the player's configured ones, read from their file when the list
// is wanted, and the panel's choice is kept there too.

#include <QColor>
#include <QObject>
#include <QString>

#include <map>
#include <vector>

#include "external/engine_list.h"
#include "game_review.h"

class AnalysisPanel;
class EvalBar;
class EvalGraph;
class ReviewPanel;
class QDockWidget;
class QMainWindow;

// A move of the move list as the review marks it.
struct EntryNote {
  QColor colour;
  QString tip;   // "Error grave (??). Mejor: 12.Cf3"
  QString sign;  // "??"
};

class AnalysisDocks : public QObject {
  Q_OBJECT

 public:
  // `enginesPath`: the configured engines' file.
  explicit AnalysisDocks(QMainWindow* window, const QString& enginesPath = EngineList::defaultPath());

  // After every change of the game or of the shown entry (-1: the last).
  void follow(const std::vector<CChessBoard>& history, int shownEntry);
  // Whether follow has anything to do: the panel is open or a review stands.
  bool followsTheGame() const;
  void setAnalysisShown(bool shown);
  bool analysisShown() const;
  // Analizar partida on the game as it stands; the review is kept on success.
  void reviewGame(const std::vector<CChessBoard>& history);
  // A review for the game `history` holds (a file's, or a finished Analizar partida).
  void setReview(const std::vector<CChessBoard>& history, GameReview review);
  const GameReview& review() const { return current; }
  // The window's notation changed: the lines, the verdict and the tips are written again.
  void renotate(const std::vector<CChessBoard>& history);
  // The marked moves by history entry, for the move list.
  std::map<int, EntryNote> entryNotes() const;

  AnalysisPanel* panel() const { return analysisPanel; }
  EvalGraph* graph() const { return evalGraph; }
  ReviewPanel* reviewPanel() const { return reviewSide; }
  EvalBar* bar() const { return evalBar; }
  QDockWidget* analysisDock() const { return panelDock; }
  QDockWidget* graphDockWidget() const { return graphDock; }

 signals:
  // The graph was clicked: show this history entry.
  void entryChosen(int entry);
  void reviewChanged();

 private:
  void refreshEngines();

  QMainWindow* window;
  EngineList engines;
  AnalysisPanel* analysisPanel;
  EvalBar* evalBar;
  EvalGraph* evalGraph;
  ReviewPanel* reviewSide;
  QDockWidget* panelDock;
  QDockWidget* graphDock;
  GameReview current;
  std::vector<Move> reviewedMoves;  // the moves `current` is about
  int firstEntry = 0;               // the history entry of the reviewed game's start
  int shownPosition = -1;           // the position last followed, from the game's start
};

// A game's history as its positions from the start; `firstEntry` receives
// the history entry of position 0 (-1 when the start is not in the history).
std::vector<CChessBoard> positionsOfHistory(const std::vector<CChessBoard>& history, int& firstEntry);
