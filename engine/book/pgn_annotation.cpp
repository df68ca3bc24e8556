#include "book/pgn_annotation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

std::string evalText(const WhiteScore& score) {
  if (score.isWon()) return "";
  if (score.mate != 0) return '#' + std::to_string(score.mate);
  const int magnitude = std::abs(score.centipawns);
  std::string text = score.centipawns < 0 ? "-" : "";
  text += std::to_string(magnitude / 100) + '.';
  text += static_cast<char>('0' + magnitude % 100 / 10);
  text += static_cast<char>('0' + magnitude % 10);
  return text;
}

std::optional<WhiteScore> evalInComment(const std::string& comment) {
  const std::size_t at = comment.find("[%eval");
  if (at == std::string::npos) return std::nullopt;
  std::size_t i = at + 6;
  // Other programs wrap long comments, a line end among them.
  const char* const blanks = " \t\r\n";
  i = std::min(comment.find_first_not_of(blanks, i), comment.size());
  const std::size_t end = comment.find_first_of(std::string(",]") + blanks, i);
  if (end == std::string::npos || end == i) return std::nullopt;
  const std::string value = comment.substr(i, end - i);
  char* rest = nullptr;
  if (value[0] == '#') {
    const long moves = std::strtol(value.c_str() + 1, &rest, 10);
    if (*rest != '\0' || moves == 0 || std::labs(moves) > 1000) return std::nullopt;
    return WhiteScore::mateIn(static_cast<int>(moves));
  }
  const double pawns = std::strtod(value.c_str(), &rest);
  if (*rest != '\0' || !std::isfinite(pawns) || std::fabs(pawns) > 900) return std::nullopt;
  return WhiteScore::pawns(static_cast<int>(std::lround(pawns * 100)));
}

int nagOfMark(const std::string& mark) {
  static const struct {
    const char* mark;
    int nag;
  } marks[] = {{"!", 1}, {"?", 2}, {"!!", 3}, {"??", 4}, {"!?", 5}, {"?!", 6}};
  for (const auto& known : marks)
    if (mark == known.mark) return known.nag;
  return 0;
}
