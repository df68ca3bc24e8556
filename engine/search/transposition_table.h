#pragma once
// The strong search's memory of positions already searched, keyed by the
// position key: the best move found there (its squares and promotion), the score and what kind of bound
// it is, and the depth it was searched to. A key may sit in any of the four
// slots of its bucket (one cache line): a new key takes the slot least worth
// keeping, an empty one, else the one left by the oldest search, else the
// shallowest. Several search threads may share one
// table: a slot is two words, the key stored mixed with the data, so an entry
// half written by one thread while another reads it is simply not found.

#include <atomic>
#include <cstdint>
#include <memory>

#include "position/move.h"
#include "search/mate_score.h"

constexpr std::size_t DEFAULT_HASH_MEGABYTES = 16;

enum class Bound : std::uint8_t { NONE, UPPER, LOWER, EXACT };

struct TableEntry {
  std::uint64_t key = 0;
  std::int16_t score = 0;
  std::uint8_t depth = 0;
  Bound bound = Bound::NONE;
  std::uint8_t generation = 0;
  // The best move's squares and promotion (each of the four promotions is a
  // move of its own); from == to: none.
  Square from = 0, to = 0;
  Piece promotion = EMPTY;

  // The best move as far as the table knows it, for matching against the
  // generated moves; null when none.
  Move move() const {
    Move best;
    if (from == to) return best;
    best.from = from;
    best.to = to;
    best.promotion = promotion;
    return best;
  }
};

class TranspositionTable {
 public:
  explicit TranspositionTable(std::size_t megabytes);

  // `ply` is the node's distance from the root. A mate score is kept as the
  // distance from the node, since a later search (or another line) may meet
  // the position at another ply, and read back as the distance from the
  // prober's root.
  // The entry stored for the key into `entry`; false when there is none.
  bool probe(std::uint64_t key, int ply, TableEntry& entry) const;
  void store(std::uint64_t key, int ply, int score, int depth, Bound bound, const Move& best);
  // Each new search ages what the earlier ones left.
  void newSearch() { ++generation; }
  // Sweeps the table only when something was stored since it was last
  // emptied: a new game clears it, and a big table takes a while.
  void clear();
  // An empty table of the new size in place of this one, the old memory
  // freed first: both may not fit at once.
  void resize(std::size_t megabytes);
  std::size_t megabytes() const { return size; }
  // Permille of the first thousand slots holding an entry of the current search.
  int hashfull() const;

 private:
  struct Slot {
    std::atomic<std::uint64_t> mixedKey{0};  // key ^ data
    std::atomic<std::uint64_t> data{0};
  };
  static constexpr int BUCKET_SLOTS = 4;
  struct alignas(64) Bucket {
    Slot slot[BUCKET_SLOTS];  // not "slots": Qt takes that word for itself
  };

  std::unique_ptr<Bucket[]> buckets;
  std::size_t mask = 0;
  std::size_t size = 0;
  std::uint8_t generation = 0;
  // Set by the first store after the table was emptied; read before it is
  // written, so the search threads do not keep writing one shared line.
  std::atomic<bool> holdsEntries{false};
};
