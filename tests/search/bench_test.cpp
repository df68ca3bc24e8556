#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "search/bench.h"

namespace {

// The node total of the built-in suite. It changes only when the search
// results change; update it deliberately, never to make a test pass.
constexpr long BENCH_SIGNATURE = 340546;

TEST(Bench, SignatureAndReportFormat) {
  std::ostringstream out;
  ASSERT_EQ(runBench("", out), 0);
  const std::string text = out.str();
  std::istringstream lines(text);
  int positions = 0;
  long nodeSum = 0;
  for (std::string l; std::getline(lines, l) && !l.empty();) {
    // N, six FEN fields, then move <coord> score <score> nodes <nodes>
    std::istringstream in(l);
    std::vector<std::string> w;
    for (std::string word; in >> word;) w.push_back(word);
    ASSERT_EQ(w.size(), 13u) << l;
    EXPECT_EQ(w[0], std::to_string(positions + 1));
    EXPECT_EQ(w[7], "move");
    EXPECT_EQ(w[8].size(), 4u) << l;
    EXPECT_EQ(w[9], "score");
    EXPECT_EQ(w[11], "nodes");
    nodeSum += std::stol(w[12]);
    ++positions;
  }
  EXPECT_EQ(positions, static_cast<int>(benchPositions().size()));
  EXPECT_EQ(nodeSum, BENCH_SIGNATURE);

  std::vector<std::string> totals;
  for (std::string l; std::getline(lines, l);) totals.push_back(l);
  ASSERT_EQ(totals.size(), 3u) << text;
  EXPECT_EQ(totals[0].rfind("Total time (ms) : ", 0), 0u);
  EXPECT_EQ(totals[1], "Nodes searched  : " + std::to_string(BENCH_SIGNATURE));
  EXPECT_EQ(totals[2].rfind("Nodes/second    : ", 0), 0u);
}

TEST(Bench, ReadsFensFromFileSkippingCommentsAndBlankLines) {
  const std::string path = ::testing::TempDir() + "bench_positions.txt";
  {
    std::ofstream file(path);
    file << "# two positions\n\nrnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\n"
         << "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\n";
  }
  std::ostringstream out;
  ASSERT_EQ(runBench(path, out), 0);
  const std::string text = out.str();
  EXPECT_NE(text.find("1 rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 move "), std::string::npos);
  EXPECT_NE(text.find("2 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1 move a1a8 score 9001 nodes 11\n"), std::string::npos)
      << text;
  EXPECT_EQ(text.find("\n3 "), std::string::npos);

  std::ostringstream missing;
  EXPECT_EQ(runBench(::testing::TempDir() + "no_such_file.txt", missing), 2);
}

}  // namespace
