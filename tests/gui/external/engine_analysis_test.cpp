// Analysis on external engines: the lines as the engines write them, UCI and
// CECP analysis against Debian's engines, a crafted engine that dies, the
// Análisis panel with its engine chosen, on the real widgets, and a game
// reviewed by Stockfish.
#include <QComboBox>
#include <QFileInfo>
#include <QMainWindow>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

#include "analysis/analysis_docks.h"
#include "analysis/analysis_panel.h"
#include "analysis/engine_analyser.h"
#include "analysis/game_review_dialog.h"
#include "book/pgn_writer.h"
#include "driver/uci_moves.h"
#include "external/chess_engine.h"
#include "external/engine_discovery.h"
#include "game/engine_info.h"
#include "external/engine_list.h"
#include "fake_engine.h"
#include "test_positions.h"

namespace {

constexpr int LINE_WAIT_MS = 10000;
const char* AFTER_E4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1";
const char* MATE_IN_ONE = "6k1/5ppp/8/8/8/8/8/3R2K1 w - - 0 1";

std::unique_ptr<ChessEngine> engineOf(const QString& command, EngineProtocol protocol) {
  EngineConfig config = configFromCommand(command);
  config.protocol = protocol;
  return ChessEngine::create(config);
}

std::vector<CChessBoard> gameOf(const std::string& fen, const std::vector<std::string>& moves = {}) {
  CChessBoard position = fromFen(fen);
  std::vector<Move> played;
  for (const std::string& text : moves) {
    played.push_back(readUciMove(position, text));
    makeMove(position, played.back());
    position.switchSide();
  }
  return positionsOfGame(fromFen(fen), played);
}

// Every field of a line read, or "-" for a line that is none.
QString summary(const std::optional<EngineInfo>& info) {
  if (!info) return "-";
  return QString("d%1 pv%2 cp%3 mate%4 n%5 t%6: %7")
      .arg(info->depth).arg(info->multiPv).arg(info->centipawns).arg(info->mate)
      .arg(info->nodes).arg(info->milliseconds).arg(info->pv.join(' '));
}

TEST(EngineInfo, UciAndCecpLinesAsTheEnginesWriteThem) {
  const struct {
    bool cecp;
    const char* line;
    const char* read;
  } rows[] = {
      {false, "info depth 20 seldepth 28 multipv 2 score cp -31 nodes 81234 nps 900000 hashfull 12 time 90 pv e7e5 g1f3",
       "d20 pv2 cp-31 mate0 n81234 t90: e7e5 g1f3"},
      {false, "info depth 9 score mate -3 upperbound nodes 10 time 2 pv e1f1 d8d1", "d9 pv1 cp0 mate-3 n10 t2: e1f1 d8d1"},
      {false, "info depth 3 score cp 5 nodes 40 pv e2e4 string extra", "d3 pv1 cp5 mate0 n40 t-1: e2e4"},
      {false, "info depth 12 currmove e2e4 currmovenumber 1", "-"},
      {false, "info string NNUE evaluation using nn.nnue enabled", "-"},
      {false, "info depth 1 score cp 12 nodes 20", "-"},
      {true, " 7     12       70     316335 g8f6 e4e5 f6d5", "d7 pv1 cp12 mate0 n316335 t700: g8f6 e4e5 f6d5"},
      {true, "12. -45 105 482311 1. Nf3 Nc6 2. Bb5+", "d12 pv1 cp-45 mate0 n482311 t1050: Nf3 Nc6 Bb5"},
      {true, "5& 100003 3 900 a1a8", "d5 pv1 cp0 mate3 n900 t30: a1a8"},
      {true, "4 -100002 3 900 e1f1 d8d1", "d4 pv1 cp0 mate-2 n900 t30: e1f1 d8d1"},
      {true, "  0      0     0        0  (e7-e5  c7-c5 , book1)", "-"},
      // Numbers past every type come within their ranges: nothing overflows on the way.
      {false, "info depth 2147483648 multipv 99999999999 score cp -2147483648 nodes 9223372036854775807 nps 1 pv e2e4",
       "d1000 pv256 cp-99999 mate0 n1000000000000000 t-1: e2e4"},
      {false, "info score mate -2147483648 nodes -5 time 99999999999999999999 pv e2e4", "d0 pv1 cp0 mate-10000 n0 t1000000000000: e2e4"},
      {true, "99999999999 -2147483648 9223372036854775807 9223372036854775807 e2e4",
       "d1000 pv1 cp0 mate-10000 n1000000000000000 t1000000000000: e2e4"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(summary(row.cecp ? parseCecpThinking(row.line) : parseUciInfo(row.line)), row.read) << row.line;
}

// The score turns to White's side, the moves to SAN in the window's notation,
// and the line stops at the first move that is not legal.
TEST(EngineAnalyser, AnEngineLineAsThePanelShowsIt) {
  const struct {
    const char* fen;
    int number;
    int centipawns, mate;
    const char* pv;
    const char* text;
    WhiteScore score;
  } rows[] = {
      {AFTER_E4, 1, 31, 0, "e7e5 g1f3 b8c6", "1...e5 2.Nf3 Nc6", WhiteScore::pawns(-31)},
      {INITIAL_FEN, 1, 20, 0, "e2e4 e2e4 d7d5", "1.e4", WhiteScore::pawns(20)},
      {MATE_IN_ONE, 30, 0, 1, "d1d8", "30.Rd8#", WhiteScore::mateIn(1)},
      {"3r2k1/8/8/8/8/8/5PPP/6K1 b - - 0 1", 30, 0, 1, "d8d1", "30...Rd1#", WhiteScore::mateIn(-1)},
      {INITIAL_FEN, 1, 20, 0, "Nf3 d5 c4", "1.Nf3 d5 2.c4", WhiteScore::pawns(20)},
      {"r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1", 40, 900, 0, "b7a8n", "40.bxa8=N", WhiteScore::pawns(900)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pv);
    EngineInfo info;
    info.centipawns = row.centipawns;
    info.mate = row.mate;
    info.pv = QString(row.pv).split(' ');
    info.nodes = 5000;
    info.nps = 1000000;
    const AnalysisLine line = EngineAnalyser::lineOf(info, fromFen(row.fen), row.number);
    EXPECT_EQ(line.text, QString::fromUtf8(row.text));
    EXPECT_EQ(line.score, row.score);
    EXPECT_EQ(line.milliseconds, 5);
  }
  // The time from the largest nodes at the least speed, and a side flip of the lowest score.
  EngineInfo extreme = *parseUciInfo("info score cp -2147483648 nodes 9223372036854775807 nps 1 pv e7e5");
  const AnalysisLine line = EngineAnalyser::lineOf(extreme, fromFen(AFTER_E4), 1);
  EXPECT_EQ(line.score, WhiteScore::pawns(99999));
  EXPECT_EQ(line.milliseconds, 1'000'000'000'000'000'000);
}

// Three lines of the start, then a new position: the old search is stopped
// and answered before the new one starts, and no line of it comes after.
TEST(UciAnalysis, StockfishLinesFollowTheLatestPosition) {
  auto engine = engineOf("stockfish", EngineProtocol::Uci);
  QStringList sent;
  QObject::connect(engine.get(), &ChessEngine::lineSent, [&](const QString& line) { sent << "> " + line; });
  QObject::connect(engine.get(), &ChessEngine::lineReceived, [&](const QString& line) {
    if (line.startsWith("bestmove")) sent << "< bestmove";
  });
  QList<EngineInfo> infos;
  QObject::connect(engine.get(), &ChessEngine::analysisInfo, [&](const EngineInfo& info) { infos << info; });
  engine->analyse({}, {}, 3);
  std::set<int> ranks;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    for (const EngineInfo& info : infos) ranks.insert(info.multiPv);
    return ranks.size() == 3 && infos.last().depth >= 8;
  }, LINE_WAIT_MS));
  EXPECT_EQ(*ranks.rbegin(), 3);
  EXPECT_TRUE(sent.contains("> setoption name MultiPV value 3"));

