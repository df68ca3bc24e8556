#include "position/perft.h"

#include "test_positions.h"

namespace {

// Published counts; below the second line, the published count less the
// leaves under an under-promotion, which the engine never generates.
TEST(Perft, Counts) {
  const std::tuple<const char*, int, std::uint64_t> cases[] = {
      {KIWIPETE_FEN, 3, 97862},
      {"8/2p5/3p4/KP5r/1R3p2/4P1k1/6P1/8 w - - 0 1", 5, 1005186},
      {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 4, 314346},
      {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 9467 - 1380},
      {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", 3, 9467 - 1380},
      {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379 - 8372},
      {"n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1", 3, 9483 - 6230},
      // A set-up position of 27 queens: more moves than a position's list holds.
      {MANY_QUEENS_FEN, 1, 260},
  };
  for (const auto& [fen, depth, nodes] : cases) EXPECT_EQ(perft(fromFen(fen), depth), nodes) << fen;
}

TEST(PerftSlow, InitialPositionDepthSix) { EXPECT_EQ(perft(fromFen(INITIAL_FEN), 6), 119060324u); }

}  // namespace
