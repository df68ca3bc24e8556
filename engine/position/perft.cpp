#include "perft.h"

#include <ostream>

#include "move_gen.h"
#include "notation.h"

namespace {

// Leaves are counted in bulk: at depth 1 the legal list's length is the count.
std::uint64_t perftFrom(const CBoard& board, int depth) {
  MoveBuffer buffer;
  const Move* moves = buffer.moves;
  const int count = generateLegalMoves(board, buffer.moves);
  if (depth == 1) return static_cast<std::uint64_t>(count);
  std::uint64_t nodes = 0;
  for (int i = 0; i < count; ++i) {
    CBoard child = board;
    applyMove(child, moves[i]);
    child.sideToMove = child.sideToMove ? 0 : 1;
    nodes += perftFrom(child, depth - 1);
  }
  return nodes;
}

}  // namespace

std::uint64_t perft(const CChessBoard& position, int depth) {
  if (depth <= 0) return 1;
  return perftFrom(position, depth);
}

void perftDivide(const CChessBoard& position, int depth, std::ostream& out) {
  std::uint64_t total = 0;
  if (depth <= 0) {
    total = 1;
  } else {
    MoveBuffer buffer;
    const Move* moves = buffer.moves;
    const int count = generateLegalMoves(position, buffer.moves);
    for (int i = 0; i < count; ++i) {
      CBoard child = position;
      applyMove(child, moves[i]);
      child.sideToMove = child.sideToMove ? 0 : 1;
      const std::uint64_t nodes = depth == 1 ? 1 : perftFrom(child, depth - 1);
      out << moveToCoordinates(moves[i]) << ": " << nodes << '\n';
      total += nodes;
    }
  }
  out << '\n' << "Nodes searched: " << total << std::endl;
}
