#pragma once
// A Player decides the moves of one side. The engine only ever asks an
// EnginePlayer; a HumanPlayer stands for a person.

#include "position/chess_board.h"

class Player {
 public:
  virtual ~Player() = default;
  virtual Move chooseMove(CChessBoard position) = 0;
};

class HumanPlayer : public Player {
 public:
  Move chooseMove(CChessBoard) override { return Move(); }
};
