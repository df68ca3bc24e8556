#include "driver/game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "position/fen.h"
#include "position/notation.h"

namespace {

using Result = std::pair<int, std::string>;

class GameTest : public testing::Test {
 protected:
  GameTest() : game(Game::instance()) {
    game.startNewGame();
    game.restartHistory();
  }

  void setUpFen(const std::string& fen) {
    const auto position = positionFromFen(fen);
    ASSERT_TRUE(position.has_value()) << fen;
    game.position = *position;
    game.restartHistory();
  }

  void play(const std::vector<std::string>& moves) {
    for (const std::string& text : moves) game.playMove(parseCoordinateMove(game.position, text));
  }

  Result result() {
    std::string reason;
    const int code = game.adjudicate(reason);
    return {code, reason};
  }

  Game& game;
};

TEST_F(GameTest, TwelvePliesOfOneCycleDrawByRepetitionButABrokenCycleDoesNot) {
  EXPECT_EQ(result(), Result(GAME_GOES_ON, ""));
  const std::vector<std::string> cycle = {"g1f3", "g8f6", "f3g1", "f6g8"};
  for (int i = 0; i < 11; ++i) play({cycle[i % 4]});
  EXPECT_EQ(result().first, GAME_GOES_ON);
  play({"f6g8"});
  EXPECT_EQ(result(), Result(GAME_DRAWN, "Drawn_by_repetition"));

  game.startNewGame();
  game.restartHistory();
  play({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "b1c3", "g8f6", "c3b1", "f6g8"});
  EXPECT_EQ(result().first, GAME_GOES_ON);
}

TEST_F(GameTest, AdjudicatesFinishedPositions) {
  const std::pair<const char*, Result> cases[] = {
      {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", {BLACK_WINS, "Checkmate"}},
      {"r1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 0 4", {WHITE_WINS, "Checkmate"}},
      {"k7/2Q5/1K6/8/8/8/8/8 b - - 0 1", {GAME_DRAWN, "Stalemate"}},
      {"8/8/8/4k3/8/8/8/K7 w - - 0 1", {GAME_DRAWN, "Insufficient material."}},
      {"8/8/8/4k3/8/8/8/KN6 w - - 0 1", {GAME_GOES_ON, ""}},
  };
  for (const auto& [fen, expected] : cases) {
    setUpFen(fen);
    EXPECT_EQ(result(), expected) << fen;
  }
}

TEST_F(GameTest, UndoAndRemoveRestoreWholeSnapshots) {
  EXPECT_FALSE(game.undoPly());
  EXPECT_FALSE(game.removePair());
  const CChessBoard initial = game.position;
  play({"e2e4"});
  EXPECT_FALSE(game.removePair());  // needs three snapshots
  ASSERT_TRUE(game.undoPly());
  EXPECT_EQ(game.position.sideToMove, 1);
  EXPECT_EQ(game.history.size(), 1u);
  for (Square s : ALL_SQUARES) EXPECT_EQ(game.position.squares[s], initial.squares[s]);
  EXPECT_TRUE(game.position.lastMove.isNull());

  play({"e2e4", "e7e5", "g1f3"});
  ASSERT_TRUE(game.removePair());
  EXPECT_EQ(game.history.size(), 2u);
  EXPECT_EQ(game.position.squares[52], WHITE_PAWN);  // e4
  EXPECT_EQ(game.position.squares[6], WHITE_KNIGHT);
  EXPECT_EQ(game.position.sideToMove, 0);
}

}  // namespace
