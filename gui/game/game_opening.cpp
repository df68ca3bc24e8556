#include "game_opening.h"

const OpeningName* gameOpening(const std::vector<CChessBoard>& history, int shown, const OpeningNames& names) {
  if (names.size() == 0) return nullptr;
  int index = shown >= 0 && shown < static_cast<int>(history.size()) ? shown : static_cast<int>(history.size()) - 1;
  for (; index >= 0; --index)
    if (const OpeningName* name = names.find(history[static_cast<std::size_t>(index)])) return name;
  return nullptr;
}
