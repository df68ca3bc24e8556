#include "board/board_geometry.h"
#include "board/board_marks.h"
#include "common/side_window_place.h"
#include "game/position_clipboard.h"
#include "position/fen.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

// Cells are 42 pixels: column 1 starts at x = 42, row 1 at y = 42; the frame lies outside a..h / 1..8.
TEST(Click, CellGivesSquareText) {
  const std::tuple<int, int, bool, const char*> cases[] = {
      {42, 42, true, "a8"}, {83, 83, true, "a8"},   {84, 84, true, "b7"},         {377, 377, true, "h1"},
      {42, 42, false, "h1"}, {4 * 42, 5 * 42, false, "e5"}, {0, 0, true, "`9"}, {9 * 42, 9 * 42, true, "i0"},
      {0, 0, false, "i0"},  {9 * 42, 9 * 42, false, "`9"}};
  for (const auto& [x, y, whiteAtBottom, text] : cases)
    EXPECT_EQ(clickedSquareText(x, y, DEFAULT_SQUARE_SIZE, whiteAtBottom), text) << x << "," << y;
}

TEST(Click, EveryBoardCellGivesTheSquareDrawnThere) {
  for (bool whiteAtBottom : {true, false})
    for (int row = 0; row < 8; ++row)
      for (int column = 0; column < 8; ++column) {
        int x = (column + 1) * 30 + 15;
        int y = (8 - row) * 30 + 15;  // board row 0 is drawn lowest
        EXPECT_EQ(clickedSquare(x, y, 30, whiteAtBottom), squareAtCell(column, row, whiteAtBottom));
      }
}

// (index, history size, back, forward)
TEST(History, BrowseSteps) {
  const std::array<int, 4> cases[] = {
      // after 1.e4 e5: three entries; back stops at 1, forward past the end is live (-1)
      {-1, 3, 1, 0}, {1, 3, 1, -1}, {0, 3, 0, 1}, {5, 10, 4, 6}, {8, 10, 7, -1}, {-1, 10, 8, 0},
      // short histories
      {-1, 2, 0, 0}, {-1, 1, -1, -1}, {-1, 0, -1, -1},
      // an index left over from a longer game counts as live
      {7, 3, 1, 0}, {3, 3, 1, 0}, {-5, 3, 1, 0}};
  for (const auto& [index, size, back, forward] : cases) {
    EXPECT_EQ(browseBack(index, size), back) << index << " of " << size;
    EXPECT_EQ(browseForward(index, size), forward) << index << " of " << size;
  }
}

// (FEN, picked square, its legal destinations, the king in check)
TEST(Marks, LegalDestinationsAndCheck) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "g1", "f3 h3", "-"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e7", "", "-"},  // not the mover's
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e4", "", "-"},  // empty
      {"4k3/4r3/8/8/8/8/8/R3K2R w KQ - 0 1", "e1", "d1 f1 d2 f2", "e1"},           // no castling out of check
      {"4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1", "e2", "", "-"},                          // pinned
      {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5", "d6 e6", "-"},                    // en passant
      {"7k/P7/8/8/8/8/8/K7 w - - 0 1", "a7", "a8", "-"},                              // four promotions, one square
      {"4k3/8/8/8/8/8/8/4K2r w - - 0 1", "e1", "d2 e2 f2", "e1"}};
  for (const auto& [fen, from, destinations, checked] : cases) {
    const CChessBoard position = *positionFromFen(fen);
    std::string names;
    for (Square square : legalDestinations(position, parseSquare(from))) names += (names.empty() ? "" : " ") + squareName(square);
    const Square king = checkedKingSquare(position);
    EXPECT_EQ(names, destinations) << fen << " " << from;
    EXPECT_EQ(king == NO_SQUARE ? "-" : squareName(king), checked) << fen;
  }
  EXPECT_EQ(std::string() + fileLabel(0, true) + fileLabel(0, false) + rankLabel(0, true) + rankLabel(0, false), "ah18");
}

// Pasted text: a playable FEN becomes a set-up game, other text goes to the PGN reader as it is.
TEST(Paste, FenOfAPlayablePositionOrPgn) {
  const std::pair<const char*, const char*> cases[] = {
      {" 4k3/8/8/8/8/8/4P3/4K3 b - - 0 1\n", "[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 1\"]\n\n*\n"},
      {"8/8/8/8/8/8/8/8 w - - 0 1", ""},                  // no kings
      {"4k3/4R3/8/8/8/8/8/4K3 w - - 0 1", ""},            // the side that moved is in check
      {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", ""},             // a pawn on the last rank
      {"hola/mundo", ""},
      {"1. e4 e5 *", "1. e4 e5 *"}};
  for (const auto& [text, pgn] : cases) {
    std::string why;
    EXPECT_EQ(pastedGameText(text, why), pgn) << text;
    EXPECT_EQ(why.empty(), *pgn != 0) << text;
  }
}

TEST(Fit, TheLargestBoardWhoseWindowFitsTheRoom) {
  // 1280 x 1024 less a taskbar, with 150 pixels of bars across and 120 down: the height decides.
  EXPECT_EQ(largestFittingSquareSize({1280, 984}, {150, 120}), 86);
  EXPECT_EQ(largestFittingSquareSize({800, 2000}, {150, 120}), 65);  // a portrait screen: the width decides
  EXPECT_EQ(largestFittingSquareSize({100, 100}, {150, 120}), MIN_SQUARE_SIZE);
  EXPECT_EQ(largestFittingSquareSize({8000, 8000}, {150, 120}), MAX_SQUARE_SIZE);
}

// A 300 x 200 side window on a 1000 x 800 screen: right of the main window,
// else left, else below, else at the screen's edge; always inside the screen.
TEST(SideWindow, BesideTheMainWindowInsideTheScreen) {
  const std::pair<QRect, QPoint> cases[] = {
      {{100, 50, 440, 500}, {590, 60}}, {{600, 50, 340, 500}, {250, 60}},
      {{0, 0, 900, 500}, {0, 500}},     {{0, 700, 900, 100}, {700, 600}}};
  for (const auto& [main, expected] : cases)
    EXPECT_EQ(sideWindowPosition(main, {300, 200}, {0, 0, 1000, 800}, 50, 10), expected) << main.x() << "," << main.y();
}

}  // namespace
