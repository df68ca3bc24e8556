#pragma once
// One tag pair of a PGN game ([White "Anand"]), and what reading a loaded game
// tells its caller besides the moves.

#include <string>
#include <vector>

#include "book/pgn_annotation.h"
#include "position/chess_board.h"

struct PgnTag {
  std::string name;
  std::string value;
};

struct PgnGameInfo {
  std::vector<PgnTag> tags;  // in file order
  CChessBoard start;         // the initial position, or the one the FEN tag sets up
  std::string result;        // the token that ended the movetext ("1-0", "*"), or empty
  long end = 0;              // where the game's bytes end: the next game's offset, or the file size
  bool moreGames = false;    // something other than blanks follows the game
  bool opened = false;
  int errorLine = 0;         // line (from 1) of the word that could not be read; 0: none
  std::string errorWord;
  // One per move read: the NAG, the [%eval] and the first variation written after it.
  std::vector<PgnAnnotation> annotations;
};
