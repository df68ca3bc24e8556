#include "search/transposition_table.h"

#include <climits>

namespace {

std::uint64_t pack(const TableEntry& entry) {
  return static_cast<std::uint16_t>(entry.score) | std::uint64_t{entry.depth} << 16 |
         std::uint64_t{static_cast<std::uint8_t>(entry.bound)} << 24 | std::uint64_t{entry.generation} << 32 |
         std::uint64_t{entry.from} << 40 | std::uint64_t{entry.to} << 48 | std::uint64_t{entry.promotion} << 56;
}

TableEntry unpack(std::uint64_t key, std::uint64_t data) {
  TableEntry entry;
  entry.key = key;
  entry.score = static_cast<std::int16_t>(data & 0xffff);
  entry.depth = static_cast<std::uint8_t>(data >> 16);
  entry.bound = static_cast<Bound>((data >> 24) & 0xff);
  entry.generation = static_cast<std::uint8_t>(data >> 32);
  entry.from = static_cast<Square>(data >> 40);
  entry.to = static_cast<Square>(data >> 48);
  entry.promotion = static_cast<Piece>(data >> 56);
  return entry;
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

TranspositionTable::TranspositionTable(std::size_t megabytes) { resize(megabytes); }

void TranspositionTable::resize(std::size_t megabytes) {
  buckets.reset();
  size = megabytes;
  // As many entries as the table of one entry per slot had.
  std::size_t count = 1;
  while (count * 2 * sizeof(Bucket) <= megabytes * 1024 * 1024) count *= 2;
  buckets = std::make_unique<Bucket[]>(count);
  mask = count - 1;
  holdsEntries.store(false, std::memory_order_relaxed);
}

bool TranspositionTable::probe(std::uint64_t key, int ply, TableEntry& entry) const {
  // The key is checked before anything is decoded: most slots hold other keys.
  for (const Slot& slot : buckets[key & mask].slot) {
    const std::uint64_t data = slot.data.load(std::memory_order_relaxed);
    if ((slot.mixedKey.load(std::memory_order_relaxed) ^ data) != key) continue;
    entry = unpack(key, data);
    if (entry.bound == Bound::NONE) continue;
    entry.score = static_cast<std::int16_t>(fromTable(entry.score, ply));
    return true;
  }
  return false;
}

void TranspositionTable::store(std::uint64_t key, int ply, int score, int depth, Bound bound, const Move& best) {
  Slot* target = nullptr;
  std::uint64_t targetData = 0;
  bool sameKey = false;
  int leastWorth = INT_MAX;
  for (Slot& slot : buckets[key & mask].slot) {
    const std::uint64_t data = slot.data.load(std::memory_order_relaxed);
    if ((slot.mixedKey.load(std::memory_order_relaxed) ^ data) == key) {
      target = &slot;
      targetData = data;
      sameKey = true;
      break;
    }
    // Each search the entry is old counts as much as eight plies of depth.
    const int age = static_cast<std::uint8_t>(generation - static_cast<std::uint8_t>(data >> 32));
    const bool empty = static_cast<Bound>((data >> 24) & 0xff) == Bound::NONE;
    const int worth = empty ? INT_MIN : static_cast<int>((data >> 16) & 0xff) - 8 * age;
    if (worth < leastWorth) {
      leastWorth = worth;
      target = &slot;
      targetData = data;
    }
  }
  TableEntry entry = unpack(key, targetData);
  entry.score = static_cast<std::int16_t>(toTable(score, ply));
  entry.depth = static_cast<std::uint8_t>(depth < 0 ? 0 : depth > 255 ? 255 : depth);
  entry.bound = bound;
  entry.generation = generation;
  if (!(best.isNull() && sameKey)) {
    entry.from = best.from;
    entry.to = best.to;
    entry.promotion = best.promotion;
  }
  const std::uint64_t data = pack(entry);
  target->data.store(data, std::memory_order_relaxed);
  target->mixedKey.store(key ^ data, std::memory_order_relaxed);
  if (!holdsEntries.load(std::memory_order_relaxed)) holdsEntries.store(true, std::memory_order_relaxed);
}

int TranspositionTable::hashfull() const {
  int used = 0, counted = 0;
  for (std::size_t i = 0; i <= mask && counted < 1000; ++i)
    for (const Slot& slot : buckets[i].slot) {
      const std::uint64_t data = slot.data.load(std::memory_order_relaxed);
      used += static_cast<Bound>((data >> 24) & 0xff) != Bound::NONE && static_cast<std::uint8_t>(data >> 32) == generation;
      ++counted;
    }
  return used * 1000 / counted;
}

void TranspositionTable::clear() {
  if (!holdsEntries.exchange(false, std::memory_order_relaxed)) return;
  for (std::size_t i = 0; i <= mask; ++i)
    for (Slot& slot : buckets[i].slot) {
      slot.data.store(0, std::memory_order_relaxed);
      slot.mixedKey.store(0, std::memory_order_relaxed);
    }
}
