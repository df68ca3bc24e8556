#pragma once
// Searches that serve the interface beside the game: the hint and analyze
// mode. Each runs a scratch engine player at the session's level, so the
// game's players, the book's state and the game itself are left alone.

#include "driver/session_settings.h"
#include "position/chess_board.h"

// The move the engine would play: a book move while the book is in play,
// otherwise a search. The null move when the side to move has none.
Move hintMove(const CChessBoard& position, const SessionSettings& session);

// One bounded search of the position, every finished iteration sent as a
// thinking line. Nothing when the side to move has no move.
void analysePosition(const CChessBoard& position, const SessionSettings& session);
