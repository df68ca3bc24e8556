#pragma once
// Training on the player's exercises: the store, this session's queue, the
// board while an exercise stands on it, and the search that answers a try.
// While training, the board shows the exercise as a stand-in and the frame
// hands its clicks here; the game in play is never touched, and leaving puts
// the board back as it was. The search runs on a thread of its own.

#include <QDateTime>
#include <QFutureWatcher>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

#include "attempt_check.h"
#include "exercise_store.h"

class CDovrelView;
class QDockWidget;
class QMainWindow;
class TrainingPanel;

class Trainer : public QObject {
  Q_OBJECT

 public:
  // Milliseconds since the epoch; tests move it.
  using Clock = std::function<qint64()>;
  Trainer(CDovrelView* view, QMainWindow* window, QString storePath = ExerciseStore::defaultPath(),
          Clock clock = {});
  ~Trainer() override;

  // Adds the exercises that are new and saves; returns how many were new.
  int addExercises(std::vector<Exercise> exercises);
  // Shows the panel and the first pending exercise on the board.
  void start();
  // The board shows the game again, as it was.
  void leave();
  bool isActive() const { return active; }
  bool isChecking() const { return checking; }
  void squareClicked(int square);
  void pickCancelled();
  void retry();
  void showSolution();
  void next();

  void setLimits(const SearchLimits& limits) { budget = limits; }
  ExerciseStore& store();
  // The exercise on the board; none between exercises.
  std::optional<std::size_t> currentIndex() const { return current; }
  TrainingPanel* panel() const { return trainingPanel; }
  QDockWidget* dock() const { return panelDock; }

 signals:
  // A try was answered.
  void answered(bool solved);
  // The board shows the game again.
  void left();

 private:
  // Reads the store the first time it is wanted, telling the player what went wrong.
  void loadOnce();
  void show(std::size_t index);
  void showCounts();
  void showPanel(bool shown);
  void tryMove(const Move& move);
  void checked();
  // Saves, telling the player when that failed.
  void save();
  qint64 now() const { return clock ? clock() : QDateTime::currentMSecsSinceEpoch(); }

  CDovrelView* view;
  QMainWindow* window;
  ExerciseStore exercises;
  Clock clock;
  bool loaded = false;
  bool active = false;
  bool checking = false;
  bool counted = false;       // the shown exercise's first try went into its schedule
  bool boardWasWhite = true;  // the board's side before training
  int fromSquare = -1;        // the picked piece's square; -1: none
  std::optional<std::size_t> current;
  std::optional<Move> tried;
  std::optional<AttemptVerdict> verdict;
  SearchLimits budget = attemptBudget();
  std::unique_ptr<ReviewCancel> cancel;
  QFutureWatcher<AttemptVerdict> watcher;
  TrainingPanel* trainingPanel;
  QDockWidget* panelDock;
};
