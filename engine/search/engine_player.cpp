#include "search/engine_player.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdio>

#include "base/random.h"
#include "position/move_gen.h"
#include "position/evaluation.h"
#include "position/zobrist.h"
#include "search/alpha_beta_search.h"
#include "search/level_settings.h"
#include "search/move_order.h"
#include "search/node_moves.h"
#include "search/score_update.h"

// Per ply: the node's move list, its children with their search order, and
// the scores of a last-ply node's leaves.
struct EnginePlayer::PlyState {
  NodeMoves moves;
  std::vector<SearchNode> children;
  std::vector<std::uint16_t> order;
  int scores[MAX_MOVES];
  Move leafMoves[MAX_MOVES];  // the moves of those leaves, for the principal line
};

namespace {

// Stand-ins for what a context leaves out.
SearchListener& quietListener() {
  static SearchListener listener;
  return listener;
}

class EmptyBook : public BookProbe {
 public:
  std::vector<Move> probeBook(const CChessBoard&) const override { return {}; }
  void leaveBook() override {}
};

BookProbe& emptyBook() {
  static EmptyBook book;
  return book;
}

}  // namespace

EnginePlayer::EnginePlayer(const SearchContext& given) : context(given) {
  if (!context.listener) context.listener = &quietListener();
  if (!context.book) context.book = &emptyBook();
  if (!context.clock) context.clock = processMilliseconds;
  context.listener->playerCreated();
}

EnginePlayer::~EnginePlayer() = default;

Move EnginePlayer::chooseMove(CChessBoard position) {
  SearchListener& host = *context.listener;
  host.searchStarted();
  const bool fixed = clampLevel(level) == SPECIFIED_LEVEL && !strongAtFixedLevel;

  BookProbe& book = *context.book;
  // Books match the squares only: a stored move that is illegal here counts as
  // unknown; with none left the position is searched, and the book emptied, as
  // for any position it lacks.
  const std::vector<Move> bookMoves =
      bookAllowed ? legalMovesAmong(position, book.probeBook(position)) : std::vector<Move>();
  expectedReply = Move();
  if (!bookMoves.empty()) {
    const int count = static_cast<int>(bookMoves.size());
    const Move choice = bookMoves[bookMoveIndex(count, engineRand())];
    // The book's first answer is the likeliest.
    const CChessBoard next = positionAfter(position, choice);
    if (const std::vector<Move> replies = legalMovesAmong(next, book.probeBook(next)); !replies.empty())
      expectedReply = replies.front();
    // No search ran: nothing to report but an empty statistic.
    host.searchStats(0, 0);
    return choice;
  }

  const Move answer = fixed ? runSearch(position) : runLevelSearch(position);
  book.leaveBook();
  {
    const std::int64_t elapsed = context.clock() - searchStart;
    host.searchStats(nodeCount, static_cast<int>(elapsed * 100 / 1000));
    if (host.wantsSpeedLine()) {
      // A search shorter than a millisecond would divide by zero.
      char text[64];
      std::snprintf(text, sizeof text, "(%.1f)",
                    static_cast<double>(nodeCount) / static_cast<double>(std::max<std::int64_t>(elapsed, 1)));
      host.sendLine(text);
    }
  }
  return answer;
}

Move EnginePlayer::runSearch(const CChessBoard& position) {
  const int depth = std::max(searchDepth, 0);
  while (static_cast<int>(plies.size()) < depth + 1) plies.push_back(std::make_unique<PlyState>());
  lineLength.assign(depth + 2, 0);
  if (static_cast<int>(lineMoves.size()) < depth + 2) lineMoves.assign(depth + 2, std::vector<Move>(depth + 2));
  rootHasBest = false;
  rootBestMove = Move();
  rootCutByMate = false;
  rootCut = false;

  SearchNode root;
  root.board = static_cast<const CBoard&>(position);
  root.lastMove = Move();
  root.staticScore = evaluate(root.board);
  assert(nodeIsOk(root));

  searchStart = context.clock();
  nodeCount = 0;
  int alpha = -MATE_SCORE;
  int beta = MATE_SCORE;
  lastScore = search(depth, 0, root, alpha, beta);
  if (context.stopRequest) *context.stopRequest = false;
  reportLine(position.sideToMove == 1);

  const bool white = position.sideToMove == 1;
  const bool lost = white ? lastScore == -MATE_SCORE : lastScore == MATE_SCORE;
  if (rootHasBest && !lost) {
    if (lineLength[0] >= 2) expectedReply = lineMoves[0][1];
    return rootBestMove;
  }
  // White's quiet mate cuts the root's own expansion: play the mating move.
  if (rootCutByMate) return lastCutMove;
  // So does a score past the mate's in a set-up position of many queens; the
  // cut move may come from the unchecked list, so it is played only if legal.
  if (rootCut && isLegalMove(position, lastCutMove)) return lastCutMove;
  return RESIGN_MOVE;
}

