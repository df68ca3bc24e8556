#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
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
      {"[%eval\n#3]", WhiteScore::mateIn(3)},  // wrapped by the program that wrote it
      {"[%eval\t-0.5\n]", WhiteScore::pawns(-50)},
      {"Blunder. [%eval #-1]", WhiteScore::mateIn(-1)},
      {" [%eval 1.51] Inaccuracy. Nb6 was best. ", WhiteScore::pawns(151)},
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

// A reviewed game from a set-up position, with castling, promotions, checks
// and a resignation: written, then read by other programs (below).
std::string writeReviewedSetUpGame(const std::string& name) {
  PgnMoves game;
  game.start = fromFen("r3k2r/1P6/8/8/8/8/6p1/R3K2R b KQkq - 0 30");
  game.fromInitialPosition = false;
  game.startCounters = {0, 30};
  const struct {
    const char* move;
    PgnAnnotation note;
    std::vector<const char*> variation;
  } plies[] = {
      {"e8g8", {NAG_MISTAKE, WhiteScore::pawns(150), {}, {}}, {"g2g1=Q", "h1g1"}},
      {"b7a8=Q", {0, WhiteScore::pawns(-40), {}, {}}, {}},
      {"g2g1=Q", {NAG_INACCURACY, WhiteScore::pawns(-275), {}, {}}, {}},
      {"h1g1", {NAG_BLUNDER, WhiteScore::mateIn(-2), {}, {}}, {"e1d2", "g1g2"}},
  };
  CChessBoard position = game.start;
  for (const auto& ply : plies) {
    PgnAnnotation note = ply.note;
    CChessBoard line = position;
    for (const char* text : ply.variation) {
      note.variation.push_back(parseCoordinateMove(line, text));
      makeMove(line, note.variation.back());
      line.switchSide();
    }
    game.moves.push_back(parseCoordinateMove(position, ply.move));
    game.annotations.push_back(note);
    makeMove(position, game.moves.back());
    position.switchSide();
  }
  return writeFile(name, writePgnGame({}, game, "0-1", "White resigns"));
}

// What the readers print for that game: per move its coordinates, NAGs,
// comment and variation, then the result.
constexpr const char* REVIEWED_SET_UP_GAME =
    "e8g8 $2 {[%eval 1.50]} (g2g1q h1g1)\n"
    "b7a8q {[%eval -0.40]}\n"
    "g2g1q $6 {[%eval -2.75]}\n"
    "h1g1 $4 {[%eval #-2] White resigns} (e1d2 g1g2)\n"
    "result 0-1\n";

std::string commandOutput(const std::string& command) {
  std::string text;
  if (std::FILE* out = popen((command + " 2>&1").c_str(), "r")) {
    for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
    pclose(out);
  }
  return text;
}

TEST(PgnAnnotation, ReviewReadByPgnExtract) {
  const std::string path = writeReviewedSetUpGame("reviewed_setup.pgn");
  EXPECT_EQ(pgnExtractReading(path), "e8g8 b7a8Q g2g1Q h1g1 0-1\n\n") << path;
  // The moves are numbered on from the FEN's move number.
  std::ifstream written(path);
  const std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("30... O-O"), std::string::npos) << text;
  EXPECT_NE(text.find("31. bxa8=Q"), std::string::npos) << text;
}

// chess.js as tools/setup.sh installs it beside the tests.
TEST(PgnAnnotation, ReviewReadByChessJs) {
  if (std::string(KELVO_NODE).empty()) GTEST_SKIP() << "no node (tools/setup.sh installs it)";
  if (!std::filesystem::exists(KELVO_CHESSJS "/package.json")) GTEST_SKIP() << "no chess.js (tools/setup.sh installs it)";
  const std::string path = writeReviewedSetUpGame("reviewed_chessjs.pgn");
  EXPECT_EQ(commandOutput(std::string(KELVO_NODE) + " " + KELVO_READERS "/chessjs_reading.mjs '" + path + "'"),
            REVIEWED_SET_UP_GAME);
}

TEST(PgnAnnotation, ReviewReadByScid) {
  if (std::string(KELVO_TKSCID).empty()) GTEST_SKIP() << "no tkscid (tools/setup.sh installs scid)";
  const std::string path = writeReviewedSetUpGame("reviewed_scid.pgn");
  const std::string base = ::testing::TempDir() + "reviewed_scid";
  for (const char* suffix : {".si4", ".sg4", ".sn4"}) std::filesystem::remove(base + suffix);
  EXPECT_EQ(commandOutput(std::string(KELVO_TKSCID) + " " + KELVO_READERS "/scid_reading.tcl '" + path + "' '" + base + "'"),
            REVIEWED_SET_UP_GAME);
}

}  // namespace
