#pragma once
// The texts of xboard protocol replies that carry game data: moves in
// coordinate form, thinking lines and result lines.

#include <string>

#include "search/search_context.h"

// e2e4, or e7e8q for a promotion: the interface needs the piece.
std::string moveText(const Move& move);

// The square named at text[at], or -1 unless it is a1..h8: nothing an
// interface sends may index outside the board.
int squareAt(const std::string& text, std::size_t at);

// One finished iteration: plies, score in centipawns from the side to move,
// time in centiseconds, nodes, and the principal variation. A mate is written
// as xboard reads it: 100000 + moves when the mover mates, -100000 - moves
// when it is mated.
std::string thinkingLine(const SearchReport& report);

// "1-0 {Checkmate}" for an adjudicate code (1 White won, 2 drawn, 3 Black
// won) and its reason; the reason loses a closing full stop.
std::string resultLine(int result, std::string reason);
