#include "move_gen.h"

#include <algorithm>

#include "attack.h"
#include "evaluation.h"

using namespace attack;

namespace {

// Appends to a fixed list and silently drops what does not fit: set-up
// positions can hold more pseudo-legal moves than any game position. The
// size is the type's, so the check costs no load of it after each store.
template <int Capacity>
struct MoveSink {
  Move* moves;
  int count = 0;
  void add(const Move& move) {
    if (count < Capacity) moves[count++] = move;
  }
};

bool isOpponentOf(int code, int side) { return code != EMPTY && !belongsTo(code, side); }

template <class Sink>
void addPawnCapture(const CBoard& b, Sink& out, int from, int to, int promotion) {
  if (!isOnBoard(to) || !isOpponentOf(b.squares[to], b.sideToMove)) return;
  out.add(Move(from, to, b.squares[from], b.squares[to], promotion));
}

// Only queen promotions; en-passant captures are built with captured EMPTY so
// the Move constructor marks them. `Tactical`: captures and promotions only.
template <bool Tactical, class Sink>
void generatePawnMoves(const CBoard& b, Sink& out, int from) {
  const Piece* s = b.squares;
  const int piece = s[from];
  const int rank = rankOf(from);
  if (b.sideToMove) {
    if (rank < 6) {
      if (!Tactical && s[from + 16] == EMPTY) {
        out.add(Move(from, from + 16, piece, EMPTY, EMPTY));
        if (rank == 1 && s[from + 32] == EMPTY) out.add(Move(from, from + 32, piece, EMPTY, EMPTY));
      }
      addPawnCapture(b, out, from, from + 15, EMPTY);
      addPawnCapture(b, out, from, from + 17, EMPTY);
      if (rank == 4 && b.enPassantSquare != NO_SQUARE) {
        if (b.enPassantSquare == from - 1) out.add(Move(from, from + 15, piece, EMPTY, EMPTY));
        if (b.enPassantSquare == from + 1) out.add(Move(from, from + 17, piece, EMPTY, EMPTY));
      }
    } else if (rank == 6) {
      if (s[from + 16] == EMPTY) out.add(Move(from, from + 16, piece, EMPTY, WHITE_QUEEN));
      addPawnCapture(b, out, from, from + 15, WHITE_QUEEN);
      addPawnCapture(b, out, from, from + 17, WHITE_QUEEN);
    }
  } else {
    if (rank > 1) {
      if (!Tactical && s[from - 16] == EMPTY) {
        out.add(Move(from, from - 16, piece, EMPTY, EMPTY));
        if (rank == 6 && s[from - 32] == EMPTY) out.add(Move(from, from - 32, piece, EMPTY, EMPTY));
      }
      addPawnCapture(b, out, from, from - 15, EMPTY);
      addPawnCapture(b, out, from, from - 17, EMPTY);
      if (rank == 3 && b.enPassantSquare != NO_SQUARE) {
        if (b.enPassantSquare == from - 1) out.add(Move(from, from - 17, piece, EMPTY, EMPTY));
        if (b.enPassantSquare == from + 1) out.add(Move(from, from - 15, piece, EMPTY, EMPTY));
      }
    } else if (rank == 1) {
      if (s[from - 16] == EMPTY) out.add(Move(from, from - 16, piece, EMPTY, BLACK_QUEEN));
      addPawnCapture(b, out, from, from - 15, BLACK_QUEEN);
      addPawnCapture(b, out, from, from - 17, BLACK_QUEEN);
    }
  }
}

template <bool Tactical, class Sink>
void walkLines(const CBoard& b, Sink& out, int from, const int (&offsets)[4]) {
  const int piece = b.squares[from];
  for (int offset : offsets) {
    for (int to = from + offset; isOnBoard(to); to += offset) {
      const int target = b.squares[to];
      if (target == EMPTY) {
        if (!Tactical) out.add(Move(from, to, piece, EMPTY, EMPTY));
        continue;
      }
      if (isOpponentOf(target, b.sideToMove)) out.add(Move(from, to, piece, target, EMPTY));
      break;
    }
  }
}

template <bool Tactical, class Sink>
void generateSteps(const CBoard& b, Sink& out, int from, const int (&offsets)[8]) {
  const int piece = b.squares[from];
  for (int offset : offsets) {
    const int to = from + offset;
    if (!isOnBoard(to)) continue;
    const int target = b.squares[to];
    if ((!Tactical && target == EMPTY) || isOpponentOf(target, b.sideToMove))
      out.add(Move(from, to, piece, target, EMPTY));
  }
}

// Only the mover's own rook on the corner allows castling; whether the king is
// in check or crosses an attacked square is the legality test's business.
template <class Sink>
void generateCastling(const CBoard& b, Sink& out, int from) {
  const Piece* s = b.squares;
  if (b.sideToMove && from == E1) {
    if ((b.castlingRights & WHITE_KING_SIDE) && s[F1] == EMPTY && s[G1] == EMPTY && s[H1] == WHITE_ROOK)
      out.add(Move(E1, G1, s[E1], EMPTY, EMPTY));
    if ((b.castlingRights & WHITE_QUEEN_SIDE) && s[B1] == EMPTY && s[C1] == EMPTY && s[D1] == EMPTY &&
        s[A1] == WHITE_ROOK && isKing(s[E1]))
      out.add(Move(E1, C1, s[E1], EMPTY, EMPTY));
  } else if (!b.sideToMove && from == E8) {
    if ((b.castlingRights & BLACK_KING_SIDE) && s[F8] == EMPTY && s[G8] == EMPTY && s[H8] == BLACK_ROOK)
      out.add(Move(E8, G8, s[E8], EMPTY, EMPTY));
    if ((b.castlingRights & BLACK_QUEEN_SIDE) && s[B8] == EMPTY && s[C8] == EMPTY && s[D8] == EMPTY &&
        s[A8] == BLACK_ROOK && isKing(s[E8]))
      out.add(Move(E8, C8, s[E8], EMPTY, EMPTY));
  }
}

template <bool Tactical, class Sink>
void generatePieceMoves(const CBoard& b, Sink& out, int from) {
  const int piece = b.squares[from];
  if (isRook(piece) || isQueen(piece)) walkLines<Tactical>(b, out, from, ROOK_OFFSETS);
  if (isBishop(piece) || isQueen(piece)) walkLines<Tactical>(b, out, from, BISHOP_OFFSETS);
  if (isKnight(piece)) generateSteps<Tactical>(b, out, from, KNIGHT_OFFSETS);
  if (isKing(piece)) {
    generateSteps<Tactical>(b, out, from, KING_OFFSETS);
    if (!Tactical) generateCastling(b, out, from);
  }
}

// The search's bound probe: the static score after the last move so far.
template <class Sink>
int probeLastMove(const CBoard& b, const Sink& out) {
  CBoard child = b;
  applyMove(child, out.moves[out.count - 1]);
  return evaluate(child);
}

// Pseudo-legal generation in board order. With bounds, returns true and the
// probe's score as soon as a probe falls outside them.
template <class Sink>
bool generatePseudo(const CBoard& b, Sink& out, int upperBound, int lowerBound, int& stopScore) {
  const bool bounded = upperBound != NO_BOUND || lowerBound != NO_BOUND;
  for (Square from : ALL_SQUARES) {
    const int piece = b.squares[from];
    if (piece == EMPTY || !belongsTo(piece, b.sideToMove)) continue;
    if (isPawn(piece)) {
      generatePawnMoves<false>(b, out, from);
      continue;
    }
    generatePieceMoves<false>(b, out, from);
    if (!bounded || out.count == 0) continue;
    if (upperBound != NO_BOUND) {
      stopScore = probeLastMove(b, out);
      if (stopScore > upperBound) return true;
    }
    if (lowerBound != NO_BOUND) {
      stopScore = probeLastMove(b, out);
      if (stopScore < lowerBound) return true;
    }
  }
  return false;
}

// Moves entry i down to the next kept place; copying an entry onto itself
// right after it was written stalls on the store.
inline void keep(Move* list, int& kept, int i) {
  if (kept != i) list[kept] = list[i];
  ++kept;
}

int crossedSquare(int castlingTo) {
  switch (castlingTo) {
    case G1:
      return F1;
    case C1:
      return D1;
    case G8:
      return F8;
    default:
      return D8;
  }
}

// Where the mover's king stands after `move` on `after`: the first square in
// board order holding it, as the whole-copy attack test searches.
int kingSquareAfter(const CBoard& after, const LegalityContext& ctx, const Move& move) {
  if (ctx.kingCount == 1 && !isKing(move.promotion)) {
    const int guess = move.from == ctx.kingSquare ? move.to : ctx.kingSquare;
    if (isValidSquare(guess) && after.squares[guess] == ctx.king) return guess;
  }
  return findFirst(after, ctx.king);
}

bool leavesKingAttacked(const CBoard& b, const LegalityContext& ctx, const Move& move) {
  CBoard after = b;
  applyMove(after, move);
  const int king = kingSquareAfter(after, ctx, move);
  return king != NO_SQUARE && isAttackedBy(after, king, !ctx.side);
}

// A move of an ordinary piece of the mover, with the king not in check, can
// only expose the king along the line from the king through its origin.
bool isQuietForKing(const CBoard& b, const LegalityContext& ctx, const Move& move) {
  return ctx.kingCount == 1 && !ctx.inCheck && isValidSquare(move.from) && isValidSquare(move.to) &&
         move.from != ctx.kingSquare && move.to != ctx.kingSquare && belongsTo(b.squares[move.from], ctx.side) &&
         !(isPawn(move.piece) && move.enPassant == 1) &&
         (move.promotion == EMPTY || belongsTo(move.promotion, ctx.side)) && !isCastlingMove(move);
}

bool opensLineToKing(const CBoard& b, const LegalityContext& ctx, const Move& move) {
  const int direction = LINE_DIRECTION[move.from - ctx.kingSquare + 119];
  if (direction == 0) return false;
  for (int s = ctx.kingSquare + direction; isOnBoard(s); s += direction) {
    if (s == move.to) return false;
    if (s == move.from) continue;
    const int code = b.squares[s];
    if (code == EMPTY) continue;
    return slidesAlong(code, direction, !ctx.side);
  }
  return false;
}

// A move whose check question can be answered from the squares it touches:
// one other king, not attacked before the move, and a move that changes
// nothing but its origin and destination to the mover's own piece.
bool isPlainForChecks(const CBoard& b, const LegalityContext& ctx, const Move& move) {
  return ctx.otherKingCount == 1 && !ctx.otherInCheck && isValidSquare(move.from) && isValidSquare(move.to) &&
         move.from != move.to && move.to != ctx.otherKingSquare && belongsTo(b.squares[move.from], ctx.side) &&
         !(isPawn(move.piece) && move.enPassant == 1) &&
         (move.promotion == EMPTY || belongsTo(move.promotion, ctx.side)) && !isCastlingMove(move) &&
         !isKing(move.promotion);
}

// After a plain move, the other king can only be attacked by the piece that
// now stands on `to`, or along the line from the king through `from`.
bool givesCheckDirectly(const CBoard& b, const LegalityContext& ctx, const Move& move) {
  const int king = ctx.otherKingSquare;
  const int from = move.from;
  const int to = move.to;
  const int piece = isPawn(move.piece) && move.promotion != EMPTY ? move.promotion : b.squares[from];
  auto emptyAfter = [&](int s) { return s == from || (s != to && b.squares[s] == EMPTY); };

  if (pieceReaches(piece, to, king, ctx.side, emptyAfter)) return true;

  const int direction = LINE_DIRECTION[from - king + 119];
  if (direction == 0) return false;
  for (int s = king + direction; isOnBoard(s); s += direction) {
    if (emptyAfter(s)) continue;
    return s != to && slidesAlong(b.squares[s], direction, ctx.side);
  }
  return false;
}

}  // namespace

