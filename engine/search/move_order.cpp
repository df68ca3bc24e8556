#include "search/move_order.h"

#include <algorithm>
#include <numeric>
#include <utility>

void orderByScore(const std::vector<SearchNode>& children, std::vector<std::uint16_t>& order, const Move& lastCutMove) {
  order.resize(children.size());
  std::iota(order.begin(), order.end(), std::uint16_t{0});
  if (children.empty()) return;

  const bool whiteMoved = children.front().board.sideToMove == 0;
  if (whiteMoved)
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint16_t a, std::uint16_t b) { return children[a].board.score > children[b].board.score; });
  else
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint16_t a, std::uint16_t b) { return children[a].board.score < children[b].board.score; });

  if (order.size() < 2) return;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (children[order[k]].lastMove.sameSquares(lastCutMove)) {
      std::swap(order[k], order[1]);
      return;
    }
  }
}
