#include "driver/game_clock.h"

#include <cstdio>

#include "base/process_clock.h"

GameClock::GameClock() : timeSource(processMilliseconds) {}

std::int32_t GameClock::now() const { return static_cast<std::int32_t>(timeSource()); }

void GameClock::reset() {
  blackRemaining = baseTime;
  whiteRemaining = baseTime;
  blackStart = whiteStart = now();
}

void GameClock::stop() {
  const std::int32_t t = now();
  // Only whole seconds are charged; the fraction is forgiven.
  if (whiteRunning) whiteRemaining -= (t - whiteStart) / 1000;
  if (blackRunning) blackRemaining -= (t - blackStart) / 1000;
  whiteRunning = blackRunning = false;
}

void GameClock::start(int side) {
  stop();
  if (side) {
    whiteStart = now();
    whiteRunning = true;
  } else {
    blackStart = now();
    blackRunning = true;
  }
}

void GameClock::setRemaining(int side, double seconds) {
  if (side)
    whiteRemaining = seconds;
  else
    blackRemaining = seconds;
}

void GameClock::setLevel(int moves, double baseSeconds, double incrementSeconds) {
  movesPerSession = moves;
  baseTime = baseSeconds;
  increment = incrementSeconds;
}

double GameClock::remaining(int side) const {
  const bool running = side ? whiteRunning : blackRunning;
  const double stored = side ? whiteRemaining : blackRemaining;
  if (!running) return stored;
  const std::int32_t started = side ? whiteStart : blackStart;
  return stored - (now() - started) / 1000;
}

std::string GameClock::clockText(double seconds) {
  if (seconds < 0) return "OUT";
  // Out-of-range values (a huge "time" argument) must not overflow the int conversion.
  if (seconds > 1e9) seconds = 1e9;
  const int minutes = static_cast<int>(seconds * (1.0 / 60));
  const int rest = static_cast<int>(seconds) % 60;
  char text[32];
  std::snprintf(text, sizeof text, "%02d : %02d", minutes, rest);
  return text;
}
