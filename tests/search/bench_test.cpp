#include "search/bench.h"

#include "test_positions.h"

namespace {

// The node total of the built-in suite. It changes only when the search
// results change; update it deliberately, never to make a test pass.
constexpr long BENCH_SIGNATURE = 340546;

TEST(Bench, Signature) {
  std::ostringstream out;
  ASSERT_EQ(runBench("", out), 0);
  std::istringstream lines(out.str());
  int positions = 0;
  long nodeSum = 0;
  for (std::string line; std::getline(lines, line) && !line.empty(); ++positions)
    nodeSum += std::stol(line.substr(line.rfind(" nodes ") + 7));
  EXPECT_EQ(positions, static_cast<int>(benchPositions().size()));
  EXPECT_EQ(nodeSum, BENCH_SIGNATURE);
  EXPECT_NE(out.str().find("\nNodes searched  : " + std::to_string(BENCH_SIGNATURE) + "\nNodes/second    : "),
            std::string::npos);
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
