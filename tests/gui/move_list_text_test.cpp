#include "move_list_text.h"

#include <gtest/gtest.h>

#include <mutex>

#include "driver/game.h"
#include "position/move_gen.h"

namespace {

// Plays coordinate moves from the initial position; history as after "new".
std::vector<CChessBoard> gameAfter(std::initializer_list<const char*> moves) {
  Game& game = Game::instance();
  std::lock_guard guard(game.mutex());
  game.startNewGame();
  game.restartHistory();
  for (const char* text : moves) {
    CChessBoard scratch = game.position;
    const Move* move = findMove(scratch, parseSquare(text), parseSquare(text + 2));
    EXPECT_NE(move, nullptr) << text;
    if (move) game.playMove(*move);
  }
  return game.history;
}

TEST(MoveListText, OneLinePerFullMove) {
  EXPECT_EQ(moveListText(gameAfter({"e2e4", "e7e5", "g1f3"})), "1.e4 e5 \n2.Nf3");
  EXPECT_EQ(moveListText(gameAfter({"e2e4", "e7e5"})), "1.e4 e5 \n");
  EXPECT_EQ(moveListText(gameAfter({})), "");
}

TEST(MoveListText, WritesSanWithChecksAndCaptures) {
  EXPECT_EQ(moveListText(gameAfter({"e2e4", "d7d5", "e4d5", "d8d5", "b1c3", "d5e5", "f1e2", "e5e4", "g1f3", "e4c2"})),
            "1.e4 d5 \n2.exd5 Qxd5 \n3.Nc3 Qe5+ \n4.Be2 Qe4 \n5.Nf3 Qxc2 \n");
}

TEST(MoveListText, NumbersAHistoryThatStartsAfterTheFirstMove) {
  // A loaded game's history has no entry for the initial position.
  std::vector<CChessBoard> history = gameAfter({"e2e4", "e7e5", "g1f3"});
  history.erase(history.begin());
  EXPECT_EQ(moveListText(history), "1.e4 e5 \n2.Nf3");
}

struct PlainCase {
  Move move;
  const char* text;
};

TEST(PlainMoveText, WritesTheMoveWithoutItsPosition) {
  const PlainCase cases[] = {
      {Move(E1 + 16, E1 + 48, WHITE_PAWN, EMPTY, EMPTY), "e4"},
      {Move(52, 67, WHITE_PAWN, BLACK_PAWN, EMPTY), "exd5"},
      {Move(21, 52, WHITE_KNIGHT, BLACK_PAWN, EMPTY), "Nxe4"},
      {Move(100, 116, WHITE_PAWN, EMPTY, WHITE_QUEEN), "e8=Q"},
      {Move(E1, 6, WHITE_KING, EMPTY, EMPTY), "0-0"},
      {Move(E8, C8, BLACK_KING, EMPTY, EMPTY), "0-0-0"},
      {Move(G1, F1 + 32, WHITE_KNIGHT, EMPTY, EMPTY), "Nf3"},
  };
  for (const PlainCase& c : cases) EXPECT_EQ(plainMoveText(c.move), c.text);
}

}  // namespace
