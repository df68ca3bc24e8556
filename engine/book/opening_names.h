#pragma once
// Names of openings by position, from a book's ECO and Opening tags: the
// position each named game ends in is given that game's code and name. Unlike
// book moves, names match the side to move too, so a position reached with a
// tempo lost is not taken for its named twin.

#include <cstddef>
#include <string>
#include <unordered_map>

#include "position/chess_board.h"

struct OpeningName {
  std::string eco;   // "B20"
  std::string name;  // "Defensa Siciliana: 1.e4 c5"

  bool empty() const { return eco.empty() && name.empty(); }
  // "B20 Defensa Siciliana: 1.e4 c5", either part alone when the other is missing.
  std::string text() const;
};

class OpeningNames {
 public:
  // The first game to end in a position names it; later games ending there
  // (the same line under another code) do not rename it.
  void add(const CBoard& position, OpeningName name);
  // nullptr when the position has no name.
  const OpeningName* find(const CBoard& position) const;
  std::size_t size() const { return names.size(); }
  void clear() { names.clear(); }
  // Takes the other's names for positions not named here yet.
  void merge(OpeningNames&& other) { names.merge(other.names); }

 private:
  static std::string key(const CBoard& position);
  std::unordered_map<std::string, OpeningName> names;
};
