// The strong search's rules at the edges where a slip does not change the
// move of an ordinary position: mate distances carried through the table from
// one search to the next, zugzwang mates a pass would hide, the fifty-move
// count in its last plies, and repetitions of the game's positions.

#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "position/zobrist.h"
#include "search/engine_player.h"
#include "search/level.h"
#include "test_positions.h"

namespace {

// White's point of view, as EnginePlayer::lastScore gives it.
struct Searched {
  int score;
  Move move;
};

Searched searchTopLevel(const CChessBoard& position, int depth, std::shared_ptr<TranspositionTable> table = nullptr,
                        int reversiblePlies = 0, const std::vector<const char*>& history = {}) {
  EnginePlayer player;
  player.level = TOP_LEVEL;
  player.limits.depth = depth;
  player.limits.reversiblePliesBefore = reversiblePlies;
  player.table = std::move(table);
  for (const char* fen : history) player.gameKeys.push_back(positionKey(fromFen(fen)));
  const Move move = player.runLevelSearch(position);
  return {player.lastScore, move};
}

// A mate in three, searched with one table along its own line: every
// search after the first meets entries stored at other distances from its
// root, and must still give the mate's exact distance from its own root.
TEST(SearchRules, MateDistancesHoldThroughTheTableAlongTheLine) {
  const auto table = std::make_shared<TranspositionTable>(DEFAULT_HASH_MEGABYTES);
  CChessBoard position = fromFen("8/k1K5/6R1/8/8/2P5/6b1/8 w - - 0 1");
  // Plies to the mate from each root along the line, the first root searched twice.
  const int pliesToMate[] = {5, 5, 4, 3, 2, 1};
  for (std::size_t i = 0; i < std::size(pliesToMate); ++i) {
    const Searched found = searchTopLevel(position, 8, table);
    const int moverScore = position.sideToMove ? found.score : -found.score;
    const int plies = pliesToMate[i];
    EXPECT_EQ(moverScore, plies % 2 ? MATE_VALUE - plies : -(MATE_VALUE - plies)) << "root " << i;
    if (i == 0) continue;
    // On along the line found.
    ASSERT_FALSE(found.move.isNull());
    makeMove(position, found.move);
    position.switchSide();
  }
  // A fresh table agrees with the warm one at the mate's last step.
  EXPECT_EQ(searchTopLevel(fromFen("8/k1K5/6R1/8/8/2P5/6b1/8 w - - 0 1"), 8).score, MATE_VALUE - 5);
}

// Mates in two whose first move is quiet: the defender, with only pawns
// besides the king, must then move into the mate. A pass would spare it, so
// the side with pawns alone may not pass, whatever the other side has.
TEST(SearchRules, ZugzwangMatesAgainstKingAndPawns) {
  const std::pair<const char*, const char*> rows[] = {
      {"2K5/k7/8/6p1/8/8/8/2Q5 w - - 0 1", "c1c6"},
      {"3k4/1p4Q1/8/2K5/8/8/8/8 w - - 0 1", "c5d6"},
      {"8/8/8/5p2/8/4K2k/5R2/8 w - - 0 1", "e3f4"},
      {"7k/1R3K2/8/2p4p/8/1p6/8/8 w - - 0 1", "f7g6"},
  };
  for (const auto& [fen, key] : rows) {
    const Searched found = searchTopLevel(fromFen(fen), 7);
    EXPECT_EQ(moveToCoordinates(found.move), key) << fen;
    EXPECT_EQ(found.score, MATE_VALUE - 3) << fen;
  }
}

// The hundredth quiet ply draws, unless it mates: the game judges a mate
// first. A mate in two by quiet moves, and a mate in one, at each count of
// quiet plies already played near the end.
TEST(SearchRules, FiftyMoveCountInItsLastPlies) {
  struct Row {
    const char* fen;
    int reversiblePlies;
    int score;  // White's point of view
    const char* move;
  };
  const char* mateInTwo = "k7/8/2K5/8/8/8/8/7Q w - - 0 1";
  const char* mateInOne = "k7/8/1K6/8/8/8/8/6Q1 w - - 0 1";
  const Row rows[] = {
      {mateInTwo, 0, MATE_VALUE - 3, ""},
      {mateInTwo, 96, MATE_VALUE - 3, ""},
      {mateInTwo, 97, MATE_VALUE - 3, ""},  // the mating move is the hundredth ply
      {mateInTwo, 98, 0, ""},               // the reply before it already draws
      {mateInOne, 99, MATE_VALUE - 1, "g1g8"},
      {mateInOne, 100, MATE_VALUE - 1, "g1g8"},  // a position set up past the count: the mate still stands
      // Black to move, mated in one after any move: a mate at the hundredth ply.
      {"k7/8/1K6/8/8/8/8/6Q1 b - - 0 1", 98, MATE_VALUE - 2, ""},
      {"k7/8/1K6/8/8/8/8/6Q1 b - - 0 1", 99, 0, ""},
  };
  for (const Row& row : rows) {
    const Searched found = searchTopLevel(fromFen(row.fen), 8, nullptr, row.reversiblePlies);
    EXPECT_EQ(found.score, row.score) << row.fen << " after " << row.reversiblePlies << " quiet plies";
    if (*row.move) {
      EXPECT_EQ(moveToCoordinates(found.move), row.move) << row.fen;
    }
  }
}

// A return to a position of the game draws only where the same side is to
// move, and the side ahead steers round it (the side behind seeking it is
// StrongPositions.DrawsAndZugzwang).
TEST(SearchRules, ReturnsToTheGamesPositionsOnlyWithTheSameSideToMove) {
  // Ng1-f3 would return to the first position after the history's four plies.
  const std::vector<const char*> shuffle = {"7k/8/8/8/8/5N2/R7/7K b - - 1 1", "6k1/8/8/8/8/5N2/R7/7K w - - 2 2",
                                            "6k1/8/8/8/8/8/R7/6NK b - - 3 2"};
  const Searched ahead = searchTopLevel(fromFen("7k/8/8/8/8/8/R7/6NK w - - 4 3"), 8, nullptr, 0, shuffle);
  EXPECT_NE(moveToCoordinates(ahead.move), "g1f3");
  EXPECT_GT(ahead.score, 500);
  // The squares after Ng1-f3 with White to move: another position, so the
  // side a rook down finds no rescue in it.
  const Searched noReturn = searchTopLevel(fromFen("7k/8/8/8/8/8/r7/6NK w - - 4 3"), 8, nullptr, 0,
                                           {"7k/8/8/8/8/5N2/r7/7K w - - 1 1"});
  EXPECT_LT(noReturn.score, -300);
}

}  // namespace
