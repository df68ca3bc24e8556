#pragma once
// The analysis in the main window: the docks of analysis_docks.h kept in step
// with the game and the shown position, Analizar partida, a file's review shown
// when it is opened, the review's marks in the move list, and Editar posición,
// whose position is then played from.

#include <QObject>

class AnalysisDocks;
class CDovrel2Doc;
class CDovrelView;
class CRightBarDlg;
class FileCommands;
class Game;
class GameInPlay;
class QMainWindow;

class AnalysisCommands : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    Game& game;
    CDovrel2Doc* doc;
    CDovrelView* view;
    CRightBarDlg* rightBar;
    FileCommands* files;
    GameInPlay* play;
  };
  AnalysisCommands(Parts parts, QMainWindow* window);

  AnalysisDocks* docks() const { return analysisDocks; }
  // After every change of the game or of the shown position.
  void follow();
  // The notation changed: the panels write their moves again.
  void renotate();
  // Analizar partida on the game as it stands.
  void reviewGame();
  // Editar posición.
  void editPosition();

 signals:
  // The room about the board changed: a panel or the graph came or went.
  void roomChanged();
  // The shown position or the marks changed: the window redraws.
  void refreshWanted();

 private:
  // Grows or shrinks the window, never past the screen: what the screen
  // cannot give is taken from the board.
  void resizeWindowBy(QSize change);
  void showFileReview();
  void reviewChanged();

  Parts parts;
  QMainWindow* window;
  AnalysisDocks* analysisDocks;
  int graphRoom = 0;  // the height the window grew by for the graph
};
