#pragma once
// Coordinate text (e2e4) and standard algebraic notation (castling as 0-0).

#include <string>

#include "chess_board.h"

std::string moveToCoordinates(const Move& move);
Move parseCoordinateMove(const CChessBoard& position, const std::string& text);
Move moveFromSquares(const CChessBoard& position, int from, int to);
// The position's list must hold its legal moves.
std::string moveToSan(const CChessBoard& position, const Move& move);
// The null move on any failure.
Move parseSan(CChessBoard& position, const std::string& text);
// The same move, but the position's move list is left alone and no check is
// classified (the parse never reads it): the fast path for reading books.
Move parseSanQuietly(const CChessBoard& position, const std::string& text);
