#pragma once
// Helpers shared by the position tests.

#include <gtest/gtest.h>

#include <string>

#include "position/chess_board.h"
#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"

inline CChessBoard fromFen(const std::string& fen) {
  auto position = positionFromFen(fen);
  EXPECT_TRUE(position.has_value()) << fen;
  return position ? *position : CChessBoard();
}

inline CChessBoard initialPosition() {
  CChessBoard position;
  position.setupInitialPosition();
  return position;
}

// The list as coordinate texts, space separated, in list order.
inline std::string moveTexts(const CChessBoard& position) {
  std::string text;
  for (int i = 0; i < position.moveCount; ++i) {
    if (i) text += ' ';
    text += moveToCoordinates(position.moves[i]);
  }
  return text;
}

// Plays coordinate moves from the legal list, switching sides as the game does.
inline void play(CChessBoard& position, const std::string& moves) {
  std::size_t start = 0;
  while (start < moves.size()) {
    std::size_t end = moves.find(' ', start);
    if (end == std::string::npos) end = moves.size();
    const std::string text = moves.substr(start, end - start);
    start = end + 1;
    if (text.empty()) continue;
    const Move parsed = parseCoordinateMove(position, text);
    const Move* legal = findMove(position, parsed.from, parsed.to);
    ASSERT_NE(legal, nullptr) << text;
    makeMove(position, *legal);
    position.switchSide();
  }
}

constexpr const char* INITIAL_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr const char* KIWIPETE_FEN = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