bool applyMove(CBoard& b, const Move& move) {
  if (move.from == move.to) return false;
  if (!isValidSquare(move.from) || !isValidSquare(move.to)) return false;
  const int from = move.from;
  const int to = move.to;
  Piece* s = b.squares;
  s[to] = s[from];
  s[from] = EMPTY;

  if (isPawn(move.piece)) {
    const bool whiteDouble = isWhitePiece(move.piece) && rankOf(from) == 1 && rankOf(to) == 3;
    const bool blackDouble = isBlackPiece(move.piece) && rankOf(from) == 6 && rankOf(to) == 4;
    b.enPassantSquare = (whiteDouble || blackDouble) ? static_cast<Square>(to) : NO_SQUARE;
    if (move.enPassant == 1) {
      const int behind = b.sideToMove ? to - 16 : to + 16;
      if (isValidSquare(behind)) s[behind] = EMPTY;
    }
    if (move.promotion != EMPTY) s[to] = move.promotion;
  } else {
    b.enPassantSquare = NO_SQUARE;
  }

  // castling rook
  if (from == E1 && to == C1 && isKing(s[C1])) {
    s[D1] = WHITE_ROOK;
    s[A1] = EMPTY;
  } else if (from == E1 && to == G1 && isKing(s[G1])) {
    s[F1] = WHITE_ROOK;
    s[H1] = EMPTY;
  } else if (from == E8 && to == C8 && isKing(s[C8])) {
    s[D8] = BLACK_ROOK;
    s[A8] = EMPTY;
  } else if (from == E8 && to == G8 && isKing(s[G8])) {
    s[F8] = BLACK_ROOK;
    s[H8] = EMPTY;
  }

  // castling rights: the king moved, or a rook left or was taken on its corner
  if (move.piece == WHITE_KING) b.castlingRights &= ~WHITE_CASTLING;
  if (move.piece == BLACK_KING) b.castlingRights &= ~BLACK_CASTLING;
  if (from == H1 || to == H1) b.castlingRights &= ~WHITE_KING_SIDE;
  if (from == A1 || to == A1) b.castlingRights &= ~WHITE_QUEEN_SIDE;
  if (from == H8 || to == H8) b.castlingRights &= ~BLACK_KING_SIDE;
  if (from == A8 || to == A8) b.castlingRights &= ~BLACK_QUEEN_SIDE;
  return true;
}

