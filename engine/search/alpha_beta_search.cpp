#include "search/alpha_beta_search.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/random.h"
#include "position/attack.h"
#include "position/zobrist.h"
#include "search/static_exchange.h"
#include "search/strong_evaluation.h"
#include "search/table_answer.h"
#include "search/time_manager.h"

// One ply of the current line: its position, key, legality context, the move
// that led to it, its static score and the killer moves found at this
// distance from the root.
struct AlphaBetaSearch::Ply {
  CBoard board;
  std::uint64_t key = 0;
  LegalityContext legality;
  int halfmoves = 0;  // plies since the last capture or pawn move
  Move move;          // null at the root and after a pass
  int staticEval = 0;
  Move killers[2];
  MovePicker picker;
  Move excluded;  // the table's move, left out while its rivals are searched without it
};

namespace {

constexpr int INFINITE_SCORE = 32000;

bool isReversible(const Move& move) { return move.captured == EMPTY && !isPawn(move.piece); }

// The table's move is singular, and searched a ply deeper, when every other
// move falls this far short of its stored score at half the depth.
constexpr int SINGULAR_MIN_DEPTH = 8;
// The most piece material (middlegame centipawns) a side may have and still be
// denied the null move: one bishop or knight.
constexpr int LONE_MINOR = 365;
int singularMargin(int depth) { return 2 * depth; }

// Plies taken off a late quiet move: more the later the move and the deeper the node.
int reductionFor(int depth, int moveNumber) {
  static const auto table = [] {
    std::array<std::array<int, 64>, 64> r{};
    for (int d = 1; d < 64; ++d)
      for (int m = 1; m < 64; ++m) r[d][m] = static_cast<int>(0.75 + std::log(d) * std::log(m) / 2.25);
    return r;
  }();
  return table[std::min(depth, 63)][std::min(moveNumber, 63)];
}

// Milliseconds of search before the root moves are told as they are tried.
constexpr std::int64_t ROOT_MOVES_TOLD_AFTER = 1000;

// The level's depth, or the interface's when that is less.
int depthLimit(const SearchLimits& limits, const LevelSettings& settings) {
  const int depth = limits.depth > 0 ? std::min(limits.depth, settings.depth) : settings.depth;
  return std::clamp(depth, 1, MAX_PLY - 8);
}

}  // namespace

AlphaBetaSearch::AlphaBetaSearch() : AlphaBetaSearch(std::make_shared<TranspositionTable>(DEFAULT_HASH_MEGABYTES)) {}

AlphaBetaSearch::AlphaBetaSearch(std::shared_ptr<TranspositionTable> sharedTable)
    : table(std::move(sharedTable)),
      history(std::make_unique<HistoryTable>()),
      evaluations(1 << 16),
      plies(MAX_PLY + 2) {
  // Key 0 is taken for an empty slot: a position with that key is evaluated afresh each time.
  evaluations[0].key = 1;
}

AlphaBetaSearch::~AlphaBetaSearch() = default;

bool AlphaBetaSearch::allowedAtRoot(const Move& move) const {
  for (const Move& found : excluded)
    if (found.sameSquares(move) && found.promotion == move.promotion) return false;
  if (limits->searchMoves.empty()) return true;
  for (const Move& allowed : limits->searchMoves)
    if (allowed.sameSquares(move) && (allowed.promotion == EMPTY || allowed.promotion == move.promotion)) return true;
  return false;
}

void AlphaBetaSearch::makeChild(int ply, const Move& move) {
  const Ply& parent = plies[ply];
  Ply& child = plies[ply + 1];
  child.board = parent.board;
  applyMove(child.board, move);
  child.board.sideToMove = parent.board.sideToMove ? 0 : 1;
  child.key = keyAfterMove(parent.board, parent.key, child.board, move);
  child.halfmoves = isReversible(move) ? parent.halfmoves + 1 : 0;
  child.move = move;
  child.legality = legalityContextAfter(child.board, parent.legality, move);
  keys[rootIndex + ply + 1] = child.key;
}

