#include "base/process_clock.h"

#include <chrono>

namespace {
// Initialised during static start-up, so "since the process started" holds
// even for the first caller.
const std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();
}  // namespace

std::int64_t processMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - processStart)
      .count();
}
