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
  EXPECT_EQ(clickedSquare(c.x, c.y, DEFAULT_SQUARE_SIZE, c.whiteAtBottom), parseSquare(c.text));
}

// Cells are 42 pixels: column 1 starts at x = 42, row 1 at y = 42.
INSTANTIATE_TEST_SUITE_P(BothOrientations, ClickTest,
                         ::testing::Values(ClickCase{42, 42, true, "a8"}, ClickCase{83, 83, true, "a8"},
                                           ClickCase{84, 84, true, "b7"}, ClickCase{8 * 42 + 41, 8 * 42 + 41, true, "h1"},
                                           ClickCase{5 * 42, 5 * 42, true, "e4"}, ClickCase{42, 42, false, "h1"},
                                           ClickCase{8 * 42, 8 * 42, false, "a8"}, ClickCase{4 * 42, 5 * 42, false, "e5"},
                                           // the frame: outside a..h / 1..8
                                           ClickCase{0, 0, true, "`9"}, ClickCase{9 * 42, 9 * 42, true, "i0"},
                                           ClickCase{0, 0, false, "i0"}, ClickCase{9 * 42, 9 * 42, false, "`9"}));

TEST(Click, FrameCellsGiveNoBoardSquare) {
  for (int column : {0, 9})
    for (int row = 0; row < 10; ++row)
      for (bool whiteAtBottom : {true, false}) {
        EXPECT_FALSE(isOnBoard(clickedSquare(column * 42 + 1, row * 42 + 1, 42, whiteAtBottom)));
        EXPECT_FALSE(isOnBoard(clickedSquare(row * 42 + 1, column * 42 + 1, 42, whiteAtBottom)));
      }
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

TEST(SquareInfo, ShowsTheSignedByteAndTheText) {
  EXPECT_EQ(squareInfoText(5 * 42 + 3, 5 * 42 + 3, 42, true), "52 e4");
  EXPECT_EQ(squareInfoText(42, 8 * 42, 42, true), "0 a1");
  // "`9": (57 - 49) * 16 + (96 - 97) = 127; "i0": -16 + 8 = -8
  EXPECT_EQ(squareInfoText(0, 0, 42, true), "127 `9");
  EXPECT_EQ(squareInfoText(0, 0, 42, false), "-8 i0");
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
                             // after 1.e4 e5: three entries
                             BrowseCase{-1, 3, 1, 0}, BrowseCase{1, 3, 1, -1}, BrowseCase{0, 3, 0, 1},
                             BrowseCase{2, 3, 1, -1},
                             // a longer game: back stops at 1, never reaching 0 by stepping
                             BrowseCase{5, 10, 4, 6}, BrowseCase{2, 10, 1, 3}, BrowseCase{8, 10, 7, -1},
                             BrowseCase{-1, 10, 8, 0},
                             // short histories
                             BrowseCase{-1, 2, 0, 0}, BrowseCase{-1, 1, -1, -1}, BrowseCase{-1, 0, -1, -1},
                             // an index left over from a longer game counts as live
                             BrowseCase{7, 3, 1, 0}, BrowseCase{3, 3, 1, 0}, BrowseCase{-5, 3, 1, 0}));

TEST(Browse, WalkAfterOneE4E5) {
  int index = -1;
  index = browseBack(index, 3);
  EXPECT_EQ(index, 1);
  index = browseBack(index, 3);
  EXPECT_EQ(index, 1);
  index = browseForward(index, 3);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(effectiveBrowseIndex(2, 2), -1);
  EXPECT_EQ(effectiveBrowseIndex(1, 2), 1);
}

TEST(Sizes, ClientAreaAroundTheBoard) {
  EXPECT_EQ(boardPixelSize(DEFAULT_SQUARE_SIZE), (PixelSize{420, 420}));
  EXPECT_EQ(frameClientSize(DEFAULT_SQUARE_SIZE), (PixelSize{520, 462}));
  EXPECT_EQ(frameClientSize(DEFAULT_SQUARE_SIZE + 3), (PixelSize{550, 495}));
  EXPECT_EQ(clampSquareSize(0), MIN_SQUARE_SIZE);
  EXPECT_EQ(clampSquareSize(-7), MIN_SQUARE_SIZE);
  EXPECT_EQ(clampSquareSize(43), 43);
  EXPECT_EQ(clampSquareSize(1000), MAX_SQUARE_SIZE);
}

}  // namespace
