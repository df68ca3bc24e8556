// The engine's search against the whole-copy reference: same move, score, node
// count, line length and remembered cutoff move, also when one player searches
// several positions in a row (the cutoff move carries over).

#include <random>

#include "reference_search.h"
#include "search/engine_player.h"
#include "test_positions.h"

namespace {

// Searches with both; `carried` follows the reference's cutoff move.
void expectSameSearch(EnginePlayer& player, const CChessBoard& position, Move& carried) {
  SCOPED_TRACE(positionToFen(position));
  const Move move = player.runSearch(position);
  const ReferenceResult reference = referenceSearch(position, 4, carried);
  EXPECT_EQ(moveToCoordinates(move), moveToCoordinates(reference.move));
  EXPECT_EQ(player.lastScore, reference.score);
  EXPECT_EQ(player.nodeCount, reference.nodes);
  EXPECT_EQ(player.lastLineLength(), reference.lineLength);
  EXPECT_TRUE(player.lastCutMove.sameSquares(reference.lastCutMove));
  carried = reference.lastCutMove;
}

TEST(SearchDifferential, RandomPlayouts) {
  std::mt19937 random(20261206);
  int compared = 0;
  for (int playout = 0; playout < 30 && !HasFailure(); ++playout) {
    CChessBoard position = fromFen(INITIAL_FEN);
    EnginePlayer player;
    Move carried;
    for (int search = 0; search < 10 && !HasFailure(); ++search, ++compared) {
      for (int plies = 1 + static_cast<int>(random() % 6); plies > 0; --plies) {  // a few random plies between
        CChessBoard legal = position;
        if (generateMoves(legal, false) == 0) break;
        makeMove(position, legal.moves[random() % legal.moveCount]);
        position.switchSide();
      }
      CChessBoard legal = position;
      if (generateMoves(legal, false) == 0) break;
      expectSameSearch(player, position, carried);
    }
  }
  EXPECT_GE(compared, 200);
}

// Set-up positions off the beaten track: few pieces anywhere, pawns on the
// back ranks, missing or doubled kings, the side not to move in check, stray
// piece codes, random castling rights and en-passant squares.
TEST(SearchDifferential, OddSetUpPositions) {
  std::mt19937 random(7);
  const Piece codes[] = {WHITE_ROOK, WHITE_KNIGHT, WHITE_BISHOP, WHITE_QUEEN, WHITE_KING, WHITE_PAWN, BLACK_ROOK,
                         BLACK_KNIGHT, BLACK_BISHOP, BLACK_QUEEN, BLACK_KING, BLACK_PAWN, 5, 6, 7, 29, 30, 31,
                         12, 20, 100};
  for (int n = 0; n < 400 && !HasFailure(); ++n) {
    CChessBoard position;
    position.clearSquares();
    const int kings = static_cast<int>(random() % 4);  // 0: none, 3: an extra one
    if (kings & 1) position.squares[ALL_SQUARES[random() % 64]] = WHITE_KING;
    if (kings & 2) position.squares[ALL_SQUARES[random() % 64]] = BLACK_KING;
    if (kings == 3 && random() % 2) position.squares[ALL_SQUARES[random() % 64]] = WHITE_KING;
    for (int i = 2 + static_cast<int>(random() % 14); i > 0; --i) {
      const Piece code = codes[random() % (n % 3 == 0 ? std::size(codes) : 12)];
      const Square square = ALL_SQUARES[random() % 64];
      if (!isKing(position.squares[square])) position.squares[square] = code;
    }
    position.sideToMove = static_cast<std::uint8_t>(random() % 2);
    position.castlingRights = static_cast<std::uint8_t>(random() % 16);
    position.enPassantSquare = random() % 3 == 0 ? ALL_SQUARES[24 + random() % 16] : NO_SQUARE;
    EnginePlayer player;
    Move none;
    expectSameSearch(player, position, none);
    // The strong search plays a legal move there too, or resigns only without one.
    player.level = TOP_LEVEL;
    player.limits.depth = 4;
    const Move strong = player.chooseMove(position);
    CChessBoard legal = position;
    if (strong.sameSquares(RESIGN_MOVE)) {
      EXPECT_EQ(generateMoves(legal, false), 0);
    } else {
      EXPECT_TRUE(legalMove(legal, moveToCoordinates(strong)));
    }
  }
}

}  // namespace
