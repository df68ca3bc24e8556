#pragma once
// The xboard loop's second thread: the engine's thinking (its move, an
// analysis, pondering) runs here while the loop goes on reading, so "?" and a
// new position are taken at once. One piece of thinking at a time; the loop
// waits for it (or stops it) before it handles any command that needs the game.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class ThinkingThread {
 public:
  enum class Kind { MOVE, ANALYSIS, PONDER };

  ThinkingThread() = default;
  ~ThinkingThread() { finish(); }
  ThinkingThread(const ThinkingThread&) = delete;
  ThinkingThread& operator=(const ThinkingThread&) = delete;

  // Runs the work on the thread, after any earlier work has ended.
  void start(Kind kind, std::function<void()> work);
  bool busy() const { return running; }
  Kind kind() const { return current; }
  // Called by the work: what it does from now on (the move made, it ponders).
  void becomes(Kind kind);
  // Waits until the work has ended or is no longer of this kind.
  void waitWhile(Kind kind);
  // Waits for the work to end.
  void finish();

 private:
  std::thread worker;
  std::atomic<bool> running{false};
  std::atomic<Kind> current{Kind::MOVE};
  std::mutex lock;
  std::condition_variable changed;
};
