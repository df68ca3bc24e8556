// book_entries FILE: loads FILE as the opening book and prints what the book
// holds, so that books read on two platforms, or from files with different
// line ends, can be compared as text:
//   games G entries E reached R digest D
// The entries are found by walking the book from the initial position: every
// position reached through book moves is probed once, in move order, and its
// squares and moves go into the digest. R equals E when every entry was reached.

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "book/opening_book.h"
#include "driver/game.h"
#include "position/fen.h"
#include "position/move_gen.h"

namespace {

struct Digest {
  std::uint64_t value = 14695981039346656037ull;  // FNV-1a
  void add(unsigned byte) {
    value ^= byte & 0xff;
    value *= 1099511628211ull;
  }
};

std::string squaresKey(const CChessBoard& position) {
  std::string key;
  for (int i = 0; i < 64; ++i) key.push_back(static_cast<char>(position.squares[ALL_SQUARES[i]]));
  return key;
}

// Depth first with an explicit stack: book lines are a few dozen plies deep,
// but nothing here should depend on the size of the call stack.
std::uint64_t walkBook(const OpeningBook& book, std::size_t& reached) {
  Digest digest;
  std::set<std::string> seen;
  std::vector<CChessBoard> stack{*positionFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1")};
  while (!stack.empty()) {
    const CChessBoard position = stack.back();
    stack.pop_back();
    const std::string key = squaresKey(position);
    if (!seen.insert(key).second) continue;
    const std::vector<Move> moves = book.probeBook(position);
    reached += moves.size();
    for (char c : key) digest.add(static_cast<unsigned char>(c));
    for (const Move& move : moves) {
      digest.add(move.from);
      digest.add(move.to);
      digest.add(move.promotion);
      CChessBoard next = position;
      makeMove(next, move);
      next.switchSide();
      stack.push_back(next);
    }
  }
  return digest.value;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: book_entries FILE\n");
    return 2;
  }
  OpeningBook book;
  Game game;
  const int games = book.loadBook(argv[1], game);
  std::size_t reached = 0;
  const std::uint64_t digest = walkBook(book, reached);
  std::printf("games %d entries %zu reached %zu digest %016llx\n", games, book.entryCount(), reached,
              static_cast<unsigned long long>(digest));
  return 0;
}
