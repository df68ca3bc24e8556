#pragma once
// The first-start page and what its choices do: a game against kelvo set up
// as Nueva partida sets one up, Abrir, or Abrir and then Analizar partida.
// It is offered while kelvo.ini holds nothing yet, then at every start until
// its tick puts it away.

#include <QObject>

class AnalysisCommands;
class EngineCommands;
class FileCommands;
class Game;
class QWidget;

class WelcomeCommands : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    Game& game;
    EngineCommands* engines;
    FileCommands* files;
    AnalysisCommands* analysis;
  };
  WelcomeCommands(Parts parts, QWidget* window);

  // Whether this start shows the page. A start that opens a named file shows
  // the file's game instead and leaves the page to the next start.
  bool wanted(bool fileNamed);
  // Opens the page without waiting for it; its choice is acted on when it closes.
  void show();

 private:
  void remember(bool showAgain);
  void reviewOpenedGame();

  Parts parts;
  QWidget* window;
};
