#pragma once
// Whether a position given from outside (a FEN from an interface, a pasted
// FEN, a PGN game's FEN tag) can be played: one king a side, no pawn on the
// first or last rank, and the side that just moved not left in check. Rights
// the squares contradict are dropped, so the move generator never castles a
// missing rook or takes en passant past a missing pawn.

#include "chess_board.h"

enum class SetupFault { NONE, WHITE_KINGS, BLACK_KINGS, PAWN_ON_END_RANK, KING_CAPTURABLE };

// NONE when the position can be played (its contradicted rights dropped).
SetupFault checkSetup(CChessBoard& position);
inline bool makePlayable(CChessBoard& position) { return checkSetup(position) == SetupFault::NONE; }

// The reason in words, for the engine's replies ("" for NONE).
const char* setupFaultText(SetupFault fault);

// What keeps a position set up square by square (the board editor) from
// being played as it stands; NONE when it can be.
enum class SetupProblem {
  NONE,
  WHITE_KING_COUNT,       // no white king, or more than one
  BLACK_KING_COUNT,
  PAWN_ON_END_RANK,
  TOO_MANY_WHITE,         // more than 16 pieces or 8 pawns
  TOO_MANY_BLACK,
  CASTLING_WITHOUT_HOME,  // a castling right whose king or rook is not at home
  EN_PASSANT_WITHOUT_PAWN,  // no pawn that just advanced two squares there, or its path not empty
  WAITING_SIDE_IN_CHECK,  // the side not to move could take the king
};
SetupProblem setupProblem(const CChessBoard& position);
