#include "texel_tuner.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>
#include <thread>

#include "position/fen.h"
#include "search/strong_evaluation.h"

std::vector<LabelledPosition> readLabelledPositions(std::istream& in) {
  std::vector<LabelledPosition> positions;
  for (std::string line; std::getline(in, line);) {
    const auto split = line.find(';');
    if (split == std::string::npos) continue;
    const auto position = positionFromFen(line.substr(0, split));
    if (!position) continue;
    LabelledPosition labelled;
    labelled.board = *position;
    labelled.result = std::atof(line.c_str() + split + 1);
    positions.push_back(labelled);
  }
  return positions;
}

double meanError(const std::vector<LabelledPosition>& positions, const EvaluationWeights& weights, double scale) {
  if (positions.empty()) return 0;
  const EvaluationTables tables(weights);
  double total = 0;
  for (const LabelledPosition& p : positions) {
    const int score = strongEvaluate(p.board, tables);
    const int white = p.board.sideToMove ? score : -score;
    const double predicted = 1 / (1 + std::pow(10.0, -scale * white / 400));
    total += (p.result - predicted) * (p.result - predicted);
  }
  return total / static_cast<double>(positions.size());
}

double fitScale(const std::vector<LabelledPosition>& positions, const EvaluationWeights& weights) {
  const double ratio = (std::sqrt(5.0) - 1) / 2;
  double low = 0.1, high = 3.0;
  for (int i = 0; i < 30; ++i) {
    const double a = high - ratio * (high - low), b = low + ratio * (high - low);
    if (meanError(positions, weights, a) < meanError(positions, weights, b)) high = b;
    else low = a;
  }
  return (low + high) / 2;
}

namespace {

constexpr int STEP = 8;  // centipawns a weight is moved to read its slope off the integer score

int whiteScore(const CBoard& board, const EvaluationTables& tables) {
  const int score = strongEvaluate(board, tables);
  return board.sideToMove ? score : -score;
}

std::size_t threadCount() { return std::max(1u, std::thread::hardware_concurrency()); }

// Runs `work(slice, begin, end)` on slices of [0, count), one per core.
void inParallel(std::size_t count, const std::function<void(std::size_t, std::size_t, std::size_t)>& work) {
  const std::size_t threads = threadCount();
  std::vector<std::thread> running;
  for (std::size_t t = 0; t < threads; ++t)
    running.emplace_back(work, t, count * t / threads, count * (t + 1) / threads);
  for (std::thread& thread : running) thread.join();
}

}  // namespace

std::vector<LinearisedPosition> linearise(const std::vector<LabelledPosition>& positions,
                                          const EvaluationWeights& weights) {
  EvaluationWeights names = weights;
  std::vector<std::string> nameOf;
  std::vector<const int*> address;
  forEachWeight(names, [&](const std::string& name, int& value) {
    nameOf.push_back(name);
    address.push_back(&value);
  });
  auto indexOf = [&](const int* value) { return static_cast<int>(std::find(address.begin(), address.end(), value) - address.begin()); };
  int squareIndex[2][6][64];  // [eg][kind][square]
  for (int kind = 0; kind < 6; ++kind)
    for (int i = 0; i < 64; ++i) {
      squareIndex[0][kind][i] = indexOf(&names.squareMg[kind][i]);
      squareIndex[1][kind][i] = indexOf(&names.squareEg[kind][i]);
    }
  // A mobility entry past the most squares its kind can reach never moves a score.
  std::vector<const int*> unreachable;
  constexpr int MOST_REACHED[4] = {8, 13, 14, 27};  // knight, bishop, rook, queen
  for (int kind = 0; kind < 4; ++kind)
    for (std::size_t count = MOST_REACHED[kind] + 1; count < names.mobilityMg[kind].size(); ++count) {
      unreachable.push_back(&names.mobilityMg[kind][count]);
      unreachable.push_back(&names.mobilityEg[kind][count]);
    }
  // Every other weight may reach any position: each is moved once for all of them.
  struct Moved {
    int index;
    int step;
    EvaluationTables tables;
  };
  std::vector<Moved> others;
  for (std::size_t j = 0; j < address.size(); ++j) {
    if (nameOf[j].rfind("square", 0) == 0) continue;
    if (std::find(unreachable.begin(), unreachable.end(), address[j]) != unreachable.end()) continue;
    // The king attack multiplies squared attack units up to a cap: one centipawn stays below it.
    const int step = nameOf[j] == "kingAttack" ? 1 : STEP;
    EvaluationWeights w = weights;
    std::size_t k = 0;
    forEachWeight(w, [&](const std::string&, int& value) {
      if (k++ == j) value += step;
    });
    others.push_back({static_cast<int>(j), step, EvaluationTables(w)});
  }
  const EvaluationTables base(weights);
  std::vector<LinearisedPosition> linearised(positions.size());
  inParallel(positions.size(), [&](std::size_t, std::size_t begin, std::size_t end) {
    EvaluationTables tables = base;
    for (std::size_t p = begin; p < end; ++p) {
      const CBoard& board = positions[p].board;
      LinearisedPosition& out = linearised[p];
      out.result = positions[p].result;
      const int score = whiteScore(board, base);
      out.score = score;
      for (const Moved& other : others) {
        const int change = whiteScore(board, other.tables) - score;
        if (change) out.slopes.emplace_back(other.index, static_cast<float>(change) / other.step);
      }
      // A square's value reaches the score only through the pieces on it.
      bool done[6][64] = {};
      for (int s = 0; s < 128; ++s) {
        if (!isOnBoard(s)) continue;
        const int code = board.squares[s];
        if (code == EMPTY) continue;
        const bool white = isWhitePiece(code);
        const int kind = isPawn(code) ? 0 : isKnight(code) ? 1 : isBishop(code) ? 2 : isRook(code) ? 3 : isQueen(code) ? 4 : 5;
        const int index = (white ? rankOf(s) : 7 - rankOf(s)) * 8 + fileOf(s);
        if (done[kind][index]) continue;
        done[kind][index] = true;
        for (int phase = 0; phase < 2; ++phase) {
          auto& table = phase ? tables.eg[kind] : tables.mg[kind];
          table[index] += STEP;
          const int change = whiteScore(board, tables) - score;
          table[index] -= STEP;
          if (change) out.slopes.emplace_back(squareIndex[phase][kind][index], static_cast<float>(change) / STEP);
        }
      }
    }
  });
  return linearised;
}

