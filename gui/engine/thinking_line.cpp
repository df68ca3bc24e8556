#include "thinking_line.h"

#include "driver/uci_moves.h"
#include "game/engine_info.h"
#include "position/move_gen.h"
#include "position/notation.h"

std::optional<QString> thinkingLineInSan(const QString& line, const CChessBoard& root, int rootPly) {
  const std::optional<CecpThinking> thinking = splitCecpThinking(line);
  if (!thinking) return std::nullopt;
  std::string text = thinking->numbers.toStdString();
  CChessBoard position = root;
  int ply = rootPly;
  bool first = true;
  QStringList words = thinking->moves;
  if (!thinking->rest.isEmpty()) words << thinking->rest;
  for (const QString& moveText : words) {
    const std::string word = moveText.toStdString();
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
    first = false;
    ++ply;
  }
  return QString::fromStdString(text);
}
