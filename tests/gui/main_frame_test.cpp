#include "app/main_frame.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QMenu>
#include <QSpinBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include "analysis/analysis_docks.h"
#include "analysis/analysis_panel.h"
#include "analysis/eval_graph.h"
#include "analysis/review_panel.h"
#include "app/dovrel2_app.h"
#include "app/file_commands.h"
#include "board/board_geometry.h"
#include "board/dovrel_view.h"
#include "book/opening_book.h"
#include "book/pgn_reader.h"
#include "common/file_saver.h"
#include "common/message_sink.h"
#include "dialogs/config_dlg.h"
#include "dialogs/game_list_dlg.h"
#include "dialogs/promoting_sel_dlg.h"
#include "dialogs/save_questions.h"
#include "dialogs/welcome_dlg.h"
#include "driver/game.h"
#include "engine/engine_bridge.h"
#include "engine/player_settings.h"
#include "files/dovrel2_doc.h"
#include "files/game_index.h"
#include "panels/right_bar_dlg.h"
#include "play/game_in_play.h"
#include "position/fen.h"
#include "search/engine_player.h"
#include "settings/settings_file.h"
#include "test_positions.h"

#include <unistd.h>

namespace {

constexpr int WAIT_MS = 60000;
// A short reviewed game: 2...Qg5 a blunder, 2...Nc6 3.Bb5 the better line.
constexpr const char* REVIEWED_BLUNDER =
    "1. e4 {[%eval 0.3]} e5 {[%eval 0.3]} 2. Nf3 {[%eval 0.3]} Qg5 $4 {[%eval 9.0]}\n"
    "(2... Nc6 3. Bb5) 3. Nxg5 {[%eval 9.0]} *\n";

bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, WAIT_MS); }

// Runs `act` on the modal dialog once it is up.
// Polled, not waited for in a loop of its own: the box may open from inside
// another wait (an open that finishes off the window thread).
void whenModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  auto ticks = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, act, ticks] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal && ++*ticks < 500) return;
    timer->stop();
    timer->deleteLater();
    if (modal) act(modal);
  });
  timer->start(10);
}

Piece pieceOn(const char* square) {
  return Game::instance().read([square](const Game& game) { return game.position.squares[parseSquare(square)]; });
}

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // A one-game book makes the engine's first answers certain.
    writeFile("aperturas.pgn", "1. e4 e5 2. Nf3 Nc6 *\n");
    setMessageSink([this](QMessageBox::Icon icon, const QString&, const QString& text) {
      boxes << text;
      icons << icon;
    });
  }
  void TearDown() override {
    frame.reset();
    setMessageSink({});
    QDir::setCurrent(previousDir);
  }

  // Files live in the test's own current directory.
  void writeFile(const char* name, const QByteArray& text) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  QByteArray readFile(const char* name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // The frame as start-up leaves it, after its "new".
  void createFrame() {
    doc = std::make_unique<CDovrel2Doc>(Game::instance());
    frame = std::make_unique<CMainFrame>(doc.get(), EngineObjects::ofProcess());
    frame->setGameChooser([](const QString&) { return 0; });  // a collection's first game
    QObject::connect(frame.get(), &CMainFrame::commandTaken, [this](const QString& command) { commands << command; });
    QObject::connect(frame.get(), &CMainFrame::lineHandled, [this](const QString& line) { lines << line; });
    frame->startUp();
    ASSERT_TRUE(waitForLine("accepted"));
    ASSERT_TRUE(waitForIdle());
    QCoreApplication::processEvents();
  }

  // The program as the user starts it, in this directory with the chess fonts.
  std::unique_ptr<CDovrel2App> startApp(const QStringList& arguments, bool welcome = false) {
    for (const char* font : {CDovrel2App::REGULAR_FONT_FILE, CDovrel2App::MERIDA_FONT_FILE})
      QFile::copy(QStringLiteral(KELVO_RUN_DIR "/") + font, font);
    auto app = std::make_unique<CDovrel2App>();
    if (!app->initInstance(arguments, welcome)) return nullptr;
    QObject::connect(app->mainFrame(), &CMainFrame::lineHandled, [this](const QString& line) { lines << line; });
    return app;
  }

  // The action with this caption, or the recent-file entry of this name.
  QAction* action(const QString& caption, bool recentFile = false) const {
    for (QAction* candidate : frame->findChildren<QAction*>())
      if (recentFile ? candidate->text().endsWith(u'/' + caption) : candidate->text() == caption) return candidate;
    return nullptr;
  }
  QAction* recentEntry(const QString& name) const { return action(name, true); }

  // Opening looks into the file off the window thread: run `start` and wait until the open has ended.
  void waitForOpen(const std::function<void()>& start) {
    QSignalSpy ended(frame->findChild<FileCommands*>(), &FileCommands::openFinished);
    start();
    if (ended.isEmpty()) {
      ASSERT_TRUE(ended.wait(10000));
    }
  }
  void openFile(const QString& path) {
    waitForOpen([&] { frame->openFile(path); });
  }

  bool waitForLine(const QString& line) { return waitFor([&] { return lines.contains(line); }); }
  bool waitForCommand(const QString& command) { return waitFor([&] { return commands.contains(command); }); }
  // The worker may turn idle before the window has taken the lines it posted
  // on the way: those are delivered before the test looks.
  bool waitForIdle() {
    if (!waitFor([this] { return frame->bridge()->isIdle(); })) return false;
    QCoreApplication::processEvents();
    return true;
  }

  // 42-pixel cells behind a one-cell frame, the board turned as it is.
  QPoint centre(const char* square) const {
    const int file = square[0] - 'a', rank = square[1] - '1';
    if (frame->view()->whiteAtBottom()) return {(file + 1) * 42 + 21, (8 - rank) * 42 + 21};
    return {(8 - file) * 42 + 21, (rank + 1) * 42 + 21};
  }
  void click(const char* square) { QTest::mouseClick(frame->view(), Qt::LeftButton, {}, centre(square)); }
  void drag(const char* from, const char* to) {
    QTest::mousePress(frame->view(), Qt::LeftButton, {}, centre(from));
    QTest::mouseMove(frame->view(), (centre(from) + centre(to)) / 2);
    QTest::mouseMove(frame->view(), centre(to));
    QTest::mouseRelease(frame->view(), Qt::LeftButton, {}, centre(to));
  }

  QTemporaryDir dir;
  QString previousDir;
  std::unique_ptr<CDovrel2Doc> doc;
  std::unique_ptr<CMainFrame> frame;
  QStringList commands, lines, boxes;
  QList<QMessageBox::Icon> icons;
};

// The engine's lines go to the windows, never to the app's standard output.
TEST_F(MainFrameTest, TwoClicksPlayAMoveAndTheEngineAnswers) {
  std::ostringstream captured;
  struct Redirect {
    std::streambuf* before;
    ~Redirect() { std::cout.rdbuf(before); }
  } redirect{std::cout.rdbuf(captured.rdbuf())};
  writeFile("kelvo.ini", "[DOVREL]\nDebug=true\n");
  createFrame();
  EXPECT_NE(frame->commandWindow(), nullptr);  // the debug windows play along
  EXPECT_EQ(commands, (QStringList{"level 0 3 0", "new"}));  // 3+0 by default
  const QImage before = frame->view()->renderBoard();

  click("e2");
  EXPECT_EQ(commands.size(), 2);  // the first click only picks the piece
  click("e4");
  ASSERT_TRUE(waitForCommand("e2e4"));
  EXPECT_EQ(commands.mid(2, 2), (QStringList{"time 18000", "otim 18000"}));  // the engine's clock first
  EXPECT_TRUE(waitForLine("move e7e5"));
  EXPECT_EQ(pieceOn("e4"), WHITE_PAWN);
  EXPECT_EQ(pieceOn("e5"), BLACK_PAWN);
  EXPECT_EQ(frame->rightBar()->moveList(), "1.e4 e5 \n");
  EXPECT_NE(frame->view()->renderBoard(), before);
  EXPECT_EQ(frame->openingText(), "");  // an untagged book names nothing and still plays
  EXPECT_EQ(captured.str(), "");
}

// Mueve! gives the engine the side to move and leaves the other to the person.
TEST_F(MainFrameTest, AfterMueveTheBoardTakesThePersonsMove) {
  createFrame();
  frame->activateWindow();
  QTest::keyClick(frame.get(), Qt::Key_M, Qt::ControlModifier);
  ASSERT_TRUE(waitForLine("move e2e4"));  // from the book
  ASSERT_TRUE(waitForIdle());
  EXPECT_EQ(frame->gameFlow().clocks().running(), 0);  // Black's turn, Black's clock
  EXPECT_FALSE(frame->view()->whiteAtBottom());  // turned toward the person, who now plays Black
  click("e7");
  click("e5");
  ASSERT_TRUE(waitForLine("move g1f3"));
  EXPECT_EQ(pieceOn("e5"), BLACK_PAWN);
  EXPECT_EQ(frame->gameFlow().clocks().running(), 0);

  // A move made while the engine still sets up the new game is kept for it.
  frame->startNewGame();
  click("e2");
  click("e4");
  EXPECT_TRUE(waitForLine("move e7e5"));
}

