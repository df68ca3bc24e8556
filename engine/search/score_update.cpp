#include "search/score_update.h"

#include "position/move_gen.h"
#include "position/evaluation.h"

namespace {

struct SquareValues {
  std::int16_t value[256][128] = {};

  SquareValues() {
    CBoard board;
    for (Piece& square : board.squares) square = EMPTY;
    for (int code = 0; code < 255; ++code) {
      for (Square s : ALL_SQUARES) {
        board.squares[s] = static_cast<Piece>(code);
        value[code][s] = static_cast<std::int16_t>(evaluate(board));
        board.squares[s] = EMPTY;
      }
    }
  }
};

const SquareValues& squareValues() {
  static const SquareValues values;
  return values;
}

}  // namespace

std::int32_t squareValue(int code, int square) { return squareValues().value[code & 255][square & 127]; }

std::int32_t scoreAfterMove(const CBoard& parent, std::int32_t parentScore, const CBoard& child, const Move& move) {
  const auto& value = squareValues().value;
  std::int32_t score = parentScore;
  const auto update = [&](int s) { score += value[child.squares[s]][s] - value[parent.squares[s]][s]; };
  // The squares makeMove may change: origin, destination, the pawn taken en
  // passant, and the castling rook's two squares. A square that did not
  // change adds nothing.
  update(move.from);
  update(move.to);
  if (move.enPassant) {
    if (isOnBoard(move.to - 16)) update(move.to - 16);
    if (isOnBoard(move.to + 16)) update(move.to + 16);
  }
  if (move.from == E1 && move.to == C1) {
    update(A1);
    update(D1);
  } else if (move.from == E1 && move.to == G1) {
    update(H1);
    update(F1);
  } else if (move.from == E8 && move.to == C8) {
    update(A8);
    update(D8);
  } else if (move.from == E8 && move.to == G8) {
    update(H8);
    update(F8);
  }
  return score;
}

std::int32_t scoreAfterMove(const CBoard& parent, std::int32_t parentScore, const Move& move) {
  const bool special = move.enPassant || move.promotion != EMPTY || move.from == E1 || move.from == E8 ||
                       !isValidSquare(move.from) || !isValidSquare(move.to) || move.from == move.to;
  if (special) {
    CBoard child = parent;
    applyMove(child, move);
    return scoreAfterMove(parent, parentScore, child, move);
  }
  const auto& value = squareValues().value;
  const int moved = parent.squares[move.from];
  return parentScore + value[moved][move.to] - value[moved][move.from] - value[parent.squares[move.to]][move.to];
}
