#pragma once
// The answer the table expects to a move: what an interface ponders on, or
// shows as a hint, when the search's own line does not reach that far.

#include "position/chess_board.h"
#include "position/move.h"
#include "search/transposition_table.h"

// The legal move the table holds for the position after `move`; null when it
// holds none, or none legal there (a key shared with another position).
Move tableAnswer(const TranspositionTable& table, const CBoard& root, const Move& move);
