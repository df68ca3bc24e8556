#include "texel_tuner.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace {

std::vector<LabelledPosition> tinySet() {
  std::ifstream in(KELVO_TEST_DATA "/texel_positions.txt");
  return readLabelledPositions(in);
}

// Positions of self-play games with their results; the two last lines (no
// FEN, no result) are skipped.
TEST(TexelTuner, ReadsTheLabelledLinesOnly) {
  const auto positions = tinySet();
  ASSERT_EQ(positions.size(), 16u);
  EXPECT_DOUBLE_EQ(positions.front().result, 1.0);
  EXPECT_DOUBLE_EQ(positions.back().result, 0.5);
}

TEST(TexelTuner, TheFitLowersTheError) {
  const auto positions = tinySet();
  const double scale = fitScale(positions, TUNED_WEIGHTS);
  EXPECT_LE(meanError(positions, TUNED_WEIGHTS, scale), meanError(positions, TUNED_WEIGHTS, 1.0) + 1e-12);
  const double before = meanError(positions, TUNED_WEIGHTS, scale);
  double last = before;
  const EvaluationWeights tuned = tuneWeights(positions, TUNED_WEIGHTS, scale, 2, [&](int, double error) { last = error; });
  EXPECT_LT(meanError(positions, tuned, scale), before);
  EXPECT_DOUBLE_EQ(meanError(positions, tuned, scale), last);
}

// The generated source names every weight once, with the fitted value.
TEST(TexelTuner, WritesEveryWeight) {
  EvaluationWeights weights = TUNED_WEIGHTS;
  weights.tempo = 17;
  weights.rankEg[5][7] = -3;
  std::ostringstream out;
  writeWeightsSource(out, weights, "a test");
  const std::string text = out.str();
  EXPECT_NE(text.find("  w.tempo = 17;\n"), std::string::npos);
  EXPECT_NE(text.find("  w.rankEg[5][7] = -3;\n"), std::string::npos);
  int count = 0;
  forEachWeight(weights, [&](const std::string&, int&) { ++count; });
  int lines = 0;
  for (std::size_t at = text.find("  w."); at != std::string::npos; at = text.find("  w.", at + 1)) ++lines;
  EXPECT_EQ(lines, count);
}

}  // namespace
