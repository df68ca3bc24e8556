#include "main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

#include "book/opening_book.h"
#include "command_dlg.h"
#include "config_dlg.h"
#include "dovrel2_app.h"
#include "dovrel2_doc.h"
#include "dovrel_view.h"
#include "driver/engine_io.h"
#include "driver/game.h"
#include "engine_bridge.h"
#include "message_sink.h"
#include "player_settings.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "right_bar_dlg.h"
#include "search/engine_player.h"

namespace {

constexpr int WAIT_MS = 60000;

// The view's point for a square with White at the bottom and 42-pixel cells.
QPoint squarePoint(const char* name) {
  const int file = name[0] - 'a';
  const int rank = name[1] - '1';
  return {(file + 1) * 42 + 21, (8 - rank) * 42 + 21};
}

QColor colourOfLine(const QTextEdit* edit, const QString& text) {
  for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
    if (block.text() == text) {
      for (auto it = block.begin(); !it.atEnd(); ++it) return it.fragment().charFormat().foreground().color();
    }
  }
  return {};
}

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // A one-game book makes the engine's first answers certain.
    writeFile("aperturas.pgn", "1. e4 e5 2. Nf3 Nc6 *\n");
    setMessageSink([this](QMessageBox::Icon icon, const QString& caption, const QString& text) {
      boxes << text;
      icons << icon;
      captions << caption;
    });
  }

  void TearDown() override {
    frame.reset();
    doc.reset();
    setMessageSink({});
    QDir::setCurrent(previousDir);
  }

  void writeFile(const char* name, const QByteArray& text) {
    QFile file(dir.filePath(QLatin1String(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
  }

  QByteArray readFile(const char* name) {
    QFile file(dir.filePath(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // The frame as start-up leaves it, without the engine.
  void createFrame() {
    doc = std::make_unique<CDovrel2Doc>();
    frame = std::make_unique<CMainFrame>(doc.get());
    QObject::connect(frame.get(), &CMainFrame::commandTaken, [this](const QString& command) { commands << command; });
    QObject::connect(frame.get(), &CMainFrame::lineHandled, [this](const QString& line) { lines << line; });
    frame->readSettings();
    if (frame->debugEnabled())
      frame->createDebugWindows();
    else
      frame->disableDebugMenu();
    frame->show();
  }

  // Start-up's last step: the engine starts with a new game.
  void startEngine() {
    frame->startNewGame();
    ASSERT_TRUE(waitForLine(0, QStringLiteral("accepted")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return frame->bridge()->isIdle(); }, WAIT_MS));
    QCoreApplication::processEvents();
  }

  bool waitForLine(int from, const QString& prefix) {
    return QTest::qWaitFor([&] { return lineIndex(from, prefix) >= 0; }, WAIT_MS);
  }
  int lineIndex(int from, const QString& prefix) const {
    for (int i = from; i < lines.size(); ++i)
      if (lines[i].startsWith(prefix)) return i;
    return -1;
  }
  bool waitForCommand(const QString& command) {
    return QTest::qWaitFor([&] { return commands.contains(command); }, WAIT_MS);
  }
  bool waitForIdle() {
    return QTest::qWaitFor([this] { return frame->bridge()->isIdle(); }, WAIT_MS);
  }

  QAction* action(const QString& caption) const {
    for (QAction* candidate : frame->findChildren<QAction*>())
      if (candidate->text() == caption) return candidate;
    ADD_FAILURE() << "no action " << caption.toStdString();
    return nullptr;
  }

  void click(const char* square) { QTest::mouseClick(frame->view(), Qt::LeftButton, {}, squarePoint(square)); }

  Piece pieceOn(int square) {
    Game& game = Game::instance();
    std::lock_guard guard(game.mutex());
    return game.position.squares[square];
  }

  // While the engine waits: a position with kings on e1/e8 and a white pawn on a7.
  void setUpPromotion() {
    Game& game = Game::instance();
    std::lock_guard guard(game.mutex());
    game.position.clearSquares();
    game.position.squares[E1] = WHITE_KING;
    game.position.squares[E8] = BLACK_KING;
    game.position.squares[A8 - 16] = WHITE_PAWN;
    game.position.castlingRights = 0;
    game.position.sideToMove = 1;
    game.restartHistory();
  }

  QTemporaryDir dir;
  QString previousDir;
  std::unique_ptr<CDovrel2Doc> doc;
  std::unique_ptr<CMainFrame> frame;
  QStringList commands;
  QStringList lines;
  QStringList boxes;
  QStringList captions;
  QList<QMessageBox::Icon> icons;
};

TEST_F(MainFrameTest, StartUpSendsOneNewShownInBlack) {
  writeFile("kelvo.ini", "[DOVREL]\nDebug=true\n");
  createFrame();
  startEngine();
  EXPECT_EQ(commands, QStringList{QStringLiteral("new")});
  ASSERT_NE(frame->commandWindow(), nullptr);
  const auto* log = frame->commandWindow()->findChild<QTextEdit*>();
  EXPECT_TRUE(log->toPlainText().startsWith(QLatin1String("new\naccepted\n")));
  EXPECT_EQ(colourOfLine(log, QStringLiteral("new")), QColor(Qt::black));
  EXPECT_EQ(colourOfLine(log, QStringLiteral("accepted")), QColor(Qt::red));
  EXPECT_TRUE(frame->debugMenu()->menuAction()->isEnabled());
  EXPECT_EQ(frame->windowTitle(), QLatin1String("dovrel2"));
}

TEST_F(MainFrameTest, WithoutDebugThereAreNoWindowsAndResultsStillAnswer) {
  createFrame();
  startEngine();
  EXPECT_EQ(frame->commandWindow(), nullptr);
  EXPECT_EQ(frame->debugWindow(), nullptr);
  EXPECT_FALSE(frame->debugMenu()->menuAction()->isEnabled());

  emit frame->bridge()->lineArrived(QStringLiteral("1-0 Checkmate"));
  ASSERT_TRUE(waitForCommand(QStringLiteral("result 1-0")));
  ASSERT_EQ(boxes, QStringList{QStringLiteral("Checkmate\nWhite wins")});
  EXPECT_EQ(icons.value(0), QMessageBox::Information);
  EXPECT_EQ(captions.value(0), QLatin1String("dovrel2"));
  ASSERT_TRUE(waitForIdle());
  EXPECT_EQ(Game::instance().playState, 1);
}

TEST_F(MainFrameTest, TwoClicksPlayAMoveAndTheEngineAnswers) {
  writeFile("kelvo.ini", "[DOVREL]\nDebug=True\n");
  createFrame();
  startEngine();
  const QImage before = frame->view()->renderBoard();

  click("e2");
  EXPECT_FALSE(frame->awaitingFirstClick());
  EXPECT_TRUE(commands.size() == 1);  // the first click sends nothing
  click("e4");
  EXPECT_TRUE(frame->awaitingFirstClick());
  ASSERT_TRUE(waitForCommand(QStringLiteral("e2e4")));
  ASSERT_TRUE(waitForLine(0, QStringLiteral("move ")));
  EXPECT_EQ(lines[lineIndex(0, QStringLiteral("move "))], QLatin1String("move e7e5"));

  EXPECT_EQ(pieceOn(E1 + 48), WHITE_PAWN);
  EXPECT_EQ(pieceOn(E8 - 48), BLACK_PAWN);
  EXPECT_EQ(pieceOn(E1 + 16), EMPTY);
  EXPECT_EQ(frame->rightBar()->moveList(), QLatin1String("1.e4 e5 \n"));
  EXPECT_NE(frame->view()->renderBoard(), before);

  const auto* log = frame->commandWindow()->findChild<QTextEdit*>();
  EXPECT_EQ(colourOfLine(log, QStringLiteral("e2e4")), QColor(Qt::black));
  EXPECT_EQ(colourOfLine(log, QStringLiteral("move e7e5")), QColor(Qt::red));

  // Atras takes back one ply; the list follows at the next refresh.
  ASSERT_TRUE(waitForIdle());
  const int mark = lines.size();
  action(QStringLiteral("Atras"))->trigger();
  ASSERT_TRUE(waitForLine(mark, QStringLiteral("accepted")));
  EXPECT_EQ(frame->rightBar()->moveList(), QLatin1String("1.e4"));
}

TEST_F(MainFrameTest, PromotionAsksForThePieceEvenForAnIllegalMove) {
  createFrame();
  startEngine();
  setUpPromotion();
  int asked = 0;
  int answer = 1;
  frame->setPromotionChooser([&] {
    ++asked;
    return answer;
  });

  click("a7");
  click("h1");  // not a pawn move at all
  EXPECT_EQ(asked, 1);
  ASSERT_TRUE(waitForCommand(QStringLiteral("a7h1=N")));
  ASSERT_TRUE(waitForLine(0, QStringLiteral("Illegal move: ")));
  ASSERT_TRUE(waitForIdle());

  answer = 3;
  click("a7");
  click("a8");
  EXPECT_EQ(asked, 2);
  ASSERT_TRUE(waitForCommand(QStringLiteral("a7a8=Q")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return pieceOn(A8) == WHITE_QUEEN; }, WAIT_MS));
}

TEST_F(MainFrameTest, ClosedPromotionDialogGivesAQueen) {
  createFrame();
  startEngine();
  setUpPromotion();
  QTimer::singleShot(0, [] {
    if (QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000))
      QApplication::activeModalWidget()->close();
  });
  click("a7");
  click("a8");
  EXPECT_EQ(frame->pendingCommand(), QByteArray("a7a8=Q\n"));
}

TEST_F(MainFrameTest, TellUserLinesBecomeBoxes) {
  createFrame();
  startEngine();
  frame->sendCommand(QStringLiteral("telluser hello there"));
  ASSERT_TRUE(waitForLine(0, QStringLiteral("telluser")));
  EXPECT_EQ(boxes, QStringList{QStringLiteral(" hello there\n")});
  EXPECT_EQ(icons.value(0), QMessageBox::Information);

  ASSERT_TRUE(waitForIdle());
  frame->sendCommand(QStringLiteral("tellusererror oops"));
  ASSERT_TRUE(waitForLine(0, QStringLiteral("tellusererror")));
  EXPECT_EQ(boxes.value(1), QLatin1String("error oops\n"));
  EXPECT_EQ(icons.value(1), QMessageBox::Critical);
}

TEST_F(MainFrameTest, EngineLinesArriveOnceAndInOrder) {
  createFrame();
  startEngine();
  CChessBoard position;
  position.setupInitialPosition();
  generateMoves(position, false);
  QStringList expected;
  for (int i = 0; i < position.moveCount; ++i)
    expected << QString::fromStdString(moveToSan(position, position.moves[i]) + "\n");

  const int mark = lines.size();
  frame->sendCommand(QStringLiteral("_showlegal"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() >= mark + expected.size(); }, WAIT_MS));
  ASSERT_TRUE(waitForIdle());
  QCoreApplication::processEvents();
  EXPECT_EQ(lines.mid(mark), expected);
}

TEST_F(MainFrameTest, LongCommandsAreCutToFitTheEngineBuffer) {
  createFrame();
  startEngine();
  frame->sendCommand(QString(200, u'x'));
  EXPECT_EQ(frame->pendingCommand(), QByteArray(126, 'x') + '\n');
  ASSERT_TRUE(waitForCommand(QString(126, u'x')));
}

TEST_F(MainFrameTest, IssueCommandClosedWithoutTypingSendsAnEmptyLine) {
  writeFile("kelvo.ini", "[DOVREL]\nDebug=True\n");
  createFrame();
  startEngine();
  QTimer::singleShot(0, [] {
    if (QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000))
      QApplication::activeModalWidget()->close();
  });
  action(QStringLiteral("Issue command"))->trigger();
  ASSERT_TRUE(waitForCommand(QString()));
  ASSERT_TRUE(waitForLine(0, QStringLiteral("Error (unknown command)")));
}

