#include "zobrist.h"

#include <array>

namespace {

struct Keys {
  std::uint64_t pieces[256][SQUARE_COUNT];  // any byte may stand on a square
  std::uint64_t castling[256];
  std::uint64_t enPassant[256];
  std::uint64_t blackToMove;
};

// splitmix64: fixed numbers, the same on every platform.
std::uint64_t nextRandom(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

const Keys& keys() {
  static const Keys table = [] {
    Keys k{};
    std::uint64_t state = 0x6B656C766Full;
    for (auto& row : k.pieces)
      for (auto& key : row) key = nextRandom(state);
    for (auto& key : k.castling) key = nextRandom(state);
    for (auto& key : k.enPassant) key = nextRandom(state);
    k.blackToMove = nextRandom(state);
    // An empty square contributes nothing, so keys of unchanged squares never need reading.
    for (auto& key : k.pieces[EMPTY]) key = 0;
    return k;
  }();
  return table;
}

}  // namespace

std::uint64_t positionKey(const CBoard& board) {
  const Keys& k = keys();
  std::uint64_t key = 0;
  for (Square s : ALL_SQUARES) key ^= k.pieces[board.squares[s]][s];
  key ^= k.castling[board.castlingRights] ^ k.enPassant[board.enPassantSquare];
  if (board.sideToMove == 0) key ^= k.blackToMove;
  return key;
}

std::uint64_t keyAfterMove(const CBoard& before, std::uint64_t key, const CBoard& after, const Move& move) {
  const Keys& k = keys();
  // Each square at most once: a second look would undo the first.
  int seen[8];
  int seenCount = 0;
  auto change = [&](int square) {
    if (!isValidSquare(square)) return;
    for (int i = 0; i < seenCount; ++i)
      if (seen[i] == square) return;
    seen[seenCount++] = square;
    key ^= k.pieces[before.squares[square]][square] ^ k.pieces[after.squares[square]][square];
  };
  change(move.from);
  change(move.to);
  if (move.enPassant == 1) {
    change(move.to - 16);
    change(move.to + 16);
  }
  if (move.from == E1 || move.from == E8) {
    // A castling rook's two squares; squares left as they were cancel out.
    const int rank = move.from & 0x70;
    change(rank + 0);
    change(rank + 3);
    change(rank + 5);
    change(rank + 7);
  }
  key ^= k.castling[before.castlingRights] ^ k.castling[after.castlingRights];
  key ^= k.enPassant[before.enPassantSquare] ^ k.enPassant[after.enPassantSquare];
  if (before.sideToMove != after.sideToMove) key ^= k.blackToMove;
  return key;
}

std::uint64_t sideToMoveKey() { return keys().blackToMove; }
