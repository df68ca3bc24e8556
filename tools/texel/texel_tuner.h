#pragma once
// Texel's method: the evaluation's weights fitted so that a logistic curve of
// the evaluation predicts the results of the games its positions came from.
// The error is the mean squared difference between result and prediction.
// The fit works on the evaluation made linear around the weights it starts
// from (each position's score and its slope along every weight that moves
// it), lowers that error plus a small penalty on moving far from the start
// by gradient steps, and makes it linear again around the result, pass by
// pass, so the few terms that are not linear (the king attack) follow.

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

// A position's score for White near some weights: the score there and, for
// each weight that moves it, by how much per centipawn.
struct LinearisedPosition {
  double score = 0;
  std::vector<std::pair<int, float>> slopes;  // index in forEachWeight's order, slope
  double result = 0.5;
};

std::vector<LinearisedPosition> linearise(const std::vector<LabelledPosition>& positions,
                                          const EvaluationWeights& weights);

// The linear score when each weight has moved by `moved` (forEachWeight's order).
double linearScore(const LinearisedPosition& position, const std::vector<double>& moved);

// `passes` rounds of making the evaluation linear and fitting it; `progress`
// hears the real error (not the linear one) after each.
EvaluationWeights tuneWeights(const std::vector<LabelledPosition>& positions, EvaluationWeights weights, double scale,
                              int passes, const std::function<void(int pass, double error)>& progress,
                              double penalty = REGULARISATION);

// The source of evaluation_weights.cpp for these weights, `origin` in its header comment.
void writeWeightsSource(std::ostream& out, EvaluationWeights weights, const std::string& origin);
