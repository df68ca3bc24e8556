#pragma once
// The engine worker and its hand-over. The engine's command loop runs on its
// own thread and blocks in takeCommand until the window releases it; each line
// it writes comes back as a queued signal carrying its own copy, so lines reach
// the window once each and in order.
//
// A release while the worker is busy is kept: the worker asks for the next
// command as soon as it waits again, so a command given while it thinks is
// taken after the search, never lost ("Move now!" uses the stop request
// instead). A command may be a batch of lines taken one after the other
// without a wait between them.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "driver/engine_host.h"
#include "engine_objects.h"
#include "player_settings.h"
#include "position/chess_board.h"

class QThread;

class EngineBridge : public QObject, public EngineHost {
  Q_OBJECT

 public:
  // The worker's command loop works on the process's objects; `objects` must
  // be those (tests may hand in their own only where no worker starts).
  explicit EngineBridge(EngineObjects objects, QObject* parent = nullptr);
  // Ends the worker: it takes no further command and any search is stopped.
  ~EngineBridge() override;

  // Main thread.
  void start();
  bool isStarted() const { return worker != nullptr; }
  void release();
  // Not started, or waiting for a command: the Game and the book are the window's.
  bool isIdle() const;
  // At work on a command (a search among them), or given one it has yet to
  // take: busy with a job while it waits is not this.
  bool handlesCommand() const;
  // Runs the action now when the worker is idle, else as soon as it next waits.
  void whenIdle(std::function<void()> action);
  // Runs `job` on the engine worker while it waits for its next command, so the
  // window goes on painting: the worker counts as busy meanwhile, and a command
  // released meanwhile is taken when the job is done. Jobs given before the
  // worker starts run at its first wait; with the worker gone, here and now.
  void runWhileWaiting(std::function<void()> job);
  // Reads the book again on the engine worker (or at once, when called there),
  // handing the openings' names to the window when done.
  void reloadBook(BookLoad mode);
  // Applies the [KELVO] settings to a newly made engine player unless that was
  // already done; true when it was still to do.
  bool applyPendingPlayerSettings();
  // The level kelvo plays the game in play at, in place of the saved one; 0:
  // the saved one. Kept for the engine players the game makes, never saved.
  void setGameLevel(int level) { gameLevel = level; }
  void shutdown();

  // Where the last search started: its position and the plies before it.
  struct SearchRoot {
    CChessBoard position;
    int ply = 0;
  };
  const SearchRoot& searchRoot() const { return lastSearchRoot; }
  // When the line being handled was written, and the game's plies and side to move then.
  struct LineStamp {
    qint64 at = 0;
    int plies = 0;
    int sideToMove = 1;
  };
  const LineStamp& lineStamp() const { return lastLineStamp; }

  // Engine worker.
  bool takeCommand(std::string& line) override;
  void lineWritten(const std::string& text) override;
  void debugText(const std::string& text, int colour) override;
  void notifyHost(int code, int value) override;
  void searchStats(int nodes, int centiseconds) override;
  bool isWindowedProgram() const override { return true; }

 signals:
  // Emitted on the main thread while the worker waits for the answer.
  void commandWanted(QByteArray* buffer);
  void lineArrived(const QString& line);
  void debugTextArrived(const QString& text, int colour);
  void playerCreated();
  void searchStarted();
  void statsArrived(int nodes, int centiseconds);
  // What a command did to the game (EngineHost's codes GAME_STARTED,
  // PLIES_TAKEN_BACK, ENGINE_TAKES_SIDE), after the lines written before it;
  // the worker waits until the window has followed.
  void gameEvent(int code, int value);
  void engineFinished();

 private:
  // Blocks the worker until the main thread has run the call, unless the
  // bridge is shutting down.
  void callOnMainThread(const std::function<void()>& call);
  void runIdleActions();

  EngineObjects objects;
  QThread* worker = nullptr;
  mutable std::mutex mutex;
  std::condition_variable wake;
  bool waiting = false;
  bool released = false;
  bool reachedFirstWait = false;
  bool jobRunning = false;
  std::vector<std::function<void()>> workerJobs;
  std::atomic<bool> quitting{false};
  std::atomic<bool> settingsPending{false};
  std::atomic<int> gameLevel{0};
  std::vector<std::function<void()>> idleActions;
  // A command of several lines ("time 100\notim 100\ne2e4") is taken line
  // by line; the lines after the first wait here (engine worker only).
  std::vector<std::string> batchRest;
  SearchRoot lastSearchRoot;  // main thread
  LineStamp lastLineStamp;    // main thread
};
