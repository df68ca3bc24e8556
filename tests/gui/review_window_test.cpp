// A whole game reviewed in the real main window: Analizar partida from the
// menu, the graph, the marks and counts, the file saved with the review and
// opened again. With DOVREL_REVIEW_SHOTS naming a folder (and a real display),
// the window is grabbed there at each step.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "analysis_docks.h"
#include "analysis_panel.h"
#include "eval_graph.h"
#include "game_review_dialog.h"
#include "book/pgn_writer.h"
#include "dovrel2_app.h"
#include "dovrel2_doc.h"
#include "dovrel_view.h"
#include "driver/game.h"
#include "engine_bridge.h"
#include "engine_objects.h"
#include "main_frame.h"
#include "position_editor_dlg.h"
#include "message_sink.h"
#include "right_bar_dlg.h"
#include "search/position_judgement.h"
#include "test_positions.h"

namespace {

// A 40-move game the strong search plays against itself, as PGN.
std::string fortyMoveGame() {
  PgnMoves game;
  game.start = fromFen(INITIAL_FEN);
  std::vector<CChessBoard> positions{game.start};
  AlphaBetaSearch search;
  for (int ply = 0; ply < 80; ++ply) {
    SearchLimits limits;
    limits.depth = 2 + ply % 3;  // varied, so the play does not settle into a repetition
    SearchContext context;
    const SearchOutcome outcome = search.run(positions.back(), repetitionKeys(positions, positions.size() - 1),
                                             limits, LevelSettings(), context);
    if (outcome.move.sameSquares(RESIGN_MOVE)) break;
    CChessBoard next = positions.back();
    makeMove(next, outcome.move);
    next.switchSide();
    next.lastMove = outcome.move;
    positions.push_back(next);
    game.moves.push_back(outcome.move);
  }
  return writePgnGame({{"Event", "Revision"}}, game, "*");
}

void shoot(QWidget* window, const char* name) {
  const QString folder = qEnvironmentVariable("DOVREL_REVIEW_SHOTS");
  if (folder.isEmpty()) return;
  QApplication::processEvents();
  window->grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
}

QAction* actionNamed(QWidget* frame, const QString& caption) {
  for (QAction* action : frame->findChildren<QAction*>())
    if (action->text() == caption) return action;
  return nullptr;
}

TEST(ReviewWindow, AFortyMoveGameReviewedSavedAndReopened) {
  QTemporaryDir dir;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir.path());
  setMessageSink([](QMessageBox::Icon, const QString&, const QString&) {});
  {
    QFile book("aperturas.pgn");
    ASSERT_TRUE(book.open(QIODevice::WriteOnly));
    book.write("1. e4 e5 *\n");
  }
  for (const char* font : {CDovrel2App::REGULAR_FONT_FILE, CDovrel2App::MERIDA_FONT_FILE})
    QFontDatabase::addApplicationFont(QStringLiteral(KELVO_RUN_DIR "/") + font);
  const std::string text = fortyMoveGame();
  {
    QFile copy(dir.filePath("forty.pgn"));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(text.c_str());
  }