// The engine's seat may be the side to move and still the person's to play: a
// pasted position with Black to move. A move made there while the worker reads
// a new player's book waits for it, and kelvo answers.
TEST_F(MainFrameTest, AMoveMadeWhileTheEngineReadsABookIsKept) {
  createFrame();
  GameInPlay* play = frame->gameInPlay();
  ASSERT_TRUE(waitForIdle());
  play->paste("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
  ASSERT_TRUE(waitForIdle());
  std::atomic<bool> started{false}, letGo{false};
  frame->bridge()->runWhileWaiting([&] {
    started = true;
    while (!letGo) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  ASSERT_TRUE(waitFor([&] { return started.load(); }));
  lines.clear();
  click("c7");
  click("c5");
  letGo = true;
  ASSERT_TRUE(waitFor([this] { return !lines.filter("move ").isEmpty(); }));
  EXPECT_EQ(pieceOn("c5"), BLACK_PAWN);
}

TEST_F(MainFrameTest, EngineLinesBecomeBoxesAndCommandsAnswer) {
  createFrame();
  EXPECT_EQ(frame->commandWindow(), nullptr);  // debug is off by default

  emit frame->bridge()->lineArrived("1-0 Checkmate");
  ASSERT_TRUE(waitForCommand("result 1-0"));
  ASSERT_EQ(boxes, QStringList{"Checkmate\nWhite wins"});
  EXPECT_EQ(icons.value(0), QMessageBox::Information);
  ASSERT_TRUE(waitForIdle());
  EXPECT_EQ(Game::instance().read([](const Game& game) { return game.playState; }), FINISHED);

  emit frame->bridge()->lineArrived("tellusererror oops");
  EXPECT_EQ(boxes.value(1), "error oops\n");
  EXPECT_EQ(icons.value(1), QMessageBox::Critical);

  // Commands are cut to fit the engine's buffer.
  ASSERT_TRUE(waitForIdle());
  frame->sendCommand(QString(200, u'x'));
  EXPECT_EQ(frame->pendingCommand(), QByteArray(126, 'x') + '\n');
  EXPECT_TRUE(waitForCommand(QString(126, u'x')));
}

TEST_F(MainFrameTest, PromotionAsksForThePieceEvenForAnIllegalMove) {
  createFrame();
  Game::instance().edit([](Game& game) {
    game.position = *positionFromFen("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    game.restartHistory();
  });
  whenModal([](QWidget* dialog) { dialog->close(); });  // closed without a choice: a queen
  click("a7");
  click("h1");  // not a pawn move at all
  EXPECT_TRUE(frame->pendingCommand().endsWith("\na7h1=Q\n"));
  EXPECT_TRUE(waitForLine("Illegal move: a7h1=Q"));
  ASSERT_TRUE(waitForIdle());

  whenModal([](QWidget* dialog) { static_cast<CPromotingSelDlg*>(dialog)->button(2)->click(); });  // KNIGHT
  drag("a7", "a8");  // a drop asks as a click does
  ASSERT_TRUE(waitForCommand("a7a8=N"));
  EXPECT_TRUE(waitFor([] { return pieceOn("a8") == WHITE_KNIGHT; }));
}

// Only "True" and "true" count as true; Opciones writes each switch back as True or False.
TEST_F(MainFrameTest, SettingsFeedThePlayerAndOptionsWriteThemBack) {
  writeFile("kelvo.ini", "[KELVO]\nPost=False\nOpeningBook=false\nRandomFactor=TRUE\n[DOVREL]\nFont=Merida\n");
  createFrame();
  EXPECT_EQ(frame->view()->fontName(), "Merida");
  const auto player = [] { return *playerSwitches(Game::instance()); };
  EXPECT_FALSE(player().post || player().useBook || player().randomFactor);
  whenModal([](QWidget* modal) {
    auto* dialog = static_cast<CConfigDlg*>(modal);
    dialog->postBox->setChecked(true);
    dialog->debugBox->setChecked(true);
    dialog->levelBox->setCurrentIndex(5);
    dialog->incrementBox->setValue(2);
    dialog->languageBox->setCurrentIndex(2);  // English, from the next start
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  action("Opciones")->trigger();
  EXPECT_EQ(readFile("kelvo.ini"), "[KELVO]\nPost=True\nOpeningBook=False\nRandomFactor=False\nNivel=6\n"
                                   "[DOVREL]\nFont=Merida\nTimeControl=3+2\nDebug=True\nDebugFiles=False\nShowLegalMoves=True\n"
                                   "Language=en\n");
  EXPECT_TRUE(frame->debugEnabled());
  EXPECT_NE(frame->commandWindow(), nullptr);  // Depuración at once
  EXPECT_TRUE(frame->debugMenu()->menuAction()->isEnabled());
  EXPECT_TRUE(waitFor([player] { return player().post && !player().useBook; }));
  EXPECT_EQ(Game::instance().read([](const Game& g) { return dynamic_cast<const EnginePlayer*>(g.enginePlayer)->level; }), 6);
}

// Notation read from kelvo.ini, changed in Opciones: the list (its signs still
// clickable), the verdict and the analysis line are written again at once.
TEST_F(MainFrameTest, TheNotationChosenWritesEveryMoveShown) {
  writeFile("kelvo.ini", "[DOVREL]\nNotation=Spanish\n");
  writeFile("reviewed.pgn", REVIEWED_BLUNDER);
  createFrame();
  openFile("reviewed.pgn");
  EXPECT_EQ(frame->rightBar()->moveList(), "1.e4 e5 \n2.Cf3 Dg5?? \n3.Cxg5");
  EvalGraph* graph = frame->analysis()->graph();
  QTest::mouseClick(graph, Qt::LeftButton, {}, graph->pointOf(4).toPoint());
  action("Análisis")->trigger();
  AnalysisPanel* analysis = frame->analysis()->panel();
  EXPECT_TRUE(waitFor([analysis] { return analysis->lineText(0).contains(QStringLiteral("3.Cxg5")); }));
  whenModal([](QWidget* modal) {
    auto* dialog = static_cast<CConfigDlg*>(modal);
    dialog->notationBox->setCurrentIndex(2);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  action("Opciones")->trigger();
  EXPECT_TRUE(readFile("kelvo.ini").contains("Notation=Figurines\n"));
  EXPECT_EQ(frame->rightBar()->moveList(), QStringLiteral("1.e4 e5 \n2.\u2658f3 \u2655g5?? \n3.\u2658xg5"));
  EXPECT_TRUE(analysis->lineText(0).contains(QStringLiteral("3.\u2658xg5"))) << analysis->lineText(0).toStdString();
  EXPECT_TRUE(frame->analysis()->reviewPanel()->verdictText().contains(QStringLiteral("Mejor: 2...\u2658c6")));
  QTest::mouseClick(graph, Qt::LeftButton, {}, graph->pointOf(2).toPoint());
  ASSERT_EQ(frame->view()->browseIndex(), 2);
  auto* list = frame->rightBar()->findChild<QPlainTextEdit*>(QStringLiteral("moveList"));
  QTextCursor sign(list->document());
  sign.setPosition(static_cast<int>(list->toPlainText().indexOf(QStringLiteral("??"))) + 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->cursorRect(sign).center());
  EXPECT_EQ(frame->view()->browseIndex(), 4);
}

// "Usar libro de aperturas" unticked: the book that knows 1.e4 stays loaded,
// but the engine searches its answer (its thinking line comes before the move).
TEST_F(MainFrameTest, TheBookSwitchOffMakesTheEngineSearch) {
  writeFile("kelvo.ini", "[KELVO]\nOpeningBook=False\nPost=True\n");
  createFrame();
  click("e2");
  click("e4");
  const auto moveAt = [this] {
    for (int i = 0; i < lines.size(); ++i)
      if (lines[i].startsWith("move ")) return i;
    return -1;
  };
  ASSERT_TRUE(waitFor([&] { return moveAt() >= 0; }));
  const QRegularExpression thinking(QStringLiteral("\\d+ -?\\d+ \\d+ \\d+ .*"));
  EXPECT_TRUE(lines.mid(0, moveAt()).indexOf(thinking) >= 0) << lines.join(u'|').toStdString();
}

TEST_F(MainFrameTest, NewGamesReloadTheBookWithoutGrowingIt) {
  createFrame();
  const std::size_t entries = OpeningBook::instance().entryCount();
  EXPECT_EQ(entries, 4u);  // the one-game book, once
  frame->startNewGame();
  ASSERT_TRUE(waitFor([this] { return lines.count("accepted") == 2; }));
  ASSERT_TRUE(waitForIdle());
  QCoreApplication::processEvents();
  EXPECT_EQ(OpeningBook::instance().entryCount(), entries);
  // Reading the book replays its games, but the new game stays.
  EXPECT_EQ(Game::instance().read([](const Game& game) { return game.history.size(); }), 1u);
  EXPECT_EQ(pieceOn("e2"), WHITE_PAWN);
}

TEST_F(MainFrameTest, OpenLoadsAPgnGameAndSaveWritesItAsPgn) {
  writeFile("game.pgn", "[Event \"Test\"]\n[White \"A\"]\n\n1. e4 e5 2. Nf3 {a comment} 1-0\n\n"
                        "[Event \"Second\"]\n\n1. d4 d5 *\n");
  createFrame();
  openFile("game.pgn");
  EXPECT_EQ(pieceOn("f3"), WHITE_KNIGHT);
  EXPECT_EQ(Game::instance().read([](const Game& game) { return game.history.size(); }), 4u);
  EXPECT_EQ(frame->rightBar()->moveList(), "1.e4 e5 \n2.Nf3 {a comment}");
  EXPECT_EQ(frame->windowTitle(), "game.pgn[*] - dovrel2");

  ASSERT_TRUE(frame->saveFile("saved.pgn"));
  EXPECT_EQ(pgnExtractReading(dir.filePath("saved.pgn").toStdString()), "e2e4 e7e5 g1f3 1-0\n\n");
  EXPECT_TRUE(readFile("saved.pgn").startsWith("[Event \"Test\"]\n[Site \"?\"]\n[Date \"?\"]\n[Round \"?\"]\n"
                                                "[White \"A\"]\n[Black \"?\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Nf3 {a comment} 1-0\n"));
  EXPECT_EQ(frame->windowTitle(), "saved.pgn[*] - dovrel2");

  // The real message box, over the main window.
  setMessageSink({});
  QWidget* owner = nullptr;
  QString text;
  whenModal([&](QWidget* box) {
    owner = box->parentWidget();
    text = static_cast<QMessageBox*>(box)->text();
    box->close();
  });
  openFile("missing.pgn");
  EXPECT_TRUE(text.startsWith("Error loading file\n\n"));
  EXPECT_EQ(owner, frame.get());
}

// A reviewed game opened: the graph under the board, the signs in the move
// list, and a click on the graph or on a signed move showing its verdict.
TEST_F(MainFrameTest, AReviewShowsItsSignsGraphAndVerdict) {
  writeFile("reviewed.pgn", REVIEWED_BLUNDER);
  createFrame();
  openFile("reviewed.pgn");
  EXPECT_EQ(frame->rightBar()->moveList(), "1.e4 e5 \n2.Nf3 Qg5?? \n3.Nxg5");
  QDockWidget* dock = frame->analysis()->graphDockWidget();
  EXPECT_FALSE(dock->isHidden());
  EXPECT_EQ(frame->dockWidgetArea(dock), Qt::BottomDockWidgetArea);
  EvalGraph* graph = frame->analysis()->graph();
  EXPECT_GE(graph->height(), 160);
  const ReviewPanel* panel = frame->analysis()->reviewPanel();

  QTest::mouseClick(graph, Qt::LeftButton, {}, graph->pointOf(2).toPoint());
  EXPECT_EQ(frame->view()->browseIndex(), 2);
  EXPECT_EQ(panel->verdictText(), QString());
  auto* list = frame->rightBar()->findChild<QPlainTextEdit*>(QStringLiteral("moveList"));
  ASSERT_NE(list, nullptr);
  QTextCursor sign(list->document());
  sign.setPosition(static_cast<int>(list->toPlainText().indexOf(QStringLiteral("??"))) + 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->cursorRect(sign).center());
  EXPECT_EQ(frame->view()->browseIndex(), 4);
  EXPECT_EQ(panel->verdictText(), QStringLiteral("2...Qg5?? Error grave\nMejor: 2...Nc6\nLínea: 2...Nc6 3.Bb5"));

  // A new game has no review: no graph, no signs.
  frame->startNewGame();
  ASSERT_TRUE(waitForIdle());
  QCoreApplication::processEvents();
  EXPECT_EQ(frame->rightBar()->moveList(), "");
  EXPECT_TRUE(dock->isHidden());
}

// A click on the frame must not wrap onto a real square: g1 and the left frame
// beside rank 4 once played 1.Nh3. Every frame side, both orientations.
TEST_F(MainFrameTest, AClickOnTheFrameNeverPlaysAMove) {
  createFrame();
  long illegal = 0;
  // Off the board a square has no name: the text is refused as a move or as a word.
  const auto illegalReplies = [this] {
    return std::count_if(lines.begin(), lines.end(), [](const QString& l) {
      return l.startsWith("Illegal move: ") || l.startsWith("Error (unknown command): ");
    });
  };
  for (bool flipped : {false, true}) {
    if (flipped) frame->view()->flip();
    for (const QPoint at : {QPoint(21, 5 * 42 + 21), QPoint(5 * 42 + 21, 21), QPoint(9 * 42 + 21, 3 * 42 + 21),
                            QPoint(2 * 42 + 21, 9 * 42 + 21), QPoint(21, 9 * 42 + 21)}) {
      frame->squareClicked(G1);
      QTest::mouseClick(frame->view(), Qt::LeftButton, {}, at);
      const QByteArray sent = frame->pendingCommand();
      EXPECT_TRUE(waitFor([&] { return illegalReplies() > illegal; })) << sent.constData();
      illegal = illegalReplies();
      ASSERT_TRUE(waitForIdle());
      EXPECT_EQ(pieceOn("g1"), WHITE_KNIGHT) << sent.constData();
    }
  }
}

// A failed open must leave board, move list and title in step, or the next
// Save writes the wrong game over a file.
TEST_F(MainFrameTest, FailedOpensLeaveBoardListAndTitleInStep) {
  writeFile("gone.pgn", "1. d4 d5 *\n");
  writeFile("game.pgn", "1. e4 e5 2. Nf3 *\n");
  writeFile("broken.pgn", "1. e5 *\n");  // no readable move
  createFrame();
  openFile("gone.pgn");
  openFile("game.pgn");
  ASSERT_EQ(frame->windowTitle(), "game.pgn[*] - dovrel2");

  // A recent file that is gone leaves the list, and the game in progress stays.
  QAction* entry = recentEntry("gone.pgn");
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(QFile::remove("gone.pgn"));
  waitForOpen([&] { entry->trigger(); });
  EXPECT_EQ(boxes.value(0), "Error loading file\n\nNo se puede leer el archivo «" + dir.filePath("gone.pgn") + "».");
  EXPECT_EQ(recentEntry("gone.pgn"), nullptr);
  EXPECT_NE(recentEntry("game.pgn"), nullptr);
  EXPECT_EQ(frame->windowTitle(), "game.pgn[*] - dovrel2");
  EXPECT_EQ(frame->rightBar()->moveList(), "1.e4 e5 \n2.Nf3");
  EXPECT_EQ(pieceOn("f3"), WHITE_KNIGHT);

  // A game that cannot be read leaves the game on the board, named by the line at fault.
  QString titleAtBox, listAtBox;
  setMessageSink([&](QMessageBox::Icon, const QString&, const QString& text) {
    boxes << text;
    titleAtBox = frame->windowTitle();
    listAtBox = frame->rightBar()->moveList();
  });
  openFile("broken.pgn");
  EXPECT_EQ(boxes.value(1), "Error loading file\n\n«" + dir.filePath("broken.pgn") +
                                "», línea 1: «e5» no es una jugada legal en esa posición.");
  EXPECT_EQ(titleAtBox, "game.pgn[*] - dovrel2");
  EXPECT_EQ(listAtBox, "1.e4 e5 \n2.Nf3");
  EXPECT_EQ(pieceOn("f3"), WHITE_KNIGHT);
  EXPECT_EQ(recentEntry("broken.pgn"), nullptr);

  // Nothing changed, so Save writes nothing.
  action("&Guardar")->trigger();
  EXPECT_EQ(readFile("game.pgn"), "1. e4 e5 2. Nf3 *\n");
}

// A file named on the command line is the game shown once the start-up's new game stands.
TEST_F(MainFrameTest, AFileNamedAtStartUpIsTheGameShown) {
  writeFile("game.pgn", "1. e4 e5 2. Nf3 *\n");
  auto app = startApp({"dovrel2", "game.pgn"});
  ASSERT_NE(app, nullptr);
  ASSERT_TRUE(waitForLine("accepted"));
  CMainFrame* main = app->mainFrame();
  ASSERT_TRUE(waitFor([main] { return main->windowTitle() == "game.pgn[*] - dovrel2"; }));
  EXPECT_EQ(main->rightBar()->moveList(), "1.e4 e5 \n2.Nf3");
  // The installed or built-in icons, large enough for any desktop.
  EXPECT_EQ(QApplication::windowIcon().actualSize(QSize(256, 256)), QSize(256, 256));

  // A saved game is named again, and the next new game drops the name.
  ASSERT_TRUE(main->saveFile("mine.pgn"));
  EXPECT_EQ(pgnExtractReading(dir.filePath("mine.pgn").toStdString()), "e2e4 e7e5 g1f3 *\n\n");
  EXPECT_EQ(main->windowTitle(), "mine.pgn[*] - dovrel2");
  main->startNewGame();
  ASSERT_TRUE(waitFor([this] { return lines.count("accepted") == 2; }));
  EXPECT_EQ(main->windowTitle(), "dovrel2[*]");
  EXPECT_EQ(readFile("game.pgn"), "1. e4 e5 2. Nf3 *\n");

  // Keys in the menus as Spanish desktops write them.
  for (QAction* candidate : main->findChildren<QAction*>()) {
    if (candidate->text() == "Copiar &FEN") {
      EXPECT_EQ(candidate->shortcut().toString(QKeySequence::NativeText), "Ctrl+Mayús+C");
    }
  }

  // Standard buttons speak Spanish.
  QString cancel;
  whenModal([&cancel](QWidget* dialog) {
    const QDialogButtonBox* box = dialog->findChild<QDialogButtonBox*>();
    for (QAbstractButton* button : box->buttons())
      if (box->buttonRole(button) == QDialogButtonBox::RejectRole) cancel = button->text();
    dialog->close();
  });
  for (QAction* candidate : main->findChildren<QAction*>())
    if (candidate->text() == "Opciones") candidate->trigger();
  EXPECT_EQ(cancel, "Cancelar");
}

// Every way a save can fail leaves the old bytes, says so and keeps the
// document's name; a link keeps pointing at the file it names, which is
// replaced. As root (who may write anything) the read-only cases are injected;
// a real full file system is a small tmpfs where mounting one is allowed.
// Each refused file names its real cause; none changes the game, and no
// FEN tag sets up a position the engine would refuse.
TEST_F(MainFrameTest, RefusedOpensNameTheRealCause) {
  std::string endless;
  for (int i = 0; i < MAX_GAME_PLIES / 4 + 1; ++i) endless += "Nf3 Nf6 Ng1 Ng8\n";
  const std::pair<QByteArray, QString> cases[] = {
      {"[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n\n*\n",
       "línea 1: la etiqueta FEN «8/8/8/8/8/8/8/8 w - - 0 1» no es una posición legal: las blancas no tienen "
       "exactamente un rey."},
      {"[FEN \"4k3/8/8/8/8/8/8/4R1K1 w - - 0 1\"]\n\n*\n",
       "línea 1: la etiqueta FEN «4k3/8/8/8/8/8/8/4R1K1 w - - 0 1» no es una posición legal: el bando que mueve "
       "puede capturar el rey."},
      {"[FEN \"P3k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\n\n*\n",
       "línea 1: la etiqueta FEN «P3k3/8/8/8/8/8/8/4K3 w - - 0 1» no es una posición legal: hay un peón en la "
       "primera o la última fila."},
      {"[FEN \"nonsense\"]\n\n*\n", "línea 1: la etiqueta FEN «nonsense» no es una posición FEN."},
      {"1. e4 (1. d4\n", "línea 1: una variante «(» que no se cierra."},
      {"1. e4 {open\n", "línea 1: un comentario «{» que no se cierra."},
      {QByteArray::fromStdString(endless),
       QString("línea %1: la partida pasa de %2 medias jugadas, el máximo que se lee.")
           .arg(MAX_GAME_PLIES / 4 + 1)
           .arg(MAX_GAME_PLIES)},
      {QByteArray(5000, 'x'), "línea 1: «" + QString(40, 'x') + "…» no es una jugada legal en esa posición."},
      {QByteArray("\xff\xfe[\0E\0v\0", 8), "está escrito en UTF-16: guárdelo como UTF-8 para abrirlo."},
  };
  createFrame();
  for (const auto& [text, cause] : cases) {
    writeFile("bad.pgn", text);
    boxes.clear();
    openFile("bad.pgn");
    EXPECT_TRUE(boxes.value(0).endsWith("» " + cause) || boxes.value(0).endsWith("», " + cause))
        << boxes.value(0).toStdString();
    EXPECT_EQ(frame->windowTitle(), "dovrel2[*]");
  }
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pgn"));
  ASSERT_EQ(mkfifo("pipe.pgn", 0600), 0);
  for (const char* name : {"folder.pgn", "pipe.pgn"}) {
    boxes.clear();
    openFile(name);
    EXPECT_EQ(boxes.value(0).toStdString(), ("Error loading file\n\n«" + dir.filePath(name) +
                                              "» no es un archivo normal (es una carpeta, una tubería o un dispositivo).")
                                                 .toStdString());
  }
}

// A single game's file replaced by another program is not overwritten by Guardar.
TEST_F(MainFrameTest, AGameFileChangedOnDiskIsNotOverwritten) {
  writeFile("game.pgn", "1. e4 e5 *\n");
  createFrame();
  openFile("game.pgn");
  writeFile("game.pgn", "[Event \"Other\"]\n\n1. d4 *\n");
  boxes.clear();
  EXPECT_FALSE(frame->saveFile("game.pgn"));
  EXPECT_EQ(readFile("game.pgn"), "[Event \"Other\"]\n\n1. d4 *\n");
  EXPECT_TRUE(boxes.value(0).contains("el archivo ha cambiado desde que se abrió")) << boxes.value(0).toStdString();
  // A file that did not exist is not called the previous one.
  EXPECT_FALSE(saveFailureText("nueva.pgn", "x").contains("anterior"));
}

TEST_F(MainFrameTest, FailedSavesKeepTheOldFileAndSaySo) {
  createFrame();
  const bool root = geteuid() == 0;
  const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
  const struct {
    const char* name;
    SaveFault fault;
    QFile::Permissions file, folder;
    bool link;
    bool tmpfs = false;
  } cases[] = {
      {"full tmpfs", SaveFault::None, {}, {}, false, true},
      {"full file system", SaveFault::Write, {}, {}, false},
      {"killed between write and rename", SaveFault::Commit, {}, {}, false},
      {"read-only file", root ? SaveFault::Open : SaveFault::None, QFile::ReadOwner, {}, false},
      {"read-only folder", root ? SaveFault::Open : SaveFault::None, {}, readOnly, false},
      {"symbolic link", SaveFault::None, {}, {}, true},
  };
  for (const auto& c : cases) {
    for (const char* name : {"d/game.pgn", "d/kelvo.ini"}) {
      QDir(dir.path()).mkpath("d");
      if (c.tmpfs && std::system("mount -t tmpfs -o size=8k tmpfs d 2>/dev/null") != 0) continue;
      writeFile(name, "old\n");
      if (c.tmpfs) writeFile("d/filler", QByteArray(16384, 'x'));
      QString target = name;
      if (c.link) QFile::link(QFileInfo(name).fileName(), target = name + QStringLiteral(".link"));
      if (c.file) QFile::setPermissions(name, c.file);
      if (c.folder) QFile::setPermissions("d", c.folder);
      injectSaveFault(c.fault);
      boxes.clear();
      const QString title = frame->windowTitle();
      SettingsFile settings(target);
      settings.setText("S", "k", "v");
      const bool saved = QString(name).endsWith("ini") ? settings.save() : frame->saveFile(target);
      QFile::setPermissions("d", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
      QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner);
      EXPECT_EQ(saved, c.link) << c.name << " " << name;
      EXPECT_EQ(readFile(name) == "old\n", !c.link) << c.name << " " << name;
      EXPECT_EQ(QFileInfo(target).isSymLink(), c.link) << c.name;
      if (!QString(name).endsWith("ini")) {
        EXPECT_EQ(boxes.size(), c.link ? 0 : 1) << c.name;
        EXPECT_TRUE(c.link || boxes.value(0).startsWith("No se pudo guardar el archivo «" + dir.filePath(name)))
            << c.name;
        EXPECT_EQ(frame->windowTitle(), c.link ? "game.pgn.link[*] - dovrel2" : title) << c.name;
        EXPECT_TRUE(!c.link || pgnExtractReading(dir.filePath(name).toStdString()) == "*\n\n");
      }
      QFile::remove(target);
      QFile::remove(name);
      if (c.tmpfs) {
        EXPECT_EQ(std::system("umount d"), 0);
      }
    }
  }
}

// A game opened from a file of several games replaces only its own bytes,
// and only when asked to; a changed game is not thrown away unasked.
TEST_F(MainFrameTest, SavingAGameOfACollectionKeepsTheOtherGames) {
  const QByteArray others = "[Event \"2\"]\n\n1. d4 {kept as it is} d5 *\n\n[Event \"3\"]\n\n1. c4 *\n";
  writeFile("three.pgn", "[Event \"1\"]\n\n1. e4 e5 (1... c5) 2. Nf3 1-0\n\n" + others);
  createFrame();
  openFile("three.pgn");
  QStringList questions;
  int answer = 2;
  setQuestionAnswerer([&](const QString& text) {
    questions << text;
    return answer;
  });
  action("&Guardar")->trigger();  // nothing changed: nothing asked, nothing written
  EXPECT_TRUE(questions.isEmpty());
  EXPECT_FALSE(frame->isWindowModified());
  frame->sendCommand("b8c6");
  ASSERT_TRUE(waitFor([this] { return lines.filter("move ").size() == 1; }));
  ASSERT_TRUE(waitForIdle());
  frame->refresh();
  EXPECT_TRUE(frame->isWindowModified());
  answer = 0;  // replace the game inside the file
  action("&Guardar")->trigger();
  EXPECT_TRUE(questions.value(0).startsWith("El archivo «three.pgn» contiene otras partidas"));
  const QByteArray saved = readFile("three.pgn");
  EXPECT_TRUE(saved.startsWith("[Event \"1\"]\n")) << saved.constData();
  EXPECT_TRUE(saved.endsWith("*\n\n" + others)) << saved.constData();
  const std::string read = pgnExtractReading(dir.filePath("three.pgn").toStdString());
  EXPECT_EQ(read.substr(0, 20), "e2e4 e7e5 g1f3 b8c6 ") << read;
  EXPECT_NE(read.find(" *\n\nd2d4 d7d5 *\n\nc2c4 *\n\n"), std::string::npos) << read;
  EXPECT_FALSE(frame->isWindowModified());

  // Changed again: Nueva asks; Cancel keeps the game, Descartar starts anew.
  frame->sendCommand("undo");
  ASSERT_TRUE(waitForCommand("undo"));
  ASSERT_TRUE(waitForIdle());
  for (int choice : {2, 1}) {
    answer = choice;
    action("Nueva")->trigger();
  }
  EXPECT_EQ(questions.size(), 3);
  EXPECT_TRUE(waitFor([this] { return commands.filter("new").size() == 2; }));  // start-up's and Descartar's
  setQuestionAnswerer({});
}

// Edición: the game goes out as PGN others read, a FEN comes in; bad text changes nothing.
TEST_F(MainFrameTest, PositionsAndGamesGoThroughTheClipboard) {
  createFrame();
  QClipboard* clipboard = QGuiApplication::clipboard();
  for (const char* target : {"e5", "e4"}) drag("e2", target);  // a drop where the pawn cannot go puts it back
  ASSERT_TRUE(waitFor([this] { return lines.filter("move ").size() == 1; }));
  EXPECT_EQ(commands.filter("e2").join(' '), "e2e4");
  ASSERT_TRUE(waitForIdle());
  action("Copiar &PGN")->trigger();
  writeFile("copied.pgn", clipboard->text().toUtf8());
  EXPECT_EQ(pgnExtractReading(dir.filePath("copied.pgn").toStdString()), "e2e4 e7e5 *\n\n");

  const QString fen = QStringLiteral("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
  setQuestionAnswerer([](const QString&) { return 1; });  // Descartar
  for (const QString& text : {QStringLiteral("hola"), QStringLiteral("8/8/8/8/8/8/8/8 w - - 0 1"), fen}) {
    clipboard->setText(text);
    action("Pe&gar FEN/PGN")->trigger();
    ASSERT_TRUE(waitForIdle());
    QCoreApplication::processEvents();
    EXPECT_EQ(pieceOn("e5"), text == fen ? Piece(EMPTY) : Piece(BLACK_PAWN)) << text.toStdString();
  }
  EXPECT_EQ(boxes.size(), 2);
  action("Copiar &FEN")->trigger();
  EXPECT_EQ(clipboard->text(), fen);
  frame->sendCommand("e2e4");  // the engine plays on from the pasted position
  ASSERT_TRUE(waitFor([this] { return lines.filter("move ").size() == 2; }));
  ASSERT_TRUE(waitForIdle());
  action("Pista")->trigger();  // marks a move, plays none
  EXPECT_TRUE(waitFor([this] { return frame->statusBar()->currentMessage().startsWith("Pista: "); }));
  action("Ofrecer tablas")->trigger();  // a pawn down, the engine takes the draw
  EXPECT_EQ(boxes.last(), "El motor acepta las tablas.");
  ASSERT_TRUE(frame->saveFile("set-up.pgn"));
  EXPECT_NE(readFile("set-up.pgn").indexOf("[FEN \"" + fen.toUtf8() + "\"]"), -1);
  const std::string read = pgnExtractReading(dir.filePath("set-up.pgn").toStdString());
  EXPECT_TRUE(read.starts_with("e2e4 ") && read.ends_with(" 1/2-1/2\n\n")) << read;
  action("Abandonar")->trigger();  // too late: asks nothing, changes nothing
  EXPECT_EQ(boxes.last(), "La partida ya ha terminado.");
  setQuestionAnswerer({});
}

// A collection: UTF-8 and Latin-1 names, a comment line that looks like a
// tag, a variation, a game without tags.
const QByteArray GAME_1 = "\xEF\xBB\xBF[White \"N\xC3\xBA\xC3\xB1" "ez\"]\n[Result \"1-0\"]\n\n"
                          "1. e4 e5 2. Nf3 {a\n[note]} Nc6 (2... d6 3. d4) 3.Bb5 1-0\n\n";
const QByteArray GAME_2 = "[White \"Mu\xF1oz\"]\n[ECO \"D06\"]\n[Opening \"Gambito de dama\"]\n\n1. d4 d5 1/2-1/2\n";
const QByteArray GAME_3 = "1. c4 *\n";

// (number, offset, White, Black, result, ECO, opening, moves)
TEST(GameIndex, TagsAndLengthOfEveryGame) {
  QByteArray file = GAME_1 + GAME_2 + GAME_3;
  QBuffer buffer(&file);
  buffer.open(QIODevice::ReadOnly);
  QVector<GameIndexEntry> games;
  EXPECT_EQ(indexGames(buffer, [&](QVector<GameIndexEntry> batch) { games += batch; }, 2), 3);
  const std::tuple<int, qint64, QString, QString, QString, QString, int> expected[] = {
      {1, 0, "Núñez", "1-0", "", "", 3},
      {2, GAME_1.size(), "Muñoz", "1/2-1/2", "D06", "Gambito de dama", 1},
      {3, GAME_1.size() + GAME_2.size(), "", "*", "", "", 1}};
  ASSERT_EQ(games.size(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(std::tuple(games[i].number, games[i].offset, games[i].white, games[i].result, games[i].eco,
                         games[i].opening, games[i].moves), expected[i]) << i;
}

// The list opens ready to filter, names each game's event, and sorts the
// numbers inside names as numbers.
TEST_F(MainFrameTest, TheGameListFiltersAtOnceAndSortsNumbersAsNumbers) {
  QByteArray games;
  for (const char* white : {"Jugador 1000", "Jugador 10", "Jugador 100"})
    games += QByteArray("[Event \"Estudio ") + white + "\"]\n[White \"" + white + "\"]\n\n1. e4 *\n\n";
  writeFile("players.pgn", games);
  CGameListDlg list("players.pgn");
  list.show();
  QApplication::setActiveWindow(&list);
  ASSERT_TRUE(QTest::qWaitFor([&] { return list.readingDone(); }, WAIT_MS));
  EXPECT_EQ(list.focusWidget(), list.filter());
  QAbstractItemModel* model = list.table()->model();
  EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Evento");
  list.table()->sortByColumn(2, Qt::AscendingOrder);  // Blancas
  QStringList order;
  for (int row = 0; row < 3; ++row) order << model->index(row, 1).data().toString();
  EXPECT_EQ(order, QStringList({"Estudio Jugador 10", "Estudio Jugador 100", "Estudio Jugador 1000"}));
}

TEST_F(MainFrameTest, TheGameChosenFromACollectionIsListedFilteredAndSavedInItsPlace) {
  writeFile("three.pgn", GAME_1 + GAME_2 + "\n" + GAME_3);
  {
    CGameListDlg list("three.pgn");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.readingDone(); }, WAIT_MS));
    EXPECT_EQ(list.gameCount(), 3);
    QTest::keyClicks(list.filter(), "MUÑOZ");
    ASSERT_EQ(list.table()->model()->rowCount(), 1);
    list.table()->setCurrentIndex(list.table()->model()->index(0, 0));
    EXPECT_EQ(list.chosenOffset(), GAME_1.size());
  }
  createFrame();
  frame->setGameChooser([](const QString&) { return GAME_1.size(); });
  openFile("three.pgn");
  EXPECT_EQ(pieceOn("d5"), BLACK_PAWN);
  frame->sendCommand("c2c4");
  ASSERT_TRUE(waitFor([this] { return lines.filter("move ").size() == 1; }));
  ASSERT_TRUE(waitForIdle());
  setQuestionAnswerer([](const QString&) { return 0; });  // replace the game inside the file
  action("&Guardar")->trigger();
  setQuestionAnswerer({});
  const QByteArray saved = readFile("three.pgn");
  EXPECT_TRUE(saved.startsWith(GAME_1 + "[Event \"?\"]")) << saved.constData();
  EXPECT_TRUE(saved.contains("[White \"Mu\xF1oz\"]") && saved.endsWith(" *\n\n" + GAME_3)) << saved.constData();
  const std::string read = pgnExtractReading(dir.filePath("three.pgn").toStdString());
  EXPECT_EQ(read.substr(0, 45), "e2e4 e7e5 g1f3 b8c6 f1b5 1-0\n\nd2d4 d7d5 c2c4 ") << read;
  setQuestionAnswerer([](const QString&) { return 0; });
  action("Abandonar")->trigger();
  setQuestionAnswerer({});
  EXPECT_NE(doc->pgnText().find("{White resigns} 0-1"), std::string::npos);
}

// Growing the board stops where the window, status bar included, still fits the screen.
TEST_F(MainFrameTest, TheWindowNeverOutgrowsTheScreen) {
  createFrame();
  const QRect room = frame->screen()->availableGeometry();
  for (int before = 0; before != frame->view()->squareSize();) {
    before = frame->view()->squareSize();
    frame->view()->larger();
  }
  QCoreApplication::processEvents();
  EXPECT_GT(frame->view()->squareSize(), DEFAULT_SQUARE_SIZE);
  EXPECT_LE(frame->frameGeometry().width(), room.width());
  EXPECT_LE(frame->frameGeometry().height(), room.height());
  EXPECT_TRUE(frame->rect().contains(frame->statusBar()->geometry()));
  EXPECT_EQ(frame->view()->size(), frame->view()->sizeHint());

  // The review's graph under the board and the panel beside it take their
  // room from the board once the screen is full.
  writeFile("reviewed.pgn", REVIEWED_BLUNDER);
  openFile("reviewed.pgn");
  frame->analysis()->setAnalysisShown(true);
  QCoreApplication::processEvents();
  ASSERT_FALSE(frame->analysis()->graphDockWidget()->isHidden());
  EXPECT_LE(frame->frameGeometry().width(), room.width());
  EXPECT_LE(frame->frameGeometry().height(), room.height());
  EXPECT_TRUE(frame->rect().contains(frame->statusBar()->geometry()));
  EXPECT_GE(frame->analysis()->graph()->height(), 160);
  EXPECT_LE(frame->view()->height(), frame->centralWidget() ? frame->centralWidget()->height() : frame->height());
}

// Tablero mayor and menor keep a maximised window so; the board grows as far as it has room.
TEST_F(MainFrameTest, AMaximisedWindowStaysSoAndItsBoardKeepsWithinIt) {
  createFrame();
  frame->showMaximized();
  ASSERT_TRUE(waitFor([this] { return frame->isMaximized(); }));
  QCoreApplication::processEvents();
  const QSize size = frame->size();
  const int room = std::min(frame->view()->width(), frame->view()->height()) / BOARD_CELLS;
  ASSERT_EQ(frame->view()->squareSize(), room);
  frame->view()->smaller();
  frame->view()->smaller();
  EXPECT_EQ(frame->view()->squareSize(), room - 2);
  for (int i = 0; i < 4; ++i) frame->view()->larger();
  QCoreApplication::processEvents();
  EXPECT_TRUE(frame->isMaximized());
  EXPECT_EQ(frame->size(), size);
  EXPECT_EQ(frame->view()->squareSize(), room);
}

// A saved place far off and smaller than the window can be: it grows to its
// least size before the fit, so all of it opens on the screen.
TEST_F(MainFrameTest, ASavedPlaceOffTheScreenOpensOnIt) {
  writeFile("kelvo.ini", "[DOVREL]\nWindow=2147483647,2147483647,100,100\n");
  createFrame();
  const QRect room = frame->screen()->availableGeometry();
  QCoreApplication::processEvents();
  EXPECT_TRUE(room.contains(frame->frameGeometry())) << frame->frameGeometry().x() << "," << frame->frameGeometry().y();
  EXPECT_TRUE(room.contains(frame->geometry()));
}

TEST(RightBar, ALongMoveLineCanBeBroughtIntoView) {
  CRightBarDlg bar;
  bar.show();
  bar.setMoveList("1.e4 e5 \n13.Qxe7+ Kxe7 \n14.Bxf7+ Kxf7 \n");
  QCoreApplication::processEvents();
  auto* list = bar.findChild<QPlainTextEdit*>("moveList");
  ASSERT_NE(list, nullptr);
  const int hidden = static_cast<int>(list->document()->idealWidth()) - list->viewport()->width();
  const bool scrolls = list->horizontalScrollBar()->isVisible() && list->horizontalScrollBar()->maximum() >= hidden;
  EXPECT_TRUE(hidden <= 0 || scrolls) << hidden;
}

TEST(PromotingDialog, FourSquareBitmapButtons) {
  CPromotingSelDlg dialog;
  dialog.show();
  const char* captions[] = {"QUEEN", "ROOK", "KNIGHT", "BISHOP"};
  for (int i = 0; i < 4; ++i) {
    const QPushButton* button = dialog.button(i);
    EXPECT_EQ(button->width(), button->height()) << captions[i];
    EXPECT_EQ(button->iconSize(), QSize(32, 30));
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_TRUE(button->text().isEmpty());  // the bitmap is the whole face
    EXPECT_EQ(button->accessibleName(), captions[i]);
  }
}

TEST_F(MainFrameTest, MissingFontFilesEndTheStartUp) {
  CDovrel2App app;
  EXPECT_FALSE(app.initInstance({QStringLiteral("dovrel2")}));
  EXPECT_EQ(boxes, QStringList{QStringLiteral("failed registering font")});
  EXPECT_EQ(app.mainFrame(), nullptr);
}

TEST_F(MainFrameTest, ClosingWhileTheEngineThinksStopsIt) {
  QFile::remove("aperturas.pgn");  // no book: the answer is searched
  createFrame();
  frame->sendCommand("e2e4");
  ASSERT_TRUE(waitForCommand("e2e4"));
  frame.reset();  // must not hang or crash with the worker inside its search
}

// The Najdorf, White's moves from the board and Black's from the book.
TEST_F(MainFrameTest, TheStatusBarNamesTheOpeningPlayedBrowsedAndOpened) {
  writeFile("aperturas.pgn",
            "[ECO \"B20\"]\n[Opening \"Defensa Siciliana: 1.e4 c5\"]\n\n1.e4 c5 *\n\n[ECO \"B90\"]\n"
            "[Opening \"Siciliana: Najdorf\"]\n\n1.e4 c5 2.Nf3 d6 3.d4 cxd4 4.Nxd4 Nf6 5.Nc3 a6 *\n");
  createFrame();
  EXPECT_EQ(frame->openingText(), "");  // nothing before the first named position
  const char* const plies[][3] = {{"e2", "e4", "move c7c5"}, {"g1", "f3", "move d7d6"}, {"d2", "d4", "move c5d4"},
                                  {"f3", "d4", "move g8f6"}, {"b1", "c3", "move a7a6"}};
  for (const auto& [from, to, answer] : plies) {
    click(from);
    click(to);
    ASSERT_TRUE(waitForLine(answer));
    ASSERT_TRUE(waitForIdle());
    frame->refresh();
    if (answer == plies[0][2]) {
      EXPECT_EQ(frame->openingText(), "B20 Defensa Siciliana: 1.e4 c5");
    }
  }
  EXPECT_EQ(frame->openingText(), "B90 Siciliana: Najdorf");

  action("Ver mov. previo")->trigger();  // before 5...a6: the last name is the Sicilian's
  EXPECT_EQ(frame->openingText(), "B20 Defensa Siciliana: 1.e4 c5");
  action("Ver pos. actual")->trigger();
  EXPECT_EQ(frame->openingText(), "B90 Siciliana: Najdorf");

  // Out of the book the last name stays.
  click("c1");
  click("e3");
  ASSERT_TRUE(waitForCommand("c1e3"));
  ASSERT_TRUE(waitFor([this] { return lines.filter("move ").size() == 6; }));
  ASSERT_TRUE(waitForIdle());
  frame->refresh();
  EXPECT_EQ(frame->openingText(), "B90 Siciliana: Najdorf");

  // An opened game is named by its positions: this move order transposes.
  writeFile("game.pgn", "1. Nf3 c5 2. e4 d6 3. d4 cxd4 4. Nxd4 Nf6 5. Nc3 a6 *\n");
  openFile("game.pgn");
  EXPECT_EQ(frame->openingText(), "B90 Siciliana: Najdorf");
}

// Every way into the game in play, from each state it can meet, leaves one
// state everywhere: the move list's end line, the result Copiar PGN and the
// saved file give (read back by pgn-extract), the clocks, the shown ply and
// whether the board takes the person's next move.
TEST_F(MainFrameTest, EveryEntryLeavesOneStateThePersonCanActIn) {
  enum Before { PLAYING, BROWSING, FLAG_FALLEN, RESIGNED };
  enum Entry { NUEVA, ABRIR, PEGAR, ABANDONAR, TABLAS, FLAG, MATE, BARE_BISHOP, OPEN_MATED, ENGINE_BLACK_RESIGNS, ENGINE_WHITE_RESIGNS,
               ABANDONAR_AS_BLACK, CAPTURE_LEAVES_NO_MATE, PEGAR_AFTER_DIALOG };
  struct Row {
    Before before;
    Entry entry;
    const char* result;  // "*" while the game goes on
    const char* endLine;  // the move list's last line
  };
  const Row rows[] = {
      {BROWSING, NUEVA, "*", ""},
      {FLAG_FALLEN, NUEVA, "*", ""},
      {BROWSING, ABRIR, "*", "1.d4 d5 \n"},
      {RESIGNED, ABRIR, "*", "1.d4 d5 \n"},
      {PLAYING, PEGAR, "*", "1.d4 d5 \n"},
      {FLAG_FALLEN, PEGAR, "*", "1.d4 d5 \n"},
      {BROWSING, PEGAR, "*", "1.d4 d5 \n"},
      {PLAYING, ABANDONAR, "0-1", "0-1 Ganan las negras (abandono)"},
      {PLAYING, TABLAS, "1/2-1/2", "1/2-1/2 Tablas (tablas acordadas)"},
      {PLAYING, FLAG, "0-1", "0-1 Ganan las negras (tiempo agotado)"},
      {PLAYING, MATE, "1-0", "1-0 Ganan las blancas (jaque mate)"},
      {PLAYING, BARE_BISHOP, "1/2-1/2", "1/2-1/2 Tablas (material insuficiente)"},
      {PLAYING, OPEN_MATED, "1-0", "1-0 Ganan las blancas (jaque mate)"},
      // Mated next move whatever it plays, the engine resigns; the winner is the other side.
      {PLAYING, ENGINE_BLACK_RESIGNS, "1-0", "1-0 Ganan las blancas (abandono)"},
      {PLAYING, ENGINE_WHITE_RESIGNS, "0-1", "0-1 Ganan las negras (abandono)"},
      // A pasted position with Black to move: the person plays Black, kelvo answers for White.
      {PLAYING, ABANDONAR_AS_BLACK, "1-0", "1-0 Ganan las blancas (abandono)"},
      // The person's capture leaves a bishop: drawn at once, and kelvo does not answer.
      {PLAYING, CAPTURE_LEAVES_NO_MATE, "1/2-1/2", "1/2-1/2 Tablas (material insuficiente)"},
      // A game set up in Nueva partida... leaves no seat behind for a pasted one.
      {PLAYING, PEGAR_AFTER_DIALOG, "*", "1.d4 d5 \n"},
  };
  writeFile("kelvo.ini", "[DOVREL]\nTimeControl=3+0\n");
  createFrame();
  GameInPlay* play = frame->gameInPlay();
  // The clocks' time, put forward by the test as it pleases.
  qint64 fakeNow = 0;
  play->gameFlow().setTimeSource([&fakeNow] { return steadyMilliseconds() + fakeNow; });
  setQuestionAnswerer([](const QString&) { return 0; });  // Abandonar
  writeFile("open.pgn", "1. d4 d5 *\n");
  writeFile("mated.pgn", "[SetUp \"1\"]\n[FEN \"k7/8/1K6/8/8/8/8/7R w - - 0 1\"]\n\n1. Rh8# 1-0\n");
  const auto sameGameKept = [this] { return waitForIdle(); };

  for (const Row& row : rows) {
    const std::string name = std::to_string(row.before) + "/" + std::to_string(row.entry);
    const auto newGame = [&] {
      commands.clear();
      frame->startNewGame();
      return waitForCommand("new") && waitForIdle();
    };
    fakeNow = 0;
    ASSERT_TRUE(newGame()) << name;
    QCoreApplication::processEvents();
    // The state before: 1.e4 e5 in play, and then browsed, lost on time or resigned.
    lines.clear();
    click("e2");
    click("e4");
    ASSERT_TRUE(waitForLine("move e7e5")) << name;
    ASSERT_TRUE(waitForIdle());
    if (row.before == BROWSING) play->browseTo(1);
    if (row.before == FLAG_FALLEN) {
      fakeNow += 10 * 60000;
      play->followClocks();
    }
    if (row.before == RESIGNED) play->resign();
    ASSERT_EQ(play->isOver(), row.before == FLAG_FALLEN || row.before == RESIGNED) << name;

    switch (row.entry) {
      case NUEVA: ASSERT_TRUE(newGame()) << name; break;
      case ABRIR: openFile("open.pgn"); break;
      case PEGAR: play->paste("1. d4 d5 *"); break;
      case ABANDONAR: play->resign(); break;
      case TABLAS:
        Game::instance().edit([](Game& game) { dynamic_cast<EnginePlayer*>(game.enginePlayer)->lastScore = 500; });
        play->offerDraw();
        break;
      case FLAG:
        fakeNow += 10 * 60000;
        play->followClocks();
        break;
      case MATE:
        play->paste("k7/8/1K6/8/8/8/8/7R w - - 0 1");
        ASSERT_TRUE(waitForIdle());
        click("h1");
        click("h8");
        ASSERT_TRUE(waitFor([play] { return play->isOver(); })) << name;
        break;
      case BARE_BISHOP: play->paste("4k3/8/8/8/8/8/3B4/4K3 w - - 0 1"); break;
      case OPEN_MATED: openFile("mated.pgn"); break;
      case ABANDONAR_AS_BLACK:
        play->paste("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
        ASSERT_TRUE(waitForIdle());
        lines.clear();
        click("c7");
        click("c5");
        ASSERT_TRUE(waitFor([this] { return !lines.filter("move ").isEmpty(); })) << name;
        ASSERT_TRUE(waitForIdle());
        play->resign();
        break;
      case CAPTURE_LEAVES_NO_MATE:
        play->paste("4k3/8/8/8/8/8/3r4/2B1K3 w - - 0 1");
        ASSERT_TRUE(waitForIdle());
        lines.clear();
        click("c1");
        click("d2");
        ASSERT_TRUE(waitFor([play] { return play->isOver(); })) << name;
        ASSERT_TRUE(waitForIdle());
        EXPECT_TRUE(lines.filter("move ").isEmpty()) << name;
        break;
      case PEGAR_AFTER_DIALOG: {
        NewGameDlg::Choices chosen;
        chosen.white = {NewGameDlg::PERSON, 0};
        chosen.black = {0, 4};  // kelvo
        chosen.timeControl = {true, 3, 0};
        commands.clear();
        frame->startGame(chosen);
        ASSERT_TRUE(waitForCommand("new")) << name;
        ASSERT_TRUE(waitForIdle());
        play->paste("1. d4 d5 *");
        break;
      }
      case ENGINE_BLACK_RESIGNS:
      case ENGINE_WHITE_RESIGNS:
        play->paste(row.entry == ENGINE_BLACK_RESIGNS ? "7k/5K2/8/8/8/8/8/R7 b - - 0 1" : "7K/5k2/8/8/8/8/8/r7 w - - 0 1");
        ASSERT_TRUE(waitForIdle());
        play->engineMoves();
        ASSERT_TRUE(waitFor([play] { return play->isOver(); })) << name;
        break;
    }
    ASSERT_TRUE(waitForIdle());
    QCoreApplication::processEvents();

    const bool over = std::string(row.result) != "*";
    EXPECT_EQ(play->isOver(), over) << name;
    EXPECT_TRUE(frame->rightBar()->moveList().endsWith(QString::fromUtf8(row.endLine))) << name << ": "
                                                                                          << frame->rightBar()->moveList().toStdString();
    EXPECT_EQ(frame->view()->browseIndex(), -1) << name;  // shown live
    EXPECT_EQ(play->gameFlow().clocks().finished(), over) << name;
    const qint64 white = play->gameFlow().clocks().remaining(1, fakeNow);
    if (!over) {
      EXPECT_EQ(white, 3 * 60000) << name;  // fresh clocks
    }
    fakeNow += 5000;
    EXPECT_EQ(play->gameFlow().clocks().remaining(1, fakeNow), white) << name;  // nothing runs yet, or any more
    EXPECT_NE(doc->pgnText().find("[Result \"" + std::string(row.result) + "\"]"), std::string::npos) << name;
    if (over) {
      EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith(QString::fromUtf8(row.endLine))) << name;
      ASSERT_TRUE(frame->saveFile("ended.pgn"));
      const std::string reading = pgnExtractReading(dir.filePath("ended.pgn").toStdString());
      EXPECT_TRUE(reading.ends_with(std::string(" ") + row.result + "\n\n") || reading == row.result + std::string("\n\n"))
          << name << ": " << reading;
    }
    // The board takes the person's move exactly when the game goes on.
    const Piece before = pieceOn("c2");
    click("c2");
    click("c4");
    ASSERT_TRUE(sameGameKept());
    if (!over) {
      ASSERT_TRUE(waitForCommand("c2c4")) << name;
    }
    ASSERT_TRUE(waitForIdle());
    EXPECT_EQ(pieceOn("c2") == EMPTY && before == WHITE_PAWN, !over) << name;
    commands.clear();
  }
  setQuestionAnswerer({});
}

// Nueva partida... with each start and clock, against the usual 3+0 of
// Opciones: the chosen clock is the game's (none at all for "sin reloj"), the
// seats name the players, and a start from the board keeps its FEN counters.
TEST_F(MainFrameTest, NuevaPartidaKeepsItsClockSeatsAndCounters) {
  using Start = NewGameDlg::Start;
  const struct {
    Start start;
    bool timed;
    const char* counters;  // the end of the saved [FEN] tag; "" for the initial position
  } rows[] = {
      {Start::Initial, false, ""}, {Start::Fen, false, " 10 40\"]"}, {Start::Fen, true, " 10 40\"]"},
      {Start::Shown, false, " 0 2\"]"}, {Start::Shown, true, " 0 2\"]"},
  };
  writeFile("kelvo.ini", "[DOVREL]\nTimeControl=3+0\n");
  createFrame();
  GameInPlay* play = frame->gameInPlay();
  for (const auto& row : rows) {
    const std::string name = std::to_string(static_cast<int>(row.start)) + (row.timed ? " 1+0" : " sin reloj");
    commands.clear();
    frame->startNewGame();
    ASSERT_TRUE(waitForCommand("new") && waitForIdle()) << name;
    lines.clear();  // the answer of the row before is not this one
    click("e2");
    click("e4");
    ASSERT_TRUE(waitForLine("move e7e5")) << name;
    ASSERT_TRUE(waitForIdle());
    NewGameDlg::Choices chosen;
    chosen.white = {NewGameDlg::PERSON, 0};
    chosen.black = {0, 4};  // kelvo
    chosen.timeControl = {row.timed, 1, 0};
    chosen.start = row.start;
    chosen.fen = "4k3/8/8/8/8/8/4P3/4K3 w - - 10 40";
    commands.clear();
    frame->startGame(chosen);
    ASSERT_TRUE(waitForCommand("new")) << name;
    // A set-up start is pasted once the engine has taken "new".
    if (*row.counters) {
      ASSERT_TRUE(waitFor([this] { return doc->pgnText().find("[FEN ") != std::string::npos; })) << name;
    }
    ASSERT_TRUE(waitForIdle());
    EXPECT_EQ(play->gameFlow().clocks().control().timed, row.timed) << name;
    EXPECT_EQ(play->gameFlow().clockText() == "sin reloj", !row.timed) << name;
    if (row.timed) {
      EXPECT_EQ(play->gameFlow().clocks().remaining(1, play->gameFlow().now()), 60000) << name;
    }
    const std::string pgn = doc->pgnText();
    EXPECT_NE(pgn.find("[Black \"Kelvo 3.0\"]"), std::string::npos) << name << pgn;
    EXPECT_EQ(pgn.find("[White \"?\"]"), std::string::npos) << name << pgn;
    if (*row.counters) {
      EXPECT_NE(pgn.find(row.counters), std::string::npos) << name << pgn;
    }
  }
}

// Copiar FEN gives the real counters; a pasted FEN keeps them, in the saved
// [FEN] tag too, and the fifty-move rule counts on from them.
TEST_F(MainFrameTest, FenCountersGoOutAndComeIn) {
  createFrame();
  for (const char* move : {"e2e4", "e7e5", "g1f3"}) {
    const QString text = QString::fromLatin1(move);
    click(std::string(move, 2).c_str());
    click(std::string(move + 2, 2).c_str());
    const char* answer = text == "e2e4" ? "move e7e5" : text == "g1f3" ? "move b8c6" : nullptr;
    if (answer) {
      ASSERT_TRUE(waitForLine(answer));
    }
    ASSERT_TRUE(waitForIdle());
  }
  action("Copiar &FEN")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3");
  frame->gameInPlay()->browseTo(2);
  action("Copiar &FEN")->trigger();
  EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith(" 0 2"));

  frame->gameInPlay()->paste("4k3/8/8/8/8/8/4P3/R3K3 w - - 98 60");
  ASSERT_TRUE(waitForIdle());
  EXPECT_NE(doc->pgnText().find("[FEN \"4k3/8/8/8/8/8/4P3/R3K3 w - - 98 60\"]"), std::string::npos);
  action("Copiar &FEN")->trigger();
  EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith(" 98 60"));
  // Two quiet plies more make a hundred (the engine's lone king can only
  // answer quietly): drawn by the fifty-move rule.
  click("a1");
  click("a2");
  ASSERT_TRUE(waitForCommand("a1a2"));
  EXPECT_TRUE(waitFor([this] { return frame->gameInPlay()->isOver(); }));
  EXPECT_TRUE(frame->rightBar()->moveList().endsWith("(regla de los cincuenta movimientos)"));
}

// Each menu key runs its command: written once, on its action, so no key is
// claimed twice (the toolkit then runs neither) and no caption names one.
TEST_F(MainFrameTest, MenuKeysRunTheirCommands) {
  createFrame();
  frame->activateWindow();
  for (QAction* each : frame->findChildren<QAction*>())
    EXPECT_FALSE(each->text().contains(u'\t')) << each->text().toStdString();
  QStringList titles;
  for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::SHIFT | Qt::Key_N}) {
    whenModal([&titles](QWidget* dialog) {
      titles << dialog->windowTitle();
      dialog->close();
    });
    QTest::keyClick(frame.get(), keys.key(), keys.keyboardModifiers());
    frame->activateWindow();  // back from the dialog, as a desktop does
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  }
  EXPECT_EQ(titles.join(u','), "Abrir,Guardar como,Nueva partida");
  commands.clear();
  QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_TRUE(waitForCommand("new"));
  const int size = frame->view()->squareSize();
  QTest::keyClick(frame.get(), Qt::Key_Plus);
  EXPECT_EQ(frame->view()->squareSize(), size + 1);
  QTest::keyClick(frame.get(), Qt::Key_Minus);
  EXPECT_EQ(frame->view()->squareSize(), size);
  QTest::keyClick(frame.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
}

// The first start shows the welcome page, and so does every start after it
// until its tick; Jugar seats kelvo at the chosen level and the player at the
// chosen colour. A test's start never shows it.
TEST_F(MainFrameTest, TheFirstStartOffersTheWelcomePage) {
  const auto start = [this](bool welcome) {
    lines.clear();
    return startApp({"dovrel2"}, welcome);
  };
  // The page opens once the start's game stands: "new" taken, the engine idle.
  const auto pageOf = [this](const std::unique_ptr<CDovrel2App>& app) -> WelcomeDlg* {
    EXPECT_TRUE(app && waitForLine("accepted") && waitFor([&] { return app->mainFrame()->bridge()->isIdle(); }));
    QCoreApplication::processEvents();
    auto* page = app->mainFrame()->findChild<WelcomeDlg*>();
    return page && page->isVisible() ? page : nullptr;
  };
  auto app = start(false);
  EXPECT_EQ(pageOf(app), nullptr);
  app.reset();
  QFile::remove("kelvo.ini");  // the window's place, stored at exit

  app = start(true);
  WelcomeDlg* page = pageOf(app);
  ASSERT_NE(page, nullptr);
  page->levelBox()->setCurrentIndex(1);
  page->blackButton()->click();
  page->clockBox()->setCurrentIndex(0);
  page->button(WelcomeDlg::Choice::Play)->click();
  ASSERT_TRUE(waitForLine("move e2e4"));  // kelvo has White, and its book
  EXPECT_FALSE(app->mainFrame()->view()->whiteAtBottom());
  EXPECT_EQ(app->mainFrame()->gameFlow().clockText(), "sin reloj");
  const auto level = [](const Game& game) { return dynamic_cast<const EnginePlayer*>(game.enginePlayer)->level; };
  EXPECT_EQ(Game::instance().read(level), 2);
  app.reset();

  app = start(true);
  page = pageOf(app);
  ASSERT_NE(page, nullptr);
  page->dismissBox()->setChecked(true);
  page->button(WelcomeDlg::Choice::Close)->click();
  app.reset();
  app = start(true);
  EXPECT_EQ(pageOf(app), nullptr);
}

// The keys browse: one ply, ten plies, the first position and the live one.
TEST_F(MainFrameTest, KeysBrowseTheGame) {
  createFrame();
  click("e2");
  click("e4");
  ASSERT_TRUE(waitForLine("move e7e5"));
  ASSERT_TRUE(waitForIdle());
  frame->activateWindow();
  const std::pair<Qt::Key, int> keys[] = {{Qt::Key_Left, 1}, {Qt::Key_Left, 0}, {Qt::Key_Left, 0},
                                          {Qt::Key_Right, 1}, {Qt::Key_End, -1}, {Qt::Key_PageUp, 0},
                                          {Qt::Key_PageDown, -1}, {Qt::Key_Home, 0}, {Qt::Key_Right, 1}};
  for (const auto& [key, shown] : keys) {
    QTest::keyClick(frame.get(), key);
    EXPECT_EQ(effectiveBrowseIndex(frame->view()->browseIndex(), 3), shown) << key;
  }
  // A click on a move of the list leaves the keys to the window, so the arrows
  // and Copiar PGN are not taken by the list's own text selection.
  auto* list = frame->rightBar()->findChild<QPlainTextEdit*>("moveList");
  QTextCursor first(list->document());
  first.setPosition(3);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->cursorRect(first).center());
  EXPECT_EQ(effectiveBrowseIndex(frame->view()->browseIndex(), 3), 1);
  QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : frame.get();
  EXPECT_NE(focused, list);
  QTest::keyClick(focused, Qt::Key_Right);
  EXPECT_EQ(effectiveBrowseIndex(frame->view()->browseIndex(), 3), -1);
  QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("[Event ")));
}

// An annotated game opened: its comments, signs and variations in the list;
// a move played on a browsed position becomes a variation there (asked once),
// shown on a click, saved with the rest, and the game itself stays as it was.
TEST_F(MainFrameTest, AMoveOnABrowsedPositionStartsAVariation) {
  writeFile("tree.pgn", "[Event \"Tree\"]\n\n{Start} 1. e4 {king pawn} e5 (1... c5 2. Nf3 (2. c3)) 2. Nf3 $1 Nc6 "
                        "3. Bb5 a6 *\n");
  createFrame();
  int asked = 0;
  frame->gameInPlay()->setBrowsedMoveChooser([&asked] {
    ++asked;
    return GameInPlay::BrowsedMove::Variation;
  });
  openFile("tree.pgn");
  EXPECT_EQ(frame->rightBar()->moveList(),
            "{Start}\n1.e4 {king pawn} 1...e5\n  (1...c5 2.Nf3 (2.c3)) \n2.Nf3! Nc6 \n3.Bb5 a6 \n");
  const auto history = [] { return Game::instance().read([](const Game& game) { return game.history.size(); }); };

  frame->gameInPlay()->browseTo(3);  // after 2.Nf3
  click("g8");
  click("f6");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(frame->view()->shownPosition().squares[parseSquare("f6")], BLACK_KNIGHT);
  click("f1");
  click("c4");  // the variation goes on
  EXPECT_TRUE(frame->rightBar()->moveList().contains("2.Nf3! Nc6\n  (2...Nf6 3.Bc4) \n3.Bb5"))
      << frame->rightBar()->moveList().toStdString();
  EXPECT_EQ(history(), 7u);
  EXPECT_EQ(pieceOn("c6"), BLACK_KNIGHT);
  EXPECT_TRUE(frame->isWindowModified());

  // A move the tree has is a step, not a new variation.
  frame->gameInPlay()->browseTo(1);
  click("c7");
  click("c5");
  EXPECT_TRUE(frame->view()->showsVariation());
  frame->gameInPlay()->browseTo(1);
  click("e7");
  click("e5");
  EXPECT_EQ(frame->view()->browseIndex(), 2);
  EXPECT_EQ(frame->rightBar()->moveList().count(u'('), 3);

  // A click on a variation's move shows its position; the arrows go along it.
  auto* list = frame->rightBar()->findChild<QPlainTextEdit*>("moveList");
  QTextCursor c3(list->document());
  c3.setPosition(static_cast<int>(list->toPlainText().indexOf("c3")) + 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->cursorRect(c3).center());
  EXPECT_EQ(frame->view()->shownPosition().squares[parseSquare("c3")], WHITE_PAWN);
  EXPECT_EQ(frame->view()->shownPosition().squares[parseSquare("c5")], BLACK_PAWN);
  frame->gameInPlay()->browseBy(-1);
  EXPECT_EQ(frame->view()->shownPosition().squares[parseSquare("c3")], EMPTY);
  EXPECT_EQ(frame->view()->shownPosition().squares[parseSquare("c5")], BLACK_PAWN);
  frame->gameInPlay()->browseTo(5);  // after 3.Bb5: asked no more
  click("g8");
  click("f6");
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(readFile("kelvo.ini").contains("BrowsedMove=Variation\n"));

  ASSERT_TRUE(frame->saveFile("saved.pgn"));
  EXPECT_FALSE(frame->isWindowModified());
  QByteArray saved = readFile("saved.pgn").replace('\n', ' ');
  EXPECT_TRUE(saved.contains("{Start} 1. e4 {king pawn} 1... e5 (1... c5 2. Nf3 (2. c3)) 2. Nf3 $1 Nc6 (2... Nf6 3. Bc4) "
                             "3. Bb5 a6 (3... Nf6) *"))
      << saved.toStdString();
  EXPECT_EQ(pgnExtractReading(dir.filePath("saved.pgn").toStdString()), "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 *\n\n");
}

// Reemplazar el resto: the game goes on from the browsed position with the
// move, the annotations before it kept. Once an engine plays in the game, a
// browsed move is always a variation and the game is left alone.
TEST_F(MainFrameTest, AMoveOnABrowsedPositionReplacesTheRestOnlyWithoutAnEngineGame) {
  writeFile("kelvo.ini", "[DOVREL]\nBrowsedMove=Replace\n");
  writeFile("tree.pgn", "1. e4 {king pawn} e5 (1... c5) 2. Nf3 Nc6 *\n");
  createFrame();
  frame->gameInPlay()->setBrowsedMoveChooser([]() -> GameInPlay::BrowsedMove { throw std::logic_error("asked"); });
  openFile("tree.pgn");
  frame->gameInPlay()->browseTo(2);
  click("d2");
  click("d4");
  ASSERT_TRUE(waitFor([] { return pieceOn("d4") == WHITE_PAWN; }));
  ASSERT_TRUE(waitForIdle());
  EXPECT_EQ(pieceOn("f3"), EMPTY);
  EXPECT_TRUE(frame->rightBar()->moveList().startsWith("1.e4 {king pawn} 1...e5\n  (1...c5) \n2.d4"))
      << frame->rightBar()->moveList().toStdString();

  // kelvo has answered 2.d4: the game is one with an engine now.
  ASSERT_TRUE(waitFor([] { return Game::instance().read([](const Game& game) { return game.history.size(); }) == 5u; }));
  ASSERT_TRUE(waitForIdle());
  QCoreApplication::processEvents();
  const std::string before = doc->pgnText();
  frame->gameInPlay()->browseTo(2);
  click("g1");
  click("f3");
  EXPECT_EQ(pieceOn("d4"), WHITE_PAWN);
  EXPECT_EQ(Game::instance().read([](const Game& game) { return game.history.size(); }), 5u);
  EXPECT_NE(doc->pgnText().find("(2. Nf3)"), std::string::npos);
  EXPECT_NE(doc->pgnText(), before);
}

}  // namespace