bool makeMove(CChessBoard& position, const Move& move) {
  position.lastMove = move;
  return applyMove(position, move);
}

namespace {

template <int Capacity>
int pseudoMovesInto(const CBoard& board, Move* list) {
  MoveSink<Capacity> out{list};
  int unused = 0;
  generatePseudo(board, out, NO_BOUND, NO_BOUND, unused);
  return out.count;
}

template <int Capacity>
int pseudoCapturesInto(const CBoard& board, Move* list) {
  MoveSink<Capacity> out{list};
  for (Square from : ALL_SQUARES) {
    const int piece = board.squares[from];
    if (piece == EMPTY || !belongsTo(piece, board.sideToMove)) continue;
    if (isPawn(piece)) generatePawnMoves<true>(board, out, from);
    else generatePieceMoves<true>(board, out, from);
  }
  return out.count;
}

}  // namespace

int generatePseudoMoves(const CBoard& board, Move (&list)[MAX_MOVES]) { return pseudoMovesInto<MAX_MOVES>(board, list); }
int generatePseudoMoves(const CBoard& board, Move (&list)[MAX_GENERATED_MOVES]) {
  return pseudoMovesInto<MAX_GENERATED_MOVES>(board, list);
}
int generatePseudoCaptures(const CBoard& board, Move (&list)[MAX_MOVES]) {
  return pseudoCapturesInto<MAX_MOVES>(board, list);
}
int generatePseudoCaptures(const CBoard& board, Move (&list)[MAX_GENERATED_MOVES]) {
  return pseudoCapturesInto<MAX_GENERATED_MOVES>(board, list);
}

