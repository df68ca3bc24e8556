// Numbers from another engine's reports: whatever the text, a number within
// its range or none, so the side flips and speeds computed from them stay
// defined (this suite also runs under the sanitizers).

#include <gtest/gtest.h>

#include "driver/report_number.h"

namespace {

TEST(ReportNumber, EveryTextGivesANumberInItsRangeOrNone) {
  constexpr std::optional<long long> NONE;
  const struct {
    const char* text;
    ReportRange range;
    std::optional<long long> number;
  } rows[] = {
      {"31", report_range::CENTIPAWNS, 31},
      {"-31", report_range::CENTIPAWNS, -31},
      {"-2147483648", report_range::CENTIPAWNS, -99'999},
      {"-2147483648", report_range::MATE_MOVES, -10'000},
      {"9223372036854775807", report_range::NODES, 1'000'000'000'000'000},
      {"99999999999999999999999999", report_range::MILLISECONDS, 1'000'000'000'000},
      {"-99999999999999999999999999", report_range::MILLISECONDS, 0},
      {"-5", report_range::NODES, 0},
      {"99999999999", report_range::MULTI_PV, 256},
      {"2147483648", report_range::DEPTH, 1000},
      {"", report_range::NODES, NONE},
      {"+-3", report_range::NODES, NONE},
      {"12a", report_range::NODES, NONE},
      {"1e9", report_range::NODES, NONE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(reportNumber(row.text, row.range), row.number);
  }
}

}  // namespace
