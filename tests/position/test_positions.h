#pragma once
// Helpers shared by the position, search and book tests.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"

inline CChessBoard fromFen(const std::string& fen) {
  auto position = positionFromFen(fen);
  EXPECT_TRUE(position.has_value()) << fen;
  return position ? *position : CChessBoard();
}

// The same position with the colours swapped: ranks mirrored top to bottom,
// every piece recoloured, the other side to move.
inline CChessBoard colourMirror(const CChessBoard& position) {
  CChessBoard mirrored = position;
  for (Square s : ALL_SQUARES)
    mirrored.squares[makeSquare(fileOf(s), 7 - rankOf(s))] =
        position.squares[s] == EMPTY ? EMPTY : static_cast<Piece>(position.squares[s] ^ 24);
  mirrored.switchSide();
  return mirrored;
}

// The list as coordinate texts, space separated, in list order.
inline std::string moveTexts(const CChessBoard& position) {
  std::string text;
  for (int i = 0; i < position.moveCount; ++i) text += (i ? " " : "") + moveToCoordinates(position.moves[i]);
  return text;
}

// Generates the legal list and returns the move with this text, or nullptr.
inline const Move* legalMove(CChessBoard& position, const std::string& text) {
  generateMoves(position, false);
  for (int i = 0; i < position.moveCount; ++i)
    if (moveToCoordinates(position.moves[i]) == text) return &position.moves[i];
  return nullptr;
}

// Plays coordinate moves from the legal list, switching sides as the game does.
inline void play(CChessBoard& position, const std::string& moves) {
  std::istringstream in(moves);
  for (std::string text; in >> text;) {
    const Move* move = legalMove(position, text);
    ASSERT_NE(move, nullptr) << text;
    makeMove(position, *move);
    position.switchSide();
  }
}

// Writes a file of this name in the test's temporary folder; returns its path.
inline std::string writeFile(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// How Debian's pgn-extract reads a PGN file: per game its moves as
// coordinates and its result, then a blank line; its complaints included.
inline std::string pgnExtractReading(const std::string& path) {
  std::string text;
  if (std::FILE* out = popen(("/usr/games/pgn-extract -s -Wuci --notags -w1000 '" + path + "' 2>&1").c_str(), "r")) {
    for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
    pclose(out);
  }
  return text;
}

constexpr const char* INITIAL_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr const char* KIWIPETE_FEN = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
// Set up, not reachable: 260 legal moves for White, and a material score past a mate's.
constexpr const char* MANY_QUEENS_FEN = "kqQQQQQQ/qqQ4Q/QQ5Q/Q6Q/Q3Q2Q/Q6Q/Q6Q/QQQQKQQ1 w - - 0 1";
