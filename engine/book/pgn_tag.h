#pragma once
// One tag pair of a PGN game ([White "Anand"]), and what reading a loaded game
// tells its caller besides the moves.

#include <string>
#include <vector>

#include "book/game_tree.h"
#include "book/pgn_annotation.h"
#include "position/chess_board.h"
#include "position/setup_check.h"

// Why a game could not be read, for a message that names the cause.
enum class PgnFault {
  NONE,
  NOT_REGULAR_FILE,  // a folder, a pipe, a device
  WIDE_TEXT,         // UTF-16
  ILLEGAL_MOVE,
  PLY_LIMIT,         // longer than MAX_GAME_PLIES
  OPEN_COMMENT,      // a "{" never closed
  OPEN_VARIATION,    // a "(" never closed
  BAD_FEN,           // the FEN tag is no FEN
  UNPLAYABLE_FEN,    // the FEN tag sets up an illegal position (setupFault says why)
};

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
  PgnFault fault = PgnFault::NONE;
  SetupFault setupFault = SetupFault::NONE;
  int errorLine = 0;         // line (from 1) of the word that could not be read; 0: none
  std::string errorWord;
  // One per move read: the NAG, the [%eval] and the first variation written after it.
  std::vector<PgnAnnotation> annotations;
  // The whole game: its main line (the moves read) with every comment, NAG and variation.
  GameTree tree;
};
