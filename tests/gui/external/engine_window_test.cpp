// External engines in the real window: seated by Nueva partida's choices,
// their moves judged by kelvo's Game, faults told and the game kept.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/main_frame.h"
#include "board/dovrel_view.h"
#include "common/message_sink.h"
#include "driver/game.h"
#include "engine/engine_bridge.h"
#include "external/engine_discovery.h"
#include "external/engine_turns.h"
#include "fake_engine.h"
#include "files/dovrel2_doc.h"
#include "test_positions.h"

namespace {

constexpr int WAIT_MS = 60000;

class EngineWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QFile book("aperturas.pgn");
    ASSERT_TRUE(book.open(QIODevice::WriteOnly));
    book.write("1. e4 e5 *\n");
    book.close();
    setMessageSink([this](QMessageBox::Icon, const QString&, const QString& text) { boxes << text; });
    doc = std::make_unique<CDovrel2Doc>(Game::instance());
    frame = std::make_unique<CMainFrame>(doc.get(), EngineObjects::ofProcess());
    QObject::connect(frame.get(), &CMainFrame::lineHandled, [this](const QString& line) { lines << line; });
    frame->startUp();
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.contains("accepted") && frame->bridge()->isIdle(); }, WAIT_MS));
  }
  void TearDown() override {
    frame.reset();
    setMessageSink({});
    QDir::setCurrent(previousDir);
  }

  int engineIndex(const QString& name) {
    const int index = frame->engines().indexOf(name);
    EXPECT_GE(index, 0) << name.toStdString();
    return index;
  }
  int addEngine(const QString& program, EngineProtocol protocol) {
    EngineConfig config = configFromCommand(program);
    config.protocol = protocol;
    frame->engines().add(config);
    return frame->engines().indexOf(config.name);
  }
  int plies() const { return Game::instance().read([](const Game& g) { return static_cast<int>(g.history.size()) - 1; }); }
  bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, WAIT_MS); }
  void click(const char* square) {
    const QPoint at((square[0] - 'a' + 1) * 42 + 21, (8 - (square[1] - '1')) * 42 + 21);
    QTest::mouseClick(frame->view(), Qt::LeftButton, {}, at);
  }
  // The game as saved, read back by pgn-extract.
  std::string savedGame() {
    const QString path = dir.filePath("saved.pgn");
    EXPECT_TRUE(frame->saveFile(path));
    return pgnExtractReading(path.toStdString());
  }

  QTemporaryDir dir;
  QString previousDir;
  std::unique_ptr<CDovrel2Doc> doc;
  std::unique_ptr<CMainFrame> frame;
  QStringList lines, boxes;
};

// kelvo, seated Black in a set-up position with Black to move, moves first;
// Stockfish wins, and the window's game ends as kelvo judges it.
TEST_F(EngineWindowTest, StockfishMatesKelvoFromASetUpPosition) {
  NewGameDlg::Choices chosen;
  chosen.white = {engineIndex("Stockfish"), 20};
  chosen.black = {0, 4};
  chosen.timeControl = {true, 1, 1};
  chosen.start = NewGameDlg::Start::Fen;
  chosen.fen = "6k1/8/6K1/8/8/8/8/R7 b - - 0 1";
  frame->startGame(chosen);
  ASSERT_TRUE(waitFor([&] { return frame->gameFlow().isOver(); }));
  // Kelvo's king steps aside and is mated, or kelvo sees the mate and resigns.
  EXPECT_EQ(frame->gameFlow().end()->score, "1-0");
  const std::string saved = savedGame();
  EXPECT_TRUE(saved.starts_with("g8h8 a1a8 1-0\n") || saved.starts_with("g8f8 a1")) << saved;
  EXPECT_NE(saved.find("1-0\n"), std::string::npos) << saved;
}

// A person against an external engine: kelvo plays no side, only keeps the game.
TEST_F(EngineWindowTest, APersonPlaysAgainstAnExternalEngineOnTheBoard) {
  NewGameDlg::Choices chosen;
  chosen.white = {NewGameDlg::PERSON, 0};
  chosen.black = {engineIndex("Phalanx"), 0};
  chosen.timeControl = {false, 3, 0};
  frame->startGame(chosen);
  ASSERT_TRUE(waitFor([&] { const SeatedPlayer* black = frame->engineTurns()->playerOf(0); return black && black->isReady(); }));
  click("e2");
  click("e4");
  ASSERT_TRUE(waitFor([&] { return plies() == 2; }));
  QTest::qWait(300);
  EXPECT_EQ(plies(), 2);  // kelvo did not answer as well
  EXPECT_FALSE(Game::instance().read([](const Game& g) { return g.enginePlayer != nullptr; }));
  // The engine's turn takes no clicks.
  EXPECT_FALSE(frame->engineTurns()->isEnginesTurn());
}

