#pragma once
// The moves of the game as the right-hand bar shows them and Guardar writes
// them: "1.e4 e5 \n2.Nf3" - one line per full move.

#include <string>
#include <vector>

#include "position/chess_board.h"

// The history's first entry has no predecessor to write SAN against, so its
// move is written from the Move alone (no disambiguation, no check sign).
std::string plainMoveText(const Move& move);

// Where the move that led to history entry `entry` stands in the text.
struct MoveSpan {
  int entry;
  int start;
  int length;
};

// The caller holds the Game lock while the history is read. With `spans`,
// also where each move stands, in the order of the text.
std::string moveListText(const std::vector<CChessBoard>& history, std::vector<MoveSpan>* spans = nullptr);
