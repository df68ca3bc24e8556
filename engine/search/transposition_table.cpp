#include "search/transposition_table.h"

TranspositionTable::TranspositionTable(std::size_t megabytes) {
  std::size_t count = 1;
  while (count * 2 * sizeof(TableEntry) <= megabytes * 1024 * 1024) count *= 2;
  entries.assign(count, TableEntry());
  mask = count - 1;
}

const TableEntry* TranspositionTable::probe(std::uint64_t key) const {
  const TableEntry& entry = entries[key & mask];
  return entry.key == key && entry.bound != Bound::NONE ? &entry : nullptr;
}

void TranspositionTable::store(std::uint64_t key, int score, int depth, Bound bound, const Move& best) {
  TableEntry& entry = entries[key & mask];
  if (entry.key != key && entry.generation == generation && entry.depth > depth + 2) return;
  const bool keepMove = best.isNull() && entry.key == key;
  entry.key = key;
  entry.score = static_cast<std::int16_t>(score);
  entry.depth = static_cast<std::uint8_t>(depth < 0 ? 0 : depth > 255 ? 255 : depth);
  entry.bound = bound;
  entry.generation = generation;
  if (!keepMove) {
    entry.from = best.from;
    entry.to = best.to;
  }
}

void TranspositionTable::clear() {
  for (TableEntry& entry : entries) entry = TableEntry();
}
