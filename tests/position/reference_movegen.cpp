#include "reference_movegen.h"

#include "position/evaluation.h"

// The generator exactly as first written: every legality and check question is
// answered by copying the whole position and generating the other side's
// pseudo-legal moves. The engine's faster version must agree with it move for
// move.
namespace reference {
namespace {

constexpr int KING_OFFSETS[8] = {-1, 1, -16, 16, -15, 15, -17, 17};
constexpr int KNIGHT_OFFSETS[8] = {-14, -18, -33, 33, 14, 18, 31, -31};
constexpr int ROOK_OFFSETS[4] = {-1, 1, 16, -16};
constexpr int BISHOP_OFFSETS[4] = {17, -17, 15, -15};

bool isOpponentOf(int code, int side) { return code != EMPTY && !belongsTo(code, side); }

void addPawnCapture(CChessBoard& p, int from, int to, int side, int promotion) {
  if (!isOnBoard(to) || !isOpponentOf(p.squares[to], side)) return;
  p.addMove(Move(from, to, p.squares[from], p.squares[to], promotion));
}

// Ranks are counted from the mover's side: 1 the start, 6 the last before promotion.
void generatePawnMoves(CChessBoard& p, int from) {
  const int piece = p.squares[from], side = p.sideToMove ? 1 : 0;
  const int step = side ? 1 : -1, forward = 16 * step, rank = side ? rankOf(from) : 7 - rankOf(from);
  if (rank == 7) return;
  const int promotion = rank == 6 ? int{side ? WHITE_QUEEN : BLACK_QUEEN} : int{EMPTY};
  if (p.squares[from + forward] == EMPTY) {
    p.addMove(Move(from, from + forward, piece, EMPTY, promotion));
    if (rank == 1 && p.squares[from + 2 * forward] == EMPTY)
      p.addMove(Move(from, from + 2 * forward, piece, EMPTY, EMPTY));
  }
  addPawnCapture(p, from, from + forward - step, side, promotion);
  addPawnCapture(p, from, from + forward + step, side, promotion);
  if (rank == 4 && p.enPassantSquare != NO_SQUARE)
    for (int beside : {from - 1, from + 1})
      if (p.enPassantSquare == beside) p.addMove(Move(from, beside + forward, piece, EMPTY, EMPTY));
}

void walkLines(CChessBoard& p, int from, const int (&offsets)[4]) {
  const int piece = p.squares[from];
  for (int offset : offsets) {
    int to = from;
    for (int step = 0; step < 7; ++step) {
      to += offset;
      if (!isOnBoard(to)) break;
      const int target = p.squares[to];
      if (target == EMPTY) {
        p.addMove(Move(from, to, piece, EMPTY, EMPTY));
        continue;
      }
      if (isOpponentOf(target, p.sideToMove)) p.addMove(Move(from, to, piece, target, EMPTY));
      break;
    }
  }
}

void generateSteps(CChessBoard& p, int from, const int (&offsets)[8]) {
  const int piece = p.squares[from];
  for (int offset : offsets) {
    const int to = from + offset;
    if (!isOnBoard(to)) continue;
    const int target = p.squares[to];
    if (target == EMPTY || isOpponentOf(target, p.sideToMove)) p.addMove(Move(from, to, piece, target, EMPTY));
  }
}

void generateCastling(CChessBoard& p, int from) {
  const auto& s = p.squares;
  const int row = p.sideToMove ? 0 : A8, rook = p.sideToMove ? WHITE_ROOK : BLACK_ROOK;
  if (from != E1 + row) return;
  if ((p.castlingRights & (p.sideToMove ? WHITE_KING_SIDE : BLACK_KING_SIDE)) && s[F1 + row] == EMPTY &&
      s[G1 + row] == EMPTY && s[H1 + row] == rook)
    p.addMove(Move(from, G1 + row, s[from], EMPTY, EMPTY));
  if ((p.castlingRights & (p.sideToMove ? WHITE_QUEEN_SIDE : BLACK_QUEEN_SIDE)) && s[B1 + row] == EMPTY &&
      s[C1 + row] == EMPTY && s[D1 + row] == EMPTY && s[A1 + row] == rook && isKing(s[from]))
    p.addMove(Move(from, C1 + row, s[from], EMPTY, EMPTY));
}

void generatePieceMoves(CChessBoard& p, int from) {
  const int piece = p.squares[from];
  if (isRook(piece) || isQueen(piece)) walkLines(p, from, ROOK_OFFSETS);
  if (isBishop(piece) || isQueen(piece)) walkLines(p, from, BISHOP_OFFSETS);
  if (isKnight(piece)) generateSteps(p, from, KNIGHT_OFFSETS);
  if (isKing(piece)) {
    generateSteps(p, from, KING_OFFSETS);
    generateCastling(p, from);
  }
}

// The search's probe: the score of the child reached by the last move so far.
int probeLastMove(const CChessBoard& p) {
  CChessBoard child;
  createChild(child, p, p.moveCount - 1);  // uses the engine's makeMove
  return evaluate(child);
}

bool isCastlingMove(const Move& m) {
  return (m.piece == WHITE_KING && m.from == E1 && (m.to == G1 || m.to == C1)) ||
         (m.piece == BLACK_KING && m.from == E8 && (m.to == G8 || m.to == C8));
}

bool targetsSquare(const CChessBoard& p, int square) {
  for (int i = 0; i < p.moveCount; ++i)
    if (p.moves[i].to == square) return true;
  return false;
}

bool isLegalMove(const CChessBoard& position, const Move& move) {
  CChessBoard copy(position);
  reference::makeMove(copy, move);
  copy.switchSide();
  if (reference::canCaptureKing(copy)) return false;
  if (reference::isCastlingMove(move)) {
    const int crossed = move.to == G1 ? F1 : move.to == C1 ? D1 : move.to == G8 ? F8 : D8;
    CChessBoard step(position);
    reference::makeMove(step, Move(move.from, crossed, move.piece, step.squares[crossed], EMPTY));
    step.switchSide();
    if (reference::canCaptureKing(step)) return false;
    CChessBoard now(position);
    now.switchSide();
    if (reference::canCaptureKing(now)) return false;
  }
  return true;
}

bool hasLegalMove(const CChessBoard& p) {
  for (int i = 0; i < p.moveCount; ++i)
    if (reference::isLegalMove(p, p.moves[i])) return true;
  return false;
}

}  // namespace

bool makeMove(CChessBoard& p, const Move& move) {
  p.lastMove = move;
  if (move.from == move.to) return false;
  if (!isValidSquare(move.from) || !isValidSquare(move.to)) return false;
  const int from = move.from;
  const int to = move.to;
  p.squares[to] = p.squares[from];
  p.squares[from] = EMPTY;

  if (isPawn(move.piece)) {
    const bool whiteDouble = isWhitePiece(move.piece) && rankOf(from) == 1 && rankOf(to) == 3;
    const bool blackDouble = isBlackPiece(move.piece) && rankOf(from) == 6 && rankOf(to) == 4;
    p.enPassantSquare = (whiteDouble || blackDouble) ? static_cast<Square>(to) : NO_SQUARE;
    if (move.enPassant == 1) {
      const int behind = p.sideToMove ? to - 16 : to + 16;
      if (isValidSquare(behind)) p.squares[behind] = EMPTY;
    }
    if (move.promotion != EMPTY) p.squares[to] = move.promotion;
  } else {
    p.enPassantSquare = NO_SQUARE;
  }

  // castling rook
  for (int row : {0, int(A8)}) {
    if (from != E1 + row || (to != C1 + row && to != G1 + row) || !isKing(p.squares[to])) continue;
    const bool queenSide = to == C1 + row;
    p.squares[(queenSide ? D1 : F1) + row] = row ? BLACK_ROOK : WHITE_ROOK;
    p.squares[(queenSide ? A1 : H1) + row] = EMPTY;
  }

  // castling rights: the king moved, or a rook left or was taken on its corner
  if (move.piece == WHITE_KING) p.castlingRights &= 0xFC;
  if (move.piece == BLACK_KING) p.castlingRights &= 0xF3;
  if (from == H1 || to == H1) p.castlingRights &= ~WHITE_KING_SIDE;
  if (from == A1 || to == A1) p.castlingRights &= ~WHITE_QUEEN_SIDE;
  if (from == H8 || to == H8) p.castlingRights &= ~BLACK_KING_SIDE;
  if (from == A8 || to == A8) p.castlingRights &= ~BLACK_QUEEN_SIDE;
  return true;
}

int generateMoves(CChessBoard& p, bool pseudoOnly, int upperBound, int lowerBound) {
  p.moveCount = 0;
  for (int from = 0; from < SQUARE_COUNT; ++from) {
    if (!isOnBoard(from) || p.squares[from] == EMPTY || !belongsTo(p.squares[from], p.sideToMove)) continue;
    if (isPawn(p.squares[from])) {
      generatePawnMoves(p, from);
      continue;
    }
    generatePieceMoves(p, from);
    if (p.moveCount == 0) continue;
    if (upperBound != NO_BOUND) {
      const int score = probeLastMove(p);
      if (score > upperBound) return score;
    }
    if (lowerBound != NO_BOUND) {
      const int score = probeLastMove(p);
      if (score < lowerBound) return score;
    }
  }
  if (pseudoOnly) return p.moveCount;
  reference::removeIllegalMoves(p);
  for (int i = 0; i < p.moveCount; ++i)
    p.moves[i].checkState = static_cast<CheckState>(reference::classifyMove(p, p.moves[i]));
  return p.moveCount;
}

void removeIllegalMoves(CChessBoard& p) {
  int kept = 0;
  for (int i = 0; i < p.moveCount; ++i)
    if (reference::isLegalMove(p, p.moves[i])) p.moves[kept++] = p.moves[i];
  p.moveCount = kept;
}

bool canCaptureKing(CChessBoard& p) {
  const int king = p.sideToMove ? BLACK_KING : WHITE_KING;
  for (Square s : ALL_SQUARES) {
    if (p.squares[s] != king) continue;
    reference::generateMoves(p, true);
    return reference::targetsSquare(p, s);
  }
  return false;
}

int classifyMove(const CChessBoard& position, const Move& move) {
  CChessBoard copy(position);
  reference::makeMove(copy, move);
  if (!reference::canCaptureKing(copy)) return 0;
  copy.switchSide();
  reference::generateMoves(copy, true);
  return reference::hasLegalMove(copy) ? 1 : 2;
}

}  // namespace reference
