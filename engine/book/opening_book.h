#pragma once
// The opening book: every (position, move) pair of the games in a PGN file, in
// the order read. Duplicates stay, which weights the random choice towards
// moves played in many games. Positions match by their 64 squares only.
//
// An entry keeps only the squares and the move (nothing else is ever read),
// and a hash index sorted on first probe saves the linear scan.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "book/replay_target.h"
#include "position/chess_board.h"

struct BookEntry {
  Piece squares[64];  // a1, b1, ... h8
  Move move;
};

// The book both programs load from the working directory.
inline constexpr const char* BOOK_FILE_NAME = "aperturas.pgn";

// A book holds at most this many moves (each about 90 bytes with its index):
// eight times the default book, and a bound on the memory and the time any
// file given as a book can take. Loading stops at the game that reaches it.
inline constexpr std::size_t MAX_BOOK_ENTRIES = 1000000;

// Why a load read less than the whole file.
enum class BookLoadStop { NONE, NOT_REGULAR_FILE, UNREADABLE, ENTRY_LIMIT };
// The reason in words ("" for NONE).
std::string bookLoadStopText(BookLoadStop stop);

class OpeningNames;

class OpeningBook {
 public:
  static OpeningBook& instance();

  // Appends the games of a PGN file; stops quietly at the first unreadable
  // move. Returns the number of games read (the faulty one included), 0 when
  // the file cannot be opened or is no regular file (`game` is then left
  // untouched). As if every game had been replayed through `game`, the last
  // one read is left there. With `names`, the openings named by the games'
  // tags are kept there too. `stop`, when given, says why the load ended
  // before the file did (a faulty move is not counted: books have them).
  int loadBook(const std::string& path, ReplayTarget& game, OpeningNames* names = nullptr,
               BookLoadStop* stop = nullptr);
  void addEntry(const CChessBoard& position, const Move& move);
  // The same with the entry made and its squares hashed by the caller.
  // The same for `count` entries made and hashed by the caller, under one lock.
  void addEntries(const BookEntry* added, const std::uint64_t* squaresHashes, std::size_t count);
  // The moves stored for these squares, in book order.
  std::vector<Move> probeBook(const CChessBoard& position) const;
  // The stored moves that are legal in the position (same from, to and
  // promotion), as the position's own moves, in book order. The squares alone
  // may match a position with the other side to move, or one whose king has
  // lost the castling right a stored castling used.
  std::vector<Move> probeLegalMoves(const CChessBoard& position) const;
  // Those moves once each with the number of entries that store it, the most
  // played first (ties in book order).
  std::vector<std::pair<Move, int>> weightedLegalMoves(const CChessBoard& position) const;
  void clearBook();
  // A game that leaves the book plays on without it; the next game (or a
  // fresh load) has it again. The entries stay.
  void leaveForThisGame() { leftThisGame = true; }
  void giveBack() { leftThisGame = false; }
  bool inPlay() const { return !leftThisGame; }
  std::size_t entryCount() const;
  // A copy of every entry in book order (tests compare loaders with it).
  std::vector<BookEntry> entryList() const;

  OpeningBook() = default;
  OpeningBook(const OpeningBook&) = delete;
  OpeningBook& operator=(const OpeningBook&) = delete;

 private:
  void reserveFor(const std::string& path);

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
  std::atomic<bool> leftThisGame{false};
};

BookEntry makeBookEntry(const CBoard& position, const Move& move);
std::uint64_t hashBookSquares(const Piece (&squares)[64]);
