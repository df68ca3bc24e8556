#include "thinking_line.h"

#include <cctype>
#include <sstream>

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

// The legal move the coordinates name; a promotion letter picks the piece.
const Move* legalMove(CChessBoard& position, const std::string& word) {
  if (word.size() < 4 || word.size() > 5) return nullptr;
  const int from = parseSquare(word.c_str());
  const int to = parseSquare(word.c_str() + 2);
  if (!isValidSquare(from) || !isValidSquare(to)) return nullptr;
  const Move* found = nullptr;
  for (int i = 0; i < position.moveCount; ++i) {
    const Move& move = position.moves[i];
    if (move.from != from || move.to != to) continue;
    if (word.size() == 5 && move.promotion != EMPTY &&
        std::tolower(static_cast<unsigned char>(pieceLetter(move.promotion))) !=
            std::tolower(static_cast<unsigned char>(word[4])))
      continue;
    if (!found || isQueen(move.promotion)) found = &move;
  }
  return found;
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
    const Move* move = legalMove(position, word);
    if (!move) {
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
    text += moveToSan(position, *move);
    const Move played = *move;
    makeMove(position, played);
    position.switchSide();
  }
  return text;
}
