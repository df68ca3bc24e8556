#include "engine_bridge.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <memory>
#include <ostream>

#include "book/opening_names.h"
#include "driver/commands.h"
#include "driver/engine_io.h"
#include "driver/engine_session.h"
#include "driver/game.h"
#include "game/game_flow.h"
#include "player_settings.h"
#include "settings/settings_file.h"

EngineBridge::EngineBridge(EngineObjects objects, QObject* parent) : QObject(parent), objects(objects) {
  lastSearchRoot.position.clearSquares();  // read only for a thinking line, which a search precedes
}

EngineBridge::~EngineBridge() {
  shutdown();
  delete worker;
}

namespace {

// The desktop app shows the engine's lines in its own windows only.
std::ostream& discardedOutput() {
  static std::ostream stream(nullptr);
  return stream;
}

}  // namespace

void EngineBridge::start() {
  if (worker) return;
  objects.io.setOutput(&discardedOutput());
  worker = QThread::create([this] {
    runEngine(*this);
    if (!quitting) QMetaObject::invokeMethod(this, [this] { emit engineFinished(); }, Qt::QueuedConnection);
  });
  worker->start(QThread::LowPriority);
}

void EngineBridge::release() {
  std::lock_guard guard(mutex);
  released = true;
  wake.notify_all();
}

bool EngineBridge::isIdle() const {
  if (!worker || worker->isFinished()) return true;
  std::lock_guard guard(mutex);
  return waiting && !released && !jobRunning && workerJobs.empty();
}

bool EngineBridge::handlesCommand() const {
  if (!worker || worker->isFinished()) return false;
  std::lock_guard guard(mutex);
  return reachedFirstWait && (!waiting || released);
}

void EngineBridge::runWhileWaiting(std::function<void()> job) {
  if (worker && worker->isFinished()) {
    job();
    return;
  }
  std::lock_guard guard(mutex);
  workerJobs.push_back(std::move(job));
  wake.notify_all();
}

void EngineBridge::reloadBook(BookLoad mode) {
  auto load = [this, mode] {
    auto names = std::make_shared<OpeningNames>();
    if (!reloadOpeningBook(mode, objects.book, *names)) return;  // the names kept still hold
    QMetaObject::invokeMethod(
        this, [mode, names] { adoptOpeningNames(mode, std::move(*names)); }, Qt::QueuedConnection);
  };
  if (QThread::currentThread() == worker)
    load();
  else
    runWhileWaiting(std::move(load));
}

void EngineBridge::whenIdle(std::function<void()> action) {
  if (isIdle()) {
    action();
    return;
  }
  idleActions.push_back(std::move(action));
}

void EngineBridge::runIdleActions() {
  // The worker cannot leave its wait while this runs: only this thread releases it.
  while (!idleActions.empty() && isIdle()) {
    std::function<void()> action = std::move(idleActions.front());
    idleActions.erase(idleActions.begin());
    action();
  }
}

bool EngineBridge::applyPendingPlayerSettings() {
  if (!settingsPending.exchange(false)) return false;
  ProgramSettings settings = ProgramSettings::read(SettingsFile());
  if (const int level = gameLevel; level > 0) settings.level = level;
  if (applyPlayerSettings(objects.game, settings)) reloadBook(BookLoad::Replace);
  return true;
}

void EngineBridge::shutdown() {
  if (!worker || quitting.exchange(true)) return;
  disconnect(this, nullptr, nullptr, nullptr);
  EngineIO& io = objects.io;
  objects.session.stopSearch();
  {
    std::lock_guard guard(mutex);
    wake.notify_all();
  }
  // The worker may be inside a call it needs this thread to run.
  while (!worker->wait(QDeadlineTimer(20))) QCoreApplication::sendPostedEvents(this);
  if (io.host() == this) {
    io.setHost(nullptr);
    io.setOutput(nullptr);
  }
}

