#include "search/engine_player.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <tuple>

#include "base/random.h"
#include "search/bench.h"
#include "test_positions.h"

namespace {

CChessBoard after(const std::string& moves) {
  CChessBoard position = fromFen(INITIAL_FEN);
  play(position, moves);
  return position;
}

// Collects the lines and reports the player sends. What else it reports, and
// when, the driver's command tests see through the host.
class RecordingListener : public SearchListener {
 public:
  std::string output;
  std::vector<SearchReport> reports;
  SearchReport last;
  void sendLine(const std::string& text) override { output += text + "\n"; }
  void iterationDone(const SearchReport& report) override {
    reports.push_back(report);
    last = report;
  }
};

// (squares, move) pairs matched on the squares alone, like the opening book.
class ListBook : public BookProbe {
 public:
  std::vector<std::pair<CChessBoard, Move>> entries;

  void add(const CChessBoard& position, const char* move) {
    entries.emplace_back(position, parseCoordinateMove(position, move));
  }
  std::vector<Move> probeBook(const CChessBoard& position) const override {
    std::vector<Move> moves;
    for (const auto& [stored, move] : entries)
      if (std::memcmp(stored.squares, position.squares, sizeof position.squares) == 0) moves.push_back(move);
    return moves;
  }
  void leaveBook() override { entries.clear(); }
};

class EnginePlayerTest : public ::testing::Test {
 protected:
  SearchContext context() {
    SearchContext given;
    given.listener = &listener;
    given.stopRequest = &stopRequested;
    given.book = &book;
    return given;
  }
  RecordingListener listener;
  std::atomic<bool> stopRequested{false};
  ListBook book;
};

// The report: the principal line, the score from the mover's side and the nodes.
TEST_F(EnginePlayerTest, MatesStalematesAndResignation) {
  const std::tuple<CChessBoard, const char*, int, int> cases[] = {
      // The mated side's list is cut short by the probe and must still count as having no legal move.
      {after("f2f3 e7e5 g2g4"), "d8h4", -9000, 1},
      // White's quiet mate cuts the root's own expansion: the cutting move is played.
      {fromFen("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"), "a1a8", 9001, 0},
      {fromFen("k7/8/8/8/3Q4/8/8/K7 w - - 0 1"), "d4b6", 9000, 1},  // stalemating scores like a mate
      {after("f2f3 e7e5 g2g4 d8h4"), "h8h8", -9000, 0},              // mated: resigns
      {fromFen("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"), "h8h8", 9000, 0},  // stalemated: resigns
  };
  for (const auto& [position, move, score, length] : cases) {
    listener.reports.clear();
    EnginePlayer player(context());
    EXPECT_EQ(moveToCoordinates(player.runSearch(position)), move);
    EXPECT_EQ(player.lastScore, score) << move;
    ASSERT_EQ(listener.reports.size(), 1u);
    const SearchReport& report = listener.reports[0];
    EXPECT_EQ(report.pv.size(), static_cast<std::size_t>(length)) << move;
    if (!report.pv.empty()) {
      EXPECT_EQ(moveToCoordinates(report.pv[0]), move);
    }
    EXPECT_EQ(report.score, position.sideToMove ? score : -score);
    EXPECT_EQ(report.nodes, player.nodeCount);
  }
}

// The other levels: what a real search must find (the mate reported in moves),
// and legal moves at every level, numbers outside the ladder too.
TEST_F(EnginePlayerTest, LevelsFindMatesAndMaterialAndPlayLegally) {
  const std::tuple<const char*, int, const char*, int> cases[] = {
      {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", 10, "a1a8", 1},
      {"kbK5/pp6/1P6/8/8/8/8/R7 w - - 0 1", 10, "a1a6", 2},  // a quiet sacrifice
      {"r5k1/5ppp/8/8/8/8/3R1PPP/3R2K1 w - - 0 1", 7, "d2d8", 2},
      {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2", 5, "d8h4", 1},
      {"3q3k/6pp/8/4N3/8/8/6PP/6K1 w - - 0 1", 5, "e5f7", 0},  // the fork wins the queen
      {"7k/5K2/5Q2/8/8/8/8/8 w - - 0 1", 6, "", 1},  // two mates; f6g6 would stalemate
  };
  for (const auto& [fen, level, move, mateIn] : cases) {
    EnginePlayer player(context());
    player.level = level;
    player.limits.depth = 6;
    const std::string played = moveToCoordinates(player.chooseMove(fromFen(fen)));
    if (*move) {
      EXPECT_EQ(played, move) << fen;
    }
    EXPECT_EQ(listener.last.mateIn, mateIn) << fen;
  }
  engineSrand(7);
  for (int level : {0, 1, 2, 3, 4, 5, 99}) {
    for (const std::string& fen :
         {std::string(INITIAL_FEN), benchPositions()[9], benchPositions()[16], std::string(MANY_QUEENS_FEN)}) {
      EnginePlayer player(context());
      player.level = level;
      player.limits.depth = 3;
      CChessBoard position = fromFen(fen);
      EXPECT_TRUE(legalMove(position, moveToCoordinates(player.chooseMove(position)))) << level << " " << fen;
    }
  }
}

// Several lines: each iteration reports every line, best first, with distinct
// first moves, never more lines than moves; the best line is the one played.
// Two threads sharing the table still find what one finds.
TEST_F(EnginePlayerTest, SeveralLinesAndThreads) {
  const std::tuple<const char*, int, int, int, const char*> cases[] = {
      // fen, lines asked, threads, lines expected, move
      {"r5k1/5ppp/8/8/8/8/3R1PPP/3R2K1 w - - 0 1", 3, 1, 3, "d2d8"},
      {"7k/8/8/8/8/8/8/K7 w - - 0 1", 8, 1, 3, ""},  // only three king moves
      {"r5k1/5ppp/8/8/8/8/3R1PPP/3R2K1 w - - 0 1", 1, 2, 1, "d2d8"},
      {"3q3k/6pp/8/4N3/8/8/6PP/6K1 w - - 0 1", 2, 2, 2, "e5f7"},
  };
  for (const auto& [fen, asked, threads, expected, move] : cases) {
    listener.reports.clear();
    EnginePlayer player(context());
    player.level = TOP_LEVEL;
    player.threads = threads;
    player.limits.depth = 6;
    player.limits.multiPv = asked;
    const std::string played = moveToCoordinates(player.chooseMove(fromFen(fen)));
    if (*move) {
      EXPECT_EQ(played, move) << fen;
    }
    ASSERT_EQ(listener.reports.size() % expected, 0u) << fen;
    for (std::size_t i = 0; i < listener.reports.size(); i += expected) {
      std::vector<std::string> firsts;
      for (int rank = 0; rank < expected; ++rank) {
        const SearchReport& report = listener.reports[i + rank];
        EXPECT_EQ(report.multiPv, rank + 1) << fen;
        EXPECT_EQ(report.depth, listener.reports[i].depth) << fen;
        EXPECT_GT(report.nodes, 0) << fen;
        ASSERT_FALSE(report.pv.empty()) << fen;
        if (rank > 0) {
          EXPECT_LE(report.score, listener.reports[i + rank - 1].score) << fen;
        }
        firsts.push_back(moveToCoordinates(report.pv[0]));
      }
      std::sort(firsts.begin(), firsts.end());
      EXPECT_EQ(std::unique(firsts.begin(), firsts.end()), firsts.end()) << fen;
    }
    EXPECT_EQ(moveToCoordinates(listener.reports[listener.reports.size() - expected].pv[0]), played) << fen;
  }
}

// Every search cut short still names the answer it expects, so an interface
// can ponder on it or show it as a hint: also when the best move changed in
// the unfinished iteration, or its line was cut after one move.
TEST_F(EnginePlayerTest, SearchesCutShortNameTheExpectedAnswer) {
  int searches = 0;
  for (const std::string& fen : benchPositions()) {
    const CChessBoard position = fromFen(fen);
    CChessBoard scratch = position;
    generateMoves(scratch, false);
    if (scratch.moveCount == 0) continue;
    for (std::int64_t nodes = 1000; nodes <= 15000; nodes = nodes * 5 / 4) {
      EnginePlayer player(context());
      player.level = TOP_LEVEL;
      player.limits.nodes = nodes;
      CChessBoard next = position;
      play(next, moveToCoordinates(player.chooseMove(position)));
      generateMoves(next, false);
      if (next.moveCount == 0) break;  // a mate or a stalemate: no answer to expect
      ++searches;
      if (player.expectedReply.isNull())
        ADD_FAILURE() << fen << " at " << nodes << " nodes: no answer";
      else
        EXPECT_TRUE(legalMove(next, moveToCoordinates(player.expectedReply))) << fen << " at " << nodes << " nodes";
    }
  }
  EXPECT_GT(searches, 200);
}

// Book moves without a thinking line are the console test's; here the choice
// among stored moves follows their count.
TEST_F(EnginePlayerTest, BookChoiceFollowsTheStoredMoves) {
  const CChessBoard start = after("");
  EnginePlayer player(context());
  for (const char* text : {"e2e4", "e2e4", "e2e4", "d2d4"}) book.add(start, text);
  engineSrand(12345);
  int e4 = 0;
  for (int i = 0; i < 400; ++i) e4 += moveToCoordinates(player.chooseMove(start)) == "e2e4";
  EXPECT_GT(e4, 250);
  EXPECT_LT(e4, 350);
}

// The book matches positions by their squares alone, so a stored move may be
// illegal here: the other side is to move (a lost tempo), or the king has moved
// away and back and lost its castling right. Such moves are never played; when
// no stored move is legal the position is searched as if the book lacked it.
TEST_F(EnginePlayerTest, BookMovesIllegalInThePositionAreNotPlayed) {
  const std::string italian = "e2e4 e7e5 g1f3 b8c6 f1c4 g8f6";
  const struct {
    const char* bookLine;          // the stored move is the last one
    std::string playedLine;        // reaches the book position's squares
    const char* legalAlternative;  // also stored, or nullptr
  } cases[] = {
      {"e2e4 e7e5 g1f3", "e2e3 e7e5 e3e4", nullptr},
      {"e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1", italian + " e1f1 f6g8 f1e1 g8f6", nullptr},
      {"e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1", italian + " e1f1 f6g8 f1e1 g8f6", "d2d3"},
  };
  for (const auto& c : cases) {
    book.entries.clear();
    const std::string line = c.bookLine;
    const std::size_t last = line.rfind(' ');
    const CChessBoard stored = after(line.substr(0, last));
    book.add(stored, line.substr(last + 1).c_str());
    if (c.legalAlternative) book.add(stored, c.legalAlternative);

    const CChessBoard position = after(c.playedLine);
    for (int draw = 0; draw < 20; ++draw) {
      EnginePlayer player(context());
      const Move move = player.chooseMove(position);
      CChessBoard scratch = position;
      if (!legalMove(scratch, moveToCoordinates(move))) {
        ADD_FAILURE() << c.playedLine << ": played " << moveToCoordinates(move);
        break;
      }
      if (c.legalAlternative) {
        EXPECT_EQ(moveToCoordinates(move), c.legalAlternative);
        EXPECT_EQ(player.nodeCount, 0);  // from the book, not searched
      } else {
        EXPECT_GT(player.nodeCount, 0) << c.playedLine;
        EXPECT_TRUE(book.entries.empty());  // a search empties the book
        break;
      }
    }
  }
}

TEST(BookMoveIndex, IndexArithmetic) {
  const std::tuple<int, int, int> cases[] = {{1, 32767, 0}, {4, 8191, 0},  {4, 8192, 1},      {4, 32767, 3},
                                             {3, 10922, 0}, {3, 10923, 1}, {1000, 32767, 999}};
  for (const auto& [count, r, index] : cases) EXPECT_EQ(bookMoveIndex(count, r), index) << count << " " << r;
}

}  // namespace
