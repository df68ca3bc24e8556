// The analysis widgets for real, offscreen: the panel's search thread, the
// graph, the review dialog, and a review through the PGN file and back.
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "analysis/analysis_panel.h"
#include "analysis/eval_bar.h"
#include "analysis/eval_graph.h"
#include "analysis/game_review.h"
#include "analysis/game_review_dialog.h"
#include "analysis/review_panel.h"
#include "analysis/spanish_notation.h"
#include "book/pgn_reader.h"
#include "book/pgn_writer.h"
#include "driver/game.h"
#include "game/move_list_text.h"
#include "panels/right_bar_dlg.h"
#include "test_positions.h"

namespace {

std::vector<Move> movesOf(CChessBoard position, const std::string& text) {
  std::vector<Move> moves;
  std::istringstream in(text);
  for (std::string word; in >> word;) {
    const Move move = parseCoordinateMove(position, word);
    EXPECT_FALSE(move.isNull()) << word;
    moves.push_back(move);
    makeMove(position, move);
    position.switchSide();
  }
  return moves;
}

std::vector<CChessBoard> gameOf(const std::string& fen, const std::string& moves) {
  const CChessBoard start = fromFen(fen);
  return positionsOfGame(start, movesOf(start, moves));
}

// Lines in each notation; a line from Black's move opens with "40...".
TEST(SpanishNotation, LinesAndScores) {
  const struct {
    const char* fen;
    int number;
    const char* moves;
    MoveNotation notation;
    const char* text;
  } lines[] = {
      {INITIAL_FEN, 1, "e2e4 e7e5 g1f3 b8c6 f1b5 d8e7", MoveNotation::List, "1.e4 e5 2.Nf3 Nc6 3.Bb5 Qe7"},
      {"r3k3/1P6/8/8/8/8/8/4K2R b Kq - 0 1", 40, "e8d7 b7a8=N", MoveNotation::Spanish, "40...Rd7 41.bxa8=C"},
      {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", 7, "e1c1 e8f7 d1d7", MoveNotation::Figurines, "7.O-O-O \u2654f7 8.\u2656d7+"},
      {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", 7, "a1a8", MoveNotation::Spanish, "7.Ta8+"},
  };
  for (const auto& c : lines) {
    const CChessBoard start = fromFen(c.fen);
    EXPECT_EQ(notatedLine(start, c.number, movesOf(start, c.moves), c.notation), QString::fromUtf8(c.text));
  }

  const struct {
    WhiteScore score;
    const char* text;
  } scores[] = {
      {WhiteScore::pawns(130), "+1.3"}, {WhiteScore::pawns(-44), "-0.4"}, {WhiteScore::pawns(4), "0.0"},
      {WhiteScore::pawns(-4), "0.0"},   {WhiteScore::pawns(5), "+0.1"},   {WhiteScore::pawns(-1250), "-12.5"},
      {WhiteScore::mateIn(4), "#4"},    {WhiteScore::mateIn(-4), "#-4"},  {WhiteScore::won(false), "0-1"},
  };
  for (const auto& c : scores) EXPECT_EQ(scoreText(c.score), QString::fromUtf8(c.text));
}

// The panel answers at once, follows a new position, and shows several lines.
TEST(AnalysisPanel, FollowsThePositionShown) {
  AnalysisPanel panel;
  panel.show();
  QSignalSpy first(&panel, &AnalysisPanel::firstLineShown);
  panel.showPosition(gameOf(INITIAL_FEN, "e2e4"), 1);
  EXPECT_EQ(first.count(), 0);  // off until asked
  panel.setActive(true);
  ASSERT_TRUE(first.wait(5000));
  EXPECT_TRUE(panel.lineText(0).contains(QStringLiteral("1...")));
  EXPECT_TRUE(panel.infoText().startsWith(QStringLiteral("Profundidad")));

  // White mates in one: the panel says so from White's side.
  panel.showPosition(gameOf("6k1/5ppp/8/8/8/8/8/3R2K1 w - - 0 1", ""), 30);
  ASSERT_TRUE(first.wait(5000));
  QTRY_VERIFY_WITH_TIMEOUT(panel.lineText(0).contains(QStringLiteral("#1")), 5000);
  EXPECT_TRUE(panel.lineText(0).contains(QStringLiteral("30.Rd8#"))) << panel.lineText(0).toStdString();

  // Black mated on the board: no search, the result.
  panel.showPosition(gameOf("3R2k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", ""), 30);
  QTRY_COMPARE_WITH_TIMEOUT(panel.infoText(), QStringLiteral("Partida terminada"), 5000);
  EXPECT_EQ(panel.score(), WhiteScore::won(true));

  panel.showPosition(gameOf(INITIAL_FEN, ""), 1);
  auto* spin = panel.findChild<QSpinBox*>();
  ASSERT_NE(spin, nullptr);
  spin->setValue(3);
  QTRY_VERIFY_WITH_TIMEOUT(!panel.lineText(2).isEmpty(), 10000);
  EXPECT_NE(panel.lineText(0), panel.lineText(1));
  panel.setActive(false);
  EXPECT_EQ(panel.infoText(), QStringLiteral("Apagado"));
}

// The move list colours a marked move, writes its sign after it and names the
// better one on hover; a click on the sign or a later move still finds its
// move, and without notes the text is the one given.
TEST(RightBarMarks, MarkedMovesShowTheirSignAndNote) {
  CRightBarDlg bar;
  bar.resize(200, 300);
  bar.show();
  const QString plain = QStringLiteral("1.e4 e5 \n2.Nf3");
  bar.setMoveList(plain);
  bar.setMoveSpans({{1, 2, 2}, {2, 5, 2}, {3, 11, 3}});
  bar.setEntryNotes({{2, {markColour(MoveMark::MISTAKE), QStringLiteral("Error (?). Mejor: 1...c5"), QStringLiteral("?")}}});
  EXPECT_EQ(bar.moveList(), QStringLiteral("1.e4 e5? \n2.Nf3"));
  auto* text = bar.findChild<QPlainTextEdit*>(QStringLiteral("moveList"));
  ASSERT_NE(text, nullptr);
  const auto pointAt = [text](int position) {
    QTextCursor cursor(text->document());
    cursor.setPosition(position);
    return text->cursorRect(cursor).center();
  };
  EXPECT_EQ(bar.noteAt(pointAt(6)), QStringLiteral("Error (?). Mejor: 1...c5"));
  EXPECT_EQ(bar.noteAt(pointAt(3)), QString());
  EXPECT_EQ(bar.noteAt(pointAt(13)), QString());
  bool coloured = false;
  for (const QTextEdit::ExtraSelection& selection : text->extraSelections())
    coloured |= selection.cursor.selectionStart() == 5 && selection.cursor.selectionEnd() == 8 &&
                selection.format.foreground().color() == markColour(MoveMark::MISTAKE);
  EXPECT_TRUE(coloured);
  QSignalSpy clicked(&bar, &CRightBarDlg::entryClicked);
  for (const auto& [position, entry] : {std::pair{7, 2}, std::pair{13, 3}, std::pair{3, 1}}) {
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, pointAt(position));
    ASSERT_FALSE(clicked.isEmpty()) << position;
    EXPECT_EQ(clicked.takeLast().at(0).toInt(), entry) << position;
  }
  // The review gone, the list is as given, a longer game too.
  bar.setEntryNotes({});
  EXPECT_EQ(bar.moveList(), plain);
  bar.setMoveSpans({{1, 2, 2}, {2, 5, 2}, {3, 11, 3}, {4, 15, 3}});
  bar.setMoveList(plain + QStringLiteral(" Nc6"));
  EXPECT_EQ(bar.moveList(), plain + QStringLiteral(" Nc6"));
}

// The verdict names the played move with its sign, the better move and its
// line in the window's notation, and says nothing after an unmarked move.
TEST(ReviewPanel, TheVerdictOfTheMoveShown) {
  const std::vector<CChessBoard> positions = gameOf(INITIAL_FEN, "e2e4 e7e5 g1f3 d8g5");
  GameReview review;
  review.scores.assign(5, WhiteScore::pawns(30));
  review.marks = {MoveMark::NONE, MoveMark::NONE, MoveMark::NONE, MoveMark::BLUNDER};
  review.betterLines = {{}, {}, {}, movesOf(positions[3], "b8c6 f1b5")};
  review.betterMoves = {{}, {}, {}, QStringLiteral("2...Nc6")};
  review.summary.black.blunders = 1;
  ReviewPanel panel;
  panel.setReview(review);
  panel.showPosition(positions, 4);
  EXPECT_EQ(panel.verdictText(), QStringLiteral("2...Qg5?? Error grave\nMejor: 2...Nc6\nLínea: 2...Nc6 3.Bb5"));
  panel.showPosition(positions, 3);
  EXPECT_EQ(panel.verdictText(), QString());
  auto* black = panel.findChild<QLabel*>(QStringLiteral("blackSummary"));
  ASSERT_NE(black, nullptr);
  EXPECT_TRUE(black->text().contains(QStringLiteral("1 error grave")));
}

TEST(EvalGraph, PointsAndClicks) {
  EvalGraph graph;
  graph.resize(300, 100);
  graph.show();
  graph.setReview({WhiteScore::pawns(0), WhiteScore::pawns(300), std::nullopt, WhiteScore::mateIn(-2)},
                  {MoveMark::BLUNDER, MoveMark::NONE, MoveMark::NONE});
  EXPECT_LT(graph.pointOf(1).y(), graph.pointOf(0).y());  // White better: higher
  EXPECT_DOUBLE_EQ(graph.pointOf(2).y(), graph.pointOf(0).y());
  EXPECT_GT(graph.pointOf(3).y(), 90);
  QSignalSpy clicked(&graph, &EvalGraph::positionClicked);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(graph.positionAt(qRound(graph.pointOf(i).x())), i);
    QTest::mouseClick(&graph, Qt::LeftButton, {}, graph.pointOf(i).toPoint());
    ASSERT_EQ(clicked.count(), i + 1);
    EXPECT_EQ(clicked.last().at(0).toInt(), i);
  }
  const QImage image = graph.grab().toImage();
  EXPECT_EQ(image.pixelColor(graph.pointOf(1).toPoint()), markColour(MoveMark::BLUNDER));

  // The foot numbers a move where the move list does, whoever moved first.
  for (const char* fen : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                          "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1"}) {
    const bool blackFirst = std::string(fen).find(" b ") != std::string::npos;
    std::string shuffle;
    for (int i = 0; i < 7; ++i) shuffle += blackFirst ? " g8f6 g1f3 f6g8 f3g1" : " g1f3 g8f6 f3g1 f6g8";
    const std::vector<CChessBoard> game = gameOf(fen, shuffle);
    graph.setReview(std::vector<std::optional<WhiteScore>>(game.size()), {}, game.front().sideToMove != 0);
    std::vector<MoveSpan> spans;
    const std::string text = moveListText(game, &spans);
    const int tenth = graph.positionAfterWhiteMove(10);
    ASSERT_LT(tenth, static_cast<int>(game.size())) << fen;
    const auto span = std::find_if(spans.begin(), spans.end(), [tenth](const MoveSpan& s) { return s.entry == tenth; });
    ASSERT_NE(span, spans.end()) << fen;
    EXPECT_EQ(QString::fromStdString(text).mid(span->start - 3, 3), QStringLiteral("10.")) << fen;
  }

