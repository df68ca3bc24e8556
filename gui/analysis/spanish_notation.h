#pragma once
// Lines and scores as the panels show them: the moves in the notation chosen
// for the window (game/move_notation) and the score in pawns from White's
// side ("+1.3", "-0.4", "#-4").

#include <QString>

#include <vector>

#include "game/move_notation.h"
#include "position/chess_board.h"
#include "position/white_score.h"

// "12.Nf3 e5 13.Qxd4"; a line that starts with Black's move opens with "12...".
// Stops at the first move that is not legal where it stands.
QString notatedLine(CChessBoard position, int moveNumber, const std::vector<Move>& line,
                    MoveNotation notation = windowNotation());
// "+1.3", "-0.4", "0.0", "#4", "#-4"; a mate on the board "1-0" or "0-1".
QString scoreText(const WhiteScore& score);
