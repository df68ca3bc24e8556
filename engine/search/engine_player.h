#pragma once
// The engine's move choice: a book move when the opening book knows the
// position, otherwise a fixed-depth minimax with a static-score expansion
// cutoff. Scores are always from White's point of view.
//
// The tree is searched exactly as a whole-copy search over CChessBoard nodes
// would search it (same nodes, same order, same scores, same line), but a node
// is held as its position proper and the move that led to it, its moves are
// produced one at a time up to the expansion cutoff (NodeMoves), children's
// scores come from their parent's (scoreAfterMove), and the children of a node
// one ply above the horizon are never built at all.

#include <cstdint>
#include <memory>
#include <vector>

#include "search/level.h"
#include "search/player.h"
#include "search/search_context.h"
#include "search/search_limits.h"
#include "search/search_node.h"
#include "search/transposition_table.h"

class AlphaBetaSearch;

constexpr int MATE_SCORE = 9000;          // side to move without a legal move
constexpr int MATING_MOVE_SCORE = 9001;   // child reached by a checkmating move

class EnginePlayer : public Player {
 public:
  explicit EnginePlayer(const SearchContext& context = SearchContext());
  ~EnginePlayer() override;

  bool post = false;
  std::int32_t lastScore = 0;
  std::int32_t searchDepth = 4;
  std::int64_t searchStart = 0;   // processMilliseconds() when the last search began
  Move lastCutMove;               // the null move matches no real move
  std::int32_t nodeCount = 0;
  bool useBook = false;           // desktop app settings
  // The interface's own-book switch (UCI's OwnBook, the window's book box):
  // off, the book is never asked.
  bool bookAllowed = true;
  bool randomFactor = false;
  // The level new players start at (the command line's choice).
  int level = SPECIFIED_LEVEL;    // strength ladder (search/level.h)
  // The fixed level searched by the strong search with that level's settings:
  // for limits the fixed search cannot honour (a depth, nodes, several lines).
  // A depth, nodes, time or mate the interface names then replaces the level's depth.
  bool strongAtFixedLevel = false;
  SearchLimits limits;            // what the next search may spend
  Move expectedReply;             // after chooseMove: the answer it expects; null when unknown
  // The strong search's table size and threads (the fixed level uses neither).
  std::size_t hashMegabytes = DEFAULT_HASH_MEGABYTES;
  int threads = 1;
  // A table kept by whoever runs the player, of hashMegabytes, set before
  // the first strong search; null: the search makes its own.
  std::shared_ptr<TranspositionTable> table;

  // What stops the next searches: the caller hands each search a request of its own.
  void setStopRequest(std::atomic<bool>* stop) { context.stopRequest = stop; }

  Move chooseMove(CChessBoard position) override;
  // One complete search from the position; RESIGN_MOVE when there is no move
  // to play or the side to move is lost by force.
  Move runSearch(const CChessBoard& position);

  // The search of any other level than the fixed one (search/alpha_beta_search.h).
  // It never resigns: RESIGN_MOVE only when there is no legal move.
  Move runLevelSearch(const CChessBoard& position);

  // The game's positions before the one searched since the last capture or
  // pawn move, as position keys, oldest first: the game's own record, handed
  // in by whoever keeps the game before each search (the strong search scores
  // a return to one of them as a draw).
  std::vector<std::uint64_t> gameKeys;

  // Thinking on the opponent's time: searches the position (the opponent's
  // expected answer played) until the stop request, reporting nothing and
  // changing nothing but the strong search's memory, which the next move's
  // search then finds filled. The fixed level keeps no memory: nothing to do.
  void ponder(const CChessBoard& position);

  // Counts the node and returns its static score.
  int evaluateNode(const CChessBoard& position);

  // Plies of the principal line found by the last search (0: no best child).
  int lastLineLength() const { return lineLength.empty() ? 0 : lineLength[0]; }

 private:
  // Searches `node` at `ply`; alpha and beta are the bounds shared by the whole run.
  int search(int depth, int ply, SearchNode& node, int& alpha, int& beta);
  // Generates, scores, cuts and orders the children of `node` into the ply's
  // buffer; returns their number (0 for a leaf, with node.board.score set).
  int expand(int ply, SearchNode& node, int alpha, int beta);
  // A node one ply above the horizon: its children are only scored, so only the
  // best score is kept. Returns -1 when the expansion left no children.
  int expandLastPly(int ply, SearchNode& node, int alpha, int beta, int& best);
  struct PlyState;
  struct Expansion {
    bool white;
    int side;   // 1 White, -1 Black: scores compare as side × score
    int bound;  // the score at which a quiet move cuts the expansion
    std::int32_t parentScore;
  };
  // What both expansions begin with; starts the node's moves with the probe.
  Expansion startExpansion(PlyState& state, SearchNode& node, int alpha, int beta);
  void orderChildren(int ply);
  void reportLine(bool whiteToMove);
  int countedScoreAfterMove(const CBoard& parent, std::int32_t parentScore, const CBoard& child, const Move& move);
  std::int32_t staticScoreOf(SearchNode& node);
  static void makeChild(const SearchNode& node, const Move& move, SearchNode& child);
  bool stopNow() const;
  AlphaBetaSearch& levelSearch();


  SearchContext context;
  std::unique_ptr<AlphaBetaSearch> strongSearch;  // made for the first search that needs it
  std::vector<std::unique_ptr<PlyState>> plies;
  std::vector<int> lineLength;
  std::vector<std::vector<Move>> lineMoves;  // [ply]: the best line below that ply, lineLength[ply] moves
  bool rootHasBest = false;
  Move rootBestMove;
  bool rootCutByMate = false;
  bool rootCut = false;
};
