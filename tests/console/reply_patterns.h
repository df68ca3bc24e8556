#pragma once
// Recognisers for engine replies whose exact text depends on the search.

#include <cctype>
#include <string>

inline bool isSquareText(const std::string& text, std::size_t at) {
  return at + 1 < text.size() && text[at] >= 'a' && text[at] <= 'h' && text[at + 1] >= '1' && text[at + 1] <= '8';
}

// "move e2e4", or with a promotion letter "move e7e8q".
inline bool isMoveLine(const std::string& line) {
  if (line.compare(0, 5, "move ") != 0 || !isSquareText(line, 5) || !isSquareText(line, 7)) return false;
  if (line.size() == 9) return true;
  return line.size() == 10 && std::string("qrbn").find(line[9]) != std::string::npos;
}

inline bool isNumber(const std::string& text, bool allowSign) {
  std::size_t i = allowSign && !text.empty() && text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

// The thinking line: plies (0..4), score, centiseconds, nodes, "[error]".
inline bool isThinkingLine(const std::string& line) {
  std::string fields[6];
  std::size_t count = 0;
  for (std::size_t start = 0; count < 6;) {
    const std::size_t end = line.find(' ', start);
    fields[count++] = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return count == 5 && fields[0].size() == 1 && fields[0][0] >= '0' && fields[0][0] <= '4' &&
         isNumber(fields[1], true) && isNumber(fields[2], false) && isNumber(fields[3], false) &&
         fields[4] == "[error]";
}
