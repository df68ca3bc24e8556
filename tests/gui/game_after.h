#pragma once
// The process Game as "new" leaves it, then the given coordinate moves played;
// returns its history.

#include <initializer_list>
#include <vector>

#include "driver/game.h"
#include "position/fen.h"
#include "position/move_gen.h"

// `fen`, when given, sets the game up from that position instead.
inline std::vector<CChessBoard> newGameWith(std::initializer_list<const char*> moves, const char* fen = nullptr) {
  return Game::instance().edit([&](Game& game) {
    game.startNewGame();
    if (fen) game.position = *positionFromFen(fen);
    game.restartHistory();
    for (const char* text : moves) {
      CChessBoard scratch = game.position;
      game.playMove(*findMove(scratch, parseSquare(text), parseSquare(text + 2)));
    }
    return game.history;
  });
}