  infos.clear();
  engine->analyse({}, {"e2e4"}, 3);
  ASSERT_TRUE(QTest::qWaitFor([&] { return infos.size() >= 6; }, LINE_WAIT_MS));
  const CChessBoard afterE4 = fromFen(AFTER_E4);
  for (const EngineInfo& info : infos)
    EXPECT_FALSE(readUciMove(afterE4, info.pv[0].toStdString()).isNull()) << info.pv.join(' ').toStdString();
  const auto stop = sent.indexOf("> stop");
  const auto answer = sent.indexOf("< bestmove");
  const auto next = sent.indexOf("> position startpos moves e2e4");
  ASSERT_GE(stop, 0);
  EXPECT_LT(stop, answer);
  EXPECT_LT(answer, next);

  engine->stopAnalysis();
  ASSERT_TRUE(QTest::qWaitFor([&] { return sent.count("< bestmove") == 2; }, LINE_WAIT_MS));
  infos.clear();
  QTest::qWait(200);
  EXPECT_TRUE(infos.isEmpty());
}

// Fairy-Max analyses with "analyze", and "exit" with a ping ends a search.
TEST(CecpAnalysis, FairyMaxLinesFollowTheLatestPosition) {
  auto engine = engineOf("fairymax", EngineProtocol::Cecp);
  QList<EngineInfo> infos;
  QObject::connect(engine.get(), &ChessEngine::analysisInfo, [&](const EngineInfo& info) { infos << info; });
  engine->analyse({}, {}, 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return infos.size() >= 3; }, LINE_WAIT_MS));
  engine->analyse({}, {"e2e4"}, 1);
  infos.clear();
  ASSERT_TRUE(QTest::qWaitFor([&] { return infos.size() >= 3; }, LINE_WAIT_MS));
  const CChessBoard afterE4 = fromFen(AFTER_E4);
  for (const EngineInfo& info : infos)
    EXPECT_FALSE(readUciMove(afterE4, info.pv[0].toStdString()).isNull()) << info.pv.join(' ').toStdString();
}