TEST_F(MainFrameTest, SettingsGoIntoTheNewEnginePlayerAndTheFrame) {
  writeFile("kelvo.ini", "[KELVO]\nPost=False\nOpeningBook=false\nRandomFactor=TRUE\n[DOVREL]\nFont=Merida\n");
  createFrame();
  startEngine();
  EXPECT_EQ(frame->fontName(), QLatin1String("Merida"));
  EXPECT_EQ(frame->view()->fontName(), QLatin1String("Merida"));
  EXPECT_FALSE(frame->debugEnabled());
  EnginePlayer* player = currentEnginePlayer();
  ASSERT_NE(player, nullptr);
  EXPECT_FALSE(player->post);
  EXPECT_FALSE(player->useBook);
  EXPECT_FALSE(player->randomFactor);
}

TEST_F(MainFrameTest, DefaultSettingsTurnTheBookOnAndKeepTheGame) {
  createFrame();
  startEngine();
  EnginePlayer* player = currentEnginePlayer();
  ASSERT_NE(player, nullptr);
  EXPECT_TRUE(player->post);
  EXPECT_TRUE(player->useBook);
  EXPECT_TRUE(player->randomFactor);
  EXPECT_EQ(frame->fontName(), QLatin1String("Regular"));
  // Reading the book again replays its games, but the new game stays.
  Game& game = Game::instance();
  std::lock_guard guard(game.mutex());
  EXPECT_EQ(game.history.size(), 1u);
  EXPECT_EQ(game.position.squares[E1 + 16], WHITE_PAWN);
}

