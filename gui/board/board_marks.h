#pragma once
// What the board shows besides the pieces: the last move's squares, the
// picked piece's legal destinations, a king in check and a suggested move.
// Plain functions of a position, so they are checked without a window.

#include <vector>

#include "position/chess_board.h"

struct BoardMarks {
  Square lastFrom = NO_SQUARE, lastTo = NO_SQUARE;
  Square checkedKing = NO_SQUARE;
  std::vector<Square> destinations;  // of the picked piece, when shown
  Square hintFrom = NO_SQUARE, hintTo = NO_SQUARE;
};

// The squares the piece on `from` may legally move to, in a1..h8 order, each
// once (a promotion's four choices are one square). None for an empty square
// or a piece of the side not to move.
std::vector<Square> legalDestinations(const CBoard& position, int from);
// The side to move's king when it is attacked, else NO_SQUARE.
Square checkedKingSquare(const CBoard& position);
// The last move's squares, the king in check and, when `from` is a board
// square and `showLegal`, its destinations.
BoardMarks boardMarks(const CChessBoard& position, int from, bool showLegal);

// The file letters and rank digits written beside the board, left to right
// and bottom to top as the board is seen.
char fileLabel(int column, bool whiteAtBottom);
char rankLabel(int row, bool whiteAtBottom);