  CDovrel2Doc doc(Game::instance());
  CMainFrame frame(&doc, EngineObjects::ofProcess());
  QStringList lines;
  QObject::connect(&frame, &CMainFrame::lineHandled, [&lines](const QString& line) { lines << line; });
  frame.startUp();
  ASSERT_TRUE(QTest::qWaitFor([&] { return lines.contains("accepted") && frame.bridge()->isIdle(); }, 20000));
  frame.openFile(dir.filePath("forty.pgn"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame.windowTitle().startsWith("forty.pgn"); }, 10000));
  const int plies = Game::instance().read([](const Game& game) { return static_cast<int>(game.history.size()) - 1; });
  EXPECT_EQ(plies, 80);

  const int squareSize = frame.view()->squareSize();
  shoot(&frame, "0-opened.png");
  // Análisis on: the first line comes at once; browsing back is followed.
  QSignalSpy first(frame.analysis()->panel(), &AnalysisPanel::firstLineShown);
  QElapsedTimer clock;
  clock.start();
  actionNamed(&frame, QStringLiteral("Análisis"))->trigger();
  ASSERT_TRUE(first.wait(5000));
  const qint64 firstLine = clock.elapsed();
  clock.restart();
  frame.view()->browseTo(20);
  frame.refresh();
  ASSERT_TRUE(first.wait(5000));
  std::printf("first analysis line: %lld ms on opening, %lld ms after browsing\n", firstLine,
              static_cast<long long>(clock.elapsed()));
  EXPECT_TRUE(frame.analysis()->panel()->lineText(0).contains(QStringLiteral("11.")));
  shoot(&frame, "1-analysis.png");
  EXPECT_EQ(frame.view()->squareSize(), squareSize);  // the panel takes no room from the board

  // Analizar partida at the default setting, through the dialog's own button.
  QElapsedTimer reviewClock;
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000));
    auto* dialog = qobject_cast<GameReviewDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shoot(dialog, "2-dialog.png");
    reviewClock.start();
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      if (button->text() == QStringLiteral("Analizar")) button->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->isRunning(); }, 120000));
    std::printf("review of %d plies: %lld ms\n", plies, static_cast<long long>(reviewClock.elapsed()));
    shoot(dialog, "3-dialog-done.png");
    EXPECT_TRUE(dialog->summary().contains(QStringLiteral("Precisión")));
    dialog->accept();
  });
  actionNamed(&frame, QStringLiteral("Analizar partida..."))->trigger();
  const GameReview review = frame.analysis()->review();
  EXPECT_TRUE(doc.isModified());  // the review is to be saved
  ASSERT_EQ(review.scores.size(), 81u);
  EXPECT_EQ(frame.analysis()->graph()->pointCount(), 81);
  EXPECT_TRUE(frame.analysis()->graph()->isVisible());
  const auto notes = frame.analysis()->entryNotes();
  int marked = 0;
  for (MoveMark mark : review.marks) marked += mark != MoveMark::NONE;
  EXPECT_EQ(static_cast<int>(notes.size()), marked);
  std::printf("marks: White %d/%d/%d %.0f %%, Black %d/%d/%d %.0f %%\n", review.summary.white.inaccuracies,
              review.summary.white.mistakes, review.summary.white.blunders, review.summary.white.accuracy,
              review.summary.black.inaccuracies, review.summary.black.mistakes, review.summary.black.blunders,
              review.summary.black.accuracy);

  // A click on a marked move names the better one in the status bar.
  ASSERT_FALSE(notes.empty());
  emit frame.rightBar()->entryClicked(notes.begin()->first);
  EXPECT_EQ(frame.statusBar()->currentMessage(), notes.begin()->second.tip);
  EXPECT_TRUE(notes.begin()->second.tip.contains(QStringLiteral("Mejor: "))) << notes.begin()->second.tip.toStdString();

  // A click on the graph shows that position.
  EvalGraph* graph = frame.analysis()->graph();
  QTest::mouseClick(graph, Qt::LeftButton, {}, graph->pointOf(30).toPoint());
  EXPECT_EQ(frame.view()->browseIndex(), 30);
  shoot(&frame, "4-reviewed.png");

  // Saved with the review, read by pgn-extract, opened again without a search.
  ASSERT_TRUE(frame.saveFile(dir.filePath("reviewed.pgn")));
  EXPECT_FALSE(doc.isModified());
  const std::string saved = dir.filePath("reviewed.pgn").toStdString();
  EXPECT_EQ(pgnExtractReading(saved).substr(0, 20), pgnExtractReading(dir.filePath("forty.pgn").toStdString()).substr(0, 20));
  frame.startNewGame();
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame.bridge()->isIdle(); }, 10000));
  frame.openFile(dir.filePath("reviewed.pgn"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame.windowTitle().startsWith("reviewed.pgn"); }, 10000));
  const GameReview reopened = frame.analysis()->review();
  EXPECT_FALSE(doc.isModified());
  EXPECT_EQ(reopened.marks, review.marks);
  for (std::size_t i = 1; i < review.scores.size(); ++i)
    if (review.scores[i] && !review.scores[i]->isWon()) EXPECT_EQ(reopened.scores[i], review.scores[i]) << i;
  EXPECT_EQ(frame.analysis()->entryNotes().size(), notes.size());
  shoot(&frame, "5-reopened.png");

  // Editar posición: set up, the reason shown, then played from.
  QTimer::singleShot(0, [&] {
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000));
    auto* editor = qobject_cast<PositionEditorDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(editor, nullptr);
    editor->clearBoard();
    const struct {
      Piece piece;
      const char* square;
    } placed[] = {{WHITE_KING, "g1"}, {BLACK_KING, "g8"}, {WHITE_ROOK, "d1"}, {BLACK_PAWN, "f7"},
                  {BLACK_PAWN, "g7"}, {BLACK_PAWN, "h7"}, {WHITE_ROOK, "d8"}};
    for (const auto& p : placed) {
      editor->choosePiece(p.piece);
      editor->clickSquare(static_cast<Square>(parseSquare(p.square)));
    }
    shoot(editor, "6-editor-reason.png");
    EXPECT_FALSE(editor->canAccept());
    editor->clickSquare(static_cast<Square>(parseSquare("d8")));
    shoot(editor, "7-editor.png");
    editor->accept();
  });
  actionNamed(&frame, QStringLiteral("Editar posición..."))->trigger();
  ASSERT_TRUE(QTest::qWaitFor([] {
    return Game::instance().read([](const Game& game) { return positionToFen(game.position); }) ==
           "6k1/5ppp/8/8/8/8/8/3R2K1 w - - 0 1";
  }, 10000));
  frame.refresh();
  ASSERT_TRUE(first.wait(5000) || frame.analysis()->panel()->lineText(0).contains(QStringLiteral("#1")));
  QTest::qWaitFor([&] { return frame.analysis()->panel()->lineText(0).contains(QStringLiteral("#1")); }, 5000);
  EXPECT_TRUE(frame.analysis()->panel()->lineText(0).contains(QStringLiteral("1.Td8#")));
  shoot(&frame, "8-edited.png");

  setMessageSink({});
  QDir::setCurrent(previous);
}

}  // namespace
