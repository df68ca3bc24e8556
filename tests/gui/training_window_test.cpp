// Training in the real main window: an annotated game opened, its mistakes
// made exercises, one solved and one failed on the board, and the failed one
// pending again in a new window on the same data folder, the game untouched.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "analysis/analysis_docks.h"
#include "app/dovrel2_app.h"
#include "app/main_frame.h"
#include "app/training_commands.h"
#include "board/dovrel_view.h"
#include "common/message_sink.h"
#include "driver/game.h"
#include "engine/engine_bridge.h"
#include "files/dovrel2_doc.h"
#include "position/square.h"
#include "training/trainer.h"
#include "training/training_panel.h"

namespace {

// 2...Qg5 a blunder (2...Nc6 better), 3.Nc3 a blunder too (3.Nxg5 wins the queen).
constexpr const char* ANNOTATED =
    "[White \"Ana\"]\n[Black \"Luis\"]\n\n"
    "1. e4 {[%eval 0.3]} e5 {[%eval 0.3]} 2. Nf3 {[%eval 0.3]} Qg5 $4 {[%eval 9.0]} (2... Nc6 3. Bb5)\n"
    "3. Nc3 $4 {[%eval 0.2]} (3. Nxg5) Qd8 {[%eval 0.3]} *\n";

QAction* actionNamed(QWidget* frame, const QString& caption) {
  for (QAction* action : frame->findChildren<QAction*>())
    if (action->text() == caption) return action;
  return nullptr;
}

// A click on the board's square, as the board is turned.
void click(CDovrelView* view, const char* square) {
  const int size = view->squareSize();
  const int file = square[0] - 'a', rank = square[1] - '1';
  const QPoint origin(std::max(0, (view->width() - 10 * size) / 2), std::max(0, (view->height() - 10 * size) / 2));
  const QPoint cell = view->whiteAtBottom() ? QPoint(file + 1, 8 - rank) : QPoint(8 - file, rank + 1);
  QTest::mouseClick(view, Qt::LeftButton, {}, origin + cell * size + QPoint(size / 2, size / 2));
}

struct Window {
  CDovrel2Doc doc{Game::instance()};
  CMainFrame frame{&doc, EngineObjects::ofProcess()};
  QStringList lines;
  Window() {
    QObject::connect(&frame, &CMainFrame::lineHandled, [this](const QString& line) { lines << line; });
    frame.startUp();
  }
  bool ready() {
    return QTest::qWaitFor([&] { return lines.contains("accepted") && frame.bridge()->isIdle(); }, 20000);
  }
  Trainer* trainer() { return frame.training()->trainer(); }
};

std::vector<CChessBoard> gameHistory() { return Game::instance().read([](const Game& game) { return game.history; }); }

}  // namespace

