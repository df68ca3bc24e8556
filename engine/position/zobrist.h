#pragma once
// Position keys for the strong search: a 64-bit XOR of one random number per
// (piece code, square), per castling-rights value and per en-passant square,
// plus one for Black to move. Equal positions get equal keys; a key is kept up
// to date move by move from the few squares a move changes.

#include <cstdint>

#include "chess_board.h"

std::uint64_t positionKey(const CBoard& board);

// The key of `after` (made from `before` by `move`, side switched) from the key of `before`.
std::uint64_t keyAfterMove(const CBoard& before, std::uint64_t beforeKey, const CBoard& after, const Move& move);

// The key change of passing the move without moving (the null move of the search).
std::uint64_t sideToMoveKey();
