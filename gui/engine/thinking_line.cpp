#include "thinking_line.h"

#include <cctype>
#include <sstream>

#include "driver/uci_moves.h"
#include "position/move_gen.h"
#include "position/notation.h"

namespace {

bool isNumber(const std::string& word) {
  std::size_t start = word.size() > 1 && word[0] == '-' ? 1 : 0;
  if (start >= word.size()) return false;
  for (std::size_t i = start; i < word.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(word[i]))) return false;
  return true;
}

}  // namespace

std::optional<std::string> thinkingLineInSan(const std::string& line, const CChessBoard& root, int rootPly) {
  std::istringstream in(line);
  std::string numbers[4];
  for (std::string& word : numbers)
    if (!(in >> word) || !isNumber(word)) return std::nullopt;
  std::string text = numbers[0] + ' ' + numbers[1] + ' ' + numbers[2] + ' ' + numbers[3];
  CChessBoard position = root;
  int ply = rootPly;
  bool first = true;
  for (std::string word; in >> word; first = false, ++ply) {
    generateMoves(position, false);
    const Move move = readUciMove(position, word);
    if (move.isNull()) {
      text += ' ' + word;  // shown as sent, and nothing after it can be read
      break;
    }
    const int number = ply / 2 + 1;
    if (position.sideToMove != 0)
      text += ' ' + std::to_string(number) + '.';
    else if (first)
      text += ' ' + std::to_string(number) + "...";
    else
      text += ' ';
    text += moveToSan(position, move);
    makeMove(position, move);
    position.switchSide();
  }
  return text;
}
