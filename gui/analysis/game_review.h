#pragma once
// A game's review as the window shows and saves it: per position its score,
// per move its mark and the better line, and per side the counts and the
// accuracy. It comes from the searches of Analizar partida or from the
// [%eval] comments and NAGs of a file, and goes back into the PGN the same way.

#include <QString>

#include <optional>
#include <vector>

#include "book/pgn_annotation.h"
#include "position/chess_board.h"
#include "search/move_review.h"
#include "search/position_judgement.h"

struct GameReview {
  std::vector<std::optional<WhiteScore>> scores;  // per position: the start, then after each move
  std::vector<MoveMark> marks;                    // per move
  std::vector<std::vector<Move>> betterLines;     // per move: from the position before it; empty: none
  std::vector<QString> betterMoves;               // per move: the better move in the window's notation; empty: none
  ScoreReview summary;

  bool isEmpty() const { return scores.empty(); }
};

// The start position and the position after each move of `moves`.
std::vector<CChessBoard> positionsOfGame(const CChessBoard& start, const std::vector<Move>& moves);

// From one judgement per position (a cancelled review gives fewer: the
// moves past them stay unjudged). A marked move gets the search's line as
// its better one.
GameReview reviewOfJudgements(const std::vector<CChessBoard>& positions,
                              const std::vector<PositionJudgement>& judgements);
// From a file's annotations: scores from [%eval], marks from the NAGs
// ($6 ?!, $2 ?, $4 ??) and the better move from the first variation.
GameReview reviewOfAnnotations(const std::vector<CChessBoard>& positions,
                               const std::vector<PgnAnnotation>& annotations);
// What the PGN writer puts after each move.
// Writes betterMoves again from betterLines, in the window's notation.
void fillBetterMoves(GameReview& review, const std::vector<CChessBoard>& positions);
std::vector<PgnAnnotation> annotationsOfReview(const GameReview& review);

// "?!", "?", "??" or "".
QString markSign(MoveMark mark);
// "Imprecisión", "Error", "Error grave" or "".
QString markName(MoveMark mark);
// "Precisión 87 % · 1 imprecisión, 0 errores, 2 errores graves".
QString summaryText(const SideSummary& side);
