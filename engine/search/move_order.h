#pragma once
// The order in which a node's children are searched: best static score first
// for the side that moved, equal scores in generation order (a stable sort, so
// every platform searches the same tree), then the move that caused the latest
// expansion cutoff is tried second.

#include <cstdint>
#include <vector>

#include "search/search_node.h"

// Fills `order` with the indices of `children` in search order.
void orderByScore(const std::vector<SearchNode>& children, std::vector<std::uint16_t>& order, const Move& lastCutMove);
