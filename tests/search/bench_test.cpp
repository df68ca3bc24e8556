#include "search/bench.h"

#include "search/level.h"
#include "test_positions.h"

namespace {

// The node total of the built-in suite. It changes only when the search
// results change; update it deliberately, never to make a test pass.
constexpr long BENCH_SIGNATURE = 340546;
// The same for the strong search: the top level, one thread, a fresh table
// per position, STRONG_BENCH_DEPTH plies (`kelvo bench --level 10 --depth 7`).
// No clock is read, so the total is the same in every build.
constexpr int STRONG_BENCH_DEPTH = 7;
constexpr long STRONG_BENCH_SIGNATURE = 322643;

// Runs the suite; checks one line per position and the total line, and
// returns the node sum of the lines.
long benchNodes(int level, int depth) {
  std::ostringstream out;
  EXPECT_EQ(runBench("", out, level, depth), 0);
  std::istringstream lines(out.str());
  int positions = 0;
  long nodeSum = 0;
  for (std::string line; std::getline(lines, line) && !line.empty(); ++positions)
    nodeSum += std::stol(line.substr(line.rfind(" nodes ") + 7));
  EXPECT_EQ(positions, static_cast<int>(benchPositions().size()));
  EXPECT_NE(out.str().find("\nNodes searched  : " + std::to_string(nodeSum) + "\nNodes/second    : "),
            std::string::npos);
  return nodeSum;
}

TEST(Bench, Signature) { EXPECT_EQ(benchNodes(SPECIFIED_LEVEL, 0), BENCH_SIGNATURE); }

TEST(Bench, StrongSearchSignature) {
  EXPECT_EQ(benchNodes(TOP_LEVEL, STRONG_BENCH_DEPTH), STRONG_BENCH_SIGNATURE);
}

TEST(Bench, ReadsFensFromFileSkippingCommentsAndBlankLines) {
  const std::string path = writeFile("bench_positions.txt", "# two positions\n\n" + std::string(INITIAL_FEN) +
                                                                "\n6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\n");
  std::ostringstream out;
  ASSERT_EQ(runBench(path, out), 0);
  EXPECT_EQ(out.str().rfind("1 " + std::string(INITIAL_FEN) + " move ", 0), 0u) << out.str();
  EXPECT_NE(out.str().find("\n2 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1 move a1a8 score 9001 nodes 11\n\nTotal time (ms) : "),
            std::string::npos) << out.str();
  std::ostringstream missing;
  EXPECT_EQ(runBench(::testing::TempDir() + "no_such_file.txt", missing), 2);
}

}  // namespace
