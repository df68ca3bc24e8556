// Back-to-back games in the desktop app's real window (offscreen): Nueva,
// then Mueve! for each ply until the game ends, again and again, with
// kelvo at its weakest level so games are quick. After each game it prints
// the resident set and the heap in use, so what grows per game shows.
//   game_soak [MINUTES [MAX_GAMES [trim]]]   (default 30 minutes, no game limit)
// With "trim" the C library hands its free memory back to the system after
// each game, which tells the memory still in use from the memory only kept.
// Run in a scratch directory holding aperturas.pgn and the fonts (a copy of
// the build's run directory): it writes kelvo.ini and the logs there.
// Asserts nothing; exits 1 when a game stalls.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/dovrel2_app.h"
#include "app/main_frame.h"
#include "common/message_sink.h"
#include "driver/game.h"
#include "engine/engine_bridge.h"
#include "play/game_in_play.h"

namespace {

long residentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

long heapKb() { return static_cast<long>(mallinfo2().uordblks / 1024); }

int plies() { return Game::instance().read([](const Game& game) { return static_cast<int>(game.history.size()); }); }

constexpr int MAX_PLIES = 400;  // a game that shuffles on is cut here

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const double minutes = argc > 1 ? std::atof(argv[1]) : 30.0;
  const long maxGames = argc > 2 ? std::atol(argv[2]) : -1;
  const bool trim = argc > 3 && std::string(argv[3]) == "trim";
  QFile ini(QStringLiteral("kelvo.ini"));
  if (!ini.open(QIODevice::WriteOnly) || ini.write("[KELVO]\nNivel=1\n") < 0) return 1;
  ini.close();

  QApplication application(argc, argv);
  int boxes = 0;
  setMessageSink([&boxes](QMessageBox::Icon, const QString&, const QString&) { ++boxes; });
  CDovrel2App app;
  if (!app.initInstance({})) return 1;
  CMainFrame* frame = app.mainFrame();
  auto idle = [frame] { return QTest::qWaitFor([frame] { return frame->bridge()->isIdle(); }, 60000); };
  if (!idle()) return 1;

  QElapsedTimer clock;
  clock.start();
  long firstRss = 0, firstHeap = 0;
  for (long games = 1; maxGames < 0 || games <= maxGames; ++games) {
    frame->startNewGame();
    if (!idle() || !QTest::qWaitFor([] { return plies() == 1; }, 60000)) return 1;
    GameInPlay* play = frame->gameInPlay();
    while (!play->isOver() && plies() < MAX_PLIES) {
      const int before = plies();
      frame->engineMoves();
      if (!QTest::qWaitFor([&] { return play->isOver() || plies() > before; }, 60000)) {
        std::fprintf(stderr, "game %ld stalled at ply %d\n", games, before);
        return 1;
      }
    }
    if (!idle()) return 1;
    QTest::qWait(20);
    if (trim) malloc_trim(0);
    const long rss = residentKb(), heap = heapKb();
    if (games == 1) firstRss = rss, firstHeap = heap;
    std::printf("game %ld: %d plies %s, %.1f min, RSS %ld kB (%+ld), heap %ld kB (%+ld), %d boxes\n", games,
                plies() - 1, play->isOver() ? "ended" : "cut", clock.elapsed() / 60000.0, rss, rss - firstRss, heap,
                heap - firstHeap, boxes);
    std::fflush(stdout);
    if (clock.elapsed() > minutes * 60000) break;
  }
  return 0;
}
