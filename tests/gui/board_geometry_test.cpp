#include "board_geometry.h"

#include <gtest/gtest.h>

namespace {

struct ClickCase {
  int x, y;
  bool whiteAtBottom;
  const char* text;
};

class ClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ClickTest, CellGivesSquareText) {
  const ClickCase& c = GetParam();
  EXPECT_EQ(clickedSquareText(c.x, c.y, DEFAULT_SQUARE_SIZE, c.whiteAtBottom), c.text);
}

// Cells are 42 pixels: column 1 starts at x = 42, row 1 at y = 42; the frame lies outside a..h / 1..8.
INSTANTIATE_TEST_SUITE_P(BothOrientations, ClickTest,
                         ::testing::Values(ClickCase{42, 42, true, "a8"}, ClickCase{83, 83, true, "a8"},
                                           ClickCase{84, 84, true, "b7"}, ClickCase{377, 377, true, "h1"},
                                           ClickCase{42, 42, false, "h1"}, ClickCase{4 * 42, 5 * 42, false, "e5"},
                                           ClickCase{0, 0, true, "`9"}, ClickCase{9 * 42, 9 * 42, true, "i0"},
                                           ClickCase{0, 0, false, "i0"}, ClickCase{9 * 42, 9 * 42, false, "`9"}));

TEST(Click, EveryBoardCellGivesTheSquareDrawnThere) {
  for (bool whiteAtBottom : {true, false})
    for (int row = 0; row < 8; ++row)
      for (int column = 0; column < 8; ++column) {
        int x = (column + 1) * 30 + 15;
        int y = (8 - row) * 30 + 15;  // board row 0 is drawn lowest
        EXPECT_EQ(clickedSquare(x, y, 30, whiteAtBottom), squareAtCell(column, row, whiteAtBottom));
      }
}

struct BrowseCase {
  int index, historySize, back, forward;
};

class BrowseTest : public ::testing::TestWithParam<BrowseCase> {};

TEST_P(BrowseTest, Steps) {
  const BrowseCase& c = GetParam();
  EXPECT_EQ(browseBack(c.index, c.historySize), c.back);
  EXPECT_EQ(browseForward(c.index, c.historySize), c.forward);
}

INSTANTIATE_TEST_SUITE_P(History, BrowseTest,
                         ::testing::Values(
                             // after 1.e4 e5: three entries; back stops at 1, forward past the end is live (-1)
                             BrowseCase{-1, 3, 1, 0}, BrowseCase{1, 3, 1, -1}, BrowseCase{0, 3, 0, 1},
                             BrowseCase{5, 10, 4, 6}, BrowseCase{8, 10, 7, -1}, BrowseCase{-1, 10, 8, 0},
                             // short histories
                             BrowseCase{-1, 2, 0, 0}, BrowseCase{-1, 1, -1, -1}, BrowseCase{-1, 0, -1, -1},
                             // an index left over from a longer game counts as live
                             BrowseCase{7, 3, 1, 0}, BrowseCase{3, 3, 1, 0}, BrowseCase{-5, 3, 1, 0}));

TEST(Fit, TheLargestBoardWhoseWindowFitsTheRoom) {
  // 1280 x 1024 less a taskbar, with 150 pixels of bars across and 120 down: the height decides.
  EXPECT_EQ(largestFittingSquareSize({1280, 984}, {150, 120}), 86);
  EXPECT_EQ(largestFittingSquareSize({800, 2000}, {150, 120}), 65);  // a portrait screen: the width decides
  EXPECT_EQ(largestFittingSquareSize({100, 100}, {150, 120}), MIN_SQUARE_SIZE);
  EXPECT_EQ(largestFittingSquareSize({8000, 8000}, {150, 120}), MAX_SQUARE_SIZE);
}

}  // namespace
