#include "book/opening_names.h"

std::string OpeningName::text() const {
  if (eco.empty() || name.empty()) return eco + name;
  return eco + " " + name;
}

// The 64 squares a1..h8 and the side to move.
std::string OpeningNames::key(const CBoard& position) {
  std::string text(65, '\0');
  for (int i = 0; i < 64; ++i) text[i] = static_cast<char>(position.squares[ALL_SQUARES[i]]);
  text[64] = static_cast<char>(position.sideToMove);
  return text;
}

void OpeningNames::add(const CBoard& position, OpeningName name) {
  if (name.empty()) return;
  names.try_emplace(key(position), std::move(name));
}

const OpeningName* OpeningNames::find(const CBoard& position) const {
  const auto found = names.find(key(position));
  return found == names.end() ? nullptr : &found->second;
}
