// Loading the default book, the work the desktop app does on its window
// thread for Nueva and Leer aperturas (and kelvo before its first command).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "book/opening_book.h"

namespace {

void LoadDefaultBook(benchmark::State& state) {
  if (!std::filesystem::exists(KELVO_BOOK_FILE)) {
    state.SkipWithError("no generated book");
    return;
  }
  OpeningBook book;
  for (auto _ : state) {
    book.clearBook();
    benchmark::DoNotOptimize(book.loadBook(KELVO_BOOK_FILE));
  }
  state.counters["entries"] = static_cast<double>(book.entryCount());
}
BENCHMARK(LoadDefaultBook)->Unit(benchmark::kMillisecond);

}  // namespace
