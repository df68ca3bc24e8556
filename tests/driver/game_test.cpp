// What the protocol sessions do not reach: a broken cycle, Black's win, a
// bare king against a knight, and the history's storage, on a Game of the test's own.

#include "driver/game.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "position/fen.h"
#include "position/notation.h"
#include "position/zobrist.h"

namespace {

using Result = std::pair<int, std::string>;

Result adjudicated(Game& game) {
  std::string reason;
  const int code = game.adjudicate(reason);
  return {code, reason};
}

TEST(GameAdjudication, BrokenCycleIsNoRepetition) {
  Game game;
  game.startNewGame();
  game.restartHistory();
  for (const char* text : {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "b1c3", "g8f6", "c3b1",
                           "f6g8"})
    game.playMove(parseCoordinateMove(game.position, text));
  EXPECT_EQ(adjudicated(game).first, GAME_GOES_ON);
}

// Knights shuffle without a threefold cycle at the end; a pawn move restarts the count.
TEST(GameAdjudication, FiftyMoveRule) {
  const std::vector<std::string> cycle{"g1f3", "g8f6", "f3g1", "f6g8"};
  const std::vector<std::string> tail{"b1c3", "b8c6", "c3b1", "c6b8", "g1f3", "g8f6",
                                      "f3g1", "f6g8", "b1c3", "b8c6", "c3b1", "c6b8"};
  const std::tuple<std::vector<std::string>, int, Result> cases[] = {
      {{}, 88, {GAME_DRAWN, "Fifty move rule"}}, {{"e2e4", "e7e5"}, 86, {GAME_GOES_ON, ""}}};
  for (const auto& [prefix, shuffles, expected] : cases) {
    Game game;
    game.startNewGame();
    game.restartHistory();
    std::vector<std::string> plies = prefix;
    for (int i = 0; i < shuffles; ++i) plies.push_back(cycle[i % 4]);
    plies.insert(plies.end(), tail.begin(), tail.end());
    for (const std::string& text : plies) game.playMove(parseCoordinateMove(game.position, text));
    EXPECT_EQ(adjudicated(game), expected) << shuffles;
  }
}

TEST(GameAdjudication, FinishedPositions) {
  const std::pair<const char*, Result> cases[] = {
      {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", {BLACK_WINS, "Checkmate"}},
      {"8/8/8/4k3/8/8/8/KN6 w - - 0 1", {GAME_GOES_ON, ""}},
  };
  for (const auto& [fen, expected] : cases) {
    Game game;
    game.position = *positionFromFen(fen);
    game.restartHistory();
    EXPECT_EQ(adjudicated(game), expected) << fen;
  }
}

// Back-to-back games: a long game's history (about 2 KB a ply) is not kept
// allocated once the history is emptied, whichever way it is.
TEST(GameHistory, EmptyingGivesTheStorageBack) {
  const std::pair<const char*, void (Game::*)()> ways[] = {
      {"new game", &Game::startNewGame}, {"clear", &Game::clearHistory}, {"restart", &Game::restartHistory}};
  for (const auto& [name, empty] : ways) {
    Game game;
    game.startNewGame();
    game.restartHistory();
    for (int i = 0; i < 400; ++i)
      game.playMove(parseCoordinateMove(game.position, std::vector<const char*>{"g1f3", "g8f6", "f3g1", "f6g8"}[i % 4]));
    (game.*empty)();
    EXPECT_LE(game.history.capacity(), 1u) << name;
  }
}

// What a search is handed of the game: the positions since the last capture or
// pawn move, oldest first, the current one left out; a take-back gives them back.
TEST(GameHistory, RepetitionKeysRunBackToTheLastIrreversibleMove) {
  Game game;
  game.position = *positionFromFen("4k3/8/8/8/8/8/4p3/R3K3 w - - 0 1");
  game.restartHistory();
  std::vector<std::uint64_t> seen;
  for (const char* text : {"a1a2", "e8d8", "a2e2", "d8c8", "e1d1", "c8d8"}) {
    seen.push_back(positionKey(game.position));
    game.playMove(parseCoordinateMove(game.position, text));
  }
  // Ra2xe2 captured: only the positions after it count.
  EXPECT_EQ(game.repetitionKeys(), (std::vector<std::uint64_t>{seen[3], seen[4], seen[5]}));
  game.undoPly();
  game.undoPly();
  EXPECT_EQ(game.repetitionKeys(), (std::vector<std::uint64_t>{seen[3]}));
  game.undoPly();
  EXPECT_TRUE(game.repetitionKeys().empty());
}

}  // namespace