  EvalBar bar;
  bar.setScore(WhiteScore::mateIn(3));
  EXPECT_DOUBLE_EQ(bar.whiteShare(), 1);
  bar.setScore(std::nullopt);
  EXPECT_DOUBLE_EQ(bar.whiteShare(), 0.5);
}

// A short game with a queen left to a knight, reviewed by the dialog, saved
// as PGN and read back into the same marks, scores and better moves.
TEST(GameReviewDialog, ReviewsSavesAndReadsBack) {
  const std::vector<CChessBoard> positions = gameOf(INITIAL_FEN, "e2e4 e7e5 g1f3 d8g5 f3g5 f8e7");
  GameReviewDialog dialog(positions);
  dialog.setLimit(false, 0, 5);
  QSignalSpy ready(&dialog, &GameReviewDialog::reviewReady);
  dialog.start();
  EXPECT_TRUE(dialog.isRunning());
  ASSERT_TRUE(ready.wait(30000));
  const GameReview& review = dialog.review();
  EXPECT_EQ(dialog.progressValue(), 7);
  ASSERT_EQ(review.marks.size(), 6u);
  EXPECT_EQ(review.marks[3], MoveMark::BLUNDER);
  EXPECT_EQ(review.summary.black.blunders, 1);
  EXPECT_EQ(review.summary.white.blunders, 0);
  EXPECT_FALSE(review.betterMoves[3].isEmpty());
  EXPECT_TRUE(review.betterMoves[3].startsWith(QStringLiteral("2..."))) << review.betterMoves[3].toStdString();
  EXPECT_TRUE(dialog.summary().contains(QStringLiteral("1 error grave")));

  PgnMoves game;
  game.start = positions[0];
  for (std::size_t i = 1; i < positions.size(); ++i) game.moves.push_back(positions[i].lastMove);
  game.annotations = annotationsOfReview(review);
  const std::string path = writeFile("review.pgn", writePgnGame({}, game, "*"));
  EXPECT_EQ(pgnExtractReading(path), "e2e4 e7e5 g1f3 d8g5 f3g5 f8e7 *\n\n");
  Game back;
  PgnReader reader;
  PgnGameInfo info;
  reader.readGame(path, 0, nullptr, back, &info);
  const GameReview reread = reviewOfAnnotations(positions, info.annotations);
  EXPECT_EQ(reread.marks, review.marks);
  EXPECT_EQ(reread.betterMoves, review.betterMoves);
  for (std::size_t i = 1; i < positions.size(); ++i) EXPECT_EQ(reread.scores[i], review.scores[i]) << i;
  EXPECT_EQ(reread.summary.black.blunders, 1);
}

TEST(GameReviewDialog, CancelEndsTheReviewEarly) {
  GameReviewDialog dialog(gameOf(INITIAL_FEN, "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6"));
  dialog.setLimit(true, 20, 0);
  QSignalSpy ready(&dialog, &GameReviewDialog::reviewReady);
  dialog.start();
  dialog.cancel();
  ASSERT_TRUE(ready.wait(5000));
  EXPECT_FALSE(dialog.isRunning());
  EXPECT_LT(dialog.progressValue(), 7);
}

}  // namespace