// An engine that dies, never was or does not stop: its fault in Spanish,
// nothing running, the built-in search again when chosen.
TEST(AnalysisPanelEngine, AFaultIsToldAndNothingRuns) {
  QTemporaryDir dir;
  const QString dies = uciScript(dir, "muere", "exit 3");
  const QString deaf = uciScript(dir, "sorda", ":");  // "stop" is never answered
  const struct {
    QString program;
    QString message;
    EngineProtocol protocol = EngineProtocol::Uci;
  } rows[] = {
      {dies, "El motor muere se cerró durante el análisis (código 3)."},
      {dir.filePath("falta"), "El motor falta no se pudo iniciar: no existe " + dir.filePath("falta") + "."},
      {deaf, "El motor sorda no dejó de analizar en 3 s."},
      // engines.ini with a protocol of another spelling: once a crash of F2.
      {dies, "El motor muere no se puede usar: su protocolo no es UCI ni xboard.", protocolFromText("winboard")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message.toStdString());
    AnalysisPanel panel;
    EngineConfig config = configFromCommand(row.program);
    config.name = QFileInfo(row.program).fileName();
    config.protocol = row.protocol;
    panel.setEngines({builtInEngine(), config}, config.name);
    panel.showPosition(gameOf(INITIAL_FEN), 1);
    panel.setActive(true);
    QTest::qWait(300);
    panel.showPosition(gameOf(INITIAL_FEN, {"e2e4"}), 1);
    QTRY_COMPARE_WITH_TIMEOUT(panel.infoText(), row.message, LINE_WAIT_MS);
    QSignalSpy first(&panel, &AnalysisPanel::firstLineShown);
    panel.showPosition(gameOf(INITIAL_FEN, {"d2d4"}), 1);
    QTest::qWait(300);
    EXPECT_EQ(panel.infoText(), row.message);
    EXPECT_TRUE(first.isEmpty());

    auto* box = panel.findChild<QComboBox*>("analysisEngine");
    box->setCurrentIndex(0);
    emit box->activated(0);
    ASSERT_TRUE(first.wait(LINE_WAIT_MS));
    EXPECT_TRUE(panel.lineText(0).startsWith(QStringLiteral("<b>")));
  }
}

