// Move generation micro-benchmarks: the legal list as the search asks for it
// (filtered and classified), the bare pseudo-legal pass, and perft.

#include <benchmark/benchmark.h>

#include "position/fen.h"
#include "position/move_gen.h"
#include "position/perft.h"

namespace {

const char* const POSITIONS[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 1",
    "6k1/5ppp/8/8/8/8/1q3PPP/R5K1 w - - 0 1",  // back-rank mates among the replies
};

CChessBoard positionAt(const benchmark::State& state) { return *positionFromFen(POSITIONS[state.range(0)]); }

void GenerateLegal(benchmark::State& state) {
  const CChessBoard position = positionAt(state);
  CChessBoard work(position);
  for (auto _ : state) {
    benchmark::DoNotOptimize(generateMoves(work, false));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(GenerateLegal)->DenseRange(0, 3);

void GeneratePseudo(benchmark::State& state) {
  CChessBoard work = positionAt(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(generateMoves(work, true));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(GeneratePseudo)->DenseRange(0, 3);

// Legal but unclassified, into a caller's buffer: what perft uses.
void GenerateLegalUnclassified(benchmark::State& state) {
  const CChessBoard position = positionAt(state);
  Move list[MAX_GENERATED_MOVES];
  for (auto _ : state) {
    benchmark::DoNotOptimize(generateLegalMoves(position, list));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(GenerateLegalUnclassified)->DenseRange(0, 3);

void Perft(benchmark::State& state) {
  const CChessBoard position = positionAt(state);
  std::uint64_t nodes = 0;
  for (auto _ : state) {
    nodes = perft(position, 4);
    benchmark::DoNotOptimize(nodes);
  }
  state.counters["leaves/s"] =
      benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(Perft)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
