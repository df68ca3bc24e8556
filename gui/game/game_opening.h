#pragma once
// What opening a game has become at one moment of it: the most recent position
// up to that moment that the book's tags name. Positions, not move orders, are
// matched, so a transposition is named as its book line is.

#include <vector>

#include "book/opening_names.h"
#include "position/chess_board.h"

// `shown` indexes `history` (the position after that many plies), -1 the last.
// nullptr before the first named position.
const OpeningName* gameOpening(const std::vector<CChessBoard>& history, int shown, const OpeningNames& names);
