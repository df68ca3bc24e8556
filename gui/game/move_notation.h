#pragma once
// How the window writes a move: the move list, the analysis and review panels
// and the hints all write it through here, so they agree on one notation.
// Files and the clipboard keep standard SAN whatever is chosen.

#include <string>

#include "position/chess_board.h"

enum class MoveNotation {
  List,       // the move list's own SAN: "Nf3", "0-0", "e8=Q+"
  Spanish,    // Spanish piece letters R D T A C, whatever the window speaks
  Figurines,  // the pieces drawn as chess figurines, pawns without one
};

// The move list's SAN of one move, rewritten in `notation`; UTF-8.
std::string notatedSan(const std::string& listSan, MoveNotation notation);
// The move played from `before` in `notation`, from the list's SAN (castling
// "0-0", no mate sign, as the list always wrote it) or, for the panels, from
// standard SAN, which names an under-promotion and marks a mate.
std::string notatedMove(const CChessBoard& before, const Move& move, MoveNotation notation, bool asTheList = false);

// The notation chosen in Opciones; the analysis threads read it too.
MoveNotation windowNotation();
void setWindowNotation(MoveNotation notation);

// kelvo.ini's words for each notation; an unknown word is the list's notation.
const char* notationKey(MoveNotation notation);
MoveNotation notationOfKey(const std::string& key);
