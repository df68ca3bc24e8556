#pragma once
// The arithmetic of the board view, kept apart from the widget so it can be
// checked without a window: which square a point or a cell stands for, how the
// browsing index steps through the history, and how large things are.

#include <string>

#include "position/square.h"

// The drawing is a 10 x 10 grid of cells: a frame line on each side, 8 x 8 squares.
constexpr int BOARD_CELLS = 10;
constexpr int DEFAULT_SQUARE_SIZE = 42;
// Clicks divide by the cell size, and below 8 pixels no glyph can be told
// apart; above 200 the window no longer fits any screen.
constexpr int MIN_SQUARE_SIZE = 8;
constexpr int MAX_SQUARE_SIZE = 200;
// The window's client area holds the board (10 cells square) plus room for
// the right-hand bar (100 pixels) and, below, one more cell's height for the
// toolbar and the status bar: 42 gives 520 x 462, 45 gives 550 x 495.
constexpr int CLIENT_EXTRA_WIDTH = 100;
constexpr int CLIENT_ROWS = 11;

struct PixelSize {
  int width;
  int height;
  bool operator==(const PixelSize&) const = default;
};

PixelSize boardPixelSize(int squareSize);
PixelSize frameClientSize(int squareSize);
int clampSquareSize(int squareSize);
// The largest cell size whose window, the board plus a fixed overhead of bars
// and borders, fits in room (never below the minimum).
int largestFittingSquareSize(PixelSize room, PixelSize overhead);

// The square drawn in board column c (0..7, left to right) and board row i
// (0..7, bottom to top).
int squareAtCell(int column, int row, bool whiteAtBottom);

// The two-character text of the cell under view point (x, y). Points on the
// frame or beyond it give characters outside a..h / 1..8 on purpose: the
// square parsed from them is then no board square and is passed on as it is.
std::string clickedSquareText(int x, int y, int squareSize, bool whiteAtBottom);
Square clickedSquare(int x, int y, int squareSize, bool whiteAtBottom);
// "52 e4": the square as a signed byte, a blank and its text.
std::string squareInfoText(int x, int y, int squareSize, bool whiteAtBottom);

// -1 shows the live position. An index naming no entry of a history of
// historySize entries counts as -1.
int effectiveBrowseIndex(int browseIndex, int historySize);
// Back from live goes to the entry before the last; further back stops at 1.
int browseBack(int browseIndex, int historySize);
// Forward from live shows entry 0; reaching the last entry returns to live.
int browseForward(int browseIndex, int historySize);
