#include "search/table_answer.h"

#include "position/move_gen.h"
#include "position/zobrist.h"

Move tableAnswer(const TranspositionTable& table, const CBoard& root, const Move& move) {
  if (move.from == move.to) return Move();  // none, or resigning
  const CBoard next = positionAfter(root, move);
  TableEntry entry;
  if (!table.probe(positionKey(next), 1, entry) || entry.move().isNull()) return Move();
  MoveBuffer replies;
  const int count = generateLegalMoves(next, replies.moves);
  for (int i = 0; i < count; ++i)
    if (sameMove(replies.moves[i], entry.move())) return replies.moves[i];
  return Move();
}
