#pragma once
// The process Game as "new" leaves it, then the given coordinate moves played;
// returns its history.

#include <initializer_list>
#include <vector>

#include "driver/game.h"
#include "position/move_gen.h"

inline std::vector<CChessBoard> newGameWith(std::initializer_list<const char*> moves) {
  return Game::instance().edit([&](Game& game) {
    game.startNewGame();
    game.restartHistory();
    for (const char* text : moves) {
      CChessBoard scratch = game.position;
      game.playMove(*findMove(scratch, parseSquare(text), parseSquare(text + 2)));
    }
    return game.history;
  });
}
