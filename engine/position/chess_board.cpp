#include "chess_board.h"

#include <cstring>
#include <istream>
#include <ostream>

#include "move_gen.h"

bool boardIsOk(const CBoard& board) {
  if (board.sideToMove > 1) return false;
  if ((board.castlingRights & ~ALL_CASTLING) != 0) return false;
  return board.enPassantSquare == NO_SQUARE || isValidSquare(board.enPassantSquare);
}

void CChessBoard::clearSquares() { std::memset(squares, EMPTY, sizeof squares); }

void CChessBoard::setupInitialPosition() {
  static constexpr Piece BACK_RANK[8] = {WHITE_ROOK, WHITE_KNIGHT, WHITE_BISHOP, WHITE_QUEEN,
                                         WHITE_KING, WHITE_BISHOP, WHITE_KNIGHT, WHITE_ROOK};
  parent = nullptr;
  child = nullptr;
  lastMove = Move();
  clearSquares();
  for (int file = 0; file < 8; ++file) {
    squares[makeSquare(file, 0)] = BACK_RANK[file];
    squares[makeSquare(file, 1)] = WHITE_PAWN;
    squares[makeSquare(file, 6)] = BLACK_PAWN;
    squares[makeSquare(file, 7)] = pieceForSide(BACK_RANK[file], 0);
  }
  castlingRights = ALL_CASTLING;
  enPassantSquare = NO_SQUARE;
  sideToMove = 1;
}

void CChessBoard::freeLine() {
  if (!child) return;
  child->freeLine();
  delete child;
  child = nullptr;
}

void CChessBoard::setChild(CChessBoard* position, bool freeOld) {
  if (freeOld) freeLine();
  child = position;
}

int CChessBoard::lineLength() const {
  int length = 0;
  for (const CChessBoard* p = child; p; p = p->child) ++length;
  return length;
}

CChessBoard* CChessBoard::root() {
  CChessBoard* p = this;
  while (p->parent) p = p->parent;
  return p;
}

std::vector<Square> CChessBoard::findPieces(int code) const {
  std::vector<Square> found;
  for (Square s : ALL_SQUARES)
    if (squares[s] == code) found.push_back(s);
  return found;
}

void CChessBoard::writePicture(std::ostream& out) const {
  out << std::endl;
  for (int rank = 7; rank >= 0; --rank) {
    for (int file = 0; file < 8; ++file) {
      const Piece piece = squares[makeSquare(file, rank)];
      out << ' ' << (piece == EMPTY ? '.' : pieceLetter(piece)) << ' ';
    }
    out << std::endl;
  }
}

void CChessBoard::readPicture(std::istream& in) {
  for (int rank = 7; rank >= 0; --rank) {
    for (int file = 0; file < 8; ++file) {
      char c;
      if (!(in >> c)) return;
      squares[makeSquare(file, rank)] = pieceFromLetter(c);
    }
  }
}

void createChild(CChessBoard& child, const CChessBoard& parent, int index) {
  static_cast<CBoard&>(child) = static_cast<const CBoard&>(parent);
  child.score = 0;
  child.moveCount = 0;
  child.parent = const_cast<CChessBoard*>(&parent);
  child.child = nullptr;
  makeMove(child, parent.moves[index]);
  child.switchSide();
}
