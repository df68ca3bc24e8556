#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "position/move_gen.h"
#include "position/notation.h"
#include "search/evaluation.h"
#include "search/move_order.h"

namespace {

// The root's children of a position, scored statically, in generation order.
std::vector<SearchNode> scoredChildren(CChessBoard position) {
  generateMoves(position, false);
  std::vector<SearchNode> children;
  CChessBoard child;
  for (int i = 0; i < position.moveCount; ++i) {
    createChild(child, position, i);
    children.push_back({child, child.lastMove});
    children.back().board.score = evaluate(child);
  }
  return children;
}

std::string orderText(const std::vector<SearchNode>& children, const Move& lastCutMove) {
  std::vector<std::uint16_t> order;
  orderByScore(children, order, lastCutMove);
  std::string text;
  for (std::uint16_t i : order) text += moveToCoordinates(children[i].lastMove) + " ";
  return text;
}

Move squares(int from, int to) { return Move(from, to, EMPTY, EMPTY, EMPTY); }

TEST(OrderChildren, InitialPositionBestFirstEqualScoresInGenerationOrder) {
  CChessBoard initial;
  initial.setupInitialPosition();
  EXPECT_EQ(orderText(scoredChildren(initial), Move()),
            "b1c3 g1f3 d2d4 e2e4 b1a3 g1h3 c2c4 f2f4 b2b3 b2b4 c2c3 d2d3 e2e3 f2f3 g2g3 g2g4 "
            "a2a3 a2a4 h2h3 h2h4 ");
}

TEST(OrderChildren, LastCutMoveGoesSecond) {
  CChessBoard initial;
  initial.setupInitialPosition();
  const auto children = scoredChildren(initial);
  struct Case {
    Move cut;
    const char* start;
  };
  const Case cases[] = {
      {squares(0x14, 0x34), "b1c3 e2e4 d2d4 g1f3 b1a3 "},  // from further down: exchanged with second
      {squares(0x01, 0x22), "g1f3 b1c3 d2d4 e2e4 b1a3 "},  // already first: the first two change places
      {squares(0x06, 0x25), "b1c3 g1f3 d2d4 e2e4 b1a3 "},  // already second: nothing changes
      {squares(0x14, 0x44), "b1c3 g1f3 d2d4 e2e4 b1a3 "},  // matches no child
  };
  for (const Case& c : cases) EXPECT_EQ(orderText(children, c.cut).substr(0, 25), c.start);
}

TEST(OrderChildren, BlackMovedSortsAscending) {
  CChessBoard position;
  position.setupInitialPosition();
  position.sideToMove = 0;
  const std::string text = orderText(scoredChildren(position), Move());
  EXPECT_EQ(text.substr(0, 20), "b8c6 g8f6 d7d5 e7e5 ");
}

TEST(OrderChildren, SingleChildIgnoresCutMove) {
  std::vector<SearchNode> one(1);
  one[0].lastMove = squares(0x14, 0x34);
  std::vector<std::uint16_t> order;
  orderByScore(one, order, squares(0x14, 0x34));
  EXPECT_EQ(order, std::vector<std::uint16_t>{0});
}

}  // namespace
