#include "driver/random.h"

#include <atomic>

namespace {
std::atomic<std::uint64_t> state{1};
}

void engineSrand(std::uint32_t seed) { state.store(seed); }

int engineRand() {
  std::uint64_t z = state.load() + 0x9e3779b97f4a7c15ull;
  state.store(z);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  z ^= z >> 31;
  return static_cast<int>(z >> 49);
}