void AlphaBetaSearch::makeNullChild(int ply) {
  const Ply& parent = plies[ply];
  Ply& child = plies[ply + 1];
  child.board = parent.board;
  child.board.sideToMove = parent.board.sideToMove ? 0 : 1;
  child.board.enPassantSquare = NO_SQUARE;
  child.key = positionKey(child.board);
  // A pass repeats nothing: the line before it cannot come back through it.
  child.halfmoves = 0;
  child.move = Move();
  child.legality = legalityContextAfter(child.board, parent.legality, child.move);
  keys[rootIndex + ply + 1] = child.key;
}

bool AlphaBetaSearch::isDraw(int ply) const {
  const Ply& node = plies[ply];
  // A mate given with the hundredth quiet ply ends the game as a mate, as the
  // game itself judges it; only a side in check can be mated.
  if (node.halfmoves >= 100) {
    MoveBuffer buffer;
    return !node.legality.inCheck || generateLegalMoves(node.board, buffer.moves) > 0;
  }
  const int index = rootIndex + ply;
  for (int back = 4; back <= node.halfmoves && index - back >= 0; back += 2)
    if (keys[index - back] == node.key) return true;
  return false;
}

bool AlphaBetaSearch::timeUp() {
  if (stopped) return true;
  if (!canStop) return false;
  if (limits->nodes > 0 && nodes >= limits->nodes) stopped = true;
  if ((nodes & 1023) == 0) {
    if (context->stopRequest && context->stopRequest->load(std::memory_order_relaxed)) stopped = true;
    if (hardDeadline >= 0 && context->clock() - start >= hardDeadline) stopped = true;
    if (helper) publishedNodes.store(nodes, std::memory_order_relaxed);
    if (limits->progressEvery > 0 && !helper) reportProgress();
  }
  return stopped;
}

int AlphaBetaSearch::evaluate(int ply) {
  const Ply& node = plies[ply];
  CachedEvaluation& cached = evaluations[node.key & (evaluations.size() - 1)];
  if (cached.key != node.key) {
    cached.key = node.key;
    cached.score = strongEvaluate(node.board);
  }
  return cached.score;
}

int AlphaBetaSearch::quiesce(int ply, int alpha, int beta) {
  pvLength[ply] = ply;
  selDepth = std::max(selDepth, ply);
  ++nodes;
  if (timeUp()) return 0;
  if (ply >= MAX_PLY - 1) return evaluate(ply);
  Ply& node = plies[ply];
  // Whatever depth an entry was searched to, it is at least this one's: a
  // bound that settles the node ends it, and its move is tried first.
  Move hashMove;
  if (quiescence) {
    if (TableEntry entry; table->probe(node.key, ply, entry)) {
      if (beta - alpha == 1 && (entry.bound == Bound::EXACT || (entry.bound == Bound::LOWER && entry.score >= beta) ||
                                (entry.bound == Bound::UPPER && entry.score <= alpha)))
        return entry.score;
      hashMove = entry.move();
    }
  }
  const bool inCheck = node.legality.inCheck;
  int best = -MATE_VALUE + ply;
  if (!inCheck) {
    best = evaluate(ply);
    if (!quiescence || best >= beta) return best;
    alpha = std::max(alpha, best);
  }
  node.picker.start(node.board, hashMove, nullptr, *history, !inCheck);
  for (Move move; node.picker.next(move);) {
    if (!isLegal(node.board, node.legality, move)) continue;
    if (!inCheck && move.promotion == EMPTY) {
      // Nothing this capture can win lifts the score to alpha, or it loses
      // material in the exchange on its square.
      if (best + orderingValue(move.captured) * 100 + 200 <= alpha) continue;
      if (node.picker.lastLoses()) continue;
    }
    makeChild(ply, move);
    const int score = -quiesce(ply + 1, -beta, -alpha);
    if (stopped) return 0;
    if (score <= best) continue;
    best = score;
    if (score <= alpha) continue;
    alpha = score;
    pv[ply][ply] = move;
    for (int i = ply + 1; i < pvLength[ply + 1]; ++i) pv[ply][i] = pv[ply + 1][i];
    pvLength[ply] = std::max(pvLength[ply + 1], ply + 1);
    if (alpha >= beta) break;
  }
  return best;
}

