#pragma once
// The moves of the game as the right-hand bar shows them and Guardar writes
// them: "1.e4 e5 \n2.Nf3" - one line per full move.

#include <cstdint>
#include <string>
#include <vector>

#include "move_notation.h"
#include "position/chess_board.h"

// The history's first entry has no predecessor to write SAN against, so its
// move is written from the Move alone (no disambiguation, no check sign).
std::string plainMoveText(const Move& move);

// Where the move that led to history entry `entry` stands in the text, counted
// in the window's characters (UTF-16), not in the text's bytes.
struct MoveSpan {
  int entry;
  int start;
  int length;
};

// The caller holds the Game lock while the history is read. With `spans`,
// also where each move stands, in the order of the text. UTF-8.
std::string moveListText(const std::vector<CChessBoard>& history, std::vector<MoveSpan>* spans = nullptr,
                         MoveNotation notation = MoveNotation::List);

// The window redraws at every engine line, and SAN for a long game is slow:
// the text of the history last asked for, made again only when its start or
// one of its moves, or the notation, changed. The caller holds the Game lock.
class MoveListCache {
 public:
  const std::string& textOf(const std::vector<CChessBoard>& history, std::vector<MoveSpan>& spansOut,
                            MoveNotation notation = MoveNotation::List);

 private:
  bool made = false;
  std::string start;                 // the first entry's FEN
  std::vector<std::uint64_t> moves;  // each entry's move and side to move
  MoveNotation notation = MoveNotation::List;
  std::string text;
  std::vector<MoveSpan> spans;
};
