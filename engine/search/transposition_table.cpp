#include "search/transposition_table.h"

namespace {

std::uint64_t pack(const TableEntry& entry) {
  return static_cast<std::uint16_t>(entry.score) | std::uint64_t{entry.depth} << 16 |
         std::uint64_t{static_cast<std::uint8_t>(entry.bound)} << 24 | std::uint64_t{entry.generation} << 32 |
         std::uint64_t{entry.from} << 40 | std::uint64_t{entry.to} << 48 | std::uint64_t{entry.promotion} << 56;
}

int toTable(int score, int ply) {
  if (score >= MATE_BOUND) return score + ply;
  if (score <= -MATE_BOUND) return score - ply;
  return score;
}

int fromTable(int score, int ply) {
  if (score >= MATE_BOUND) return score - ply;
  if (score <= -MATE_BOUND) return score + ply;
  return score;
}

}  // namespace

TranspositionTable::TranspositionTable(std::size_t megabytes) : size(megabytes) {
  std::size_t count = 1;
  while (count * 2 * sizeof(TableEntry) <= megabytes * 1024 * 1024) count *= 2;
  slotArray = std::make_unique<Slot[]>(count);
  mask = count - 1;
}

TableEntry TranspositionTable::read(const Slot& slot) const {
  const std::uint64_t data = slot.data.load(std::memory_order_relaxed);
  TableEntry entry;
  entry.key = slot.mixedKey.load(std::memory_order_relaxed) ^ data;
  entry.score = static_cast<std::int16_t>(data & 0xffff);
  entry.depth = static_cast<std::uint8_t>(data >> 16);
  entry.bound = static_cast<Bound>((data >> 24) & 0xff);
  entry.generation = static_cast<std::uint8_t>(data >> 32);
  entry.from = static_cast<Square>(data >> 40);
  entry.to = static_cast<Square>(data >> 48);
  entry.promotion = static_cast<Piece>(data >> 56);
  return entry;
}

bool TranspositionTable::probe(std::uint64_t key, int ply, TableEntry& entry) const {
  entry = read(slotArray[key & mask]);
  entry.score = static_cast<std::int16_t>(fromTable(entry.score, ply));
  return entry.key == key && entry.bound != Bound::NONE;
}

void TranspositionTable::store(std::uint64_t key, int ply, int score, int depth, Bound bound, const Move& best) {
  Slot& slot = slotArray[key & mask];
  TableEntry entry = read(slot);
  if (entry.key != key && entry.generation == generation && entry.depth > depth + 2) return;
  const bool keepMove = best.isNull() && entry.key == key;
  entry.key = key;
  entry.score = static_cast<std::int16_t>(toTable(score, ply));
  entry.depth = static_cast<std::uint8_t>(depth < 0 ? 0 : depth > 255 ? 255 : depth);
  entry.bound = bound;
  entry.generation = generation;
  if (!keepMove) {
    entry.from = best.from;
    entry.to = best.to;
    entry.promotion = best.promotion;
  }
  const std::uint64_t data = pack(entry);
  slot.data.store(data, std::memory_order_relaxed);
  slot.mixedKey.store(key ^ data, std::memory_order_relaxed);
}

void TranspositionTable::clear() {
  for (std::size_t i = 0; i <= mask; ++i) {
    slotArray[i].data.store(0, std::memory_order_relaxed);
    slotArray[i].mixedKey.store(0, std::memory_order_relaxed);
  }
}