void EngineBridge::callOnMainThread(const std::function<void()>& call) {
  if (QThread::currentThread() == thread()) {
    call();
    return;
  }
  if (quitting) return;
  QMetaObject::invokeMethod(this, call, Qt::BlockingQueuedConnection);
}

bool EngineBridge::takeCommand(std::string& line) {
  // The rest of a batch follows at once: nothing can come between its lines.
  if (!batchRest.empty()) {
    line = batchRest.front();
    batchRest.erase(batchRest.begin());
    return !quitting;
  }
  {
    std::lock_guard guard(mutex);
    if (quitting) return false;
    waiting = true;
    reachedFirstWait = true;
  }
  QMetaObject::invokeMethod(this, [this] { runIdleActions(); }, Qt::QueuedConnection);
  {
    std::unique_lock guard(mutex);
    // Jobs come first: a command released after a job was given finds what
    // the job made (a new player's book) in place.
    for (;;) {
      wake.wait(guard, [this] { return released || quitting || !workerJobs.empty(); });
      if (quitting || workerJobs.empty()) break;
      std::function<void()> job = std::move(workerJobs.front());
      workerJobs.erase(workerJobs.begin());
      jobRunning = true;
      guard.unlock();
      job();
      guard.lock();
      jobRunning = false;
      QMetaObject::invokeMethod(this, [this] { runIdleActions(); }, Qt::QueuedConnection);
    }
    waiting = false;
    released = false;
  }
  if (quitting) return false;

  QByteArray buffer;
  callOnMainThread([this, &buffer] { emit commandWanted(&buffer); });
  if (quitting) return false;
  while (buffer.endsWith('\n') || buffer.endsWith('\r')) buffer.chop(1);
  const QList<QByteArray> lines = buffer.split('\n');
  line = lines.first().toStdString();
  for (qsizetype i = 1; i < lines.size(); ++i) batchRest.push_back(lines[i].toStdString());
  return true;
}

void EngineBridge::lineWritten(const std::string& text) {
  const QString line = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  const LineStamp stamp = objects.game.read([](const Game& game) {
    return LineStamp{steadyMilliseconds(), static_cast<int>(game.history.size()), game.position.sideToMove};
  });
  QMetaObject::invokeMethod(
      this,
      [this, line, stamp] {
        lastLineStamp = stamp;
        emit lineArrived(line);
      },
      Qt::QueuedConnection);
}

void EngineBridge::debugText(const std::string& text, int colour) {
  const QString copy = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  callOnMainThread([this, &copy, colour] { emit debugTextArrived(copy, colour); });
}

void EngineBridge::notifyHost(int code, int value) {
  if (code == GAME_STARTED || code == PLIES_TAKEN_BACK || code == ENGINE_TAKES_SIDE) {
    // Sent outside the Game lock: the worker goes on once the window has
    // followed, after every line written before.
    callOnMainThread([this, code, value] { emit gameEvent(code, value); });
  } else if (code == ENGINE_PLAYER_CREATED) {
    // Called while the worker holds the Game lock, so it must not wait for the
    // window (which may be waiting for that lock to paint). The window applies
    // the settings when the worker next waits; a search that starts first
    // applies them itself below.
    settingsPending = true;
    QMetaObject::invokeMethod(this, [this] { emit playerCreated(); }, Qt::QueuedConnection);
  } else if (code == SEARCH_STARTED) {
    applyPendingPlayerSettings();
    // The root as the search sees it; the window reads its thinking lines against it.
    auto root = std::make_shared<SearchRoot>(objects.game.read([](const Game& game) {
      return SearchRoot{game.position, static_cast<int>(game.history.size()) - 1};
    }));
    QMetaObject::invokeMethod(
        this,
        [this, root] {
          lastSearchRoot = *root;
          emit searchStarted();
        },
        Qt::QueuedConnection);
  }
}

void EngineBridge::searchStats(int nodes, int centiseconds) {
  QMetaObject::invokeMethod(
      this, [this, nodes, centiseconds] { emit statsArrived(nodes, centiseconds); }, Qt::QueuedConnection);
}
