#pragma once
// The two sides' chess clocks. Bookkeeping for display only: the search never
// consults them. Sides use the position's convention, 1 White and 0 Black.

#include <cstdint>
#include <string>

class GameClock {
 public:
  using TimeSource = std::int64_t (*)();

  bool whiteRunning = false;
  bool blackRunning = false;
  std::int32_t blackStart = 0;  // milliseconds when Black's clock was started
  std::int32_t whiteStart = 0;
  double blackRemaining = 180;  // seconds; negative once overstepped
  double whiteRemaining = 180;
  double baseTime = 180;
  double increment = 0;         // stored, not applied
  std::int32_t movesPerSession = 0;  // stored, not applied

  // Where "now" comes from; processMilliseconds unless a test replaces it.
  TimeSource timeSource;

  GameClock();

  void reset();
  // Charges each running side the whole seconds elapsed, then stops both.
  void stop();
  void start(int side);
  void setRemaining(int side, double seconds);
  void setLevel(int moves, double baseSeconds, double incrementSeconds);
  double remaining(int side) const;

  // "OUT" below zero, else "MM : SS".
  static std::string clockText(double seconds);

 private:
  std::int32_t now() const;
};
