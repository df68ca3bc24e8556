// Loading the default book, the work kelvo does before its first command and
// the desktop app's engine worker does for Nueva and Read openings; the desktop
// app also keeps the openings' names (argument 1).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "book/opening_book.h"
#include "book/opening_names.h"
#include "driver/game.h"

namespace {

void LoadDefaultBook(benchmark::State& state) {
  if (!std::filesystem::exists(KELVO_BOOK_FILE)) {
    state.SkipWithError("no generated book");
    return;
  }
  OpeningBook book;
  OpeningNames names;
  Game game;
  for (auto _ : state) {
    book.clearBook();
    names.clear();
    benchmark::DoNotOptimize(book.loadBook(KELVO_BOOK_FILE, game, state.range(0) ? &names : nullptr));
  }
  state.counters["entries"] = static_cast<double>(book.entryCount());
  state.counters["names"] = static_cast<double>(names.size());
}
BENCHMARK(LoadDefaultBook)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
