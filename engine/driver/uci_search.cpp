#include "driver/uci_search.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <sstream>

#include "base/process_clock.h"
#include "driver/engine_io.h"
#include "driver/uci_moves.h"
#include "position/evaluation.h"
#include "position/move_gen.h"
#include "search/time_manager.h"

namespace {

// Of the moves allowed, the one whose position scores best for the mover.
Move bestAfterOnePly(const CChessBoard& position, const std::vector<Move>& allowed) {
  const int side = position.sideToMove ? 1 : -1;
  Move best = allowed.front();
  int bestValue = INT_MIN;
  for (const Move& move : allowed) {
    if (const int value = side * evaluate(positionAfter(static_cast<const CBoard&>(position), move)); value > bestValue) {
      bestValue = value;
      best = move;
    }
  }
  return best;
}

// UCI has no resignation: where the search gives up (or answers a move
// outside "searchmoves") a legal move is still played, and the null move
// ("0000") is kept for a position without any. The moves of "searchmoves"
// are legal, their promotions included.
Move playableMove(const CChessBoard& position, const Move& chosen, const std::vector<Move>& searchMoves) {
  std::vector<Move> allowed = searchMoves;
  if (allowed.empty()) {
    MoveBuffer buffer;
    allowed.assign(buffer.moves, buffer.moves + generateLegalMoves(position, buffer.moves));
  }
  if (allowed.empty()) return Move();
  for (const Move& move : allowed)
    if (sameMove(move, chosen)) return chosen;
  return bestAfterOnePly(position, allowed);
}

}  // namespace

std::string uciInfoLine(const SearchReport& report) {
  std::ostringstream line;
  line << "info depth " << report.depth;
  if (report.lines > 1) line << " multipv " << report.multiPv;
  line << " score ";
  if (report.mateIn != 0)
    line << "mate " << report.mateIn;
  else
    line << "cp " << report.score;
  if (report.selDepth > 0) line << " seldepth " << report.selDepth;
  const std::int64_t milliseconds = std::max<std::int64_t>(report.milliseconds, 0);
  line << " nodes " << report.nodes << " nps " << report.nodes * 1000 / std::max<std::int64_t>(milliseconds, 1);
  if (report.hashfull >= 0) line << " hashfull " << report.hashfull;
  line << " time " << milliseconds;
  if (!report.pv.empty()) {
    line << " pv";
    for (const Move& move : report.pv) line << ' ' << uciMoveText(move);
  }
  return line.str();
}

void UciSearch::start(EnginePlayer& player, const CChessBoard& position, std::shared_ptr<std::atomic<bool>> stop,
                      bool hold, const SearchLimits* afterHit) {
  finish();
  pondering = afterHit != nullptr;
  if (afterHit) ponderLimits = *afterHit;
  stopToken = std::move(stop);
  held = hold;
  // A side without a legal move is mated or stalemated: nothing to search. Said
  // here, before any later command is answered.
  MoveBuffer buffer;
  if (generateLegalMoves(position, buffer.moves) == 0)
    EngineIO::instance().sendLine(legalityContext(position).inCheck ? "info depth 0 score mate 0" : "info depth 0 score cp 0");
  thinking.start(ThinkingThread::Kind::MOVE, [this, &player, position] { run(player, position); });
}

void UciSearch::stop() {
  if (stopToken) *stopToken = true;
  release();
}

void UciSearch::ponderHit() {
  release();
  if (!pondering) return;
  pondering = false;
  const TimeBudget budget = planTime(ponderLimits, 0);
  if (budget.soft < 0) {
    if (stopToken) *stopToken = true;
    return;
  }
  stopTimer();
  timerCancelled = false;
  // The timer stops the search it was set for, never a later one.
  timer = std::thread([this, budget, stop = stopToken] {
    std::unique_lock guard(lock);
    if (!timerWake.wait_for(guard, std::chrono::milliseconds(budget.soft), [this] { return timerCancelled; }) && stop)
      *stop = true;
  });
}

void UciSearch::stopTimer() {
  if (!timer.joinable()) return;
  {
    std::lock_guard guard(lock);
    timerCancelled = true;
  }
  timerWake.notify_all();
  timer.join();
}

void UciSearch::release() {
  {
    std::lock_guard guard(lock);
    held = false;
  }
  released.notify_all();
}

void UciSearch::finish() {
  if (!thinking.busy()) {
    thinking.finish();
    stopTimer();
    return;
  }
  pondering = false;
  bool stillHeld;
  {
    std::lock_guard guard(lock);
    stillHeld = held;
  }
  if (stillHeld) stop();
  thinking.finish();
  stopTimer();
}

void UciSearch::run(EnginePlayer& player, CChessBoard position) {
  MoveBuffer buffer;
  const bool anyMove = generateLegalMoves(position, buffer.moves) > 0;
  const Move chosen = anyMove ? player.chooseMove(position) : Move();
  const Move answer = anyMove ? playableMove(position, chosen, player.limits.searchMoves) : Move();
  // The expected answer lets the interface ponder, or show it as a hint.
  std::string ponder;
  if (!answer.isNull() && answer.sameSquares(chosen) && !player.expectedReply.isNull()) {
    const CBoard next = positionAfter(static_cast<const CBoard&>(position), answer);
    MoveBuffer replies;
    const int count = generateLegalMoves(next, replies.moves);
    for (int i = 0; i < count; ++i)
      if (sameMove(replies.moves[i], player.expectedReply))
        ponder = " ponder " + uciMoveText(player.expectedReply);
  }
  {
    std::unique_lock guard(lock);
    released.wait(guard, [this] { return !held; });
  }
  EngineIO::instance().sendLine("bestmove " + uciMoveText(answer) + ponder);
}

void UciSearch::iterationDone(const SearchReport& given) {
  SearchReport report = given;
  // The fixed search scores a forced loss or win as ±9000 without a distance:
  // its line tells how far the mate is.
  if (report.mateIn == 0 && std::abs(report.score) >= MATE_SCORE) {
    const int plies = static_cast<int>(report.pv.size());
    report.mateIn = report.score > 0 ? std::max(1, (plies + 1) / 2) : -std::max(1, plies / 2);
  }
  EngineIO::instance().sendLine(uciInfoLine(report));
}

void UciSearch::rootMoveStarted(int depth, const Move& move, int number) {
  EngineIO::instance().sendLine("info depth " + std::to_string(depth) + " currmove " + uciMoveText(move) +
                                " currmovenumber " + std::to_string(number));
}
