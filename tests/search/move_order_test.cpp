#include "search/move_order.h"

#include "position/evaluation.h"
#include "test_positions.h"

namespace {

TEST(NodeIsOk, KnownStaticScoreMustBeTheEvaluation) {
  SearchNode node;
  node.board = fromFen(KIWIPETE_FEN);
  EXPECT_TRUE(nodeIsOk(node));  // not computed yet
  node.staticScore = evaluate(node.board);
  EXPECT_TRUE(nodeIsOk(node));
  node.staticScore += 1;
  EXPECT_FALSE(nodeIsOk(node));
}

// The children of the initial position, scored statically, ordered best first:
// equal scores keep generation order, and the last cut move goes second.
TEST(OrderChildren, StableByScoreWithTheLastCutMoveSecond) {
  CChessBoard position = fromFen(INITIAL_FEN);
  generateMoves(position, false);
  std::vector<SearchNode> children;
  for (int i = 0; i < position.moveCount; ++i) {
    CChessBoard child;
    createChild(child, position, i);
    children.push_back({child, child.lastMove});
    children.back().board.score = evaluate(child);
  }
  const std::pair<const char*, const char*> cases[] = {
      {"", "b1c3 g1f3 d2d4 e2e4 b1a3 g1h3 c2c4 f2f4 b2b3 b2b4 c2c3 d2d3 e2e3 f2f3 g2g3 g2g4 a2a3 a2a4 h2h3 h2h4 "},
      {"e2e4", "b1c3 e2e4 d2d4 g1f3 b1a3 "},  // from further down: exchanged with the second
      {"b1c3", "g1f3 b1c3 d2d4 e2e4 b1a3 "},  // already first: the first two change places
      {"g1f3", "b1c3 g1f3 d2d4 e2e4 b1a3 "},  // already second: nothing changes
      {"e2e5", "b1c3 g1f3 d2d4 e2e4 b1a3 "},  // matches no child
  };
  for (const auto& [cut, start] : cases) {
    std::vector<std::uint16_t> order;
    orderByScore(children, order, *cut ? parseCoordinateMove(position, cut) : Move());
    std::string text;
    for (std::uint16_t i : order) text += moveToCoordinates(children[i].lastMove) + " ";
    EXPECT_EQ(text.substr(0, std::string(start).size()), start) << cut;
  }
}

}  // namespace