double linearScore(const LinearisedPosition& position, const std::vector<double>& moved) {
  double score = position.score;
  for (const auto& [index, slope] : position.slopes) score += slope * moved[index];
  return score;
}

EvaluationWeights tuneWeights(const std::vector<LabelledPosition>& positions, EvaluationWeights weights, double scale,
                              int passes, const std::function<void(int, double)>& progress, double penalty) {
  std::vector<int*> values;
  forEachWeight(weights, [&](const std::string&, int& value) { values.push_back(&value); });
  const std::size_t count = values.size();
  std::vector<double> start(count), current(count);
  for (std::size_t j = 0; j < count; ++j) start[j] = current[j] = *values[j];
  const double k = scale * std::log(10.0) / 400;
  const double n = static_cast<double>(positions.size());
  constexpr int EPOCHS = 300;
  // Adam's moments survive the passes: each pass only moves the point the evaluation is made linear at.
  std::vector<double> first(count), second(count);
  int step = 0;
  for (int pass = 1; pass <= passes; ++pass) {
    const auto linearised = linearise(positions, weights);
    std::vector<double> base(count), moved(count);
    for (std::size_t j = 0; j < count; ++j) base[j] = *values[j];
    for (int epoch = 0; epoch < EPOCHS; ++epoch) {
      for (std::size_t j = 0; j < count; ++j) moved[j] = current[j] - base[j];
      // Each slice sums its own gradient; the slices are added in order, so a fit is repeatable.
      std::vector<std::vector<double>> partial(threadCount(), std::vector<double>(count));
      inParallel(linearised.size(), [&](std::size_t slice, std::size_t begin, std::size_t end) {
        std::vector<double>& gradient = partial[slice];
        for (std::size_t p = begin; p < end; ++p) {
          const LinearisedPosition& position = linearised[p];
          const double predicted = 1 / (1 + std::exp(-k * linearScore(position, moved)));
          const double g = 2 * (predicted - position.result) * predicted * (1 - predicted) * k / n;
          for (const auto& [index, slope] : position.slopes) gradient[index] += g * slope;
        }
      });
      // Steps of up to two centipawns at first, a tenth of one at the end.
      const double rate = 2.0 - 1.9 * (pass - 1 + static_cast<double>(epoch) / EPOCHS) / passes;
      ++step;
      for (std::size_t j = 0; j < count; ++j) {
        double gradient = 2 * penalty * (current[j] - start[j]);
        for (const auto& part : partial) gradient += part[j];
        first[j] = 0.9 * first[j] + 0.1 * gradient;
        second[j] = 0.999 * second[j] + 0.001 * gradient * gradient;
        const double unbiasedFirst = first[j] / (1 - std::pow(0.9, step));
        const double unbiasedSecond = second[j] / (1 - std::pow(0.999, step));
        current[j] -= rate * unbiasedFirst / (std::sqrt(unbiasedSecond) + 1e-12);
      }
    }
    for (std::size_t j = 0; j < count; ++j) *values[j] = static_cast<int>(std::lround(current[j]));
    if (progress) progress(pass, meanError(positions, weights, scale));
  }
  return weights;
}

void writeWeightsSource(std::ostream& out, EvaluationWeights weights, const std::string& origin) {
  out << "// Generated by tools/texel/texel_tune (make tune); do not edit by hand.\n// " << origin
      << "\n#include \"search/evaluation_weights.h\"\n\nextern constexpr EvaluationWeights TUNED_WEIGHTS = [] {\n"
         "  EvaluationWeights w{};\n";
  // A table's rows one by one, each labelled with its kind: a square table's
  // as a board of eight ranks (the owner's first rank on top), a mobility
  // table's seven counts to a line.
  static const char* const KINDS[6] = {"pawn", "knight", "bishop", "rook", "queen", "king"};
  std::string row;
  std::vector<int> values;
  auto flush = [&] {
    if (values.empty()) return;
    const bool squares = row.rfind("square", 0) == 0;
    const int kind = row[row.size() - 2] - '0' + (squares ? 0 : 1);
    const std::size_t perLine = squares ? 8 : 7;
    out << "  w." << row << " = {  // " << KINDS[kind] << "\n     ";
    for (std::size_t i = 0; i < values.size(); ++i)
      out << ' ' << values[i] << (i + 1 == values.size() ? "};\n" : (i + 1) % perLine == 0 ? ",\n     " : ",");
    values.clear();
  };
  forEachWeight(weights, [&](const std::string& name, int& value) {
    const auto index = name.rfind('[');
    if (name.find('[') == index) {  // no second index: a weight or a list, one line each
      flush();
      out << "  w." << name << " = " << value << ";\n";
      return;
    }
    if (name.compare(0, index, row) != 0) {
      flush();
      row = name.substr(0, index);
    }
    values.push_back(value);
  });
  flush();
  out << "  return w;\n}();\n";
}
