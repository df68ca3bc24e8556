#pragma once
// Numbers in another engine's search reports (UCI "info" lines, xboard
// thinking lines), for an interface that shows them. The engine may write
// anything there; each number is read within the range its meaning allows,
// so a side flip, a sum or a speed computed from it cannot overflow.

#include <optional>
#include <string_view>

struct ReportRange {
  long long low;
  long long high;
};

namespace report_range {
inline constexpr ReportRange DEPTH{0, 1000};
inline constexpr ReportRange MULTI_PV{0, 256};
// Short of a won position's score (WhiteScore::WON_CENTIPAWNS).
inline constexpr ReportRange CENTIPAWNS{-99'999, 99'999};
inline constexpr ReportRange MATE_MOVES{-10'000, 10'000};
// A thousand times the largest count still fits a long long.
inline constexpr ReportRange NODES{0, 1'000'000'000'000'000};
inline constexpr ReportRange MILLISECONDS{0, 1'000'000'000'000};
}  // namespace report_range

// The word as a whole decimal number (a sign, then digits only), moved into
// the range when it lies outside; nothing when it is no such number.
std::optional<long long> reportNumber(std::string_view word, ReportRange range);