LegalityContext legalityContext(const CBoard& board, bool forClassifying) {
  LegalityContext ctx;
  ctx.side = board.sideToMove ? 1 : 0;
  ctx.king = ctx.side ? WHITE_KING : BLACK_KING;
  const int otherKing = ctx.side ? BLACK_KING : WHITE_KING;
  for (Square s : ALL_SQUARES) {
    const int code = board.squares[s];
    if (code == ctx.king) {
      if (ctx.kingCount++ == 0) ctx.kingSquare = s;
    } else if (code == otherKing) {
      if (ctx.otherKingCount++ == 0) ctx.otherKingSquare = s;
    }
  }
  ctx.inCheck = ctx.kingSquare != NO_SQUARE && isAttackedBy(board, ctx.kingSquare, !ctx.side);
  if (forClassifying) {
    ctx.otherInCheck = ctx.otherKingSquare != NO_SQUARE && isAttackedBy(board, ctx.otherKingSquare, ctx.side);
    ctx.otherSafe = !ctx.otherInCheck;
  }
  return ctx;
}

LegalityContext legalityContextAfter(const CBoard& after, const LegalityContext& before, const Move& move) {
  LegalityContext ctx;
  ctx.side = after.sideToMove ? 1 : 0;
  // Only one king a side, none taken or made, and the turn passed: otherwise look.
  if (before.kingCount != 1 || before.otherKingCount != 1 || ctx.side == before.side || isKing(move.captured) ||
      isKing(move.promotion))
    return legalityContext(after);
  ctx.king = ctx.side ? WHITE_KING : BLACK_KING;
  ctx.kingSquare = before.otherKingSquare;
  ctx.kingCount = 1;
  ctx.otherKingSquare = move.piece == before.king ? move.to : before.kingSquare;
  ctx.otherKingCount = 1;
  if (after.squares[ctx.kingSquare] != ctx.king || after.squares[ctx.otherKingSquare] != before.king)
    return legalityContext(after);
  // A plain move onto a king not attacked before can only check by what it
  // touched; a pass, castling and en passant move a third square.
  const bool plain = before.otherSafe && !move.isNull() && !(isPawn(move.piece) && move.enPassant == 1) &&
                     !(isKing(move.piece) && (move.to - move.from == 2 || move.from - move.to == 2));
  ctx.inCheck = plain ? isAttackedAfterMoveBy(after, ctx.kingSquare, !ctx.side, move.from, move.to)
                      : isAttackedBy(after, ctx.kingSquare, !ctx.side);
  // The mover's move was legal, so its king stands safe; after a pass it is as safe as it was.
  ctx.otherSafe = move.isNull() ? !before.inCheck : true;
  return ctx;
}