int AlphaBetaSearch::search(int depth, int ply, int alpha, int beta, bool allowNull) {
  pvLength[ply] = ply;
  selDepth = std::max(selDepth, ply);
  Ply& node = plies[ply];
  const bool root = ply == 0;
  const bool pvNode = beta - alpha > 1;
  if (!root) {
    if (isDraw(ply)) return 0;
    // No line from here can beat a mate already found nearer the root.
    alpha = std::max(alpha, -MATE_VALUE + ply);
    beta = std::min(beta, MATE_VALUE - ply - 1);
    if (alpha >= beta) return alpha;
  }
  const bool inCheck = node.legality.inCheck;
  if (inCheck) ++depth;
  if (depth <= 0) return quiesce(ply, alpha, beta);
  ++nodes;
  if (timeUp()) return 0;
  if (ply >= MAX_PLY - 1) return evaluate(ply);

  // A search without the table's move is a question about this node, not
  // its answer: it neither takes nor leaves an entry, and prunes nothing.
  const bool excluding = !node.excluded.isNull();
  Move hashMove;
  TableEntry entry;
  const bool hashHit = !excluding && table->probe(node.key, ply, entry);
  if (hashHit) {
    hashMove = entry.move();
    if (!pvNode && entry.depth >= depth) {
      const int score = entry.score;
      if (entry.bound == Bound::EXACT || (entry.bound == Bound::LOWER && score >= beta) ||
          (entry.bound == Bound::UPPER && score <= alpha))
        return score;
    }
  }

  const int staticEval = inCheck ? -INFINITE_SCORE : evaluate(ply);
  node.staticEval = staticEval;
  // Better than two plies ago: the side to move is getting somewhere, so
  // cutoffs are likelier and late moves matter less.
  const bool improving = !inCheck && ply >= 2 && staticEval > plies[ply - 2].staticEval;
  if (!pvNode && !inCheck && !excluding && std::abs(beta) < MATE_BOUND) {
    // Far enough above beta that a shallow search will not bring it down.
    if (depth <= 7 && staticEval - 120 * depth + (improving ? 40 : 0) >= beta) return staticEval;
    // Passing still holds beta: a real move will too (not with pawns and at
    // most one minor piece, where passing may be the only good move: a lone
    // bishop in zugzwang is still lost). The further above beta, the shallower
    // the check.
    if (allowNull && depth >= 3 && staticEval >= beta &&
        pieceMaterial(node.board, node.board.sideToMove) > LONE_MINOR) {
      const int reduction = 3 + depth / 6 + std::min((staticEval - beta) / 200, 3);
      makeNullChild(ply);
      const int score = -search(depth - 1 - reduction, ply + 1, -beta, -beta + 1, false);
      if (stopped) return 0;
      if (score >= beta) return score >= MATE_BOUND ? beta : score;
    }
  }

  // Without a move from an earlier search the ordering is blind: spend less here.
  if (!root && !excluding && depth >= 4 && hashMove.isNull()) --depth;

  // Every other move well short of the table's score: the line hangs on one
  // move, so it gets a ply more. When even the rest holds beta, more than one
  // move refutes the line, and the node is cut (multi-cut).
  bool singular = false;
  if (!root && !excluding && hashHit && depth >= SINGULAR_MIN_DEPTH && !hashMove.isNull() &&
      entry.depth >= depth - 3 && entry.bound != Bound::UPPER && std::abs(entry.score) < MATE_BOUND &&
      ply < 2 * rootDepth) {
    const int singularBeta = entry.score - singularMargin(depth);
    node.excluded = hashMove;
    const int score = search(depth / 2, ply, singularBeta - 1, singularBeta, false);
    node.excluded = Move();
    if (stopped) return 0;
    if (score < singularBeta) singular = true;
    else if (singularBeta >= beta) return singularBeta;
  }

  const int oldAlpha = alpha;
  int best = -INFINITE_SCORE;
  Move bestMove;
  int legal = 0;
  Move quietsTried[MAX_MOVES];
  int quietCount = 0;
  const Move& previous = node.move;
  const Move counter = previous.isNull() ? Move() : history->counterTo(previous);
  ContinuationRow* const rows[2] = {history->rowAfter(previous),
                                    ply >= 1 ? history->rowAfter(plies[ply - 1].move) : nullptr};
  const int side = node.board.sideToMove ? 1 : 0;
  node.picker.start(node.board, hashMove, node.killers, *history, false, counter, rows);
  for (Move move; node.picker.next(move);) {
    if (root && !allowedAtRoot(move)) continue;
    if (excluding && sameMove(move, node.excluded)) continue;
    if (!isLegal(node.board, node.legality, move)) continue;
    ++legal;
    if (root && !helper && context->listener && context->clock() - start >= ROOT_MOVES_TOLD_AFTER)
      context->listener->rootMoveStarted(depth, move, legal);
    const bool quiet = !isCaptureOrPromotion(move);
    const bool killer = move.sameSquares(node.killers[0]) || move.sameSquares(node.killers[1]);
    makeChild(ply, move);
    const bool givesCheck = plies[ply + 1].legality.inCheck;
    const int historyScore = quiet ? history->quietScore(side, move, rows) : 0;
    // Shallow quiet moves that cannot reach alpha however they go, that come
    // so late in the order that they almost never do, or that have failed
    // here over and over.
    if (!pvNode && !inCheck && !givesCheck && quiet && legal > 1 && best > -MATE_BOUND &&
        ((depth <= 5 && staticEval + 100 + 150 * depth <= alpha) ||
         (depth <= 3 && legal > (improving ? 3 + 2 * depth * depth : 2 + depth * depth)) ||
         (depth <= 3 && !killer && historyScore < -4000 * depth)))
      continue;
    // Shallow moves that lose material on their square, more the nearer the leaves.
    if (!pvNode && !inCheck && !givesCheck && legal > 1 && best > -MATE_BOUND && depth <= 3 &&
        move.promotion == EMPTY && staticExchange(node.board, move) < (quiet ? -60 * depth * depth : -100 * depth))
      continue;

    int score;
    if (legal == 1) {
      const int extension = singular && sameMove(move, hashMove) ? 1 : 0;
      score = -search(depth - 1 + extension, ply + 1, -beta, -alpha, true);
    } else {
      int reduction = 0;
      if (depth >= 3 && quiet && !inCheck && !givesCheck && !killer && legal > 3) {
        reduction = reductionFor(depth, legal) - (pvNode ? 1 : 0) + (improving ? 0 : 1) -
                    (move.sameSquares(counter) ? 1 : 0) - historyScore / 12000;
        reduction = std::clamp(reduction, 0, depth - 2);
      }
      score = -search(depth - 1 - reduction, ply + 1, -alpha - 1, -alpha, true);
      if (score > alpha && reduction > 0 && !stopped) score = -search(depth - 1, ply + 1, -alpha - 1, -alpha, true);
      if (score > alpha && score < beta && !stopped) score = -search(depth - 1, ply + 1, -beta, -alpha, true);
    }
    if (stopped) return 0;
    if (quiet) quietsTried[quietCount++] = move;
    if (score <= best) continue;
    best = score;
    bestMove = move;
    if (score <= alpha) continue;
    alpha = score;
    pv[ply][ply] = move;
    for (int i = ply + 1; i < pvLength[ply + 1]; ++i) pv[ply][i] = pv[ply + 1][i];
    pvLength[ply] = std::max(pvLength[ply + 1], ply + 1);
    if (root) {
      rootBest = move;
      rootBestScore = score;
    }
    if (alpha >= beta) {
      if (quiet) {
        if (!move.sameSquares(node.killers[0])) {
          node.killers[1] = node.killers[0];
          node.killers[0] = move;
        }
        const int bonus = std::min(24 * depth * depth + 32 * depth, 2400);
        history->reward(side, move, rows, bonus);
        if (!previous.isNull()) history->counterTo(previous) = move;
        for (int i = 0; i + 1 < quietCount; ++i) history->reward(side, quietsTried[i], rows, -bonus);
      }
      break;
    }
  }
  // Without the table's move, no move left says nothing of mate or stalemate.
  if (legal == 0) return excluding ? alpha : inCheck ? -MATE_VALUE + ply : 0;
  if (excluding) return best;

  // A root searched without the lines already found has no true best move.
  if (root && !excluded.empty()) return best;
  const Bound bound = best >= beta ? Bound::LOWER : best > oldAlpha ? Bound::EXACT : Bound::UPPER;
  table->store(node.key, ply, best, depth, bound, bound == Bound::UPPER ? Move() : bestMove);
  return best;
}

