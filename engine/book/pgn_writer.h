#pragma once
// Writes one game as standard PGN export text, the form other chess programs
// read back: the Seven Tag Roster first, SetUp and FEN when the game does not
// start from the initial position, moves in standard SAN (O-O, =N, + and #),
// the result token after the last move, lines shorter than 80 characters.
//
// The engine's own move texts (castling with zeros, "+" for mate, queen
// promotions only) stay as they are for the legal-move listing and the move
// list; only this writer speaks the standard form.

#include <string>
#include <vector>

#include "book/game_tree.h"
#include "book/pgn_annotation.h"
#include "book/pgn_tag.h"
#include "position/chess_board.h"
#include "position/fen.h"

// A game as a start position and the moves played from it.
struct PgnMoves {
  CChessBoard start;
  std::vector<Move> moves;
  bool fromInitialPosition = true;
  FenCounters startCounters;  // of a set-up start, written in its FEN tag
  // Per move, when the game was reviewed: written after the move as a NAG,
  // an [%eval] comment and a variation.
  std::vector<PgnAnnotation> annotations;
  // The comments, NAGs and variations read or added: written along `moves`
  // as far as its main line goes with them, merged with the review's notes.
  GameTree tree;
};

// The history of a game (index k: the position after k plies, or the start
// when its last move is null) as its start and moves. A history that begins
// after its first move (a game loaded by the engine's command) starts from the
// initial position when that move leads there from it; any other first
// position is a set-up position.
PgnMoves pgnMovesOfHistory(const std::vector<CChessBoard>& history);

// Standard SAN of a legal move of `position`.
std::string standardSan(const CChessBoard& position, const Move& move);

// The whole game text, ending with a line end. `tags` give the roster values
// (missing ones are written "?", Round "-"); Result, SetUp and FEN among them
// are replaced by the game's own; other tags follow the roster in their order.
// `termination`, when given, is written as a comment before the result.
// Comments go in braces, NAGs as $n, variations in parentheses after the
// move they stand in for; a black move after a comment or a variation gets
// its number again ("5...Nc6").
std::string writePgnGame(const std::vector<PgnTag>& tags, const PgnMoves& game, const std::string& result,
                         const std::string& termination = {});