TEST(TrainingWindow, ExercisesMadeSolvedFailedAndTheFailedOneBackAfterARestart) {
  QTemporaryDir dir;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir.path());
  qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
  QStringList boxes;
  setMessageSink([&boxes](QMessageBox::Icon, const QString&, const QString& text) { boxes << text; });
  {
    QFile book("aperturas.pgn");
    ASSERT_TRUE(book.open(QIODevice::WriteOnly));
    book.write("1. e4 e5 *\n");
    QFile game("anotada.pgn");
    ASSERT_TRUE(game.open(QIODevice::WriteOnly));
    game.write(ANNOTATED);
  }
  for (const char* font : {CDovrel2App::REGULAR_FONT_FILE, CDovrel2App::MERIDA_FONT_FILE})
    QFontDatabase::addApplicationFont(QStringLiteral(KELVO_RUN_DIR "/") + font);
  SearchLimits quick;
  quick.nodes = 60000;

  std::size_t failedIndex = 0;
  {
    Window window;
    ASSERT_TRUE(window.ready());
    window.frame.openFile(dir.filePath("anotada.pgn"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.frame.windowTitle().startsWith("anotada.pgn"); }, 10000));
    ASSERT_FALSE(window.frame.analysis()->review().isEmpty());
    const std::vector<CChessBoard> history = gameHistory();
    const bool whiteAtBottom = window.frame.view()->whiteAtBottom();

    // Training before there is anything to train on says so and leaves the board alone.
    actionNamed(&window.frame, QStringLiteral("Ejercicios..."))->trigger();
    EXPECT_TRUE(window.trainer()->panel()->exerciseText().contains(QStringLiteral("Aún no hay ejercicios")));
    EXPECT_FALSE(window.frame.view()->showsStandIn());

    actionNamed(&window.frame, QStringLiteral("Crear ejercicios de esta partida"))->trigger();
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_TRUE(boxes.last().startsWith(QStringLiteral("Ejercicios nuevos de esta partida: 2."))) << boxes.last().toStdString();
    ASSERT_EQ(window.trainer()->store().size(), 2u);
    // The same file read as a collection, off the window thread: nothing new.
    QSignalSpy read(window.frame.training(), &TrainingCommands::collectionRead);
    ASSERT_TRUE(window.frame.training()->exercisesOfCollection(dir.filePath("anotada.pgn")));
    ASSERT_TRUE(read.wait(10000));
    EXPECT_EQ(read.takeFirst().at(0).toInt(), 0);
    EXPECT_EQ(boxes.last(), QStringLiteral("Ejercicios nuevos: 0, de 1 partidas leídas. Ya estaban: 2."));
    window.trainer()->setLimits(quick);

    // The first, shown at once in the open panel: Black to move, the board turned, what to beat named.
    ASSERT_TRUE(window.trainer()->currentIndex());
    TrainingPanel* panel = window.trainer()->panel();
    EXPECT_TRUE(panel->exerciseText().contains(QStringLiteral("Juegan las negras"))) << panel->exerciseText().toStdString();
    EXPECT_TRUE(panel->exerciseText().contains(QStringLiteral("anotada.pgn, Ana – Luis, jugada 2")));
    EXPECT_TRUE(panel->exerciseText().contains(QStringLiteral("mejor que 2...Qg5")));
    EXPECT_FALSE(window.frame.view()->whiteAtBottom());
    EXPECT_EQ(window.frame.view()->shownPosition().squares[parseSquare("d8")], BLACK_QUEEN);

    QSignalSpy answered(window.trainer(), &Trainer::answered);
    click(window.frame.view(), "b8");
    click(window.frame.view(), "c6");
    EXPECT_TRUE(window.trainer()->isChecking());
    ASSERT_TRUE(answered.wait(30000));
    EXPECT_TRUE(answered.takeFirst().at(0).toBool());
    EXPECT_TRUE(panel->answerText().contains(QStringLiteral("Resuelto"))) << panel->answerText().toStdString();
    EXPECT_TRUE(panel->answerText().contains(QStringLiteral("2...Nc6")));
    EXPECT_TRUE(panel->retryButton()->isEnabled());

    // The second: White to move, the mistake tried again.
    panel->nextButton()->click();
    ASSERT_TRUE(window.trainer()->currentIndex());
    failedIndex = *window.trainer()->currentIndex();
    EXPECT_TRUE(window.frame.view()->whiteAtBottom());
    click(window.frame.view(), "b1");
    click(window.frame.view(), "c3");
    ASSERT_TRUE(answered.wait(30000));
    EXPECT_FALSE(answered.takeFirst().at(0).toBool());
    EXPECT_TRUE(panel->answerText().contains(QStringLiteral("jugada de la partida")));
    panel->solutionButton()->click();
    EXPECT_TRUE(panel->answerText().contains(QStringLiteral("3.Nxg5"))) << panel->answerText().toStdString();
    EXPECT_TRUE(panel->countsText().contains(QStringLiteral("Resueltos: 1 · Pendientes: 1 · Total: 2")));

    // Back to the game: as it was, board and all.
    panel->leaveButton()->click();
    EXPECT_FALSE(window.trainer()->isActive());
    EXPECT_FALSE(window.frame.view()->showsStandIn());
    EXPECT_EQ(window.frame.view()->whiteAtBottom(), whiteAtBottom);
    const std::vector<CChessBoard> after = gameHistory();
    ASSERT_EQ(after.size(), history.size());
    for (std::size_t i = 0; i < after.size(); ++i) EXPECT_TRUE(after[i].lastMove.sameSquares(history[i].lastMove));
    EXPECT_EQ(window.frame.view()->shownPosition().squares[parseSquare("d8")], BLACK_QUEEN);
    // A click on the board is the game's again: the person's piece is picked, no exercise answers.
    click(window.frame.view(), "e1");
    EXPECT_FALSE(window.frame.awaitingFirstClick());
    EXPECT_EQ(answered.count(), 0);
  }

  // A new window on the same data: only the failed one is pending, and comes first.
  {
    Window window;
    ASSERT_TRUE(window.ready());
    boxes.clear();
    actionNamed(&window.frame, QStringLiteral("Ejercicios..."))->trigger();
    EXPECT_TRUE(boxes.isEmpty());
    ASSERT_EQ(window.trainer()->store().size(), 2u);
    ASSERT_TRUE(window.trainer()->currentIndex());
    EXPECT_EQ(*window.trainer()->currentIndex(), failedIndex);
    EXPECT_TRUE(window.trainer()->panel()->countsText().contains(QStringLiteral("Resueltos: 1 · Pendientes: 1")));
    EXPECT_TRUE(window.trainer()->panel()->exerciseText().contains(QStringLiteral("mejor que 3.Nc3")));
    window.trainer()->leave();
  }
  setMessageSink({});
  QDir::setCurrent(previous);
}