TEST_F(MainFrameTest, NewGamesReloadTheBookWithoutGrowingIt) {
  createFrame();
  startEngine();
  const std::size_t entries = OpeningBook::instance().entryCount();
  EXPECT_EQ(entries, 4u);  // the one-game book, once
  const int from = lines.size();
  frame->startNewGame();
  ASSERT_TRUE(waitForLine(from, QStringLiteral("accepted")));
  ASSERT_TRUE(waitForIdle());
  QCoreApplication::processEvents();
  EXPECT_EQ(OpeningBook::instance().entryCount(), entries);
}

TEST_F(MainFrameTest, OptionsOkWritesTheSettingsFile) {
  createFrame();
  {
    Game& game = Game::instance();
    std::lock_guard guard(game.mutex());
    game.startNewGame();
  }
  QCoreApplication::processEvents();
  EnginePlayer* player = currentEnginePlayer();
  ASSERT_NE(player, nullptr);
  player->useBook = true;
  player->randomFactor = false;
  player->post = true;
  QTimer::singleShot(0, [] {
    if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000)) return;
    auto* dialog = qobject_cast<CConfigDlg*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->postBox->setChecked(false);
    dialog->debugBox->setChecked(true);
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      if (button->text() == QLatin1String("OK")) button->click();
  });
  action(QStringLiteral("Opciones"))->trigger();
  EXPECT_EQ(readFile("kelvo.ini"),
            "[KELVO]\nOpeningBook=True\nRandomFactor=False\nPost=False\n"
            "[DOVREL]\nDebug=True\nFont=Regular\nDebugFiles=False\n");
  EXPECT_TRUE(frame->debugEnabled());
  EXPECT_FALSE(player->post);
  EXPECT_TRUE(player->useBook);
}

