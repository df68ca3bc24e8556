#include "setup_check.h"

#include "move_gen.h"

namespace {

struct CastlingHome {
  std::uint8_t right;
  int king, rook;
  Piece kingCode, rookCode;
};

constexpr CastlingHome HOMES[] = {
    {WHITE_KING_SIDE, makeSquare(4, 0), makeSquare(7, 0), WHITE_KING, WHITE_ROOK},
    {WHITE_QUEEN_SIDE, makeSquare(4, 0), makeSquare(0, 0), WHITE_KING, WHITE_ROOK},
    {BLACK_KING_SIDE, makeSquare(4, 7), makeSquare(7, 7), BLACK_KING, BLACK_ROOK},
    {BLACK_QUEEN_SIDE, makeSquare(4, 7), makeSquare(0, 7), BLACK_KING, BLACK_ROOK},
};

}  // namespace

SetupFault checkSetup(CChessBoard& position) {
  int whiteKings = 0, blackKings = 0;
  for (Square s : ALL_SQUARES) {
    const Piece piece = position.squares[s];
    whiteKings += piece == WHITE_KING;
    blackKings += piece == BLACK_KING;
    if (isPawn(piece) && (rankOf(s) == 0 || rankOf(s) == 7)) return SetupFault::PAWN_ON_END_RANK;
  }
  if (whiteKings != 1) return SetupFault::WHITE_KINGS;
  if (blackKings != 1) return SetupFault::BLACK_KINGS;

  for (const CastlingHome& home : HOMES)
    if (position.squares[home.king] != home.kingCode || position.squares[home.rook] != home.rookCode)
      position.castlingRights &= static_cast<std::uint8_t>(~home.right);
  // The square of a pawn of the side that just moved, on its fourth rank from home.
  const Square passed = position.enPassantSquare;
  if (passed != NO_SQUARE &&
      (!isValidSquare(passed) || rankOf(passed) != (position.sideToMove ? 4 : 3) ||
       position.squares[passed] != (position.sideToMove ? BLACK_PAWN : WHITE_PAWN)))
    position.enPassantSquare = NO_SQUARE;

  CChessBoard scratch = position;
  return canCaptureKing(scratch) ? SetupFault::KING_CAPTURABLE : SetupFault::NONE;
}

const char* setupFaultText(SetupFault fault) {
  switch (fault) {
    case SetupFault::NONE: return "";
    case SetupFault::WHITE_KINGS: return "White must have one king";
    case SetupFault::BLACK_KINGS: return "Black must have one king";
    case SetupFault::PAWN_ON_END_RANK: return "a pawn on the first or last rank";
    case SetupFault::KING_CAPTURABLE: return "the side to move can capture the king";
  }
  return "";
}

SetupProblem setupProblem(const CChessBoard& position) {
  int kings[2] = {0, 0}, pieces[2] = {0, 0}, pawns[2] = {0, 0};
  for (Square s : ALL_SQUARES) {
    const Piece piece = position.squares[s];
    if (piece == EMPTY) continue;
    const int side = isWhitePiece(piece) ? 1 : 0;
    ++pieces[side];
    kings[side] += piece == WHITE_KING || piece == BLACK_KING;
    if (isPawn(piece)) {
      ++pawns[side];
      if (rankOf(s) == 0 || rankOf(s) == 7) return SetupProblem::PAWN_ON_END_RANK;
    }
  }
  if (kings[1] != 1) return SetupProblem::WHITE_KING_COUNT;
  if (kings[0] != 1) return SetupProblem::BLACK_KING_COUNT;
  if (pieces[1] > 16 || pawns[1] > 8) return SetupProblem::TOO_MANY_WHITE;
  if (pieces[0] > 16 || pawns[0] > 8) return SetupProblem::TOO_MANY_BLACK;
  for (const CastlingHome& home : HOMES)
    if ((position.castlingRights & home.right) &&
        (position.squares[home.king] != home.kingCode || position.squares[home.rook] != home.rookCode))
      return SetupProblem::CASTLING_WITHOUT_HOME;
  if (const Square passed = position.enPassantSquare; passed != NO_SQUARE) {
    // The pawn of the side that just moved, and the two squares it crossed empty.
    const int back = position.sideToMove ? 16 : -16;
    if (!isValidSquare(passed) || rankOf(passed) != (position.sideToMove ? 4 : 3) ||
        position.squares[passed] != (position.sideToMove ? BLACK_PAWN : WHITE_PAWN) ||
        position.squares[passed + back] != EMPTY || position.squares[passed + 2 * back] != EMPTY)
      return SetupProblem::EN_PASSANT_WITHOUT_PAWN;
  }
  CChessBoard scratch = position;
  if (canCaptureKing(scratch)) return SetupProblem::WAITING_SIDE_IN_CHECK;
  return SetupProblem::NONE;
}
