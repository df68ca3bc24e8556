#pragma once
// Making moves, generating them (pseudo-legal or legal) and the check questions.
// Attack questions are answered as "could the side to move capture the king".

#include "chess_board.h"

constexpr int NO_BOUND = 98765;

bool makeMove(CChessBoard& position, const Move& move);

// Fills the list for the side to move. With bounds (the search's probe), may stop
// early and return the probe's score, leaving a pseudo-legal partial list.
int generateMoves(CChessBoard& position, bool pseudoOnly, int upperBound = NO_BOUND, int lowerBound = NO_BOUND);

void removeIllegalMoves(CChessBoard& position);
bool hasLegalMove(CChessBoard& position);
bool canCaptureKing(CChessBoard& position);
int classifyMove(const CChessBoard& position, const Move& move);  // 0, 1 check, 2 mate
bool isLegalMove(const CChessBoard& position, const Move& move);
bool isCastlingMove(const Move& move);

// First legal move with these squares (generates the legal list), or nullptr.
Move* findMove(CChessBoard& position, int from, int to);
void removeMove(CChessBoard& position, int from, int to);
bool targetsSquare(const CChessBoard& position, int square);