TEST_F(MainFrameTest, OptionsWithoutAnEnginePlayerWriteOnlyTheWindowSettings) {
  createFrame();
  {
    Game& game = Game::instance();
    std::lock_guard guard(game.mutex());
    game.makeHumansOnly();
  }
  QTimer::singleShot(0, [] {
    if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000)) return;
    auto* dialog = qobject_cast<CConfigDlg*>(QApplication::activeModalWidget());
    if (!dialog) return;
    EXPECT_FALSE(dialog->openingBookBox->isChecked());
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      if (button->text() == QLatin1String("OK")) button->click();
  });
  action(QStringLiteral("Opciones"))->trigger();
  EXPECT_EQ(readFile("kelvo.ini"), "[DOVREL]\nDebug=False\nFont=Regular\nDebugFiles=False\n");
}

TEST_F(MainFrameTest, SaveWritesExactlyTheMoveList) {
  createFrame();
  {
    Game& game = Game::instance();
    std::lock_guard guard(game.mutex());
    game.startNewGame();
    game.restartHistory();
    for (const char* text : {"e2e4", "e7e5", "g1f3"}) {
      CChessBoard scratch = game.position;
      game.playMove(*findMove(scratch, parseSquare(text), parseSquare(text + 2)));
    }
  }
  const QString path = dir.filePath(QStringLiteral("saved.pgn"));
  ASSERT_TRUE(frame->saveFile(path));
  EXPECT_EQ(readFile("saved.pgn"), "1.e4 e5 \n2.Nf3");
  EXPECT_EQ(frame->rightBar()->moveList(), QLatin1String("1.e4 e5 \n2.Nf3"));
  EXPECT_EQ(frame->windowTitle(), QLatin1String("saved.pgn - dovrel2"));
}

TEST_F(MainFrameTest, OpenLoadsTheFirstGameOfAPgnFile) {
  writeFile("game.pgn", "[Event \"Test\"]\n[White \"A\"]\n\n1. e4 e5 2. Nf3 {a comment} 1-0\n\n"
                        "[Event \"Second\"]\n\n1. d4 d5 *\n");
  createFrame();
  startEngine();
  frame->openFile(dir.filePath(QStringLiteral("game.pgn")));
  EXPECT_TRUE(boxes.isEmpty());
  EXPECT_EQ(pieceOn(F1 + 32), WHITE_KNIGHT);
  {
    Game& game = Game::instance();
    std::lock_guard guard(game.mutex());
    EXPECT_EQ(game.position.sideToMove, 0);
    EXPECT_EQ(game.history.size(), 3u);  // the start position is not in it
  }
  EXPECT_EQ(frame->rightBar()->moveList(), QLatin1String("1.e4 e5 \n2.Nf3"));
  EXPECT_EQ(frame->windowTitle(), QLatin1String("game.pgn - dovrel2"));
  const QMenu* recent = nullptr;
  for (const QMenu* menu : frame->findChildren<QMenu*>())
    if (menu->title() == QLatin1String("Archivo reciente")) recent = menu;
  ASSERT_NE(recent, nullptr);
  EXPECT_TRUE(recent->menuAction()->isEnabled());
  ASSERT_FALSE(recent->actions().isEmpty());
  EXPECT_TRUE(recent->actions().first()->text().endsWith(QLatin1String("game.pgn")));

  frame->openFile(dir.filePath(QStringLiteral("missing.pgn")));
  EXPECT_EQ(boxes, QStringList{QStringLiteral("Error loading file")});
}

