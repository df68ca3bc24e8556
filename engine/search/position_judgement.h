#pragma once
// What the strong search says about one position of a game: its score from
// White's side and the line it expects. A game's review judges every
// position in turn; the analysis panel judges the shown one.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "position/chess_board.h"
#include "position/white_score.h"
#include "search/alpha_beta_search.h"

struct PositionJudgement {
  WhiteScore score;
  std::vector<Move> line;  // best line from the position; empty when the game is over there
  int depth = 0;
  std::int64_t nodes = 0;
  // In a game's review: the move played from here searched alone, from here
  // and to the same depth as the best line, so the two are weighed alike; the
  // best score itself when the move is the search's own or the only one.
  // Empty for the game's last position.
  std::optional<WhiteScore> playedScore;
};

// A search score (side to move's view, mates as MATE_VALUE less plies) from White's side.
WhiteScore whiteScoreOf(int moverScore, bool whiteToMove);

// The keys of the positions before `index` that it could repeat (back to
// the last capture or pawn move), oldest first, as the search wants them:
// those the game has had only once up to `index` are NO_REPETITION_KEY, since
// going back to them once is no draw, where the search takes any return as one.
inline constexpr std::uint64_t NO_REPETITION_KEY = 0;
std::vector<std::uint64_t> repetitionKeys(const std::vector<CChessBoard>& positions, std::size_t index);

// Searches `positions[index]` within `limits`; a position without a legal
// move is judged without a search (mate or stalemate).
PositionJudgement judgePosition(AlphaBetaSearch& search, const std::vector<CChessBoard>& positions,
                                std::size_t index, const SearchLimits& limits, const SearchContext& context);

// Stopping a game's review from another thread. The search clears its stop
// request when it returns, so the wish to end the whole review is kept apart.
struct ReviewCancel {
  std::atomic<bool> cancelled{false};
  std::atomic<bool> stopSearch{false};
  void request() {
    cancelled = true;
    stopSearch = true;
  }
};

// A review's time per move is spent as this many nodes a second, so that the
// same setting gives the same judgements on every run and machine.
inline constexpr std::int64_t REVIEW_NODES_PER_SECOND = 200000;
// The limits a review searches each position with: its time per move as nodes.
SearchLimits reviewBudget(const SearchLimits& limits);

// Whether the move played from `position` needs a search of its own to be
// weighed: not when it is the only move or the first of the best line.
bool playedMoveNeedsItsOwnSearch(const CChessBoard& position, const std::vector<Move>& bestLine, const Move& played);

inline constexpr std::int64_t MATE_CHECK_NODES_FACTOR = 8;

// `move` from `positions[index]` searched alone to the depth the best line
// reached: a move judged by a shallower search than the best one would be
// charged for what the shallower search missed. The best judgement itself
// when the move needs no search of its own. When the best line mates and the
// move alone shows no mate, the move is searched again without a depth limit
// on MATE_CHECK_NODES_FACTOR times the nodes, and a mate found then stands.
PositionJudgement judgeMoveAlone(AlphaBetaSearch& search, const std::vector<CChessBoard>& positions,
                                 std::size_t index, const Move& move, const PositionJudgement& best,
                                 const SearchContext& context);

// Every position of the game in order, one search each, and the move played
// from it weighed against the best (playedScore). `progress` hears after
// each position (done, total); a cancel request ends the review with the
// positions judged before it.
std::vector<PositionJudgement> judgeGame(const std::vector<CChessBoard>& positions, const SearchLimits& limits,
                                         ReviewCancel* cancel = nullptr,
                                         const std::function<void(int, int)>& progress = {});
