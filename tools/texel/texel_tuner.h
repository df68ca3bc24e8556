#pragma once
// Texel's method: the evaluation's weights fitted so that a logistic curve of
// the evaluation predicts the results of the games its positions came from.
// The error is the mean squared difference between result and prediction;
// the fit is a local search that moves one weight at a time while the error
// (plus a small penalty on moving far from the start) falls.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "position/chess_board.h"
#include "search/evaluation_weights.h"

struct LabelledPosition {
  CBoard board;
  double result = 0.5;  // for White: 1 won, 0.5 drawn, 0 lost
};

// Lines "FEN;result"; unreadable lines are skipped.
std::vector<LabelledPosition> readLabelledPositions(std::istream& in);

// Mean squared error of the prediction 1 / (1 + 10^(-scale * eval / 400)).
double meanError(const std::vector<LabelledPosition>& positions, const EvaluationWeights& weights, double scale);

// The scale that fits the given weights best (golden-section search).
double fitScale(const std::vector<LabelledPosition>& positions, const EvaluationWeights& weights);

// Penalty per squared centipawn a weight moves from its start. More
// positions are more evidence, so a larger set may take a smaller one.
constexpr double REGULARISATION = 1e-7;

// `passes` rounds over every weight, each fitted to lower the error plus the
// penalty; `progress` hears the error after each.
EvaluationWeights tuneWeights(const std::vector<LabelledPosition>& positions, EvaluationWeights weights, double scale,
                              int passes, const std::function<void(int pass, double error)>& progress,
                              double penalty = REGULARISATION);

// The source of evaluation_weights.cpp for these weights, `origin` in its header comment.
void writeWeightsSource(std::ostream& out, EvaluationWeights weights, const std::string& origin);
