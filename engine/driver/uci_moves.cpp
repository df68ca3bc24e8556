#include "driver/uci_moves.h"

#include "driver/protocol_text.h"
#include "position/move_gen.h"

std::string uciMoveText(const Move& move) { return move.isNull() ? "0000" : moveText(move); }

Move readUciMove(const CChessBoard& position, const std::string& text) {
  if (text.size() != 4 && text.size() != 5) return Move();
  const int from = squareAt(text, 0);
  const int to = squareAt(text, 2);
  if (from < 0 || to < 0) return Move();
  CChessBoard scratch = position;
  const Move* found = findMove(scratch, from, to);
  if (!found) return Move();
  Move move = *found;
  // The generator promotes to a queen only; the letter chooses the piece.
  const bool promotes = move.promotion != EMPTY;
  if (text.size() == 5) {
    const Piece white = promotionFromLetter(static_cast<char>(text[4] & ~0x20));
    if (!promotes || white == EMPTY) return Move();
    move.promotion = pieceForSide(white, position.sideToMove);
  }
  return move;
}
