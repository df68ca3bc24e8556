// The built-in bench suite searched by the whole-copy reference: the speed the
// engine's search is measured against. Prints the same totals as `kelvo bench`.

#include <chrono>
#include <cstdint>
#include <iostream>

#include "position/fen.h"
#include "reference_search.h"
#include "search/bench.h"

int main() {
  std::int64_t nodes = 0;
  const auto start = std::chrono::steady_clock::now();
  for (const std::string& fen : benchPositions()) nodes += referenceSearch(*positionFromFen(fen), 4).nodes;
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  std::cout << "Total time (ms) : " << ms << "\nNodes searched  : " << nodes
            << "\nNodes/second    : " << nodes * 1000 / (ms > 0 ? ms : 1) << std::endl;
  return 0;
}
