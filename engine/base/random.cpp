#include "base/random.h"

#include <atomic>

namespace {
std::atomic<std::uint32_t> state{1};
}

void engineSrand(std::uint32_t seed) { state.store(seed); }

int engineRand() {
  std::uint32_t next = state.load() * 214013u + 2531011u;
  state.store(next);
  return static_cast<int>((next >> 16) & 0x7fff);
}
