#pragma once
// A position's score from White's point of view, as analysis shows it and as
// a PGN [%eval] comment carries it: centipawns, or moves to a forced mate
// (> 0 White mates, < 0 Black mates). A position where the side to move is
// already mated is a won game, held as WON_CENTIPAWNS for the winner.

#include <cstdlib>

struct WhiteScore {
  static constexpr int WON_CENTIPAWNS = 100000;

  int centipawns = 0;
  int mate = 0;  // 0: no mate found

  static WhiteScore pawns(int centipawns) { return {centipawns, 0}; }
  static WhiteScore mateIn(int moves) { return {0, moves}; }
  static WhiteScore won(bool byWhite) { return {byWhite ? WON_CENTIPAWNS : -WON_CENTIPAWNS, 0}; }
  bool isWon() const { return mate == 0 && std::abs(centipawns) >= WON_CENTIPAWNS; }
  bool operator==(const WhiteScore&) const = default;
};