// The choice is kept with the engines: the window's panel offers the saved
// engines and analyses with the one chosen last (lines from White's
// side, a mate, a finished game judged without the engine, several lines),
// and the built-in one chosen again is kept too.
TEST(AnalysisDocksEngine, TheChosenEngineAnalysesAndIsRemembered) {
  QTemporaryDir dir;
  const QString path = dir.filePath("engines.ini");
  EngineList list(path);
  EngineConfig stockfish = configFromCommand("stockfish");
  stockfish.name = "Stockfish";
  stockfish.protocol = EngineProtocol::Uci;
  list.add(stockfish);
  ASSERT_TRUE(list.setAnalysisEngine("Stockfish"));  // the first write keeps the list too

  QMainWindow window;
  AnalysisDocks docks(&window, path);
  window.show();
  docks.setAnalysisShown(true);
  AnalysisPanel* panel = docks.panel();
  auto* box = panel->findChild<QComboBox*>("analysisEngine");
  ASSERT_EQ(box->count(), 2);
  EXPECT_EQ(box->itemText(0), "kelvo");
  EXPECT_EQ(panel->engineName(), "Stockfish");
  QSignalSpy first(panel, &AnalysisPanel::firstLineShown);
  docks.follow(gameOf(INITIAL_FEN, {"d2d4"}), -1);
  ASSERT_TRUE(first.wait(LINE_WAIT_MS));
  EXPECT_TRUE(panel->lineText(0).contains(QStringLiteral("1..."))) << panel->lineText(0).toStdString();
  EXPECT_TRUE(panel->infoText().startsWith(QStringLiteral("Profundidad")));

  docks.follow(gameOf(MATE_IN_ONE), -1);
  QTRY_VERIFY_WITH_TIMEOUT(panel->lineText(0).contains(QStringLiteral("1.Td8#")), LINE_WAIT_MS);
  EXPECT_EQ(panel->score(), WhiteScore::mateIn(1));
  docks.follow(gameOf("3R2k1/5ppp/8/8/8/8/8/6K1 b - - 0 1"), -1);
  QTRY_COMPARE_WITH_TIMEOUT(panel->infoText(), QStringLiteral("Partida terminada"), LINE_WAIT_MS);
  docks.follow(gameOf(INITIAL_FEN), -1);
  panel->findChild<QSpinBox*>()->setValue(3);
  QTRY_VERIFY_WITH_TIMEOUT(!panel->lineText(2).isEmpty(), LINE_WAIT_MS);
  EXPECT_NE(panel->lineText(0), panel->lineText(1));

  box->setCurrentIndex(0);
  emit box->activated(0);
  EngineList again(path);
  again.load();
  EXPECT_EQ(again.analysisEngine(), QString());
  EXPECT_EQ(again.engines().size(), 2);
}

// Analizar partida through the dialog on `engine`, to the end.
GameReview reviewed(const std::vector<CChessBoard>& game, const QList<EngineConfig>& engines, bool byTime,
                    QString* engineName = nullptr) {
  GameReviewDialog dialog(game, nullptr, engines);
  if (engineName) *engineName = dialog.engineName();
  dialog.setLimit(byTime, 0.1, 8);
  QSignalSpy ready(&dialog, &GameReviewDialog::reviewReady);
  dialog.start();
  EXPECT_TRUE(ready.wait(60000));
  EXPECT_EQ(dialog.progressValue(), static_cast<int>(game.size()));
  return dialog.review();
}

