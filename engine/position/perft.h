#pragma once
// Leaf counts of the legal move tree, for checking the generator against
// published figures. Only legality matters here, so moves are not classified.

#include <cstdint>
#include <iosfwd>

#include "chess_board.h"

std::uint64_t perft(const CChessBoard& position, int depth);
// One line "e2e4: N" per legal root move in generation order, then an empty
// line and "Nodes searched: N".
void perftDivide(const CChessBoard& position, int depth, std::ostream& out);
