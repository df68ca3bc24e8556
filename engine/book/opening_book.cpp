#include "book/opening_book.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "book/pgn_reader.h"
#include "position/move_gen.h"

namespace {

void copySquares(const CBoard& position, Piece (&squares)[64]) {
  for (int i = 0; i < 64; ++i) squares[i] = position.squares[ALL_SQUARES[i]];
}

}  // namespace

BookEntry makeBookEntry(const CBoard& position, const Move& move) {
  BookEntry entry;
  copySquares(position, entry.squares);
  entry.move = move;
  return entry;
}

// FNV-1a over the 64 squares.
std::uint64_t hashBookSquares(const Piece (&squares)[64]) {
  std::uint64_t hash = 14695981039346656037ull;
  for (Piece piece : squares) {
    hash ^= piece;
    hash *= 1099511628211ull;
  }
  return hash;
}

OpeningBook& OpeningBook::instance() {
  static OpeningBook* book = new OpeningBook();  // never destroyed, like the other engine singletons
  return *book;
}

std::string bookLoadStopText(BookLoadStop stop) {
  switch (stop) {
    case BookLoadStop::NONE: return "";
    case BookLoadStop::NOT_REGULAR_FILE: return "not a regular file";
    case BookLoadStop::UNREADABLE: return "cannot be read";
    case BookLoadStop::ENTRY_LIMIT: return "cut at the limit of " + std::to_string(MAX_BOOK_ENTRIES) + " book moves";
  }
  return "";
}

int OpeningBook::loadBook(const std::string& path, ReplayTarget& game, OpeningNames* names, BookLoadStop* stop) {
  BookLoadStop ignored;
  BookLoadStop& why = stop ? *stop : ignored;
  why = BookLoadStop::NONE;
  std::error_code error;
  if (std::filesystem::exists(path, error) && !PgnFile::isRegularFile(path)) why = BookLoadStop::NOT_REGULAR_FILE;
  else if (!std::ifstream(path)) why = BookLoadStop::UNREADABLE;
  if (why != BookLoadStop::NONE) return 0;
  giveBack();
  reserveFor(path);
  PgnReader reader;
  int games = 0;
  long offset = 0;
  for (;;) {
    if (entryCount() >= MAX_BOOK_ENTRIES) {
      why = BookLoadStop::ENTRY_LIMIT;
      break;
    }
    ++games;
    const long next = reader.readBookGame(path, offset, *this, names);
    // A word holding "[" where a game's movetext starts ("] a[") ends that game
    // before anything is read; reading it again would go on for ever.
    if (next <= offset) break;
    offset = next;
  }

  game.setupInitialPosition();
  game.clearHistory();
  for (const Move& move : reader.bookGameMoves())
    game.replayMove([&move](CChessBoard&) { return move; });
  return games;
}

// Growing by doubling would copy the entries and touch fresh memory again at
// every step. A book has well under one entry per 8 bytes (the default book one
// per 10.5), so room for that many is reserved up front; the pages reserved but
// not filled are never touched. A book denser than that grows as before.
void OpeningBook::reserveFor(const std::string& path) {
  std::error_code error;
  const std::uintmax_t bytes = std::filesystem::file_size(path, error);
  if (error) return;
  const std::size_t expected = static_cast<std::size_t>(std::min<std::uintmax_t>(bytes / 8, MAX_BOOK_ENTRIES));
  std::lock_guard guard(lock);
  entries.reserve(entries.size() + expected);
  index.reserve(index.size() + expected);
}

void OpeningBook::addEntry(const CChessBoard& position, const Move& move) {
  const BookEntry entry = makeBookEntry(position, move);
  const std::uint64_t hash = hashBookSquares(entry.squares);
  addEntries(&entry, &hash, 1);
}

void OpeningBook::addEntries(const BookEntry* added, const std::uint64_t* squaresHashes, std::size_t count) {
  if (count == 0) return;
  std::lock_guard guard(lock);
  for (std::size_t i = 0; i < count; ++i)
    index.push_back({squaresHashes[i], static_cast<std::uint32_t>(entries.size() + i)});
  entries.insert(entries.end(), added, added + count);
  indexSorted = false;
}

std::vector<BookEntry> OpeningBook::entryList() const {
  std::lock_guard guard(lock);
  return entries;
}

std::vector<Move> OpeningBook::probeBook(const CChessBoard& position) const {
  Piece squares[64];
  copySquares(position, squares);
  const std::uint64_t hash = hashBookSquares(squares);

  std::lock_guard guard(lock);
  const auto byHashThenEntry = [](const IndexEntry& a, const IndexEntry& b) {
    return a.hash != b.hash ? a.hash < b.hash : a.entry < b.entry;
  };
  if (!indexSorted) {
    std::sort(index.begin(), index.end(), byHashThenEntry);
    indexSorted = true;
  }
  // Within one hash the entries stay in book order.
  const auto first = std::lower_bound(index.begin(), index.end(), IndexEntry{hash, 0}, byHashThenEntry);
  std::vector<Move> moves;
  for (auto it = first; it != index.end() && it->hash == hash; ++it) {
    const BookEntry& entry = entries[it->entry];
    if (std::memcmp(entry.squares, squares, sizeof squares) == 0) moves.push_back(entry.move);
  }
  return moves;
}

std::vector<Move> OpeningBook::probeLegalMoves(const CChessBoard& position) const {
  return legalMovesAmong(position, probeBook(position));
}

std::vector<std::pair<Move, int>> OpeningBook::weightedLegalMoves(const CChessBoard& position) const {
  std::vector<std::pair<Move, int>> weights;
  for (const Move& move : probeLegalMoves(position)) {
    const auto same = [&move](const auto& weighed) { return weighed.first.sameSquares(move); };
    if (const auto known = std::find_if(weights.begin(), weights.end(), same); known != weights.end())
      ++known->second;
    else
      weights.push_back({move, 1});
  }
  std::stable_sort(weights.begin(), weights.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
  return weights;
}

void OpeningBook::clearBook() {
  std::lock_guard guard(lock);
  std::vector<BookEntry>().swap(entries);
  std::vector<IndexEntry>().swap(index);
  indexSorted = true;
}

std::size_t OpeningBook::entryCount() const {
  std::lock_guard guard(lock);
  return entries.size();
}
