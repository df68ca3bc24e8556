#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "book/pgn_reader.h"
#include "book/pgn_writer.h"
#include "driver/game.h"
#include "test_positions.h"

namespace {

TEST(PgnAnnotation, EvalTextAndBack) {
  const struct {
    WhiteScore score;
    const char* text;
  } cases[] = {
      {WhiteScore::pawns(35), "0.35"},   {WhiteScore::pawns(-120), "-1.20"}, {WhiteScore::pawns(5), "0.05"},
      {WhiteScore::pawns(-5), "-0.05"},  {WhiteScore::pawns(0), "0.00"},     {WhiteScore::pawns(1234), "12.34"},
      {WhiteScore::mateIn(4), "#4"},     {WhiteScore::mateIn(-4), "#-4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(evalText(c.score), c.text);
    EXPECT_EQ(evalInComment(std::string("[%eval ") + c.text + "]"), c.score) << c.text;
  }
  EXPECT_EQ(evalText(WhiteScore::won(true)), "");
}

// Comments as the sites and other programs write them.
TEST(PgnAnnotation, EvalInForeignComments) {
  const struct {
    const char* comment;
    std::optional<WhiteScore> score;
  } cases[] = {
      {" [%eval -1.2] ", WhiteScore::pawns(-120)},
      {"[%clk 0:03:00] [%eval 2.5]", WhiteScore::pawns(250)},
      {"[%eval 0.35,18]", WhiteScore::pawns(35)},
      {"Blunder. [%eval #-1]", WhiteScore::mateIn(-1)},
      {"[%eval abc]", std::nullopt},
      {"[%eval #0]", std::nullopt},
      {"[%eval 1e400]", std::nullopt},
      {"[%eval", std::nullopt},
      {"no evaluation", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(evalInComment(c.comment), c.score) << c.comment;
}

// A reviewed game written, read by pgn-extract as the same main line, and
// read back here with its marks, evaluations and better moves.
TEST(PgnAnnotation, ReviewedGameRoundTrip) {
  PgnMoves game;
  game.start = fromFen(INITIAL_FEN);
  CChessBoard position = game.start;
  std::vector<CChessBoard> before;
  for (const char* text : {"e2e4", "e7e5", "g1f3", "d8g5", "f3g5", "f8c5"}) {
    before.push_back(position);
    const Move move = parseCoordinateMove(position, text);
    game.moves.push_back(move);
    makeMove(position, move);
    position.switchSide();
  }
  game.annotations.resize(game.moves.size());
  for (std::size_t i = 0; i < game.moves.size(); ++i) game.annotations[i].eval = WhiteScore::pawns(30 - 10 * int(i));
  game.annotations[3] = {NAG_BLUNDER, WhiteScore::pawns(880), {}, {}};
  game.annotations[3].variation = {parseCoordinateMove(before[3], "b8c6"), parseCoordinateMove(before[4], "f1b5")};
  game.annotations[5] = {NAG_INACCURACY, WhiteScore::mateIn(3), {}, {}};
  // The knight left g1 long ago: the line ends before this move.
  game.annotations[5].variation = {parseCoordinateMove(before[5], "d7d5"), parseCoordinateMove(before[0], "g1f3")};
  const std::string text = writePgnGame({}, game, "*");
  std::string flat = text;
  std::replace(flat.begin(), flat.end(), '\n', ' ');
  EXPECT_NE(flat.find("2... Qg5 $4 {[%eval 8.80]} (2... Nc6 3. Bb5) 3. Nxg5 {[%eval -0.10]} 3... Bc5 $6"),
            std::string::npos)
      << text;
  EXPECT_NE(flat.find("{[%eval #3]} (3... d5) *"), std::string::npos) << text;  // stops at an illegal move

  const std::string path = writeFile("reviewed.pgn", text);
  EXPECT_EQ(pgnExtractReading(path), "e2e4 e7e5 g1f3 d8g5 f3g5 f8c5 *\n\n") << text;
  Game back;
  PgnReader reader;
  PgnGameInfo info;
  reader.readGame(path, 0, nullptr, back, &info);
  ASSERT_EQ(info.annotations.size(), 6u);
  EXPECT_EQ(back.history.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(info.annotations[i].eval, game.annotations[i].eval) << i;
  EXPECT_EQ(info.annotations[3].nag, NAG_BLUNDER);
  EXPECT_EQ(info.annotations[3].variationText, "2... Nc6 3. Bb5");
  EXPECT_EQ(info.annotations[5].nag, NAG_INACCURACY);
  EXPECT_EQ(info.annotations[0].nag, 0);
}

// Marks glued to moves or standing apart, NAGs, and comments before the
// first move; the first mark and the first variation of a move count.
TEST(PgnAnnotation, MarksAndNagsAsOthersWriteThem) {
  const std::string text =
      "[Event \"x\"]\n\n{Start} 1. e4?! {[%eval -0.2]} e5 ?? 2. Nf3 $2 $18 (2. d4 (2. c3) exd4) (2. f4) Nc6!? *\n";
  Game game;
  PgnReader reader;
  PgnGameInfo info;
  reader.readGame(writeFile("marks.pgn", text), 0, nullptr, game, &info);
  ASSERT_EQ(info.annotations.size(), 4u);
  EXPECT_EQ(info.annotations[0].nag, 6);
  EXPECT_EQ(info.annotations[0].eval, WhiteScore::pawns(-20));
  EXPECT_EQ(info.annotations[1].nag, 4);
  EXPECT_EQ(info.annotations[2].nag, 2);
  EXPECT_EQ(info.annotations[2].variationText, "2. d4 (2. c3) exd4");
  EXPECT_EQ(info.annotations[3].nag, 5);
  EXPECT_FALSE(info.annotations[3].eval);
  EXPECT_EQ(info.result, "*");
}

}  // namespace
