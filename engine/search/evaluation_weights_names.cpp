#include "search/evaluation_weights.h"

namespace {

template <int N>
void visitArray(const std::string& name, int (&values)[N], const std::function<void(const std::string&, int&)>& visit) {
  for (int i = 0; i < N; ++i) visit(name + "[" + std::to_string(i) + "]", values[i]);
}

template <std::size_t N, std::size_t M>
void visitTable(const std::string& name, std::array<std::array<int, M>, N>& values,
                const std::function<void(const std::string&, int&)>& visit) {
  for (std::size_t i = 0; i < N; ++i)
    for (std::size_t j = 0; j < M; ++j)
      visit(name + "[" + std::to_string(i) + "][" + std::to_string(j) + "]", values[i][j]);
}

}  // namespace

void forEachWeight(EvaluationWeights& w, const std::function<void(const std::string&, int&)>& visit) {
  visitArray("materialMg", w.materialMg, visit);
  visitArray("materialEg", w.materialEg, visit);
  visitTable("squareMg", w.squareMg, visit);
  visitTable("squareEg", w.squareEg, visit);
  visitArray("passedMg", w.passedMg, visit);
  visitArray("passedEg", w.passedEg, visit);
  visitTable("mobilityMg", w.mobilityMg, visit);
  visitTable("mobilityEg", w.mobilityEg, visit);
  visitArray("connectedMg", w.connectedMg, visit);
  visitArray("connectedEg", w.connectedEg, visit);
  visitArray("outpostMg", w.outpostMg, visit);
  visitArray("outpostEg", w.outpostEg, visit);
  for (auto [name, value] : {std::pair<const char*, int*>{"doubledMg", &w.doubledMg},
                             {"doubledEg", &w.doubledEg},
                             {"isolatedMg", &w.isolatedMg},
                             {"isolatedEg", &w.isolatedEg},
                             {"backwardMg", &w.backwardMg},
                             {"backwardEg", &w.backwardEg},
                             {"shieldMissingMg", &w.shieldMissingMg},
                             {"shieldOpenMg", &w.shieldOpenMg},
                             {"shieldNearMg", &w.shieldNearMg},
                             {"shieldMiddleMg", &w.shieldMiddleMg},
                             {"shieldFarMg", &w.shieldFarMg},
                             {"kingAttack", &w.kingAttack},
                             {"rookOpenMg", &w.rookOpenMg},
                             {"rookOpenEg", &w.rookOpenEg},
                             {"rookHalfOpenMg", &w.rookHalfOpenMg},
                             {"rookHalfOpenEg", &w.rookHalfOpenEg},
                             {"bishopPairMg", &w.bishopPairMg},
                             {"bishopPairEg", &w.bishopPairEg},
                             {"passerOtherKingEg", &w.passerOtherKingEg},
                             {"passerOwnKingEg", &w.passerOwnKingEg},
                             {"threatByPawnMg", &w.threatByPawnMg},
                             {"threatByPawnEg", &w.threatByPawnEg},
                             {"threatByMinorMg", &w.threatByMinorMg},
                             {"threatByMinorEg", &w.threatByMinorEg},
                             {"threatByRookMg", &w.threatByRookMg},
                             {"threatByRookEg", &w.threatByRookEg},
                             {"hangingMg", &w.hangingMg},
                             {"hangingEg", &w.hangingEg},
                             {"hangingPawnMg", &w.hangingPawnMg},
                             {"hangingPawnEg", &w.hangingPawnEg},
                             {"tempo", &w.tempo}})
    visit(name, *value);
}
