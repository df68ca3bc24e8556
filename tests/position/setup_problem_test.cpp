#include <gtest/gtest.h>

#include "position/setup_check.h"
#include "test_positions.h"

namespace {

// Each reason a set-up position cannot be played, and positions that can.
TEST(SetupProblem, EachReasonFromItsPosition) {
  const struct {
    const char* fen;
    SetupProblem problem;
  } cases[] = {
      {INITIAL_FEN, SetupProblem::NONE},
      {KIWIPETE_FEN, SetupProblem::NONE},
      {"8/8/8/8/8/8/8/4k3 w - - 0 1", SetupProblem::WHITE_KING_COUNT},
      {"4k3/8/8/8/8/8/8/2K1K3 w - - 0 1", SetupProblem::WHITE_KING_COUNT},
      {"8/8/8/8/8/8/8/4K3 w - - 0 1", SetupProblem::BLACK_KING_COUNT},
      {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", SetupProblem::PAWN_ON_END_RANK},
      {"4k3/8/8/8/8/8/8/p3K3 w - - 0 1", SetupProblem::PAWN_ON_END_RANK},
      {"4k3/8/8/8/P7/PPPPPPPP/8/4K3 w - - 0 1", SetupProblem::TOO_MANY_WHITE},
      {"QQQQk3/QQQQ4/QQQQ4/QQQ5/8/8/8/4K3 b - - 0 1", SetupProblem::NONE},  // 15 queens: promotions
      {"QQQQk3/QQQQ4/QQQQ4/QQQQ4/8/8/8/4K3 b - - 0 1", SetupProblem::TOO_MANY_WHITE},
      {"4k3/pppppppp/p7/8/8/8/8/4K3 w - - 0 1", SetupProblem::TOO_MANY_BLACK},
      {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", SetupProblem::NONE},
      {"4k3/8/8/8/8/8/8/4K1R1 w K - 0 1", SetupProblem::CASTLING_WITHOUT_HOME},
      {"r3k3/8/8/8/8/8/8/4K3 w q - 0 1", SetupProblem::NONE},
      {"r2k4/8/8/8/8/8/8/4K3 w q - 0 1", SetupProblem::CASTLING_WITHOUT_HOME},
      {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", SetupProblem::NONE},
      {"4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1", SetupProblem::EN_PASSANT_WITHOUT_PAWN},
      {"4k3/3p4/8/3pP3/8/8/8/4K3 w - d6 0 1", SetupProblem::EN_PASSANT_WITHOUT_PAWN},  // the path is not empty
      {"4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", SetupProblem::NONE},
      {"4k3/8/8/8/8/8/8/R3K3 b - - 0 1", SetupProblem::NONE},  // Black in check, Black to move
      {"R3k3/8/8/8/8/8/8/4K3 w - - 0 1", SetupProblem::WAITING_SIDE_IN_CHECK},
  };
  for (const auto& c : cases) {
    CChessBoard position = fromFen(c.fen);
    EXPECT_EQ(static_cast<int>(setupProblem(position)), static_cast<int>(c.problem)) << c.fen;
  }
}

}  // namespace