// The strong search, made at its first use: on the caller's table when it has one.
AlphaBetaSearch& EnginePlayer::levelSearch() {
  if (!strongSearch)
    strongSearch = table ? std::make_unique<AlphaBetaSearch>(table) : std::make_unique<AlphaBetaSearch>();
  strongSearch->configure(hashMegabytes, threads);
  return *strongSearch;
}

Move EnginePlayer::runLevelSearch(const CChessBoard& position) {
  levelSearch();
  searchStart = context.clock();
  LevelSettings settings = settingsForLevel(level);
  // An interface that names the search's depth, nodes, time or mate at the
  // fixed level has chosen its length itself: the level's depth gives way.
  if (clampLevel(level) == SPECIFIED_LEVEL && strongAtFixedLevel && (limits.depth > 0 || limits.nodes > 0 || limits.moveTime > 0 || limits.mate > 0))
    settings.depth = LevelSettings().depth;
  const SearchOutcome outcome = strongSearch->run(position, gameKeys, limits, settings, context);
  nodeCount = static_cast<std::int32_t>(std::min<std::int64_t>(outcome.nodes, INT32_MAX));
  lastScore = position.sideToMove ? outcome.score : -outcome.score;
  expectedReply = outcome.reply;
  return outcome.move;
}

void EnginePlayer::ponder(const CChessBoard& position) {
  if (clampLevel(level) == SPECIFIED_LEVEL) return;
  levelSearch();
  SearchContext quiet = context;
  quiet.listener = nullptr;
  SearchLimits endless;
  endless.infinite = true;
  strongSearch->run(position, gameKeys, endless, settingsForLevel(level), quiet);
}

bool EnginePlayer::stopNow() const {
  return rootHasBest && context.stopRequest && context.stopRequest->load(std::memory_order_relaxed);
}

int EnginePlayer::search(int depth, int ply, SearchNode& node, int& alpha, int& beta) {
  if (stopNow()) return 0;
  if (depth < 1) return node.board.score;

  const bool white = node.board.sideToMove == 1;
  int best = white ? -MATE_SCORE : MATE_SCORE;
  lineLength[ply] = 0;

  if (depth == 1 && ply > 0) {
    // The children are leaves: searching one only returns its static score
    // (or 0 once a stop has been requested), so they need no list or order.
    if (expandLastPly(ply, node, alpha, beta, best) < 0) return node.board.score;
    if (best != (white ? -MATE_SCORE : MATE_SCORE)) lineLength[ply] = 1;  // its move is in lineMoves[ply][0]
  } else {
    const int count = expand(ply, node, alpha, beta);
    if (count == 0) return node.board.score;
    PlyState& state = *plies[ply];
    for (int k = 0; k < count; ++k) {
      SearchNode& child = state.children[state.order[k]];
      lineLength[ply + 1] = 0;
      const int value = search(depth - 1, ply + 1, child, alpha, beta);
      if (white ? value > best : value < best) {
        best = value;
        lineLength[ply] = 1 + lineLength[ply + 1];
        lineMoves[ply][0] = child.lastMove;
        std::copy_n(lineMoves[ply + 1].begin(), lineLength[ply + 1], lineMoves[ply].begin() + 1);
        if (ply == 0) {
          rootHasBest = true;
          rootBestMove = child.lastMove;
        }
      }
    }
  }

  if (white) {
    beta = best;
    alpha = -MATE_SCORE;
  } else {
    alpha = best;
    beta = MATE_SCORE;
  }
  node.board.score = best;
  return best;
}

// The child a move leads to, as createChild makes it.
void EnginePlayer::makeChild(const SearchNode& node, const Move& move, SearchNode& child) {
  child.board = node.board;
  child.board.score = 0;
  applyMove(child.board, move);
  child.board.sideToMove = node.board.sideToMove ? 0 : 1;
  child.lastMove = move;
  assert(boardIsOk(child.board));
}

