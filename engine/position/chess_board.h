#pragma once
// CChessBoard: one position, copied whole by value wherever a scratch position
// is needed; nothing is ever undone in place. CBoard holds the position proper
// (copied as one block), CChessBoard adds the move list and the line links.

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "move.h"
#include "piece.h"
#include "square.h"

constexpr int MAX_MOVES = 256;

// Castling rights bits.
enum : std::uint8_t {
  WHITE_KING_SIDE = 1, WHITE_QUEEN_SIDE = 2, BLACK_KING_SIDE = 4, BLACK_QUEEN_SIDE = 8, ALL_CASTLING = 15,
  WHITE_CASTLING = WHITE_KING_SIDE | WHITE_QUEEN_SIDE, BLACK_CASTLING = BLACK_KING_SIDE | BLACK_QUEEN_SIDE,
};

struct CBoard {
  Piece squares[SQUARE_COUNT];      // 0x88 board; off-board indices are never read
  std::uint8_t sideToMove = 1;      // 1 White, 0 Black
  std::int32_t score = 0;           // the search's slot
  std::uint8_t castlingRights = ALL_CASTLING;
  Square enPassantSquare = NO_SQUARE;  // the square of the pawn that just advanced two
};

class CChessBoard : public CBoard {
 public:
  Move moves[MAX_MOVES];
  std::int32_t moveCount = 0;
  Move lastMove;                       // null for a set-up position
  CChessBoard* parent = nullptr;       // not owned
  CChessBoard* child = nullptr;        // owned line below this one (freed by freeLine only)

  CChessBoard() = default;
  CChessBoard(const CChessBoard&) = default;             // copies the raw child pointer too
  CChessBoard& operator=(const CChessBoard&) = default;
  virtual ~CChessBoard() = default;                      // does not free the child line

  void setupInitialPosition();
  void clearSquares();  // every square EMPTY

  void switchSide() { sideToMove = sideToMove ? 0 : 1; }
  void setScore(std::int32_t value) { score = value; }
  Move getLastMove() const { return lastMove; }

  void freeLine();
  void setChild(CChessBoard* position, bool freeOld);
  int lineLength() const;
  CChessBoard* root();

  // Squares holding exactly this code, in a1..h8 order.
  std::vector<Square> findPieces(int code) const;

  // Appends a move unless the list is full: set-up positions can hold far more
  // pseudo-legal moves than any game position, and nothing may write past the end.
  bool addMove(const Move& move) {
    if (moveCount >= MAX_MOVES) return false;
    moves[moveCount++] = move;
    return true;
  }

  // Board picture: a line end, then ranks 8..1, each square as " X " (a "." for empty).
  void writePicture(std::ostream& out) const;
  // Reads 64 non-blank characters in picture order; unknown characters give EMPTY.
  // Stops quietly at end of input, leaving the squares not read unchanged.
  void readPicture(std::istream& in);
};

// Recomputes what making moves keeps up to date and compares: the side to move,
// the castling rights and the en passant square hold values they can hold.
// The squares may hold any byte (the debugging commands set them freely).
bool boardIsOk(const CBoard& board);

// Copies the position proper of parent, makes its move number `index`, switches
// the side; the child's parent is `parent`, its list empty, its score 0.
void createChild(CChessBoard& child, const CChessBoard& parent, int index);
