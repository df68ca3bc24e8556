#include "search/evaluation_weights.h"

namespace {

template <int N>
void visitArray(const std::string& name, int (&values)[N], const std::function<void(const std::string&, int&)>& visit) {
  for (int i = 0; i < N; ++i) visit(name + "[" + std::to_string(i) + "]", values[i]);
}

template <int N, int M>
void visitTable(const std::string& name, int (&values)[N][M],
                const std::function<void(const std::string&, int&)>& visit) {
  for (int i = 0; i < N; ++i) visitArray(name + "[" + std::to_string(i) + "]", values[i], visit);
}

}  // namespace

void forEachWeight(EvaluationWeights& w, const std::function<void(const std::string&, int&)>& visit) {
  visitArray("materialMg", w.materialMg, visit);
  visitArray("materialEg", w.materialEg, visit);
  visitTable("rankMg", w.rankMg, visit);
  visitTable("rankEg", w.rankEg, visit);
  visitTable("fileMg", w.fileMg, visit);
  visitTable("fileEg", w.fileEg, visit);
  visitArray("passedMg", w.passedMg, visit);
  visitArray("passedEg", w.passedEg, visit);
  visitArray("mobilityMg", w.mobilityMg, visit);
  visitArray("mobilityEg", w.mobilityEg, visit);
  for (auto [name, value] : {std::pair<const char*, int*>{"doubledMg", &w.doubledMg},
                             {"doubledEg", &w.doubledEg},
                             {"isolatedMg", &w.isolatedMg},
                             {"isolatedEg", &w.isolatedEg},
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
                             {"tempo", &w.tempo}})
    visit(name, *value);
}
