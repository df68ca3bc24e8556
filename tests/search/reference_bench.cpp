// The built-in bench suite searched by the whole-copy reference: the speed the
// engine's search is measured against. Prints the same totals as `kelvo bench`.

#include <chrono>
#include <iostream>

#include "position/fen.h"
#include "reference_search.h"
#include "search/bench.h"

int main() {
  long nodes = 0;
  const auto start = std::chrono::steady_clock::now();
  for (const std::string& fen : benchPositions()) nodes += referenceSearch(*positionFromFen(fen), 4).nodes;
  const auto elapsed = std::chrono::steady_clock::now() - start;
  const long ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  std::cout << "Total time (ms) : " << ms << "\nNodes searched  : " << nodes
            << "\nNodes/second    : " << nodes * 1000 / (ms > 0 ? ms : 1) << std::endl;
}
