// The strong search's threads: the table they share, the helpers started
// beside the calling thread's search and stopped when it ends, and the nodes
// they searched.
#include "search/alpha_beta_search.h"

#include <algorithm>

void AlphaBetaSearch::configure(std::size_t hashMegabytes, int threads) {
  threadCount = std::max(threads, 1);
  if (hashMegabytes != table->megabytes()) {
    table.reset();  // the old table goes first: both may not fit at once
    table = std::make_shared<TranspositionTable>(std::max<std::size_t>(hashMegabytes, 1));
    helpers.clear();
  }
}

std::int64_t AlphaBetaSearch::totalNodes() const {
  std::int64_t total = nodes;
  for (const auto& other : helpers) total += other->publishedNodes.load(std::memory_order_relaxed);
  return total;
}

void AlphaBetaSearch::startHelpers(const CBoard& root, const std::vector<std::uint64_t>& gameKeys,
                                   const LevelSettings& settings) {
  helpers.resize(threadCount - 1);
  for (auto& other : helpers)
    if (!other) {
      other.reset(new AlphaBetaSearch(table));
      other->helper = true;
    }
  helperStop = false;
  helperContext = *context;
  helperContext.listener = nullptr;
  helperContext.stopRequest = &helperStop;
  for (std::size_t i = 0; i < helpers.size(); ++i)
    workers.emplace_back([this, i, &root, &gameKeys, &settings] {
      AlphaBetaSearch& other = *helpers[i];
      const std::vector<Move> rootMoves = other.prepare(root, gameKeys, *limits, settings, helperContext);
      // Half the helpers a ply ahead: the threads then fill the table at different depths.
      if (!rootMoves.empty()) other.iterate(rootMoves, settings, 1 + static_cast<int>(i % 2));
      other.publishedNodes = other.nodes;
    });
}

// Ends the helpers' searches; returns their nodes.
std::int64_t AlphaBetaSearch::stopHelpers() {
  helperStop = true;
  for (std::thread& worker : workers) worker.join();
  workers.clear();
  std::int64_t total = 0;
  for (const auto& other : helpers) total += other->publishedNodes.load();
  return total;
}
