// kelvo's review at the dialog's default setting against Stockfish's verdicts
// on sixteen moves of the kinds a review gets wrong: only moves, mates made
// longer or let go, a mate kept through a repeated position, engine-best
// moves, and blunders from one ply to a trap several moves deep. The verdict
// column was read off Stockfish at depth 18; the test asks Stockfish again, so
// a row it no longer agrees with shows up as such rather than as kelvo's fault.
#include <QFileInfo>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/game_review_dialog.h"
#include "driver/uci_moves.h"
#include "external/engine_discovery.h"
#include "test_positions.h"

namespace {

struct Verdict {
  const char* name;
  const char* fen;    // "startpos" for the initial position
  const char* moves;  // before the move judged
  const char* played;
  bool marked;        // Stockfish marks it (a loss of 5 % of expected score, or a mate let go)
};

// name, start, moves before, move played, marked by Stockfish (its best move and scores at depth 18)
constexpr Verdict VERDICTS[] = {
    {"only move, the king takes", "k7/8/8/8/8/8/1r6/K7 w - - 0 1", "", "a1b2", false},
    {"only move, mated next", "8/8/8/8/8/2k5/8/K1q5 w - - 0 1", "", "a1a2", false},
    {"mate in two for mate in one", "7k/8/6K1/8/8/8/8/Q7 w - - 0 1", "", "a1b1", false},
    {"mate in two let go for +7", "1r4k1/5ppp/8/8/8/8/3R1PPP/3Q2K1 w - - 0 1", "", "h2h3", true},
    {"mate kept through a repeated position", "7k/8/5K2/8/8/8/8/1Q6 w - - 0 1", "b1b2 h8g8 b2b1 g8h8", "b1b2",
     false},
    {"won rook ending, the king steps aside", "8/8/8/8/8/4k3/8/R3K3 w - - 0 1", "", "e1d1", false},
    {"knight left to a pawn", "startpos", "e2e4 e7e5 g1f3 b8c6", "f3d4", true},
    {"queen left to a knight", "startpos", "e2e4 e7e5 g1f3", "d8g5", true},
    {"best: 2...Nc6", "startpos", "e2e4 e7e5 g1f3", "b8c6", false},
    {"best: castles", "r1bqkb1r/1ppp1ppp/p1n2n2/4p3/B3P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 2 5", "", "e1g1", false},
    {"best: 3.Nc3 at the queen", "startpos", "e2e4 d7d5 e4d5 d8d5", "b1c3", false},
    {"mate in one allowed", "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 3 4", "", "a7a6", true},
    {"the queen left untaken", "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 3 4", "", "d8e7",
     true},
    {"the pawn taken into a bishop trap", "startpos",
     "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 d7d6 d2d4 b7b5 a4b3 c6d4 f3d4 e5d4", "d1d4", true},
    {"best: the trap closes", "startpos",
     "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 d7d6 d2d4 b7b5 a4b3 c6d4 f3d4 e5d4 d1d4 c7c5 d4d5 c8e6 d5c6 e6d7 c6d5",
     "c5c4", false},
    {"the queen taken into mate", "startpos", "e2e4 e7e5 g1f3 d7d6 f1c4 c8g4 b1c3 g7g6 f3e5", "g4d1", true},
};

std::vector<CChessBoard> lineOf(const Verdict& row) {
  const CChessBoard start = fromFen(std::string(row.fen) == "startpos" ? INITIAL_FEN : row.fen);
  CChessBoard position = start;
  std::vector<Move> moves;
  std::istringstream words(std::string(row.moves) + " " + row.played);
  for (std::string word; words >> word;) {
    moves.push_back(readUciMove(position, word));
    EXPECT_FALSE(moves.back().isNull()) << row.name << ": " << word;
    makeMove(position, moves.back());
    position.switchSide();
  }
  return positionsOfGame(start, moves);
}

GameReview reviewedBy(const std::vector<CChessBoard>& line, const QList<EngineConfig>& engines, bool byTime,
                      double seconds, int depth) {
  GameReviewDialog dialog(line, nullptr, engines);
  dialog.setLimit(byTime, seconds, depth);
  QSignalSpy ready(&dialog, &GameReviewDialog::reviewReady);
  dialog.start();
  EXPECT_TRUE(ready.wait(120000));
  return dialog.review();
}

}  // namespace

TEST(ReviewVerdicts, KelvosDefaultReviewAgreesWithStockfish) {
  if (!QFileInfo::exists("/usr/games/stockfish")) GTEST_SKIP() << "Stockfish is not installed";
  EngineConfig stockfish = configFromCommand("stockfish");
  stockfish.name = "Stockfish";
  stockfish.protocol = EngineProtocol::Uci;
  int agreed = 0;
  for (const Verdict& row : VERDICTS) {
    const std::vector<CChessBoard> line = lineOf(row);
    const std::size_t judged = line.size() - 2;  // the move played leads to the last position
    const GameReview expert = reviewedBy(line, {stockfish}, false, 0, 16);
    ASSERT_GT(expert.marks.size(), judged) << row.name;
    EXPECT_EQ(expert.marks[judged] != MoveMark::NONE, row.marked) << row.name << ": Stockfish's verdict moved";
    const GameReview own = reviewedBy(line, {}, true, GameReviewDialog::DEFAULT_SECONDS, 0);
    ASSERT_GT(own.marks.size(), judged) << row.name;
    const bool marked = own.marks[judged] != MoveMark::NONE;
    EXPECT_EQ(marked, row.marked) << row.name;
    if (marked) {
      // The better move is never the move played.
      ASSERT_FALSE(own.betterLines[judged].empty()) << row.name;
      EXPECT_FALSE(own.betterLines[judged].front().sameSquares(line.back().lastMove)) << row.name;
    }
    agreed += marked == row.marked;
  }
  EXPECT_EQ(agreed, static_cast<int>(std::size(VERDICTS)));
}
