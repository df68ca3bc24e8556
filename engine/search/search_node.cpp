#include "search/search_node.h"

#include "position/evaluation.h"

bool nodeIsOk(const SearchNode& node) {
  if (!boardIsOk(node.board)) return false;
  return node.staticScore == SearchNode::UNKNOWN_SCORE || node.staticScore == evaluate(node.board);
}
