// Loading the default book, the work the desktop app does on its window
// thread for Nueva and Leer aperturas (and kelvo before its first command).

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
  Game game;
  for (auto _ : state) {
    book.clearBook();
    benchmark::DoNotOptimize(book.loadBook(KELVO_BOOK_FILE, game));
  }
  state.counters["entries"] = static_cast<double>(book.entryCount());
}
BENCHMARK(LoadDefaultBook)->Unit(benchmark::kMillisecond);

// The desktop app's load, which also keeps the openings' names.
void LoadDefaultBookWithNames(benchmark::State& state) {
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
    benchmark::DoNotOptimize(book.loadBook(KELVO_BOOK_FILE, game, &names));
  }
  state.counters["names"] = static_cast<double>(names.size());
}
BENCHMARK(LoadDefaultBookWithNames)->Unit(benchmark::kMillisecond);

}  // namespace
