#include "board_marks.h"

#include <algorithm>

#include "position/move_gen.h"

std::vector<Square> legalDestinations(const CBoard& position, int from) {
  std::vector<Square> squares;
  if (!isValidSquare(from)) return squares;
  MoveBuffer buffer;
  const int count = generateLegalMoves(position, buffer.moves);
  for (int i = 0; i < count; ++i)
    if (buffer.moves[i].from == from) squares.push_back(buffer.moves[i].to);
  std::sort(squares.begin(), squares.end());
  squares.erase(std::unique(squares.begin(), squares.end()), squares.end());
  return squares;
}

Square checkedKingSquare(const CBoard& position) {
  const LegalityContext context = legalityContext(position);
  if (!context.inCheck || context.kingCount != 1) return NO_SQUARE;
  return static_cast<Square>(context.kingSquare);
}

BoardMarks boardMarks(const CChessBoard& position, int from, bool showLegal) {
  BoardMarks marks;
  if (!position.lastMove.isNull() && isValidSquare(position.lastMove.from) && isValidSquare(position.lastMove.to)) {
    marks.lastFrom = position.lastMove.from;
    marks.lastTo = position.lastMove.to;
  }
  marks.checkedKing = checkedKingSquare(position);
  if (showLegal) marks.destinations = legalDestinations(position, from);
  return marks;
}

char fileLabel(int column, bool whiteAtBottom) {
  return static_cast<char>(whiteAtBottom ? 'a' + column : 'h' - column);
}

char rankLabel(int row, bool whiteAtBottom) { return static_cast<char>(whiteAtBottom ? '1' + row : '8' - row); }