void AlphaBetaSearch::report(int depth, const RootLine& line, int rank) {
  SearchReport report;
  report.depth = depth;
  report.score = line.score;
  if (line.score >= MATE_BOUND) report.mateIn = (MATE_VALUE - line.score + 1) / 2;
  if (line.score <= -MATE_BOUND) report.mateIn = -(MATE_VALUE + line.score) / 2;
  report.nodes = totalNodes();
  report.milliseconds = context->clock() - start;
  report.selDepth = std::max(selDepth, depth);
  report.hashfull = table->hashfull();
  report.pv = line.pv;
  report.multiPv = rank;
  report.lines = std::max(static_cast<int>(finishedLines.size()), 1);
  lastReport = context->clock();
  if (context->listener) context->listener->iterationDone(report);
}

// A long iteration says now and then that the search goes on.
void AlphaBetaSearch::reportProgress() {
  if (finishedLines.empty() || context->clock() - lastReport < limits->progressEvery) return;
  for (std::size_t i = 0; i < finishedLines.size(); ++i)
    report(finishedDepth, finishedLines[i], static_cast<int>(i) + 1);
}

// The weak levels score each root move to their depth and pick with chance.
// A node budget or a stop ends the scoring early: the pick is then made among
// the moves scored, since a score cut short says nothing.
SearchOutcome AlphaBetaSearch::chooseWithChance(const LevelSettings& settings, const std::vector<Move>& rootMoves) {
  const int depth = depthLimit(*limits, settings);
  std::vector<RootLine> scored;
  int chosen = 0;
  int chosenScore = -INFINITE_SCORE;
  for (const Move& move : rootMoves) {
    makeChild(0, move);
    const int score = -search(depth - 1, 1, -INFINITE_SCORE, INFINITE_SCORE, true);
    if (stopped && !scored.empty()) break;
    RootLine line;
    line.move = move;
    line.score = score;
    line.pv = {move};
    scored.push_back(line);
    canStop = true;  // one move scored in full is a move to play
    const int chance = settings.noise > 0 ? engineRand() % (settings.noise + 1) : 0;
    if (score + chance > chosenScore) {
      chosenScore = score + chance;
      chosen = static_cast<int>(scored.size()) - 1;
    }
    if (stopped) break;
  }
  const int count = static_cast<int>(scored.size());
  if (engineRand() % 100 < settings.blunderPercent) chosen = engineRand() % count;
  // The move played heads the lines shown; the others follow best first, as
  // many as the interface asked for.
  std::rotate(scored.begin(), scored.begin() + chosen, scored.begin() + chosen + 1);
  std::stable_sort(scored.begin() + 1, scored.end(),
                   [](const RootLine& a, const RootLine& b) { return a.score > b.score; });
  scored.resize(std::clamp(limits->multiPv, 1, count));
  finishedLines = scored;
  finishedDepth = depth;
  SearchOutcome outcome;
  outcome.move = scored[0].move;
  outcome.score = scored[0].score;
  outcome.depth = depth;
  for (std::size_t rank = 0; rank < scored.size(); ++rank) report(depth, scored[rank], static_cast<int>(rank) + 1);
  return outcome;
}

