#include "board_geometry.h"

#include <algorithm>
#include <cstdint>

PixelSize boardPixelSize(int squareSize) { return {BOARD_CELLS * squareSize, BOARD_CELLS * squareSize}; }

PixelSize frameClientSize(int squareSize) {
  return {BOARD_CELLS * squareSize + CLIENT_EXTRA_WIDTH, CLIENT_ROWS * squareSize};
}

int clampSquareSize(int squareSize) { return std::clamp(squareSize, MIN_SQUARE_SIZE, MAX_SQUARE_SIZE); }

int largestFittingSquareSize(PixelSize room, PixelSize overhead) {
  const int byWidth = (room.width - overhead.width) / BOARD_CELLS;
  const int byHeight = (room.height - overhead.height) / BOARD_CELLS;
  return clampSquareSize(std::min(byWidth, byHeight));
}

int squareAtCell(int column, int row, bool whiteAtBottom) {
  return whiteAtBottom ? makeSquare(column, row) : makeSquare(7 - column, 7 - row);
}

std::string clickedSquareText(int x, int y, int squareSize, bool whiteAtBottom) {
  int q = x / squareSize;
  int r = y / squareSize;
  char file = static_cast<char>(whiteAtBottom ? 96 + q : 105 - q);
  char rank = static_cast<char>(whiteAtBottom ? 57 - r : 48 + r);
  return {file, rank};
}

Square clickedSquare(int x, int y, int squareSize, bool whiteAtBottom) {
  return parseSquare(clickedSquareText(x, y, squareSize, whiteAtBottom));
}

std::string squareInfoText(int x, int y, int squareSize, bool whiteAtBottom) {
  std::string text = clickedSquareText(x, y, squareSize, whiteAtBottom);
  int value = static_cast<std::int8_t>(parseSquare(text));
  return std::to_string(value) + " " + text;
}

int effectiveBrowseIndex(int browseIndex, int historySize) {
  return browseIndex >= 0 && browseIndex < historySize ? browseIndex : -1;
}

int browseBack(int browseIndex, int historySize) {
  int index = effectiveBrowseIndex(browseIndex, historySize);
  if (index == -1)
    index = historySize - 2;
  else if (index > 1)
    --index;
  return effectiveBrowseIndex(index, historySize);
}

int browseForward(int browseIndex, int historySize) {
  int index = effectiveBrowseIndex(browseIndex, historySize);
  if (index < historySize - 1) ++index;
  if (index == historySize - 1) index = -1;
  return index;
}
