#pragma once
// The strong search: iterative deepening of a negamax alpha-beta search with
// a principal-variation window, aspiration windows, a quiescence search of
// the captures that do not lose in the exchange (static_exchange.h, the
// transposition table consulted there too), check
// extension, null-move pruning, late-move reductions and shallow futility,
// move-count and exchange pruning (all keener where the side to move is not
// improving on its score of two plies before), ordered by the transposition
// table, captures, killers, counter-moves and history; the table's move is
// searched a ply deeper when it alone holds the score (singular extension). Repetitions (of the game's earlier positions too) and
// the fifty-move rule score as draws. Scores are centipawns from the side to
// move's point of view; mates are MATE_VALUE less the plies to the mate.
//
// It can find several best lines at once (SearchLimits::multiPv: each
// iteration searches the root again without the lines already found), and it
// can search on several threads sharing the transposition table: the helpers
// deepen the same position on their own and leave what they learn in the
// table; the calling thread's search alone decides and reports.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "position/move_gen.h"
#include "search/level_settings.h"
#include "search/mate_score.h"
#include "search/move_picker.h"
#include "search/search_context.h"
#include "search/search_limits.h"
#include "search/transposition_table.h"

struct SearchOutcome {
  Move move;                  // RESIGN_MOVE when the side to move has no legal move
  int score = 0;              // side to move's point of view
  int depth = 0;              // of the last finished iteration
  std::int64_t nodes = 0;
  Move reply;                 // the opponent's expected answer; null when none is known
};

class AlphaBetaSearch {
 public:
  AlphaBetaSearch();
  // Searches with a table kept by the caller (who may size or clear it
  // between searches), its helpers too.
  explicit AlphaBetaSearch(std::shared_ptr<TranspositionTable> sharedTable);
  ~AlphaBetaSearch();
  AlphaBetaSearch(const AlphaBetaSearch&) = delete;
  AlphaBetaSearch& operator=(const AlphaBetaSearch&) = delete;

  // The table's size (a new size starts an empty table) and the threads of
  // the next searches; one thread searches exactly as the search always has.
  void configure(std::size_t hashMegabytes, int threads);

  // `gameKeys`: the keys of the game's positions before `root` since the last
  // capture or pawn move, oldest first (their number is the fifty-move count).
  SearchOutcome run(const CBoard& root, const std::vector<std::uint64_t>& gameKeys, const SearchLimits& limits,
                    const LevelSettings& settings, const SearchContext& context);

 private:
  struct Ply;
  struct RootLine {
    Move move;
    int score = 0;
    std::vector<Move> pv;
  };
  // What every thread does before its search; returns the root moves allowed.
  std::vector<Move> prepare(const CBoard& root, const std::vector<std::uint64_t>& gameKeys, const SearchLimits& limits,
                            const LevelSettings& settings, const SearchContext& context);
  // Iterative deepening from `firstDepth`; a helper reports nothing and goes on until stopped.
  SearchOutcome iterate(const std::vector<Move>& rootMoves, const LevelSettings& settings, int firstDepth);
  void startHelpers(const CBoard& root, const std::vector<std::uint64_t>& gameKeys, const LevelSettings& settings);
  std::int64_t stopHelpers();
  std::int64_t totalNodes() const;
  int search(int depth, int ply, int alpha, int beta, bool allowNull);
  int quiesce(int ply, int alpha, int beta);
  // The child of ply's position by `move` into ply + 1, with its legality context.
  void makeChild(int ply, const Move& move);
  void makeNullChild(int ply);
  bool isDraw(int ply) const;
  bool timeUp();
  int evaluate(int ply);
  SearchOutcome chooseWithChance(const LevelSettings& settings, const std::vector<Move>& rootMoves);
  void report(int depth, const RootLine& line, int rank);
  void reportProgress();
  bool allowedAtRoot(const Move& move) const;

  std::shared_ptr<TranspositionTable> table;
  std::unique_ptr<HistoryTable> history;
  // Evaluations by position key: the search meets the same positions often.
  struct CachedEvaluation {
    std::uint64_t key = 0;
    int score = 0;
  };
  std::vector<CachedEvaluation> evaluations;
  std::vector<Ply> plies;
  std::vector<std::uint64_t> keys;  // game positions, then the path's, by position index
  int rootIndex = 0;                // index of the root in keys
  std::array<std::array<Move, MAX_PLY + 1>, MAX_PLY + 1> pv{};
  std::array<int, MAX_PLY + 1> pvLength{};

  const SearchLimits* limits = nullptr;
  const SearchContext* context = nullptr;
  bool quiescence = true;
  std::int64_t start = 0;
  std::int64_t hardDeadline = -1;
  std::int64_t softLimit = -1;
  bool clockShare = false;  // the limits are a share of a clock, not a fixed time
  int minDepth = 0;  // iterations finished before the soft limit may stop the search
  int rootDepth = 0;  // of the iteration running: extensions stop at twice it
  std::int64_t nodes = 0;
  int selDepth = 0;  // the deepest ply reached since the search began
  bool stopped = false;
  bool canStop = false;   // only once an iteration has given a move
  Move rootBest;          // best move of the iteration running, once one was searched through
  int rootBestScore = 0;
  std::vector<Move> excluded;            // root moves of the lines already found in this iteration
  std::vector<RootLine> finishedLines;   // of the last finished iteration, best first
  int finishedDepth = 0;
  std::int64_t lastReport = 0;

  int threadCount = 1;
  bool helper = false;
  std::atomic<std::int64_t> publishedNodes{0};  // a helper's nodes, for the reports' totals
  std::vector<std::unique_ptr<AlphaBetaSearch>> helpers;
  std::vector<std::thread> workers;
  std::atomic<bool> helperStop{false};
  SearchContext helperContext;
};
