#pragma once
// The strong search's memory of positions already searched, keyed by the
// position key: the best move found there, the score and what kind of bound
// it is, and the depth it was searched to. One entry per slot; a deeper or
// newer result replaces an older one.

#include <cstdint>
#include <vector>

#include "position/move.h"

enum class Bound : std::uint8_t { NONE, UPPER, LOWER, EXACT };

struct TableEntry {
  std::uint64_t key = 0;
  std::int16_t score = 0;
  std::uint8_t depth = 0;
  Bound bound = Bound::NONE;
  std::uint8_t generation = 0;
  Square from = 0, to = 0;  // the best move's squares; from == to: none
};

class TranspositionTable {
 public:
  explicit TranspositionTable(std::size_t megabytes);

  // The entry stored for the key, or nullptr.
  const TableEntry* probe(std::uint64_t key) const;
  void store(std::uint64_t key, int score, int depth, Bound bound, const Move& best);
  // Each new search ages what the earlier ones left.
  void newSearch() { ++generation; }
  void clear();

 private:
  std::vector<TableEntry> entries;
  std::size_t mask = 0;
  std::uint8_t generation = 0;
};