int EnginePlayer::expand(int ply, SearchNode& node, int alpha, int beta) {
  PlyState& state = *plies[ply];
  state.children.clear();
  const auto [white, side, bound, parentScore] = startExpansion(state, node, alpha, beta);

  SearchNode child;
  for (Move move; state.moves.next(move);) {
    makeChild(node, move, child);
    child.staticScore = SearchNode::UNKNOWN_SCORE;
    int score = MATING_MOVE_SCORE;
    if (move.checkState != CHECKMATE) score = child.staticScore = countedScoreAfterMove(node.board, parentScore, child.board, move);
    if (side * score >= side * bound && move.captured == EMPTY) {
      node.board.score = score;
      lastCutMove = move;
      if (ply == 0) {
        rootCut = true;
        rootCutByMate = move.checkState == CHECKMATE;
      }
      state.children.clear();
      return 0;
    }
    child.board.score = score;
    assert(nodeIsOk(child));
    state.children.push_back(child);
  }
  if (state.children.empty()) {
    node.board.score = white ? -MATE_SCORE : MATE_SCORE;
    return 0;
  }
  orderChildren(ply);
  return static_cast<int>(state.children.size());
}

int EnginePlayer::expandLastPly(int ply, SearchNode& node, int alpha, int beta, int& best) {
  PlyState& state = *plies[ply];
  const auto [white, side, bound, parentScore] = startExpansion(state, node, alpha, beta);

  // Scores first: a cutoff further down the list discards the whole expansion.
  int count = 0;
  for (Move move; state.moves.next(move);) {
    int score = MATING_MOVE_SCORE;
    if (move.checkState != CHECKMATE) {
      ++nodeCount;
      score = scoreAfterMove(node.board, parentScore, move);
    }
    if (side * score >= side * bound && move.captured == EMPTY) {
      node.board.score = score;
      lastCutMove = move;
      return -1;
    }
    state.leafMoves[count] = move;
    state.scores[count++] = score;
  }
  if (count == 0) {
    node.board.score = white ? -MATE_SCORE : MATE_SCORE;
    return -1;
  }
  // Searching a leaf returns its score, or 0 once a stop is honoured; the
  // search order only decides ties, which do not change the value.
  for (int i = 0; i < count; ++i) {
    const int value = stopNow() ? 0 : state.scores[i];
    if (white ? value > best : value < best) {
      best = value;
      lineMoves[ply][0] = state.leafMoves[i];
    }
  }
  return count;
}

EnginePlayer::Expansion EnginePlayer::startExpansion(PlyState& state, SearchNode& node, int alpha, int beta) {
  Expansion expansion;
  expansion.white = node.board.sideToMove == 1;
  expansion.side = expansion.white ? 1 : -1;
  expansion.bound = expansion.white ? beta : alpha;
  expansion.parentScore = staticScoreOf(node);
  state.moves.start(node.board, expansion.parentScore, expansion.white ? beta : NO_BOUND,
                    expansion.white ? NO_BOUND : alpha);
  return expansion;
}

void EnginePlayer::orderChildren(int ply) {
  PlyState& state = *plies[ply];
  orderByScore(state.children, state.order, lastCutMove);
}

int EnginePlayer::evaluateNode(const CChessBoard& position) {
  ++nodeCount;
  return evaluate(position);
}

// evaluateNode of the child, computed from its parent's score.
int EnginePlayer::countedScoreAfterMove(const CBoard& parent, std::int32_t parentScore, const CBoard& child,
                                        const Move& move) {
  ++nodeCount;
  const std::int32_t score = scoreAfterMove(parent, parentScore, move);
  assert(score == evaluate(child));
  (void)child;
  return score;
}

// A mating move's child was never evaluated; it is only expanded in rare lines.
std::int32_t EnginePlayer::staticScoreOf(SearchNode& node) {
  if (node.staticScore == SearchNode::UNKNOWN_SCORE) node.staticScore = evaluate(node.board);
  return node.staticScore;
}

// The one iteration of the fixed search, for the protocol layer to write.
void EnginePlayer::reportLine(bool whiteToMove) {
  SearchReport report;
  report.depth = std::max(searchDepth, 0);
  report.score = whiteToMove ? lastScore : -lastScore;
  report.nodes = nodeCount;
  report.milliseconds = context.clock() - searchStart;
  report.pv.assign(lineMoves[0].begin(), lineMoves[0].begin() + lineLength[0]);
  context.listener->iterationDone(report);
}

int bookMoveIndex(int count, int r) {
  const int index = static_cast<int>(static_cast<long long>(count) * r / ENGINE_RAND_MAX);
  return std::min(index, count - 1);
}
