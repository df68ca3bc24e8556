#include "search/static_exchange.h"

#include <tuple>

#include <gtest/gtest.h>

#include "position/fen.h"
#include "position/notation.h"

namespace {

TEST(StaticExchange, CapturesAndQuietMoves) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", 100},             // a free pawn
      {"4k3/8/2p5/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", 0},             // pawn for pawn
      {"4k3/8/2p5/3p4/8/8/3Q4/4K3 w - - 0 1", "d2d5", -875},          // the queen for a pawn
      {"4k3/3r4/8/3p4/8/8/3R4/3RK3 w - - 0 1", "d2d5", 100},          // the rook behind wins the pawn
      {"4k3/3r4/8/3p4/8/8/3R4/4K3 w - - 0 1", "d2d5", -400},          // alone, the rook is lost
      {"4k3/8/2p5/8/8/4N3/8/4K3 w - - 0 1", "e3d5", -325},            // a quiet move onto a guarded square
      {"4k3/8/8/8/8/4N3/8/4K3 w - - 0 1", "e3d5", 0},                 // and onto a free one
      {"4k3/8/8/3q4/4K3/8/8/8 w - - 0 1", "e4d5", 975},               // the king takes what nothing guards
      {"3rk3/8/8/3q4/4K3/8/8/8 w - - 0 1", "e4d5", -19025},           // never what is guarded
      {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7b8q", 1200},            // promotion with a capture
  };
  for (const auto& [fen, text, value] : cases) {
    const auto position = positionFromFen(fen);
    ASSERT_TRUE(position) << fen;
    Move move = parseCoordinateMove(*position, std::string(text).substr(0, 4));
    if (text[4] == 'q') move.promotion = WHITE_QUEEN;
    EXPECT_EQ(staticExchange(*position, move), value) << fen << " " << text;
  }
}

}  // namespace