std::vector<Move> AlphaBetaSearch::prepare(const CBoard& root, const std::vector<std::uint64_t>& gameKeys,
                                           const SearchLimits& givenLimits, const LevelSettings& settings,
                                           const SearchContext& givenContext) {
  limits = &givenLimits;
  context = &givenContext;
  quiescence = settings.quiescence;
  start = lastReport = context->clock();
  nodes = 0;
  selDepth = 0;
  publishedNodes = 0;
  stopped = false;
  canStop = helper;
  excluded.clear();
  finishedLines.clear();
  TimeBudget budget = planTime(givenLimits, settings.moveTimeWithoutClock);
  if (budget.soft > 0) budget.soft = std::max<std::int64_t>(budget.soft * settings.timePercent / 100, 1);
  // A level's depth floor may run past its share, never past the clock's limit.
  if (budget.hard > 0 && settings.minDepth == 0)
    budget.hard = std::max<std::int64_t>(budget.hard * settings.timePercent / 100, 1);
  hardDeadline = budget.hard;
  softLimit = budget.soft;
  clockShare = givenLimits.moveTime <= 0 && givenLimits.timeLeft >= 0 && !givenLimits.infinite;
  minDepth = settings.minDepth;
  history->age();

  keys.assign(gameKeys.begin(), gameKeys.end());
  rootIndex = static_cast<int>(keys.size());
  keys.resize(rootIndex + MAX_PLY + 2);
  for (Ply& ply : plies) ply.killers[0] = ply.killers[1] = ply.excluded = Move();
  plies[0].move = Move();
  Ply& top = plies[0];
  top.board = root;
  top.key = positionKey(root);
  top.halfmoves = rootIndex + std::max(limits->reversiblePliesBefore, 0);
  top.legality = legalityContext(root, true);
  keys[rootIndex] = top.key;

  MoveBuffer buffer;
  const int legalCount = generateLegalMoves(root, buffer.moves);
  std::vector<Move> rootMoves;
  for (int i = 0; i < legalCount; ++i)
    if (allowedAtRoot(buffer.moves[i])) rootMoves.push_back(buffer.moves[i]);
  // A search-moves list that names no legal move leaves every move allowed.
  if (rootMoves.empty()) rootMoves.assign(buffer.moves, buffer.moves + legalCount);
  return rootMoves;
}