// The whole-copy test copies the position, makes the move and lets the opponent
// try to capture the king; for castling also after the king's first step and
// before moving at all. This gives the same answers without the copies of the
// move list and the opponent's generation.
bool isLegal(const CBoard& board, const LegalityContext& ctx, const Move& move) {
  if (isQuietForKing(board, ctx, move)) return !opensLineToKing(board, ctx, move);
  if (leavesKingAttacked(board, ctx, move)) return false;
  if (isCastlingMove(move)) {
    if (ctx.inCheck) return false;
    const int crossed = crossedSquare(move.to);
    if (leavesKingAttacked(board, ctx, Move(move.from, crossed, move.piece, board.squares[crossed], EMPTY)))
      return false;
  }
  return true;
}

namespace {

// Closes the gaps the illegal moves leave, keeping the order; returns the number kept.
int keepLegal(const CBoard& board, const LegalityContext& ctx, Move* list, int count) {
  int kept = 0;
  for (int i = 0; i < count; ++i)
    if (isLegal(board, ctx, list[i])) keep(list, kept, i);
  return kept;
}

}  // namespace

int generateLegalMoves(const CBoard& board, Move (&list)[MAX_GENERATED_MOVES]) {
  const int count = generatePseudoMoves(board, list);
  return keepLegal(board, legalityContext(board), list, count);
}

int classifyMove(const CBoard& board, const LegalityContext& ctx, const Move& move) {
  if (isPlainForChecks(board, ctx, move) && !givesCheckDirectly(board, ctx, move)) return 0;

  CBoard after = board;
  applyMove(after, move);
  const int otherKing = ctx.side ? BLACK_KING : WHITE_KING;
  int king = NO_SQUARE;
  if (ctx.otherKingCount == 1 && !isKing(move.promotion) && after.squares[ctx.otherKingSquare] == otherKing)
    king = ctx.otherKingSquare;
  else
    king = findFirst(after, otherKing);
  if (king == NO_SQUARE || !isAttackedBy(after, king, ctx.side)) return 0;

  after.sideToMove = ctx.side ? 0 : 1;
  MoveBuffer buffer;
  const Move* replies = buffer.moves;
  const int count = generatePseudoMoves(after, buffer.moves);
  const LegalityContext replyCtx = legalityContext(after);
  for (int i = 0; i < count; ++i)
    if (isLegal(after, replyCtx, replies[i])) return 1;
  return 2;
}

