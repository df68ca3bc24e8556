#pragma once
// The opening book: every (position, move) pair of the games in a PGN file, in
// the order read. Duplicates stay, which weights the random choice towards
// moves played in many games. Positions match by their 64 squares only.
//
// An entry keeps only the squares and the move (nothing else is ever read),
// and a hash index sorted on first probe saves the linear scan.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "book/replay_target.h"
#include "position/chess_board.h"

// The book both programs load from the working directory.
inline constexpr const char* BOOK_FILE_NAME = "aperturas.pgn";

struct BookEntry {
  Piece squares[64];  // a1, b1, ... h8
  Move move;
};

class OpeningBook {
 public:
  static OpeningBook& instance();

  // Appends the games of a PGN file, replayed through `game`; stops quietly at
  // the first unreadable move. Returns the number of games read (the faulty one
  // included), 0 when the file cannot be opened (`game` is then left untouched).
  int loadBook(const std::string& path, ReplayTarget& game);
  void addEntry(const CChessBoard& position, const Move& move);
  // The moves stored for these squares, in book order.
  std::vector<Move> probeBook(const CChessBoard& position) const;
  // The stored moves that are legal in the position (same from, to and
  // promotion), as the position's own moves, in book order. The squares alone
  // may match a position with the other side to move, or one whose king has
  // lost the castling right a stored castling used.
  std::vector<Move> probeLegalMoves(const CChessBoard& position) const;
  void clearBook();
  std::size_t entryCount() const;

  OpeningBook() = default;
  OpeningBook(const OpeningBook&) = delete;
  OpeningBook& operator=(const OpeningBook&) = delete;

 private:
  struct IndexEntry {
    std::uint64_t hash;
    std::uint32_t entry;
  };

  // The desktop app counts and loads the book on the window thread while the
  // engine worker may probe it; one lock keeps those apart.
  mutable std::mutex lock;
  std::vector<BookEntry> entries;
  mutable std::vector<IndexEntry> index;  // sorted by (hash, entry) when indexSorted
  mutable bool indexSorted = true;
};
