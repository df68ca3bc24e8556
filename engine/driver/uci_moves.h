#pragma once
// Moves as UCI writes them: the two squares (e2e4), castling as the king's
// move (e1g1), a promotion with its piece in lower case (e7e8q), and "0000"
// for no move.

#include <string>

#include "position/chess_board.h"

std::string uciMoveText(const Move& move);

// The legal move of the position that the text names, or the null move. A
// pawn reaching the last rank without a letter becomes a queen.
Move readUciMove(const CChessBoard& position, const std::string& text);
