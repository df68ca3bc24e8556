#pragma once
// What an engine player is handed by the program that runs it: where its
// thinking lines and statistics go, the stop request, the opening book to
// probe and the clock. The search reaches for nothing else, so the driver,
// the bench and the tests each give it their own.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "base/process_clock.h"
#include "position/chess_board.h"

// One finished iteration of a search (the fixed search has one): what a
// thinking line or a UCI "info" line says. The protocol layer formats it.
struct SearchReport {
  int depth = 0;                // plies of the iteration
  int score = 0;                // centipawns from the side to move's point of view
  int mateIn = 0;               // moves to mate: > 0 the mover mates, < 0 is mated, 0 none
  std::int64_t nodes = 0;
  std::int64_t milliseconds = 0;
  int selDepth = 0;             // the deepest ply the search reached; 0: not told
  int hashfull = -1;            // the table's use in permille; -1: no table
  std::vector<Move> pv;         // principal variation from the root
  int multiPv = 1;              // rank of this line among the lines of the iteration, 1 the best
  int lines = 1;                // lines the iteration reports
};

// Where a search reports. Every call is made whether or not anyone listens;
// the receiver decides (the driver drops statistics when no host is attached).
class SearchListener {
 public:
  virtual ~SearchListener() = default;
  virtual void playerCreated() {}
  virtual void searchStarted() {}
  // A reply line: the thinking line, and the desktop app's speed line.
  virtual void sendLine(const std::string&) {}
  virtual void searchStats(int /*nodes*/, int /*centiseconds*/) {}
  // Each finished iteration; the listener decides whether a line is written.
  // A search of several lines calls it once per line, best first.
  virtual void iterationDone(const SearchReport&) {}
  // The root move an iteration turns to, numbered from 1 in the order tried;
  // told only once the search has run a second, when an interface shows it.
  virtual void rootMoveStarted(int /*depth*/, const Move& /*move*/, int /*number*/) {}
  // The desktop app also wants the nodes-per-millisecond line after a search.
  virtual bool wantsSpeedLine() const { return false; }
};

// The opening book as the engine player sees it.
class BookProbe {
 public:
  virtual ~BookProbe() = default;
  // The moves stored for the position's squares, in book order.
  virtual std::vector<Move> probeBook(const CChessBoard& position) const = 0;
  // After the first search the book is out of play until the next game starts.
  virtual void leaveBook() = 0;
};

// Null members mean "none": nobody listens, nothing stops the search, no book.
struct SearchContext {
  SearchListener* listener = nullptr;
  std::atomic<bool>* stopRequest = nullptr;  // set by another thread, cleared when a search ends
  BookProbe* book = nullptr;
  std::int64_t (*clock)() = processMilliseconds;
};

// (count × r) ÷ ENGINE_RAND_MAX, capped at count - 1: the book's random pick for r
// in 0..ENGINE_RAND_MAX.
int bookMoveIndex(int count, int r);