int generateMoves(CChessBoard& p, bool pseudoOnly, int upperBound, int lowerBound) {
  MoveSink<MAX_MOVES> out{p.moves};
  int stopScore = 0;
  const bool stopped = generatePseudo(p, out, upperBound, lowerBound, stopScore);
  p.moveCount = out.count;
  if (stopped) return stopScore;
  if (pseudoOnly) return p.moveCount;

  const LegalityContext ctx = legalityContext(p, true);
  int kept = 0;
  if (p.moveCount < MAX_MOVES) {
    kept = keepLegal(p, ctx, p.moves, p.moveCount);
  } else {
    // The list may have lost moves, legal ones among them (a set-up position
    // of many queens): the legal ones are picked from the whole list instead.
    MoveBuffer all;
    kept = std::min(generateLegalMoves(p, all.moves), MAX_MOVES);
    std::copy_n(all.moves, kept, p.moves);
  }
  p.moveCount = kept;
  for (int i = 0; i < kept; ++i) p.moves[i].checkState = static_cast<CheckState>(classifyMove(p, ctx, p.moves[i]));
  return kept;
}

bool isCastlingMove(const Move& m) {
  return (m.piece == WHITE_KING && m.from == E1 && (m.to == G1 || m.to == C1)) ||
         (m.piece == BLACK_KING && m.from == E8 && (m.to == G8 || m.to == C8));
}

bool isLegalMove(const CChessBoard& position, const Move& move) {
  return isLegal(position, legalityContext(position), move);
}

void removeIllegalMoves(CChessBoard& p) { p.moveCount = keepLegal(p, legalityContext(p), p.moves, p.moveCount); }

bool hasLegalMove(CChessBoard& p) {
  const LegalityContext ctx = legalityContext(p);
  int failed = 0;
  while (failed < p.moveCount && !isLegal(p, ctx, p.moves[failed])) ++failed;
  // the failures at the front are removed, as the list is tested front first
  for (int i = failed; i < p.moveCount; ++i) p.moves[i - failed] = p.moves[i];
  p.moveCount -= failed;
  return p.moveCount > 0;
}

bool canCaptureKing(CChessBoard& p) {
  const int king = findFirst(p, p.sideToMove ? BLACK_KING : WHITE_KING);
  return king != NO_SQUARE && isAttackedBy(p, king, p.sideToMove ? 1 : 0);
}

int classifyMove(const CChessBoard& position, const Move& move) {
  return classifyMove(position, legalityContext(position, true), move);
}

Move* findMove(CChessBoard& p, int from, int to) {
  generateMoves(p, false);
  if (!isValidSquare(from) || !isValidSquare(to)) return nullptr;
  for (int i = 0; i < p.moveCount; ++i)
    if (p.moves[i].from == from && p.moves[i].to == to) return &p.moves[i];
  return nullptr;
}

void removeMove(CChessBoard& p, int from, int to) {
  if (!isValidSquare(from) || !isValidSquare(to)) return;
  for (int i = 0; i < p.moveCount; ++i) {
    if (p.moves[i].from != from || p.moves[i].to != to) continue;
    for (int j = i + 1; j < p.moveCount; ++j) p.moves[j - 1] = p.moves[j];
    --p.moveCount;
    return;
  }
}

bool targetsSquare(const CChessBoard& p, int square) {
  for (int i = 0; i < p.moveCount; ++i)
    if (p.moves[i].to == square) return true;
  return false;
}

std::vector<Move> legalMovesAmong(const CChessBoard& position, const std::vector<Move>& candidates) {
  std::vector<Move> legal;
  if (candidates.empty()) return legal;
  CChessBoard scratch = position;
  generateMoves(scratch, false);
  for (const Move& candidate : candidates) {
    for (int i = 0; i < scratch.moveCount; ++i) {
      const Move& move = scratch.moves[i];
      if (move.sameSquares(candidate) && move.promotion == candidate.promotion) {
        legal.push_back(move);
        break;
      }
    }
  }
  return legal;
}
