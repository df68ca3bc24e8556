#include "driver/report_number.h"

#include <algorithm>
#include <charconv>

std::optional<long long> reportNumber(std::string_view word, ReportRange range) {
  bool negative = false;
  if (!word.empty() && (word.front() == '+' || word.front() == '-')) {
    negative = word.front() == '-';
    word.remove_prefix(1);
  }
  if (word.empty() || !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  unsigned long long magnitude = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), magnitude);
  // Digits beyond any range: as far out as the sign says.
  if (error == std::errc::result_out_of_range) return negative ? range.low : range.high;
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  constexpr unsigned long long LIMIT = 1'000'000'000'000'000'000ULL;  // past every range, and still a long long
  const long long value = static_cast<long long>(std::min(magnitude, LIMIT));
  return std::clamp(negative ? -value : value, range.low, range.high);
}
