// The engine's search against the whole-copy reference on positions from
// seeded random playouts: same move, score, node count, line length and
// remembered cutoff move, also when one player searches several positions in
// a row (the cutoff move carries over).

#include <gtest/gtest.h>

#include <iostream>
#include <iterator>
#include <random>

#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "reference_search.h"
#include "search/engine_player.h"

namespace {

constexpr int PLAYOUTS = 30;
constexpr int SEARCHES_PER_PLAYOUT = 10;

TEST(SearchDifferential, MatchesWholeCopyReferenceOnRandomPlayouts) {
  std::mt19937 random(20261206);
  int compared = 0;
  long nodes = 0;
  for (int playout = 0; playout < PLAYOUTS; ++playout) {
    CChessBoard position;
    position.setupInitialPosition();
    EnginePlayer player;
    Move carried;
    for (int search = 0; search < SEARCHES_PER_PLAYOUT; ++search) {
      // A few random plies between searches.
      const int plies = 1 + static_cast<int>(random() % 6);
      bool over = false;
      for (int ply = 0; ply < plies && !over; ++ply) {
        CChessBoard legal = position;
        generateMoves(legal, false);
        if (legal.moveCount == 0) {
          over = true;
          break;
        }
        makeMove(position, legal.moves[random() % legal.moveCount]);
        position.switchSide();
      }
      if (over) break;

      const Move move = player.runSearch(position);
      const ReferenceResult reference = referenceSearch(position, 4, carried);
      SCOPED_TRACE("playout " + std::to_string(playout) + " search " + std::to_string(search));
      ASSERT_EQ(moveToCoordinates(move), moveToCoordinates(reference.move));
      ASSERT_EQ(player.lastScore, reference.score);
      ASSERT_EQ(player.nodeCount, reference.nodes);
      ASSERT_EQ(player.lastLineLength(), reference.lineLength);
      ASSERT_TRUE(player.lastCutMove.sameSquares(reference.lastCutMove));
      carried = reference.lastCutMove;
      nodes += reference.nodes;
      ++compared;
    }
  }
  std::cout << compared << " positions, " << nodes << " nodes compared\n";
  EXPECT_GE(compared, 200);
}

// Set-up positions off the beaten track: few pieces anywhere, pawns on the
// back ranks, missing or doubled kings, the side not to move in check, stray
// piece codes, random castling rights and en-passant squares.
TEST(SearchDifferential, MatchesWholeCopyReferenceOnOddSetUpPositions) {
  std::mt19937 random(7);
  const Piece codes[] = {WHITE_ROOK,  WHITE_KNIGHT, WHITE_BISHOP, WHITE_QUEEN, WHITE_KING, WHITE_PAWN,
                         BLACK_ROOK,  BLACK_KNIGHT, BLACK_BISHOP, BLACK_QUEEN, BLACK_KING, BLACK_PAWN,
                         5,           6,            7,            29,          30,         31,
                         12,          20,           100};
  int compared = 0;
  long nodes = 0;
  for (int n = 0; n < 400; ++n) {
    CChessBoard position;
    position.clearSquares();
    const int kings = static_cast<int>(random() % 4);  // 0: none, 3: an extra one
    if (kings & 1) position.squares[ALL_SQUARES[random() % 64]] = WHITE_KING;
    if (kings & 2) position.squares[ALL_SQUARES[random() % 64]] = BLACK_KING;
    if (kings == 3 && random() % 2) position.squares[ALL_SQUARES[random() % 64]] = WHITE_KING;
    const int pieces = 2 + static_cast<int>(random() % 14);
    for (int i = 0; i < pieces; ++i) {
      const Piece code = codes[random() % (n % 3 == 0 ? std::size(codes) : 12)];
      const Square square = ALL_SQUARES[random() % 64];
      if (!isKing(position.squares[square])) position.squares[square] = code;
    }
    position.sideToMove = static_cast<std::uint8_t>(random() % 2);
    position.castlingRights = static_cast<std::uint8_t>(random() % 16);
    position.enPassantSquare = random() % 3 == 0 ? ALL_SQUARES[24 + random() % 16] : NO_SQUARE;

    EnginePlayer player;
    const Move move = player.runSearch(position);
    const ReferenceResult reference = referenceSearch(position, 4);
    SCOPED_TRACE("position " + std::to_string(n) + ": " + positionToFen(position));
    ASSERT_EQ(moveToCoordinates(move), moveToCoordinates(reference.move));
    ASSERT_EQ(player.lastScore, reference.score);
    ASSERT_EQ(player.nodeCount, reference.nodes);
    ASSERT_EQ(player.lastLineLength(), reference.lineLength);
    nodes += reference.nodes;
    ++compared;
  }
  std::cout << compared << " set-up positions, " << nodes << " nodes compared\n";
  EXPECT_EQ(compared, 400);
}

}  // namespace
