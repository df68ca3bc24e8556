#include "main_frame.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include "book/opening_book.h"
#include "config_dlg.h"
#include "dovrel2_app.h"
#include "dovrel2_doc.h"
#include "dovrel_view.h"
#include "driver/engine_io.h"
#include "driver/game.h"
#include "engine_bridge.h"
#include "message_sink.h"
#include "player_settings.h"
#include "position/fen.h"
#include "promoting_sel_dlg.h"
#include "right_bar_dlg.h"
#include "search/engine_player.h"

namespace {

constexpr int WAIT_MS = 60000;

bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, WAIT_MS); }

// Runs `act` on the modal dialog once it is up.
void whenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    if (QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000))
      act(QApplication::activeModalWidget());
  });
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
    doc = std::make_unique<CDovrel2Doc>();
    frame = std::make_unique<CMainFrame>(doc.get());
    QObject::connect(frame.get(), &CMainFrame::commandTaken, [this](const QString& command) { commands << command; });
    QObject::connect(frame.get(), &CMainFrame::lineHandled, [this](const QString& line) { lines << line; });
    frame->startUp();
    ASSERT_TRUE(waitForLine("accepted"));
    ASSERT_TRUE(waitForIdle());
    QCoreApplication::processEvents();
  }

  bool waitForLine(const QString& line) { return waitFor([&] { return lines.contains(line); }); }
  bool waitForCommand(const QString& command) { return waitFor([&] { return commands.contains(command); }); }
  bool waitForIdle() { return waitFor([this] { return frame->bridge()->isIdle(); }); }

  QAction* action(const char* caption) const {
    for (QAction* candidate : frame->findChildren<QAction*>())
      if (candidate->text() == QLatin1String(caption)) return candidate;
    ADD_FAILURE() << "no action " << caption;
    return nullptr;
  }

  // With White at the bottom and 42-pixel cells behind a one-cell frame.
  void click(const char* square) {
    const int file = square[0] - 'a', rank = square[1] - '1';
    QTest::mouseClick(frame->view(), Qt::LeftButton, {}, QPoint((file + 1) * 42 + 21, (8 - rank) * 42 + 21));
  }

  QTemporaryDir dir;
  QString previousDir;
  std::unique_ptr<CDovrel2Doc> doc;
  std::unique_ptr<CMainFrame> frame;
  QStringList commands, lines, boxes;
  QList<QMessageBox::Icon> icons;
};

TEST_F(MainFrameTest, TwoClicksPlayAMoveAndTheEngineAnswers) {
  writeFile("kelvo.ini", "[DOVREL]\nDebug=true\n");
  createFrame();
  EXPECT_NE(frame->commandWindow(), nullptr);  // the debug windows play along
  EXPECT_EQ(commands, QStringList{"new"});
  const QImage before = frame->view()->renderBoard();

  click("e2");
  EXPECT_EQ(commands.size(), 1);  // the first click only picks the piece
  click("e4");
  ASSERT_TRUE(waitForCommand("e2e4"));
  EXPECT_TRUE(waitForLine("move e7e5"));
  EXPECT_EQ(pieceOn("e4"), WHITE_PAWN);
  EXPECT_EQ(pieceOn("e5"), BLACK_PAWN);
  EXPECT_EQ(frame->rightBar()->moveList(), "1.e4 e5 \n");
  EXPECT_NE(frame->view()->renderBoard(), before);
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
  EXPECT_EQ(frame->pendingCommand(), "a7h1=Q\n");
  EXPECT_TRUE(waitForLine("Illegal move: "));
  ASSERT_TRUE(waitForIdle());

  whenModal([](QWidget* dialog) { static_cast<CPromotingSelDlg*>(dialog)->button(2)->click(); });  // KNIGHT
  click("a7");
  click("a8");
  ASSERT_TRUE(waitForCommand("a7a8=N"));
  EXPECT_TRUE(waitFor([] { return pieceOn("a8") == WHITE_KNIGHT; }));
}

// Only "True" and "true" count as true; Opciones writes each switch back as True or False.
TEST_F(MainFrameTest, SettingsFeedThePlayerAndOptionsWriteThemBack) {
  writeFile("kelvo.ini", "[KELVO]\nPost=False\nOpeningBook=false\nRandomFactor=TRUE\n[DOVREL]\nFont=Merida\n");
  createFrame();
  EXPECT_EQ(frame->view()->fontName(), "Merida");
  EnginePlayer* player = currentEnginePlayer();
  ASSERT_NE(player, nullptr);
  EXPECT_FALSE(player->post || player->useBook || player->randomFactor);
  whenModal([](QWidget* modal) {
    auto* dialog = static_cast<CConfigDlg*>(modal);
    dialog->postBox->setChecked(true);
    dialog->debugBox->setChecked(true);
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      if (button->text() == "OK") button->click();
  });
  action("Opciones")->trigger();
  EXPECT_EQ(readFile("kelvo.ini"), "[KELVO]\nPost=True\nOpeningBook=False\nRandomFactor=False\n"
                                   "[DOVREL]\nFont=Merida\nDebug=True\nDebugFiles=False\n");
  EXPECT_TRUE(frame->debugEnabled());
  EXPECT_TRUE(waitFor([player] { return player->post && !player->useBook; }));
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

TEST_F(MainFrameTest, OpenLoadsAPgnGameAndSaveWritesExactlyTheMoveList) {
  writeFile("game.pgn", "[Event \"Test\"]\n[White \"A\"]\n\n1. e4 e5 2. Nf3 {a comment} 1-0\n\n"
                        "[Event \"Second\"]\n\n1. d4 d5 *\n");
  createFrame();
  frame->openFile("game.pgn");
  EXPECT_EQ(pieceOn("f3"), WHITE_KNIGHT);
  EXPECT_EQ(Game::instance().history.size(), 3u);  // the start position is not in it
  EXPECT_EQ(frame->rightBar()->moveList(), "1.e4 e5 \n2.Nf3");
  EXPECT_EQ(frame->windowTitle(), "game.pgn - dovrel2");

  ASSERT_TRUE(frame->saveFile("saved.pgn"));
  EXPECT_EQ(readFile("saved.pgn"), "1.e4 e5 \n2.Nf3");
  EXPECT_EQ(frame->windowTitle(), "saved.pgn - dovrel2");

  frame->openFile("missing.pgn");
  EXPECT_EQ(boxes, QStringList{"Error loading file"});
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
  EXPECT_FALSE(EngineIO::instance().stopRequested);
}

}  // namespace
