#pragma once
// The Entrenamiento menu: training on the player's exercises, and making
// them from the reviewed game on the board or from an annotated collection.
// Training never starts while an engine thinks for the game or its clock
// runs: the game in play is left exactly as it is, and nothing is paused.

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <functional>

#include "training/exercise_maker.h"

class AnalysisDocks;
class CDovrel2Doc;
class CDovrelView;
class CommandChannel;
class EngineBridge;
class Game;
class GameInPlay;
class QMainWindow;
class QMenuBar;
class Trainer;

class TrainingCommands : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    Game& game;
    CDovrel2Doc* doc;
    CDovrelView* view;
    GameInPlay* play;
    AnalysisDocks* analysis;
    EngineBridge* engine;
    CommandChannel* channel;
  };
  TrainingCommands(Parts parts, QMainWindow* window);

  void createMenu(QMenuBar* bar);
  // Ejercicios...: refused, saying why, while the game needs the window.
  bool startTraining();
  // From the review on the board; returns how many new exercises were made.
  int exercisesOfThisGame();
  // From a PGN collection's [%eval] comments and NAGs, read off the window
  // thread; collectionRead tells how many were new. False while one is read.
  bool exercisesOfCollection(const QString& path);
  // Which collection to read; tests replace the file dialog.
  void setCollectionChooser(std::function<QString()> chooser) { chooseCollection = std::move(chooser); }

  Trainer* trainer() const { return training; }
  // Board clicks belong to the exercise on the board.
  bool takesClicks() const;

 signals:
  void collectionRead(int added);

 private:
  void collectionDone();

  Parts parts;
  QMainWindow* window;
  Trainer* training;
  std::function<QString()> chooseCollection;
  QFutureWatcher<CollectionExercises> reading;
};
