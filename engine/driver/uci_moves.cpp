#include "driver/uci_moves.h"

#include "position/move_gen.h"

namespace {

// The square named at text[at], or -1 unless it is a1..h8.
int squareAt(const std::string& text, std::size_t at) {
  const char file = text[at];
  const char rank = text[at + 1];
  if (file < 'a' || file > 'h' || rank < '1' || rank > '8') return -1;
  return makeSquare(file - 'a', rank - '1');
}

}  // namespace

std::string uciMoveText(const Move& move) {
  if (move.isNull()) return "0000";
  std::string text = squareName(move.from) + squareName(move.to);
  if (move.promotion != EMPTY) text += static_cast<char>(pieceLetter(move.promotion) | 0x20);
  return text;
}

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