TEST_F(MainFrameTest, MoveNowStartsTheEngineOnTheSideToMove) {
  createFrame();
  startEngine();
  action(QStringLiteral("Mueve!"))->trigger();
  ASSERT_TRUE(waitForCommand(QStringLiteral("go")));
  ASSERT_TRUE(waitForLine(0, QStringLiteral("move ")));
  EXPECT_EQ(lines[lineIndex(0, QStringLiteral("move "))], QLatin1String("move e2e4"));  // the book's only move
  ASSERT_TRUE(waitForIdle());
  QCoreApplication::processEvents();
  EXPECT_EQ(frame->rightBar()->moveList(), QLatin1String("1.e4"));
}

TEST_F(MainFrameTest, WindowWrapsTheBoardWhenItGrows) {
  createFrame();
  const QSize before = frame->size();
  for (int i = 0; i < 3; ++i) action(QStringLiteral("Tablero mayor"))->trigger();
  EXPECT_EQ(frame->view()->size(), QSize(450, 450));
  EXPECT_EQ(frame->size(), before + QSize(30, 30));
  action(QStringLiteral("Tablero menor"))->trigger();
  EXPECT_EQ(frame->size(), before + QSize(20, 20));
}

TEST_F(MainFrameTest, OnlyCtrlOOpensAndCtrlSSaves) {
  createFrame();
  QList<QKeySequence> keys;
  for (const QShortcut* shortcut : frame->findChildren<QShortcut*>()) keys << shortcut->key();
  EXPECT_TRUE(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_O)));
  EXPECT_TRUE(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_S)));
  EXPECT_TRUE(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_N)));
  for (const QAction* candidate : frame->findChildren<QAction*>()) {
    EXPECT_NE(candidate->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A)) << candidate->text().toStdString();
    EXPECT_NE(candidate->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G)) << candidate->text().toStdString();
  }
  EXPECT_EQ(action(QStringLiteral("Nueva"))->statusTip(), QLatin1String("Nueva partida"));
  EXPECT_EQ(action(QStringLiteral("Atras"))->toolTip(), QLatin1String("Moviola"));
  EXPECT_EQ(action(QStringLiteral("Move now!"))->toolTip(), QLatin1String("Mover YA"));
}

TEST_F(MainFrameTest, DroppedFileIsOpened) {
  writeFile("dropped.pgn", "1. d4 d5 *\n");
  createFrame();
  frame->setAcceptDrops(true);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dir.filePath(QStringLiteral("dropped.pgn")))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame.get(), &drop);
  EXPECT_EQ(pieceOn(D8 - 48), BLACK_PAWN);
  EXPECT_EQ(frame->rightBar()->moveList(), QLatin1String("1.d4 d5 \n"));
}

TEST_F(MainFrameTest, MissingFontFilesEndTheStartUp) {
  CDovrel2App app;
  EXPECT_FALSE(app.initInstance({QStringLiteral("dovrel2")}));
  EXPECT_EQ(boxes, QStringList{QStringLiteral("failed registering font")});
  EXPECT_EQ(app.mainFrame(), nullptr);
}

TEST_F(MainFrameTest, ClosingWhileTheEngineThinksStopsIt) {
  QFile::remove(dir.filePath(QStringLiteral("aperturas.pgn")));  // no book: the answer is searched
  createFrame();
  startEngine();
  frame->sendCommand(QStringLiteral("e2e4"));
  ASSERT_TRUE(waitForCommand(QStringLiteral("e2e4")));
  frame.reset();  // must not hang or crash with the worker inside its search
  EXPECT_FALSE(EngineIO::instance().stopRequested);
}

TEST_F(MainFrameTest, QuitEndsTheEngine) {
  createFrame();
  startEngine();
  QSignalSpy finished(frame->bridge(), &EngineBridge::engineFinished);
  frame->sendCommand(QStringLiteral("quit"));
  EXPECT_TRUE(finished.wait(WAIT_MS));
}

}  // namespace
