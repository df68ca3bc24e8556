#include "texel_tuner.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "search/strong_evaluation.h"

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

// Made linear around the fitted weights, the score must follow the real
// evaluation when weights move: a slope read off the wrong weight, square or
// side would miss by a whole step.
TEST(TexelTuner, TheLinearScoreFollowsTheEvaluation) {
  const auto positions = tinySet();
  const auto linearised = linearise(positions, TUNED_WEIGHTS);
  ASSERT_EQ(linearised.size(), positions.size());
  EvaluationWeights moved = TUNED_WEIGHTS;
  moved.materialMg[3] += 40;
  moved.squareEg[3][6 * 8 + 1] -= 40;  // a rook on the seventh rank's b-file, either side's
  moved.squareMg[5][6] += 40;          // a king on g1 / g8
  moved.squareEg[0][3 * 8 + 0] += 40;  // a pawn on a4 / a5
  moved.passedEg[5] -= 40;
  moved.mobilityEg[3][12] += 40;  // a queen reaching twelve squares
  std::vector<double> change;
  EvaluationWeights base = TUNED_WEIGHTS;
  std::vector<int> before;
  forEachWeight(base, [&](const std::string&, int& value) { before.push_back(value); });
  forEachWeight(moved, [&](const std::string&, int& value) { change.push_back(value - before[change.size()]); });
  const EvaluationTables tables(moved);
  int changed = 0;
  for (std::size_t p = 0; p < positions.size(); ++p) {
    const int score = strongEvaluate(positions[p].board, tables);
    const int white = positions[p].board.sideToMove ? score : -score;
    EXPECT_NEAR(linearScore(linearised[p], change), white, 8) << p;
    if (std::abs(white - linearised[p].score) >= 10) ++changed;
    EXPECT_DOUBLE_EQ(linearised[p].result, positions[p].result);
  }
  EXPECT_GE(changed, 4);  // the moves reach the positions, so the test has teeth
}

// The generated source holds every weight once, with the fitted value, a
// kind's square values as one board.
TEST(TexelTuner, WritesEveryWeight) {
  EvaluationWeights weights = TUNED_WEIGHTS;
  weights.tempo = 17;
  weights.squareEg[5][63] = -3;
  weights.squareEg[5][0] = 31;
  std::ostringstream out;
  writeWeightsSource(out, weights, "a test");
  const std::string text = out.str();
  EXPECT_NE(text.find("  w.tempo = 17;\n"), std::string::npos);
  const auto king = text.find("  w.squareEg[5] = {  // king\n      31,");
  ASSERT_NE(king, std::string::npos);
  EXPECT_EQ(text.find(", -3};\n", king), text.find("};\n", king) - 4);
  int count = 0;
  forEachWeight(weights, [&](const std::string&, int&) { ++count; });
  int lines = 0;
  for (std::size_t at = text.find("  w."); at != std::string::npos; at = text.find("  w.", at + 1)) ++lines;
  EXPECT_EQ(lines, count - 12 * 64 + 12 - 8 * 28 + 8);
}

}  // namespace
