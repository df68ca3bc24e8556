#include "search/node_moves.h"

#include "position/attack.h"
#include "search/score_update.h"

namespace {

bool isNeighbour(int delta) {
  return delta == 1 || delta == -1 || delta == 15 || delta == -15 || delta == 16 || delta == -16 || delta == 17 ||
         delta == -17;
}

bool isKnightStep(int delta) {
  return delta == 14 || delta == -14 || delta == 18 || delta == -18 || delta == 31 || delta == -31 || delta == 33 ||
         delta == -33;
}

bool isSlider(int code) { return isRook(code) || isBishop(code) || isQueen(code); }

// Walking out from the king along `direction`: the first square that holds a
// piece once the move is made (its origin empty, its destination taken), or -1
// when the walk leaves the board.
int firstPieceAfterMove(const CBoard& board, int king, int direction, const Move& move) {
  for (int s = king + direction; isOnBoard(s); s += direction) {
    if (s == move.to) return s;
    if (s != move.from && board.squares[s] != EMPTY) return s;
  }
  return -1;
}

// False only when the move certainly does not attack the other king, which
// was not attacked before: an attack can then only come from the moved piece
// on its new square, or from a slider behind the square it left. Anything
// unusual is left to the full classification.
bool mayGiveCheck(const CBoard& board, int otherKing, const Move& move) {
  if (move.enPassant || move.promotion != EMPTY) return true;
  if ((move.from == E1 || move.from == E8) && (move.to == C1 || move.to == G1 || move.to == C8 || move.to == G8))
    return true;
  const int side = board.sideToMove;

  // Discovered: the first piece behind the vacated square is one of ours that slides.
  if (const int direction = attack::LINE_DIRECTION[move.from - otherKing + 119]) {
    const int first = firstPieceAfterMove(board, otherKing, direction, move);
    if (first >= 0 && first != move.to && belongsTo(board.squares[first], side) && isSlider(board.squares[first]))
      return true;
  }

  const int piece = board.squares[move.from];
  const int delta = otherKing - move.to;
  if (isKnight(piece)) return isKnightStep(delta);
  if (isPawn(piece)) return delta == 15 || delta == 17 || delta == -15 || delta == -17;
  if (isKing(piece)) return isNeighbour(delta);
  if (!isSlider(piece)) return true;
  const int direction = attack::LINE_DIRECTION[move.to - otherKing + 119];
  if (direction == 0) return false;
  if (firstPieceAfterMove(board, otherKing, direction, move) != move.to) return false;
  return isQueen(piece) || (attack::isDiagonal(direction) ? isBishop(piece) : isRook(piece));
}

// classifyMove for a move that may check the single other king, which is not
// attacked yet. A check is a mate only when no reply is legal; a king step
// out of it, tried first, usually settles that without generating the replies.
int classifyCheckingMove(const CBoard& board, const LegalityContext& context, const Move& move) {
  CBoard after = board;
  applyMove(after, move);
  const int king = context.otherKingSquare;
  const int kingCode = after.squares[king];
  if (!isKing(kingCode) || belongsTo(kingCode, context.side) || isKing(move.promotion))
    return classifyMove(board, context, move);
  if (!attack::isAttackedBy(after, king, context.side)) return 0;

  after.sideToMove = context.side ? 0 : 1;
  const LegalityContext replyContext = legalityContext(after);
  for (int offset : attack::KING_OFFSETS) {
    const int to = king + offset;
    if (!isOnBoard(to)) continue;
    const int target = after.squares[to];
    if (target != EMPTY && belongsTo(target, after.sideToMove)) continue;
    if (isLegal(after, replyContext, Move(king, to, kingCode, target, EMPTY))) return 1;
  }
  return classifyMove(board, context, move);
}

}  // namespace

void NodeMoves::start(const CBoard& position, std::int32_t boardScore, int upperBound, int lowerBound) {
  board = &position;
  cursor = 0;
  stopped = false;
  pseudoCount = generatePseudoMoves(position, pseudo);
  listCount = pseudoCount;

  // The probe: after each piece other than a pawn, and only once the list
  // holds a move, the child of the last move so far is scored against the bounds.
  if (upperBound != NO_BOUND || lowerBound != NO_BOUND) {
    int generated = 0;
    int probed = -1;
    std::int32_t probeScore = 0;
    for (Square from : ALL_SQUARES) {
      const int piece = position.squares[from];
      if (piece == EMPTY || !belongsTo(piece, position.sideToMove)) continue;
      while (generated < pseudoCount && pseudo[generated].from <= from) ++generated;
      if (isPawn(piece) || generated == 0) continue;
      if (probed != generated - 1) {
        probed = generated - 1;
        probeScore = scoreAfterMove(position, boardScore, pseudo[probed]);
      }
      if ((upperBound != NO_BOUND && probeScore > upperBound) ||
          (lowerBound != NO_BOUND && probeScore < lowerBound)) {
        stopped = true;
        listCount = generated;
        break;
      }
    }
  }

  context = legalityContext(position, true);
  checkFilter = context.otherKingCount == 1 && !context.otherInCheck;
  if (stopped) {
    // A stopped list is taken as it stands, unless the side to move has no
    // legal move at all: then the node is scored as such (no moves).
    bool anyLegal = false;
    for (int i = 0; i < pseudoCount && !anyLegal; ++i) anyLegal = isLegal(position, context, pseudo[i]);
    if (!anyLegal) listCount = 0;
  }
}

bool NodeMoves::next(Move& move) {
  while (cursor < listCount) {
    move = pseudo[cursor++];
    if (stopped) return true;
    if (!isLegal(*board, context, move)) continue;
    int checkState;
    if (!checkFilter)
      checkState = classifyMove(*board, context, move);
    else if (!mayGiveCheck(*board, context.otherKingSquare, move))
      checkState = 0;
    else
      checkState = classifyCheckingMove(*board, context, move);
    move.checkState = static_cast<CheckState>(checkState);
    return true;
  }
  return false;
}
