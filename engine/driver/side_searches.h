#pragma once
// Searches that serve the interface beside the game: the hint and analyze
// mode. Each runs an engine player of its own, so the game's players, the
// book's state and the game itself are left alone.

#include "driver/session_settings.h"
#include "position/chess_board.h"

// The move the engine would play: a book move while the book is in play,
// otherwise a search. The null move when the side to move has none.
Move hintMove(const CChessBoard& position, const SessionSettings& session);

// The strongest search of the position, without the book, every finished
// iteration (and at least one line a second) sent as a thinking line; until
// the stop request when `untilStopped`, else for a few seconds. Nothing when
// the side to move has no move.
void analysePosition(const CChessBoard& position, const SessionSettings& session, bool untilStopped);
