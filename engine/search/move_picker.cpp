#include "search/move_picker.h"

#include <algorithm>
#include <cstdlib>

#include "search/static_exchange.h"

namespace {

constexpr std::int32_t HASH_MOVE = 1 << 30;
constexpr std::int32_t KILLER = 1 << 27;

}  // namespace

int orderingValue(int code) {
  if (isPawn(code)) return 1;
  if (isKnight(code) || isBishop(code)) return 3;
  if (isRook(code)) return 5;
  if (isQueen(code)) return 9;
  if (isKing(code)) return 20;
  return 0;
}

bool isCaptureOrPromotion(const Move& move) { return move.captured != EMPTY || move.promotion != EMPTY; }

namespace {

void nudge(std::int16_t& value, int bonus) {
  bonus = std::clamp(bonus, -HistoryTable::BOUND, HistoryTable::BOUND);
  value = static_cast<std::int16_t>(value + bonus - value * std::abs(bonus) / HistoryTable::BOUND);
}

}  // namespace

void HistoryTable::reward(int side, const Move& move, ContinuationRow* const rows[2], int bonus) {
  const int to = squareIndex64(move.to);
  nudge(score[side][squareIndex64(move.from)][to], bonus);
  const int kind = pieceKind(move.piece);
  for (int i = 0; i < 2; ++i)
    if (rows[i]) nudge((*rows[i])[kind][to], bonus);
}

void HistoryTable::age() {
  for (auto& bySide : score)
    for (auto& byFrom : bySide)
      for (auto& entry : byFrom) entry /= 4;
}

void HistoryTable::clear() {
  for (auto& bySide : score)
    for (auto& byFrom : bySide)
      for (auto& entry : byFrom) entry = 0;
  for (auto& byKind : continuation)
    for (auto& row : byKind)
      for (auto& byPiece : row) byPiece.fill(0);
  for (auto& byFrom : counter)
    for (auto& entry : byFrom) entry = Move();
}

void MovePicker::start(const CBoard& board, const Move& hashMove, const Move* killers, const HistoryTable& history,
                       bool capturesOnly, const Move& counter, const ContinuationRow* const* rows) {
  const ContinuationRow* const noRows[2] = {nullptr, nullptr};
  if (!rows) rows = noRows;
  const int count = capturesOnly ? generatePseudoCaptures(board, moves) : generatePseudoMoves(board, moves);
  total = 0;
  cursor = 0;
  const int side = board.sideToMove ? 1 : 0;
  position = &board;
  for (int i = 0; i < count; ++i) {
    const Move move = moves[i];
    const bool tactical = isCaptureOrPromotion(move);
    if (capturesOnly && !tactical) continue;
    std::int32_t score;
    bool unsure = false;
    if (!hashMove.isNull() && move.sameSquares(hashMove) && move.promotion == hashMove.promotion) {
      score = HASH_MOVE;
    } else if (tactical) {
      score = (move.captured != EMPTY ? orderingValue(move.captured) * 64 : 0) + (move.promotion != EMPTY ? 9 * 64 : 0) -
              orderingValue(move.piece) + CAPTURE;
      // A dearer piece taking a cheaper one may lose it: `next` looks when it gets there.
      unsure = move.promotion == EMPTY && orderingValue(move.piece) > orderingValue(move.captured);
    } else if (killers && (move.sameSquares(killers[0]) || move.sameSquares(killers[1]))) {
      score = move.sameSquares(killers[0]) ? KILLER + 1 : KILLER;
    } else if (!counter.isNull() && move.sameSquares(counter)) {
      score = KILLER - 1;
    } else {
      score = history.quietScore(side, move, rows);
    }
    moves[total] = move;
    exchangeUnknown[total] = unsure;
    scores[total++] = score;
  }
}

bool MovePicker::next(Move& move) {
  if (cursor >= total) return false;
  int best;
  // An unsure capture stands as winning until it is the best left: the
  // exchange on its square is worked out only for the captures reached, and
  // the order is the same as if it had been worked out for all.
  for (;;) {
    best = cursor;
    for (int i = cursor + 1; i < total; ++i)
      if (scores[i] > scores[best]) best = i;
    if (!exchangeUnknown[best]) break;
    exchangeUnknown[best] = false;
    if (staticExchange(*position, moves[best]) >= 0) break;
    scores[best] += LOSING_CAPTURE - CAPTURE;
  }
  std::swap(moves[cursor], moves[best]);
  std::swap(scores[cursor], scores[best]);
  std::swap(exchangeUnknown[cursor], exchangeUnknown[best]);
  move = moves[cursor++];
  return true;
}
