// How long the desktop app's window thread stops for the book: a 5 ms timer
// on the window thread records the longest gap between its ticks while the
// program starts up (the book read for the first engine player), while Nueva
// runs ten times (each new engine player reads the book again), and while
// Read openings appends it, and while each file named on the command line is
// opened (looked into, indexed or refused). Run in a directory holding
// aperturas.pgn and the fonts (the build's run directory); prints the
// figures, asserts nothing.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include <QSignalSpy>

#include "app/dovrel2_app.h"
#include "app/file_commands.h"
#include "app/main_frame.h"
#include "common/message_sink.h"
#include "engine/engine_bridge.h"

namespace {

class GapMeter {
 public:
  GapMeter() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      const qint64 now = clock.nsecsElapsed();
      longest = std::max(longest, now - last);
      last = now;
    });
    timer.setTimerType(Qt::PreciseTimer);
  }
  void start() {
    clock.start();
    last = 0;
    longest = 0;
    timer.start(5);
  }
  double stopMs() {
    timer.stop();
    // A stall that lasts to the end has no tick after it.
    longest = std::max(longest, clock.nsecsElapsed() - last);
    return static_cast<double>(longest) / 1e6;
  }

 private:
  QTimer timer;
  QElapsedTimer clock;
  qint64 last = 0, longest = 0;
};

bool waitForIdle(CMainFrame* frame) {
  return QTest::qWaitFor([frame] { return frame->bridge()->isIdle(); }, 60000);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  GapMeter meter;

  meter.start();
  CDovrel2App app;
  QElapsedTimer startUp;
  startUp.start();
  if (!app.initInstance({}) || !waitForIdle(app.mainFrame())) return 1;
  QTest::qWait(200);
  std::printf("start-up: %lld ms to the first wait, longest window stall %.1f ms\n",
              static_cast<long long>(startUp.elapsed()), meter.stopMs());

  double worst = 0;
  for (int i = 0; i < 10; ++i) {
    meter.start();
    app.mainFrame()->startNewGame();
    if (!waitForIdle(app.mainFrame())) return 1;
    QTest::qWait(100);
    worst = std::max(worst, meter.stopMs());
  }
  std::printf("Nueva, 10 times: longest window stall %.1f ms\n", worst);

  for (QAction* action : app.mainFrame()->findChildren<QAction*>()) {
    if (action->text() != QStringLiteral("Read openings")) continue;
    meter.start();
    action->trigger();
    QTest::qWait(200);
    std::printf("Read openings: longest window stall %.1f ms\n", meter.stopMs());
  }

  // The refusals' boxes are counted, not shown.
  int boxes = 0;
  setMessageSink([&boxes](QMessageBox::Icon, const QString&, const QString&) { ++boxes; });
  for (int i = 1; i < argc; ++i) {
    QSignalSpy ended(app.mainFrame()->findChild<FileCommands*>(), &FileCommands::openFinished);
    QElapsedTimer opening;
    opening.start();
    meter.start();
    app.mainFrame()->openFile(QString::fromLocal8Bit(argv[i]));
    if (ended.isEmpty() && !ended.wait(600000)) return 1;
    std::printf("open %s: %lld ms, longest window stall %.1f ms, %d message(s)\n", argv[i],
                static_cast<long long>(opening.elapsed()), meter.stopMs(), boxes);
  }
  return 0;
}
