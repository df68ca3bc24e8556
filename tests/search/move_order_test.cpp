#include "search/move_order.h"

#include "position/evaluation.h"
#include "test_positions.h"

// The order itself is pinned by the bench signature and by the searches
// compared node for node with the reference.
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

}  // namespace
