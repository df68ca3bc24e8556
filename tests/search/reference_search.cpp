#include "reference_search.h"

#include <algorithm>
#include <vector>

#include "position/move_gen.h"
#include "reference_movegen.h"
#include "position/evaluation.h"

namespace {

class ReferenceSearcher {
 public:
  ReferenceSearcher(const Move& cut, bool stop) : lastCutMove(cut), stopRequested(stop) {}

  Move lastCutMove;
  bool stopRequested;
  std::int32_t nodeCount = 0;

  int evaluateNode(const CChessBoard& position) {
    ++nodeCount;
    CBoard copy = position;
    return evaluate(copy);
  }

  int search(int depth, CChessBoard& node, int& alpha, int& beta) {
    if (stopRequested && node.root()->child) return 0;
    if (depth < 1) return node.score;
    std::vector<CChessBoard> children;
    expand(children, node, alpha, beta);
    if (children.empty()) return node.score;
    const bool white = node.sideToMove == 1;
    int best = white ? -9000 : 9000;
    for (CChessBoard& c : children) {
      const int v = search(depth - 1, c, alpha, beta);
      if (white ? v > best : v < best) {
        best = v;
        CChessBoard* copy = new CChessBoard(c);
        c.child = nullptr;  // the copy took over the line
        node.setChild(copy, true);
      }
    }
    if (white) {
      beta = best;
      alpha = -9000;
    } else {
      alpha = best;
      beta = 9000;
    }
    node.score = best;
    for (CChessBoard& c : children) c.freeLine();
    return best;
  }

  void expand(std::vector<CChessBoard>& children, CChessBoard& node, int a, int b) {
    const bool white = node.sideToMove == 1;
    const int s = white ? 1 : -1;
    const int bound = white ? b : a;
    if (white)
      reference::generateMoves(node, false, b, NO_BOUND);
    else
      reference::generateMoves(node, false, NO_BOUND, a);
    if (node.moveCount == 0) {
      node.score = white ? -9000 : 9000;
      return;
    }
    // A list stopped by the bound probe: when the side has no legal move at
    // all, the node is scored as such.
    if (node.moves[0].checkState == 255) {
      CChessBoard full = node;
      reference::generateMoves(full, false);
      if (full.moveCount == 0) {
        node.score = white ? -9000 : 9000;
        return;
      }
    }
    children.reserve(node.moveCount);
    for (int i = 0; i < node.moveCount; ++i) {
      CChessBoard c;
      makeChild(c, node, i);
      c.score = node.moves[i].checkState == 2 ? 9001 : evaluateNode(c);
      if (s * c.score >= s * bound && node.moves[i].captured == EMPTY) {
        node.score = c.score;
        lastCutMove = node.moves[i];
        children.clear();
        return;
      }
      children.push_back(c);
    }
    orderChildren(children);
  }

  // createChild with the literal move maker.
  static void makeChild(CChessBoard& child, CChessBoard& parent, int index) {
    static_cast<CBoard&>(child) = static_cast<const CBoard&>(parent);
    child.score = 0;
    child.moveCount = 0;
    child.parent = &parent;
    child.child = nullptr;
    reference::makeMove(child, parent.moves[index]);
    child.switchSide();
  }

  void orderChildren(std::vector<CChessBoard>& children) {
    const bool whiteMoved = children.front().sideToMove == 0;
    std::stable_sort(children.begin(), children.end(), [&](const CChessBoard& x, const CChessBoard& y) {
      return whiteMoved ? x.score > y.score : x.score < y.score;
    });
    for (std::size_t k = 0; k < children.size(); ++k) {
      if (children[k].lastMove.from == lastCutMove.from && children[k].lastMove.to == lastCutMove.to) {
        if (children.size() >= 2) std::swap(children[k], children[1]);
        break;
      }
    }
  }
};

}  // namespace

ReferenceResult referenceSearch(const CChessBoard& position, int depth, const Move& lastCutMove, bool stopRequested) {
  ReferenceSearcher searcher(lastCutMove, stopRequested);
  CChessBoard root;
  static_cast<CBoard&>(root) = static_cast<const CBoard&>(position);
  root.moveCount = 0;
  root.lastMove = Move();
  root.parent = nullptr;
  root.child = nullptr;
  int alpha = -9000, beta = 9000;
  ReferenceResult result;
  result.score = searcher.search(depth, root, alpha, beta);
  result.nodes = searcher.nodeCount;
  result.lineLength = root.lineLength();
  result.lastCutMove = searcher.lastCutMove;
  const bool white = position.sideToMove == 1;
  const bool lost = white ? result.score == -9000 : result.score == 9000;
  if (root.child && !lost)
    result.move = root.child->lastMove;
  else if (!root.child && result.score == 9001 && searcher.lastCutMove.checkState == 2)
    result.move = searcher.lastCutMove;  // White's quiet mate cut the root's expansion
  else
    result.move = RESIGN_MOVE;
  root.freeLine();
  return result;
}
