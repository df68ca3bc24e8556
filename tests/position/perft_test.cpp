#include "position/perft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "reference_movegen.h"
#include "test_positions.h"

namespace {

struct PerftCase {
  const char* fen;
  int depth;
  std::uint64_t nodes;
};

class Perft : public testing::TestWithParam<PerftCase> {};

TEST_P(Perft, PublishedCount) { EXPECT_EQ(perft(fromFen(GetParam().fen), GetParam().depth), GetParam().nodes); }

// Published counts for positions whose trees hold no promotion at these depths.
INSTANTIATE_TEST_SUITE_P(Counts, Perft,
                         testing::Values(PerftCase{INITIAL_FEN, 1, 20}, PerftCase{INITIAL_FEN, 3, 8902},
                                         PerftCase{INITIAL_FEN, 4, 197281}, PerftCase{KIWIPETE_FEN, 1, 48},
                                         PerftCase{KIWIPETE_FEN, 2, 2039}, PerftCase{KIWIPETE_FEN, 3, 97862},
                                         PerftCase{"8/2p5/3p4/KP5r/1R3p2/4P1k1/6P1/8 w - - 0 1", 5, 1005186},
                                         PerftCase{"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 4, 314346},
                                         PerftCase{"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", 3, 13744}));

TEST(Perft, DivideListsRootMovesInGenerationOrder) {
  std::ostringstream out;
  perftDivide(initialPosition(), 2, out);
  const std::string text = out.str();
  EXPECT_EQ(text.substr(0, 24), "b1c3: 20\nb1a3: 20\ng1h3: ");
  EXPECT_NE(text.find("\nh2h4: 20\n\nNodes searched: 400\n"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 22);

  std::ostringstream zero;
  perftDivide(initialPosition(), 0, zero);
  EXPECT_EQ(zero.str(), "\nNodes searched: 1\n");
}

// An independent count on the literal generator that also plays the rook,
// bishop and knight promotions the engine never generates. `withUnder` counts
// the leaves below at least one under-promotion.
struct FullCounts {
  std::uint64_t all = 0;
  std::uint64_t withUnder = 0;
};

void countAll(const CChessBoard& position, int depth, bool underBefore, FullCounts& counts) {
  CChessBoard work(position);
  reference::generateMoves(work, true);
  reference::removeIllegalMoves(work);
  for (int i = 0; i < work.moveCount; ++i) {
    const Move& move = work.moves[i];
    std::vector<std::pair<Move, bool>> variants{{move, false}};
    if (move.promotion != EMPTY) {
      const int colour = isBlackPiece(move.piece) ? 24 : 0;
      for (int kind : {WHITE_ROOK, WHITE_BISHOP, WHITE_KNIGHT})
        variants.push_back({Move(move.from, move.to, move.piece, move.captured, kind ^ colour), true});
    }
    for (const auto& [variant, under] : variants) {
      if (depth == 1) {
        ++counts.all;
        if (under || underBefore) ++counts.withUnder;
        continue;
      }
      CChessBoard child(work);
      reference::makeMove(child, variant);
      child.switchSide();
      countAll(child, depth - 1, under || underBefore, counts);
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
    const CChessBoard position = fromFen(c.fen);
    FullCounts counts;
    countAll(position, c.depth, false, counts);
    EXPECT_EQ(counts.all, c.nodes) << c.fen;
    EXPECT_GT(counts.withUnder, 0u) << c.fen;
    EXPECT_EQ(perft(position, c.depth), counts.all - counts.withUnder) << c.fen;
  }
}

}  // namespace
