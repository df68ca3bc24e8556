#pragma once
// The moves of the game as the right-hand bar shows them and Guardar writes
// them: "1.e4 e5 \n2.Nf3" - one line per full move.

#include <string>
#include <vector>

#include "position/chess_board.h"

// The history's first entry has no predecessor to write SAN against, so its
// move is written from the Move alone (no disambiguation, no check sign).
std::string plainMoveText(const Move& move);

// The caller holds the Game lock while the history is read.
std::string moveListText(const std::vector<CChessBoard>& history);
