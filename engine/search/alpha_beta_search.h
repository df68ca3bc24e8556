#pragma once
// The strong search: iterative deepening of a negamax alpha-beta search with
// a principal-variation window, aspiration windows, a quiescence search of
// the captures that do not lose in the exchange (static_exchange.h), check
// extension, null-move pruning, late-move reductions and shallow futility,
// move-count and exchange pruning (all keener where the side to move is not
// improving on its score of two plies before), ordered by the transposition
// table, captures, killers, counter-moves and history. Repetitions (of the game's earlier positions too) and
// the fifty-move rule score as draws. Scores are centipawns from the side to
// move's point of view; mates are MATE_VALUE less the plies to the mate.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "position/move_gen.h"
#include "search/level_settings.h"
#include "search/move_picker.h"
#include "search/search_context.h"
#include "search/search_limits.h"
#include "search/transposition_table.h"

constexpr int MATE_VALUE = 30000;
constexpr int MAX_PLY = 128;

struct SearchOutcome {
  Move move;                  // RESIGN_MOVE when the side to move has no legal move
  int score = 0;              // side to move's point of view
  int depth = 0;              // of the last finished iteration
  std::int64_t nodes = 0;
};

class AlphaBetaSearch {
 public:
  AlphaBetaSearch();
  ~AlphaBetaSearch();

  // `gameKeys`: the keys of the game's positions before `root` since the last
  // capture or pawn move, oldest first (their number is the fifty-move count).
  SearchOutcome run(const CBoard& root, const std::vector<std::uint64_t>& gameKeys, const SearchLimits& limits,
                    const LevelSettings& settings, const SearchContext& context);

 private:
  struct Ply;
  int search(int depth, int ply, int alpha, int beta, bool allowNull);
  int quiesce(int ply, int alpha, int beta);
  // The child of ply's position by `move` into ply + 1, with its legality context.
  void makeChild(int ply, const Move& move);
  void makeNullChild(int ply);
  bool isDraw(int ply) const;
  bool timeUp();
  int evaluate(int ply);
  SearchOutcome chooseWithChance(const LevelSettings& settings, const std::vector<Move>& rootMoves);
  void report(int depth, int score);
  bool allowedAtRoot(const Move& move) const;

  std::unique_ptr<TranspositionTable> table;
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
  std::int64_t nodes = 0;
  bool stopped = false;
  bool canStop = false;   // only once an iteration has given a move
  Move rootBest;          // best move of the iteration running, once one was searched through
  int rootBestScore = 0;
};