TEST(EngineReview, StockfishMarksTheBlunderAndNeverAnOnlyMove) {
  if (!QFileInfo::exists("/usr/games/stockfish")) GTEST_SKIP() << "Stockfish is not installed";
  EngineConfig stockfish = configFromCommand("stockfish");  // found in /usr/games, off the PATH
  stockfish.name = "Stockfish";
  stockfish.protocol = EngineProtocol::Uci;
  EngineConfig cecp = configFromCommand("/usr/games/stockfish");
  cecp.name = "CECP";
  cecp.protocol = EngineProtocol::Cecp;

  // 2...Qg5?? gives the queen to the knight.
  const auto queenLost = gameOf(INITIAL_FEN, {"e2e4", "e7e5", "g1f3", "d8g5", "f3g5"});
  QString chosen;
  const GameReview review = reviewed(queenLost, {cecp, stockfish}, false, &chosen);
  EXPECT_EQ(chosen, "Stockfish");  // the default, and the CECP engine is not offered
  ASSERT_EQ(review.marks.size(), 5u);
  EXPECT_EQ(review.marks[3], MoveMark::BLUNDER);
  ASSERT_FALSE(review.betterLines[3].empty());
  EXPECT_FALSE(review.betterLines[3].front().sameSquares(queenLost[4].lastMove));
  EXPECT_TRUE(review.betterMoves[3].startsWith(QStringLiteral("2..."))) << review.betterMoves[3].toStdString();
  EXPECT_GT(review.scores[4]->centipawns, 500);  // from White's side after Black's blunder

  // 2...g6 and 3...hxg6 are the only moves; 3.Qxg6+ throws the queen away.
  const auto onlyMoves = gameOf(INITIAL_FEN, {"e2e4", "f7f6", "d1h5", "g7g6", "h5g6", "h7g6"});
  const GameReview forced = reviewed(onlyMoves, {stockfish}, false);
  ASSERT_EQ(forced.marks.size(), 6u);
  EXPECT_EQ(forced.marks[3], MoveMark::NONE);
  EXPECT_EQ(forced.marks[4], MoveMark::BLUNDER);
  EXPECT_EQ(forced.marks[5], MoveMark::NONE);

  // A time setting is a node budget: the same marks and scores every time.
  const GameReview once = reviewed(onlyMoves, {stockfish}, true);
  const GameReview again = reviewed(onlyMoves, {stockfish}, true);
  EXPECT_EQ(once.marks, again.marks);
  EXPECT_EQ(once.scores, again.scores);
  EXPECT_EQ(once.marks[4], MoveMark::BLUNDER);

  // Cancelar ends a long review at once, with what was judged.
  GameReviewDialog dialog(onlyMoves, nullptr, {stockfish});
  dialog.setLimit(true, 30, 0);
  QSignalSpy ready(&dialog, &GameReviewDialog::reviewReady);
  dialog.start();
  QTest::qWait(300);
  dialog.cancel();
  ASSERT_EQ(ready.count(), 1);
  EXPECT_FALSE(dialog.isRunning());
  EXPECT_LT(dialog.progressValue(), static_cast<int>(onlyMoves.size()));
}

TEST(EngineReview, AnEngineThatCannotStartLeavesKelvoToReview) {
  EngineConfig missing;
  missing.name = "Roto";
  missing.program = "/nonexistent/engine";
  missing.protocol = EngineProtocol::Uci;
  const auto game = gameOf(INITIAL_FEN, {"e2e4", "e7e5"});
  GameReviewDialog dialog(game, nullptr, {missing});
  EXPECT_EQ(dialog.engineName(), "kelvo");
  ASSERT_TRUE(dialog.chooseEngine("Roto"));
  dialog.setLimit(false, 0, 3);
  QSignalSpy ready(&dialog, &GameReviewDialog::reviewReady);
  dialog.start();
  QTRY_VERIFY_WITH_TIMEOUT(!dialog.isRunning(), 10000);
  EXPECT_EQ(ready.count(), 0);
  EXPECT_TRUE(dialog.message().contains("Roto")) << dialog.message().toStdString();
  EXPECT_TRUE(dialog.message().contains("kelvo"));
  EXPECT_EQ(dialog.engineName(), "kelvo");
  dialog.start();
  ASSERT_TRUE(ready.wait(30000));
  EXPECT_EQ(dialog.review().marks.size(), 2u);
}

}  // namespace
