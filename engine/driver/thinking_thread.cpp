#include "driver/thinking_thread.h"

void ThinkingThread::start(Kind kind, std::function<void()> work) {
  finish();
  current = kind;
  running = true;
  worker = std::thread([this, work = std::move(work)] {
    work();
    {
      std::lock_guard guard(lock);
      running = false;
    }
    changed.notify_all();
  });
}

void ThinkingThread::becomes(Kind kind) {
  {
    std::lock_guard guard(lock);
    current = kind;
  }
  changed.notify_all();
}

void ThinkingThread::waitWhile(Kind kind) {
  std::unique_lock guard(lock);
  changed.wait(guard, [&] { return !running || current != kind; });
}

void ThinkingThread::finish() {
  if (worker.joinable()) worker.join();
  running = false;
}
