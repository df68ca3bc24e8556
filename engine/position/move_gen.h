#pragma once
// Making moves, generating them (pseudo-legal or legal) and the check questions.
// Attack questions are answered as "could the side to move capture the king".

#include "chess_board.h"

constexpr int NO_BOUND = 98765;

bool makeMove(CChessBoard& position, const Move& move);

// Fills the list for the side to move. With bounds (the search's probe), may stop
// early and return the probe's score, leaving a pseudo-legal partial list.
// The search does not call the bounded form: NodeMoves (search/node_moves.*)
// replays the same probe one move at a time, and is the path to edit. This form
// stays as its yardstick, compared with the literal generator by the
// differential tests; the search differential tests hold NodeMoves to it.
int generateMoves(CChessBoard& position, bool pseudoOnly, int upperBound = NO_BOUND, int lowerBound = NO_BOUND);

void removeIllegalMoves(CChessBoard& position);
bool hasLegalMove(CChessBoard& position);
// Is the other side's king (the first in a1..h8 order) attacked by the side to
// move? Answered directly; the position's move list is left as it was.
bool canCaptureKing(CChessBoard& position);
int classifyMove(const CChessBoard& position, const Move& move);  // 0, 1 check, 2 mate
bool isLegalMove(const CChessBoard& position, const Move& move);
bool isCastlingMove(const Move& move);
// The moves among `candidates` that are legal here (same from, to and
// promotion), as the position's own moves (check state filled), in the
// candidates' order.
std::vector<Move> legalMovesAmong(const CChessBoard& position, const std::vector<Move>& candidates);

// First legal move with these squares (generates the legal list), or nullptr.
Move* findMove(CChessBoard& position, int from, int to);
void removeMove(CChessBoard& position, int from, int to);
bool targetsSquare(const CChessBoard& position, int square);

// Lower-level operations on the position proper, for callers that keep their
// own move buffers (perft, tight search loops).

// Set-up positions can have more moves than a position's list holds (26
// queens give over 260): the lists that count or choose among all the moves
// hold this many. More than that are dropped, never written past the end.
constexpr int MAX_GENERATED_MOVES = 512;

// A scratch list whose entries are left unconstructed: building 512 null
// moves would cost more than generating into it. Entries are written before read.
union MoveBuffer {
  MoveBuffer() {}
  Move moves[MAX_GENERATED_MOVES];
};

// makeMove without recording lastMove.
bool applyMove(CBoard& board, const Move& move);
// The position after the move, with the other side to move: what a reply, a
// predicted answer or a line's next position is looked up in.
template <class Board>
Board positionAfter(Board board, const Move& move) {
  applyMove(board, move);
  board.sideToMove = board.sideToMove ? 0 : 1;
  return board;
}
// The list's size is its type's: a position's (MAX_MOVES, the search's own
// lists) or a MoveBuffer's, which holds every move of any position short of
// the absurd.
int generatePseudoMoves(const CBoard& board, Move (&list)[MAX_MOVES]);
int generatePseudoMoves(const CBoard& board, Move (&list)[MAX_GENERATED_MOVES]);
// The captures and promotions of generatePseudoMoves, in its order, without
// building the quiet moves (the quiescence search wants no others).
int generatePseudoCaptures(const CBoard& board, Move (&list)[MAX_MOVES]);
int generatePseudoCaptures(const CBoard& board, Move (&list)[MAX_GENERATED_MOVES]);
// Legal moves in generation order, checkState left unclassified (255).
int generateLegalMoves(const CBoard& board, Move (&list)[MAX_GENERATED_MOVES]);

// What the legality test needs to know about the side to move's king, computed
// once per position rather than once per move.
struct LegalityContext {
  int side = 1;                // the mover, 1 White
  int king = 4;                // the mover's king code
  int kingSquare = NO_SQUARE;  // first in a1..h8 order
  int kingCount = 0;
  int otherKingSquare = NO_SQUARE;
  int otherKingCount = 0;
  bool inCheck = false;
  bool otherInCheck = false;  // filled only when asked for, for classifying
  // The other king is known not to be attacked: then whether the next move
  // gives check can be told from the squares it touches.
  bool otherSafe = false;
};
LegalityContext legalityContext(const CBoard& board, bool forClassifying = false);
// The same as legalityContext(after) for the position a legal `move` (or a
// pass, a null move) led to from the one `before` describes: the kings are
// followed instead of looked for on every square, which a search does at every node.
LegalityContext legalityContextAfter(const CBoard& after, const LegalityContext& before, const Move& move);
bool isLegal(const CBoard& board, const LegalityContext& context, const Move& move);
// The context must come from legalityContext(board, true).
int classifyMove(const CBoard& board, const LegalityContext& context, const Move& move);
