#include "position/perft.h"

#include "reference_movegen.h"
#include "test_positions.h"

namespace {

struct PerftCase {
  const char* fen;
  int depth;
  std::uint64_t nodes;
};

// Published counts for positions whose trees hold no promotion at these depths.
TEST(Perft, PublishedCounts) {
  const PerftCase cases[] = {
      {KIWIPETE_FEN, 3, 97862},
      {"8/2p5/3p4/KP5r/1R3p2/4P1k1/6P1/8 w - - 0 1", 5, 1005186},
      {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 4, 314346},
  };
  for (const PerftCase& c : cases) EXPECT_EQ(perft(fromFen(c.fen), c.depth), c.nodes) << c.fen;
}

TEST(PerftSlow, InitialPositionDepthSix) { EXPECT_EQ(perft(fromFen(INITIAL_FEN), 6), 119060324u); }

// Counts on the literal generator, also playing the rook, bishop and knight
// promotions the engine never generates; `withUnder` counts the leaves below
// at least one under-promotion.
void countAll(const CChessBoard& position, int depth, bool underBefore, std::uint64_t& all, std::uint64_t& withUnder) {
  CChessBoard work(position);
  reference::generateMoves(work, true);
  reference::removeIllegalMoves(work);
  for (int i = 0; i < work.moveCount; ++i) {
    const Move& move = work.moves[i];
    for (int kind : std::initializer_list<int>{EMPTY, WHITE_ROOK, WHITE_BISHOP, WHITE_KNIGHT}) {
      if (kind != EMPTY && move.promotion == EMPTY) break;
      const bool under = underBefore || kind != EMPTY;
      if (depth == 1) {
        ++all;
        withUnder += under;
        continue;
      }
      CChessBoard child(work);
      const int colour = isBlackPiece(move.piece) ? 24 : 0;
      reference::makeMove(child,
                          kind == EMPTY ? move : Move(move.from, move.to, move.piece, move.captured, kind ^ colour));
      child.switchSide();
      countAll(child, depth - 1, under, all, withUnder);
    }
  }
}

TEST(Perft, PromotionTreesDifferOnlyByUnderPromotions) {
  const PerftCase published[] = {
      {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 9467},
      {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", 3, 9467},
      {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
      {"n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1", 3, 9483},
  };
  for (const PerftCase& c : published) {
    std::uint64_t all = 0, withUnder = 0;
    countAll(fromFen(c.fen), c.depth, false, all, withUnder);
    EXPECT_EQ(all, c.nodes) << c.fen;
    EXPECT_GT(withUnder, 0u) << c.fen;
    EXPECT_EQ(perft(fromFen(c.fen), c.depth), all - withUnder) << c.fen;
  }
}

}  // namespace
