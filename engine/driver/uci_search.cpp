#include "driver/uci_search.h"

#include <algorithm>
#include <climits>
#include <sstream>

#include "base/process_clock.h"
#include "driver/engine_io.h"
#include "driver/uci_moves.h"
#include "position/evaluation.h"
#include "position/move_gen.h"

namespace {

// Of the moves allowed, the one whose position scores best for the mover.
Move bestAfterOnePly(const CChessBoard& position, const std::vector<Move>& allowed) {
  const int side = position.sideToMove ? 1 : -1;
  Move best = allowed.front();
  int bestValue = INT_MIN;
  for (const Move& move : allowed) {
    CBoard after = position;
    applyMove(after, move);
    after.sideToMove = position.sideToMove ? 0 : 1;
    if (const int value = side * evaluate(after); value > bestValue) {
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
    if (move.sameSquares(chosen) && move.promotion == chosen.promotion) return chosen;
  return bestAfterOnePly(position, allowed);
}

// The fixed search reports no iteration of its own: its one line is read
// from the player. A mate score counts the plies of the line that reaches it.
SearchReport fixedSearchReport(const EnginePlayer& player, const CChessBoard& position, const Move& answer) {
  SearchReport report;
  report.depth = player.searchDepth;
  const bool white = position.sideToMove == 1;
  report.score = white ? player.lastScore : -player.lastScore;
  const int plies = player.lastLineLength();
  if (report.score >= MATE_SCORE) report.mateIn = std::max(1, (plies + 1) / 2);
  if (report.score <= -MATE_SCORE) report.mateIn = -std::max(1, plies / 2);
  report.nodes = player.nodeCount;
  report.milliseconds = processMilliseconds() - player.searchStart;
  report.pv.push_back(answer);
  return report;
}

}  // namespace

std::string uciInfoLine(const SearchReport& report) {
  std::ostringstream line;
  line << "info depth " << report.depth << " score ";
  if (report.mateIn != 0)
    line << "mate " << report.mateIn;
  else
    line << "cp " << report.score;
  const std::int64_t milliseconds = std::max<std::int64_t>(report.milliseconds, 0);
  line << " nodes " << report.nodes << " nps " << report.nodes * 1000 / std::max<std::int64_t>(milliseconds, 1)
       << " time " << milliseconds;
  if (!report.pv.empty()) {
    line << " pv";
    for (const Move& move : report.pv) line << ' ' << uciMoveText(move);
  }
  return line.str();
}

void UciSearch::start(EnginePlayer& player, const CChessBoard& position, bool hold) {
  finish();
  // A stop that came after the last search had ended must not cut this one.
  EngineIO::instance().stopRequested = false;
  held = hold;
  worker = std::thread(&UciSearch::run, this, std::ref(player), position);
}

void UciSearch::stop() {
  EngineIO::instance().stopRequested = true;
  release();
}

void UciSearch::ponderHit() { release(); }

void UciSearch::release() {
  {
    std::lock_guard guard(lock);
    held = false;
  }
  released.notify_all();
}

void UciSearch::finish() {
  if (!worker.joinable()) return;
  bool stillHeld;
  {
    std::lock_guard guard(lock);
    stillHeld = held;
  }
  if (stillHeld) stop();
  worker.join();
}

void UciSearch::run(EnginePlayer& player, CChessBoard position) {
  reports = 0;
  // A book move leaves searchStart alone: this tells whether a search ran.
  player.searchStart = -1;
  const Move chosen = player.chooseMove(position);
  const Move answer = playableMove(position, chosen, player.limits.searchMoves);
  if (reports == 0 && player.searchStart >= 0 && !answer.isNull())
    EngineIO::instance().sendLine(uciInfoLine(fixedSearchReport(player, position, answer)));
  {
    std::unique_lock guard(lock);
    released.wait(guard, [this] { return !held; });
  }
  EngineIO::instance().sendLine("bestmove " + uciMoveText(answer));
}

void UciSearch::iterationDone(const SearchReport& report) {
  ++reports;
  EngineIO::instance().sendLine(uciInfoLine(report));
}
