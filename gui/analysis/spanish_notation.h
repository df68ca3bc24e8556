#pragma once
// Moves and scores as the Spanish interface shows them: SAN with the Spanish
// piece letters (R rey, D dama, T torre, A alfil, C caballo) and the score in
// pawns from White's side ("+1.3", "-0.4", "#-4").

#include <QString>

#include <vector>

#include "position/chess_board.h"
#include "position/white_score.h"

QString spanishSan(const CChessBoard& position, const Move& move);
// "12.Cf3 e5 13.Dxd4"; a line that starts with Black's move opens with "12...".
// Stops at the first move that is not legal where it stands.
QString spanishLine(CChessBoard position, int moveNumber, const std::vector<Move>& line);
// "+1.3", "-0.4", "0.0", "#4", "#-4"; a mate on the board "1-0" or "0-1".
QString scoreText(const WhiteScore& score);
