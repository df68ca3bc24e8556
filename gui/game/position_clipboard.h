#pragma once
// Positions and games going out to the clipboard and coming in from it, as
// text: FEN for a position, standard PGN for a game.

#include <optional>
#include <string>

#include <vector>

#include "position/chess_board.h"
#include "position/fen.h"

// A FEN that sets up a position a game can go on from: one king a side, the
// side that just moved not in check, no pawn on the first or last rank.
std::optional<CChessBoard> playablePosition(const std::string& fen);

// Pegar FEN/PGN: pasted text as the PGN of one game. A FEN becomes a game
// without moves set up from it; any other text is taken as PGN, and the
// reader decides. Empty, with `why` filled, for a FEN of no playable position.
std::string pastedGameText(const std::string& text, std::string& why);

// The FEN counters of history entry `entry` (-1 or beyond: the last), counted
// on from those of the game's set-up start.
FenCounters fenCountersAt(const std::vector<CChessBoard>& history, int entry, FenCounters start);
