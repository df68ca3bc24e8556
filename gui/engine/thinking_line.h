#pragma once
// The engine's thinking line ("4 -94 0 338 e2e4 e7e5": plies, score, time,
// nodes, principal variation in coordinates) with its variation written as
// the move list writes moves: "4 -94 0 338 1.e4 e5".

#include <QString>

#include <optional>

#include "position/chess_board.h"

// `root` is the position the search started from, `rootPly` the plies played
// before it (numbering the moves). None for a line that is not a thinking
// line; a word that names no legal move is kept as sent and ends the variation.
std::optional<QString> thinkingLineInSan(const QString& line, const CChessBoard& root, int rootPly);