SearchOutcome AlphaBetaSearch::run(const CBoard& root, const std::vector<std::uint64_t>& gameKeys,
                                   const SearchLimits& givenLimits, const LevelSettings& settings,
                                   const SearchContext& givenContext) {
  table->newSearch();
  const std::vector<Move> rootMoves = prepare(root, gameKeys, givenLimits, settings, givenContext);
  SearchOutcome outcome;
  outcome.move = RESIGN_MOVE;
  if (rootMoves.empty()) return outcome;
  if (settings.noise > 0 || settings.blunderPercent > 0) {
    outcome = chooseWithChance(settings, rootMoves);
    outcome.nodes = nodes;
    return outcome;
  }
  startHelpers(root, gameKeys, settings);
  outcome = iterate(rootMoves, settings, 1);
  outcome.nodes = nodes + stopHelpers();
  // A line cut after its first move, or a best move found only in the
  // unfinished iteration, leaves the answer to the table.
  if (outcome.reply.isNull()) outcome.reply = tableAnswer(*table, root, outcome.move);
  if (context->stopRequest) *context->stopRequest = false;
  return outcome;
}

SearchOutcome AlphaBetaSearch::iterate(const std::vector<Move>& rootMoves, const LevelSettings& settings,
                                       int firstDepth) {
  SearchOutcome outcome;
  outcome.move = rootMoves[0];
  const int maxDepth = depthLimit(*limits, settings);
  const int lineCount = helper ? 1 : std::clamp(limits->multiPv, 1, static_cast<int>(rootMoves.size()));
  std::int64_t previousIterationNodes = 0;
  int iterationsUnchanged = 0;
  for (int depth = firstDepth; depth <= maxDepth; ++depth) {
    rootDepth = depth;
    const std::int64_t nodesBefore = nodes;
    std::vector<RootLine> found;
    excluded.clear();
    for (int rank = 0; rank < lineCount; ++rank) {
      const int previous = rank < static_cast<int>(finishedLines.size()) ? finishedLines[rank].score : 0;
      rootBest = Move();
      int window = 35;
      int alpha = depth >= 5 ? previous - window : -INFINITE_SCORE;
      int beta = depth >= 5 ? previous + window : INFINITE_SCORE;
      int value = 0;
      for (;;) {
        value = search(depth, 0, alpha, beta, false);
        if (stopped) break;
        if (value > alpha && value < beta) break;
        window *= 2;
        if (value <= alpha) alpha = window > 400 ? -INFINITE_SCORE : std::max(value - window, -INFINITE_SCORE);
        else beta = window > 400 ? INFINITE_SCORE : std::min(value + window, INFINITE_SCORE);
      }
      if (stopped) break;
      RootLine line;
      line.score = value;
      line.move = pvLength[0] > 0 ? pv[0][0] : rootBest.isNull() ? outcome.move : rootBest;
      line.pv.assign(pv[0].begin(), pv[0].begin() + pvLength[0]);
      found.push_back(line);
      excluded.push_back(line.move);
    }
    excluded.clear();
    if (stopped) {
      RootLine last;
      if (!found.empty()) {
        // The first line of the unfinished iteration was searched with every move.
        last = found[0];
      } else if (!rootBest.isNull()) {
        // A root move searched through in the unfinished iteration beat the old best.
        last.move = rootBest;
        last.score = rootBestScore;
        if (pvLength[0] > 0 && pv[0][0].sameSquares(rootBest)) last.pv.assign(pv[0].begin(), pv[0].begin() + pvLength[0]);
        else last.pv = {rootBest};
      }
      if (!last.move.isNull()) {
        outcome.move = last.move;
        outcome.score = last.score;
        outcome.reply = last.pv.size() >= 2 ? last.pv[1] : Move();
        // The move played is the one of the last line the interface was shown.
        if (!helper && (finishedLines.empty() || !sameMove(finishedLines[0].move, last.move)))
          report(depth, last, 1);
      }
      break;
    }
    std::stable_sort(found.begin(), found.end(), [](const RootLine& a, const RootLine& b) { return a.score > b.score; });
    const int scoreDrop = finishedLines.empty() ? 0 : finishedLines[0].score - found[0].score;
    iterationsUnchanged = !finishedLines.empty() && sameMove(finishedLines[0].move, found[0].move) ? iterationsUnchanged + 1 : 0;
    finishedLines = found;
    finishedDepth = depth;
    const int value = found[0].score;
    outcome.move = found[0].move;
    outcome.reply = found[0].pv.size() >= 2 ? found[0].pv[1] : Move();
    outcome.score = value;
    outcome.depth = depth;
    canStop = true;
    if (helper) continue;
    for (std::size_t rank = 0; rank < found.size(); ++rank) report(depth, found[rank], static_cast<int>(rank) + 1);
    const std::int64_t elapsed = context->clock() - start;
    // The next iteration takes longer than all before it together. On a
    // clock, how settled the search is moves the point where none starts.
    const double scale = clockShare ? stabilityScale(iterationsUnchanged, scoreDrop) : 1.0;
    if (softLimit >= 0 && elapsed * 2 >= softLimit * scale && depth >= minDepth) break;
    // The mate asked for is found.
    if (limits->mate > 0 && value >= MATE_BOUND && (MATE_VALUE - value + 1) / 2 <= limits->mate) break;
    // A result no depth changes, a draw or a mate seen well past its length,
    // once the tree no longer grows: further iterations would only repeat it
    // at once, line after line, unless that depth was asked for.
    const std::int64_t iterationNodes = nodes - nodesBefore;
    const bool settled = value == 0 || (std::abs(value) >= MATE_BOUND && depth >= MATE_VALUE - std::abs(value) + 8);
    if (limits->depth == 0 && depth >= 8 && settled && iterationNodes * 10 <= previousIterationNodes * 11) break;
    previousIterationNodes = iterationNodes;
    // Nothing to decide, or the mate is seen: more depth changes nothing, unless asked to go on.
    if (limits->infinite) continue;
    if (rootMoves.size() == 1 && softLimit >= 0) break;
    if (std::abs(value) >= MATE_BOUND && depth >= MATE_VALUE - std::abs(value) + 2) break;
    if (limits->nodes > 0 && nodes >= limits->nodes) break;
  }
  return outcome;
}