// Two external engines play with both clocks running until Detener.
TEST_F(EngineWindowTest, TwoEnginesPlayUntilStoppedAndTheGameIsSavedWithoutAResult) {
  NewGameDlg::Choices chosen;
  chosen.white = {engineIndex("Stockfish"), 1};
  chosen.black = {engineIndex("Fairymax"), 0};
  chosen.timeControl = {true, 1, 0};
  frame->startGame(chosen);
  ASSERT_TRUE(waitFor([&] { return plies() >= 6; }));
  frame->stopGame();
  EXPECT_TRUE(frame->gameFlow().isOver());
  EXPECT_LT(frame->gameFlow().clocks().remaining(1, frame->gameFlow().now()), 60000);
  EXPECT_LT(frame->gameFlow().clocks().remaining(0, frame->gameFlow().now()), 60000);
  const int kept = plies();
  QTest::qWait(500);
  EXPECT_EQ(plies(), kept);  // nothing is played after the stop
  const std::string saved = savedGame();
  EXPECT_NE(saved.find(" *"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("rror"), std::string::npos) << saved;
}

// An engine's illegal move ends the game as its loss, told in Spanish; the
// moves before it are kept and saved with the result. A move of a megabyte,
// or of escape sequences, a bell and a NUL, is told as a short printable excerpt.
TEST_F(EngineWindowTest, AnIllegalMoveEndsTheGameAsTheEnginesLossAndIsSaved) {
  const std::tuple<QString, const char*, const char*> rows[] = {
      {"torpe", "echo bestmove e7e4", "«e7e4»."},
      {"enorme", "{ printf 'bestmove '; head -c 1000000 /dev/zero | tr '\\0' a; echo; }", "«aaaaaaaaaaaaaaaaaaaa…»."},
      {"control", "printf 'bestmove \\033[31me2\\007e9\\000\\n'", "«[31me2»."},
  };
  for (const auto& [name, onGo, told] : rows) {
    SCOPED_TRACE(told);
    const int faulty = addEngine(uciScript(dir, name, onGo), EngineProtocol::Uci);
    NewGameDlg::Choices chosen;
    chosen.white = {NewGameDlg::PERSON, 0};
    chosen.black = {faulty, 0};
    chosen.timeControl = {false, 3, 0};
    frame->startGame(chosen);
    ASSERT_TRUE(waitFor([&] { const SeatedPlayer* black = frame->engineTurns()->playerOf(0); return black && black->isReady(); }));
    click("d2");
    click("d4");
    ASSERT_TRUE(waitFor([&] { return frame->gameFlow().isOver(); }));
    ASSERT_FALSE(boxes.isEmpty());
    const QString reason = "El motor " + name + " envió una jugada ilegal: " + QString::fromUtf8(told);
    EXPECT_TRUE(boxes.last().startsWith(reason)) << boxes.last().toStdString();
    EXPECT_EQ(plies(), 1);
    EXPECT_EQ(savedGame().substr(0, 9), "d2d4 1-0\n");
    // The saved game names who played it, and the fault as it was told.
    const std::string pgn = doc->pgnText();
    EXPECT_NE(pgn.find("[Black \"" + name.toStdString() + "\"]"), std::string::npos) << pgn;
    EXPECT_NE(pgn.find(reason.toStdString()), std::string::npos) << pgn;
    EXPECT_LT(pgn.size(), 1000u);
  }
}

// An engine that never answers leaves the person its side and the game as it was.
TEST_F(EngineWindowTest, AnEngineThatDoesNotAnswerIsToldAndThePersonPlaysOn) {
  const int silent = addEngine(writeScript(dir, "callado", "sleep 30\n"), EngineProtocol::Uci);
  NewGameDlg::Choices chosen;
  chosen.white = {NewGameDlg::PERSON, 0};
  chosen.black = {silent, 0};
  chosen.timeControl = {false, 3, 0};
  frame->startGame(chosen);
  ASSERT_TRUE(waitFor([&] { return !boxes.isEmpty(); }));
  EXPECT_TRUE(boxes.last().startsWith("El motor Callado no contestó en 10 s al iniciarse.")) << boxes.last().toStdString();
  EXPECT_FALSE(frame->gameFlow().isOver());
  click("e2");
  click("e4");
  click("e7");
  click("e5");
  ASSERT_TRUE(waitFor([&] { return plies() == 2; }));
}

}  // namespace

namespace {

// An engine that stops answering in the middle of a game loses on time, named.
TEST_F(EngineWindowTest, AnEngineThatHangsMidGameLosesOnTimeAndIsNamed) {
  const int hanging = addEngine(uciScript(dir, "lento", ":"), EngineProtocol::Uci);
  NewGameDlg::Choices chosen;
  chosen.white = {0, 1};
  chosen.black = {hanging, 0};
  chosen.timeControl = {true, 1, 0};
  frame->startGame(chosen);
  ASSERT_TRUE(waitFor([&] { return plies() == 1; }));
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame->gameFlow().isOver(); }, 75000));
  EXPECT_EQ(frame->gameFlow().end()->score, "1-0");
  ASSERT_FALSE(boxes.isEmpty());
  EXPECT_EQ(boxes.last(), "El motor lento agotó su tiempo.\nTiempo agotado\nGanan las blancas");
  EXPECT_EQ(plies(), 1);
}

}  // namespace

namespace {

// After a game that ended, the next one seats its engines afresh and they play.
TEST_F(EngineWindowTest, TheGameAfterAFinishedOneSeatsItsEngineAgain) {
  NewGameDlg::Choices first;
  first.white = {engineIndex("Stockfish"), 20};
  first.black = {0, 4};
  first.timeControl = {true, 3, 2};
  first.start = NewGameDlg::Start::Fen;
  first.fen = "6k1/8/6K1/8/8/8/8/R7 b - - 0 1";
  frame->startGame(first);
  ASSERT_TRUE(waitFor([&] { return frame->gameFlow().isOver(); }));
  NewGameDlg::Choices second;
  second.white = {NewGameDlg::PERSON, -1};
  second.black = {engineIndex("Stockfish"), 3};
  second.timeControl = {true, 3, 0};
  frame->startGame(second);
  ASSERT_TRUE(waitFor([&] { const SeatedPlayer* black = frame->engineTurns()->playerOf(0); return black && black->isReady(); }));
  click("e2");
  click("e4");
  ASSERT_TRUE(waitFor([&] { return plies() == 2; })) << plies();
}

}  // namespace
