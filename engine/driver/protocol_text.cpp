#include "driver/protocol_text.h"

#include "driver/game.h"
#include "position/notation.h"

std::string moveText(const Move& move) {
  std::string text = squareName(move.from) + squareName(move.to);
  if (move.promotion != EMPTY) {
    const char letter = pieceLetter(move.promotion);
    if (letter != ' ') text += static_cast<char>(letter | 0x20);
  }
  return text;
}

int squareAt(const std::string& text, std::size_t at) {
  if (text.size() < at + 2) return -1;
  const char file = text[at];
  const char rank = text[at + 1];
  if (file < 'a' || file > 'h' || rank < '1' || rank > '8') return -1;
  return makeSquare(file - 'a', rank - '1');
}

std::string thinkingLine(const SearchReport& report) {
  const long long score = report.mateIn > 0   ? 100000LL + report.mateIn
                          : report.mateIn < 0 ? -100000LL + report.mateIn
                                              : report.score;
  std::string line = std::to_string(report.depth) + ' ' + std::to_string(score) + ' ' +
                     std::to_string(report.milliseconds / 10) + ' ' + std::to_string(report.nodes);
  for (const Move& move : report.pv) line += ' ' + moveText(move);
  return line;
}

std::string resultLine(int result, std::string reason) {
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
  const char* prefix = result == WHITE_WINS ? "1-0" : result == BLACK_WINS ? "0-1" : "1/2-1/2";
  return std::string(prefix) + " {" + reason + "}";
}
