#include "driver/command_line.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <sstream>

CommandLine splitLine(const std::string& line) {
  CommandLine command{{}, {}, line};
  std::istringstream in(line);
  in >> command.word >> command.args[0] >> command.args[1] >> command.args[2];
  return command;
}

int toNumber(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

double toSeconds(const std::string& text) {
  const double value = std::strtod(text.c_str(), nullptr);
  return std::isfinite(value) ? std::clamp(value, 0.0, 365.0 * 24 * 3600) : 0.0;
}
