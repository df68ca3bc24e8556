#include "driver/game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"

namespace {

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

  // Plays coordinate moves as the opponent path does, checking each is legal.
  void play(const std::vector<std::string>& moves) {
    for (const std::string& text : moves) {
      CChessBoard scratch = game.position;
      const Move move = parseCoordinateMove(game.position, text);
      ASSERT_NE(findMove(scratch, move.from, move.to), nullptr) << text;
      game.playMove(move);
    }
  }

  std::pair<int, std::string> result() {
    std::string reason;
    const int code = game.adjudicate(reason);
    return {code, reason};
  }

  Game& game;
};

using Result = std::pair<int, std::string>;

TEST_F(GameTest, NewGameHasOneSnapshotAndBlackEngine) {
  EXPECT_EQ(game.history.size(), 1u);
  EXPECT_EQ(game.position.sideToMove, 1);
  ASSERT_NE(game.enginePlayer, nullptr);
  EXPECT_EQ(game.enginePlayer, game.blackPlayer.get());
  EXPECT_FALSE(game.undoPly());
  EXPECT_FALSE(game.removePair());
  EXPECT_EQ(result(), Result(GAME_GOES_ON, ""));
}

TEST_F(GameTest, TwelvePliesOfOneCycleDrawByRepetition) {
  const std::vector<std::string> cycle = {"g1f3", "g8f6", "f3g1", "f6g8"};
  for (int i = 0; i < 11; ++i) play({cycle[i % 4]});
  EXPECT_EQ(result().first, GAME_GOES_ON);
  play({"f6g8"});
  EXPECT_EQ(result(), Result(GAME_DRAWN, "Drawn_by_repetition"));
}

TEST_F(GameTest, BrokenCycleIsNoRepetition) {
  play({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "b1c3", "g8f6", "c3b1", "f6g8"});
  EXPECT_EQ(result().first, GAME_GOES_ON);
}

TEST_F(GameTest, RepetitionThenAMoveOutOfTheCycle) {
  setUpFen("7k/8/6K1/8/8/8/8/R7 w - - 0 1");
  play({"a1a2", "h8g8", "a2a1", "g8h8", "a1a2", "h8g8", "a2a1", "g8h8", "a1a2", "h8g8", "a2a1", "g8h8"});
  EXPECT_EQ(result(), Result(GAME_DRAWN, "Drawn_by_repetition"));
  play({"a1a8"});
  EXPECT_EQ(result(), Result(WHITE_WINS, "Checkmate"));
}

TEST_F(GameTest, AdjudicatesFinishedPositions) {
  struct Case {
    const char* fen;
    Result expected;
  };
  const Case cases[] = {
      {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", {BLACK_WINS, "Checkmate"}},
      {"r1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 0 4", {WHITE_WINS, "Checkmate"}},
      {"k7/2Q5/1K6/8/8/8/8/8 b - - 0 1", {GAME_DRAWN, "Stalemate"}},
      {"8/8/8/4k3/8/8/8/K7 w - - 0 1", {GAME_DRAWN, "Insufficient material."}},
      {"8/8/8/4k3/8/8/8/KN6 w - - 0 1", {GAME_GOES_ON, ""}},
      {"8/8/8/4k3/8/8/8/K7 b - - 0 1", {GAME_DRAWN, "Insufficient material."}},
  };
  for (const Case& c : cases) {
    setUpFen(c.fen);
    EXPECT_EQ(result(), c.expected) << c.fen;
  }
}

TEST_F(GameTest, UndoRestoresSquaresAndSideToMove) {
  const CChessBoard initial = game.position;
  play({"e2e4"});
  EXPECT_EQ(game.position.sideToMove, 0);
  ASSERT_TRUE(game.undoPly());
  EXPECT_EQ(game.position.sideToMove, 1);
  EXPECT_EQ(game.history.size(), 1u);
  for (Square s : ALL_SQUARES) EXPECT_EQ(game.position.squares[s], initial.squares[s]);
  EXPECT_TRUE(game.position.lastMove.isNull());
}

TEST_F(GameTest, RemovePairNeedsThreeSnapshots) {
  play({"e2e4"});
  EXPECT_FALSE(game.removePair());
  EXPECT_EQ(game.history.size(), 2u);
  play({"e7e5", "g1f3"});
  ASSERT_TRUE(game.removePair());
  EXPECT_EQ(game.history.size(), 2u);
  EXPECT_EQ(game.position.squares[52], WHITE_PAWN);  // e4
  EXPECT_EQ(game.position.squares[6], WHITE_KNIGHT);
  EXPECT_EQ(game.position.sideToMove, 0);
}

TEST_F(GameTest, PlayersFollowTheCommands) {
  game.assignPlayers(true);
  EXPECT_EQ(game.enginePlayer, game.whitePlayer.get());
  EXPECT_EQ(dynamic_cast<HumanPlayer*>(game.blackPlayer.get()), nullptr);
  game.makeHumansOnly();
  EXPECT_EQ(game.enginePlayer, nullptr);
  EXPECT_NE(dynamic_cast<HumanPlayer*>(game.whitePlayer.get()), nullptr);
  EXPECT_NE(dynamic_cast<HumanPlayer*>(game.blackPlayer.get()), nullptr);
  play({"e2e4"});
  game.makeEngineToMove();
  EXPECT_EQ(game.enginePlayer, game.blackPlayer.get());
  EXPECT_NE(dynamic_cast<HumanPlayer*>(game.whitePlayer.get()), nullptr);
}

TEST_F(GameTest, PlayMoveAppendsAWholeSnapshot) {
  play({"e2e4", "e7e5"});
  ASSERT_EQ(game.history.size(), 3u);
  EXPECT_EQ(game.history[1].sideToMove, 0);
  EXPECT_EQ(game.history[1].lastMove.from, 20);
  EXPECT_EQ(game.history[2].lastMove.to, 68);
  EXPECT_EQ(game.history[2].squares[68], BLACK_PAWN);
}

}  // namespace
