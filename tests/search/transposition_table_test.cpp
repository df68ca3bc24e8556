#include "search/transposition_table.h"

#include <gtest/gtest.h>

#include <vector>


#include "test_positions.h"

namespace {

// A mate found below a node is as many plies from that node wherever the
// position comes back: stored at one ply and probed at another, its score is
// the distance from the prober's root. Other scores come back as they went in.
TEST(TranspositionTable, MateScoresFollowTheProbersPly) {
  struct Row {
    int score, storedAt, probedAt, expected;
  };
  const Row rows[] = {
      {MATE_VALUE - 8, 5, 2, MATE_VALUE - 5},        // mate three plies below the node
      {-(MATE_VALUE - 8), 5, 2, -(MATE_VALUE - 5)},  // mated there
      {MATE_VALUE - 3, 1, 7, MATE_VALUE - 9},        // met again deeper
      {-(MATE_VALUE - 3), 1, 7, -(MATE_VALUE - 9)},
      {MATE_VALUE - 5, 4, 0, MATE_VALUE - 1},        // mate one ply below: met again at the root
      {MATE_BOUND - 1, 3, 9, MATE_BOUND - 1},        // a large score, no mate
      {-(MATE_BOUND - 1), 9, 3, -(MATE_BOUND - 1)},
      {250, 6, 1, 250},
      {-37, 0, 12, -37},
  };
  TranspositionTable table(1);
  std::uint64_t key = 0x9e3779b97f4a7c15ull;
  for (const Row& row : rows) {
    key += 0x1234567;
    table.store(key, row.storedAt, row.score, 6, Bound::EXACT, Move());
    TableEntry entry;
    ASSERT_TRUE(table.probe(key, row.probedAt, entry)) << row.score;
    EXPECT_EQ(entry.score, row.expected) << row.score << " stored at " << row.storedAt;
    EXPECT_EQ(entry.depth, 6);
    EXPECT_EQ(entry.bound, Bound::EXACT);
  }
}

// The use reported is the current search's; a resize or a clear leaves an empty table.
TEST(TranspositionTable, UseIsTheCurrentSearchsAndResizeOrClearEmpties) {
  TranspositionTable table(1);
  EXPECT_EQ(table.hashfull(), 0);
  for (std::uint64_t key = 0; key < 250; ++key) table.store(key, 0, 0, 1, Bound::EXACT, Move());
  EXPECT_EQ(table.hashfull(), 250);  // one slot of each of the first 250 buckets of four
  table.newSearch();
  EXPECT_EQ(table.hashfull(), 0);
  table.resize(2);
  TableEntry entry;
  EXPECT_FALSE(table.probe(7, 0, entry));
  EXPECT_EQ(table.megabytes(), 2u);
  // Clearing, which skips a table left empty, still empties one written since.
  table.clear();
  table.store(7, 0, 0, 1, Bound::EXACT, Move());
  table.clear();
  EXPECT_FALSE(table.probe(7, 0, entry));
}

// The move comes back whole: each promotion is a move of its own, and no
// move stored means none comes back, even after a store with one.
TEST(TranspositionTable, TheBestMoveComesBackWithItsPromotion) {
  const std::pair<const char*, const char*> rows[] = {
      {"1r5k/P7/8/8/8/8/8/K7 w - - 0 1", "a7a8=N"}, {"1r5k/P7/8/8/8/8/8/K7 w - - 0 1", "a7b8=R"},
      {"1r5k/P7/8/8/8/8/8/K7 w - - 0 1", "a7a8=Q"}, {"k7/8/8/8/8/8/p7/1R5K b - - 0 1", "a2b1=B"},
      {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1"},    {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", ""},
  };
  TranspositionTable table(1);
  std::uint64_t key = 77;
  for (const auto& [fen, text] : rows) {
    const CChessBoard position = fromFen(fen);
    const std::string coordinates(text);
    const Move best = coordinates.empty() ? Move() : parseCoordinateMove(position, coordinates);
    key = key * 6364136223846793005ull + 1442695040888963407ull;
    table.store(key, 3, 10, 4, Bound::LOWER, best);
    TableEntry entry;
    ASSERT_TRUE(table.probe(key, 3, entry)) << text;
    const Move back = entry.move();
    EXPECT_TRUE(back.sameSquares(best)) << text;
    EXPECT_EQ(back.promotion, best.promotion) << text;
    EXPECT_EQ(back.isNull(), coordinates.empty()) << text;
  }
}

// Keys that differ only in their high bits meet in one place of any table.
// Several of them stay found; when one must go, it is the one least worth
// keeping: from an earlier search before this one's, the shallowest first.
TEST(TranspositionTable, CollidingKeysKeepTheDeepAndTheRecent) {
  struct Row {
    std::vector<int> depths;       // stored in this order, a search apart where the depth is negative
    std::vector<bool> found;       // each stored key found afterwards
  };
  const Row rows[] = {
      {{6, 6, 6, 6}, {true, true, true, true}},
      {{9, 3, 7, 5, 4}, {true, false, true, true, true}},        // the shallowest gives way
      {{2, 9, 8, 7, 6, 5}, {false, true, true, true, false, true}},
      {{9, 9, 9, 9, -1}, {false, true, true, true, true}},        // a new search's entry beats an old deep one
      {{9, 3, 9, 9, -12, 1}, {false, false, true, true, true, true}},  // both old ones go first
  };
  for (const Row& row : rows) {
    TranspositionTable table(1);
    std::vector<std::uint64_t> keys;
    for (int depth : row.depths) {
      if (depth < 0) table.newSearch();
      keys.push_back(0x1234 + (std::uint64_t{keys.size() + 1} << 40));
      table.store(keys.back(), 0, 100 + depth, depth < 0 ? -depth : depth, Bound::LOWER, Move());
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
      TableEntry entry;
      EXPECT_EQ(table.probe(keys[i], 0, entry), row.found[i]) << "entry " << i << " of row " << &row - rows;
      if (row.found[i]) {
        EXPECT_EQ(entry.score, 100 + row.depths[i]);
      }
    }
  }
}

}  // namespace
