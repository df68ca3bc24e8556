// Fits the strong evaluation's weights to labelled positions and writes them
// as the source of evaluation_weights.cpp:
//   texel_tune POSITIONS.txt OUT.cpp [PASSES] [PENALTY per squared centipawn moved] [CHECK.txt]
// CHECK.txt: positions of other games, never fitted, whose error before and
// after tells whether the fit holds beyond the positions it saw.

#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "base/process_clock.h"
#include "texel_tuner.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: texel_tune POSITIONS.txt OUT.cpp [PASSES] [PENALTY] [CHECK.txt]\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  const auto positions = readLabelledPositions(in);
  if (positions.empty()) {
    std::cerr << "texel_tune: no positions in " << argv[1] << "\n";
    return 2;
  }
  const int passes = argc > 3 ? std::atoi(argv[3]) : 4;
  const double penalty = argc > 4 && *argv[4] ? std::atof(argv[4]) : REGULARISATION;
  std::vector<LabelledPosition> check;
  if (argc > 5) {
    std::ifstream checkIn(argv[5]);
    check = readLabelledPositions(checkIn);
    if (check.empty()) {
      std::cerr << "texel_tune: no positions in " << argv[5] << "\n";
      return 2;
    }
  }
  const std::int64_t start = processMilliseconds();
  const double scale = fitScale(positions, TUNED_WEIGHTS);
  const double before = meanError(positions, TUNED_WEIGHTS, scale);
  std::cerr << std::setprecision(6) << "texel_tune: " << positions.size() << " positions, scale " << scale
            << ", error " << before << "\n";
  const EvaluationWeights tuned = tuneWeights(positions, TUNED_WEIGHTS, scale, passes, [&](int pass, double error) {
    std::cerr << "texel_tune: pass " << pass << ", error " << error << ", "
              << (processMilliseconds() - start) / 1000 << " s\n";
  }, penalty);
  if (!check.empty())
    std::cerr << std::setprecision(6) << "texel_tune: " << check.size() << " positions of other games, error "
              << meanError(check, TUNED_WEIGHTS, scale) << " -> " << meanError(check, tuned, scale) << "\n";
  std::ostringstream origin;
  origin << "Fitted to " << positions.size() << " positions of self-play games, " << passes
         << " passes: mean squared error " << std::setprecision(6) << before << " -> "
         << meanError(positions, tuned, scale) << " (scale " << std::setprecision(3) << scale << ", penalty "
         << penalty << " per squared centipawn moved).";
  std::ofstream out(argv[2]);
  writeWeightsSource(out, tuned, origin.str());
  std::cerr << "texel_tune: " << origin.str() << "\n";
  return 0;
}
