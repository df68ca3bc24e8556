#include <gtest/gtest.h>

#include <sstream>

#include "search/move_review.h"
#include "position/zobrist.h"
#include "search/position_judgement.h"
#include "test_positions.h"

namespace {

std::vector<CChessBoard> positionsAfter(const std::string& fen, const std::string& moves) {
  std::vector<CChessBoard> positions{fromFen(fen)};
  std::istringstream in(moves);
  for (std::string word; in >> word;) {
    CChessBoard next = positions.back();
    const Move move = parseCoordinateMove(next, word);
    EXPECT_FALSE(move.isNull()) << word;
    makeMove(next, move);
    next.switchSide();
    next.lastMove = move;
    positions.push_back(next);
  }
  return positions;
}

const char* markName(MoveMark mark) {
  switch (mark) {
    case MoveMark::INACCURACY: return "?!";
    case MoveMark::MISTAKE: return "?";
    case MoveMark::BLUNDER: return "??";
    default: return "";
  }
}

}  // namespace

// One move judged from the scores around it, for either mover.
TEST(MoveReview, MarkFromTheScoresAroundTheMove) {
  const WhiteScore p = WhiteScore::pawns(0);
  const struct {
    WhiteScore before, after;
    bool whiteMoved;
    MoveMark mark;
  } cases[] = {
      {p, WhiteScore::pawns(-30), true, MoveMark::NONE},
      {p, WhiteScore::pawns(-60), true, MoveMark::INACCURACY},
      {p, WhiteScore::pawns(-120), true, MoveMark::MISTAKE},
      {p, WhiteScore::pawns(-300), true, MoveMark::BLUNDER},
      {p, WhiteScore::pawns(300), false, MoveMark::BLUNDER},
      {p, WhiteScore::pawns(-300), false, MoveMark::NONE},  // Black gained
      {WhiteScore::pawns(150), WhiteScore::pawns(-150), false, MoveMark::NONE},
      {WhiteScore::pawns(900), WhiteScore::pawns(600), true, MoveMark::INACCURACY},
      {WhiteScore::pawns(-2000), WhiteScore::pawns(-2900), true, MoveMark::NONE},  // lost either way
      {p, WhiteScore::mateIn(-3), true, MoveMark::BLUNDER},
      {WhiteScore::mateIn(2), WhiteScore::mateIn(1), true, MoveMark::NONE},
      {WhiteScore::mateIn(2), WhiteScore::mateIn(4), true, MoveMark::NONE},
      {WhiteScore::mateIn(2), WhiteScore::won(true), true, MoveMark::NONE},
      // A forced mate let go: the curve barely notices while the mover stays far ahead.
      {WhiteScore::mateIn(2), WhiteScore::pawns(1200), true, MoveMark::INACCURACY},
      {WhiteScore::mateIn(2), WhiteScore::pawns(800), true, MoveMark::MISTAKE},
      {WhiteScore::mateIn(2), WhiteScore::pawns(500), true, MoveMark::BLUNDER},
      {WhiteScore::mateIn(-3), WhiteScore::pawns(-800), false, MoveMark::MISTAKE},
      {WhiteScore::mateIn(-3), WhiteScore::mateIn(2), false, MoveMark::BLUNDER},
  };
  for (const auto& c : cases)
    EXPECT_STREQ(markName(markForMove(c.before, c.after, c.whiteMoved)), markName(c.mark))
        << c.before.centipawns << "/#" << c.before.mate << " -> " << c.after.centipawns << "/#" << c.after.mate
        << (c.whiteMoved ? " White" : " Black");
}

// A whole sequence: the right side is charged, unknown scores are skipped,
// counts and accuracy per side follow.
TEST(MoveReview, CountsAndAccuracyPerSide) {
  using S = std::optional<WhiteScore>;
  const std::vector<S> scores = {
      WhiteScore::pawns(20),  WhiteScore::pawns(25),   // 1.White best
      WhiteScore::pawns(330),                          // 1...Black blunders a piece
      WhiteScore::pawns(250),                          // 2.White inaccuracy
      std::nullopt,                                    // unknown: two moves unjudged
      WhiteScore::pawns(240), WhiteScore::pawns(230),  // 3...Black gains a little
      WhiteScore::pawns(-40),                          // 4.White blunder
  };
  const ScoreReview review = reviewScores(scores, true);
  ASSERT_EQ(review.plies.size(), 7u);
  const MoveMark marks[] = {MoveMark::NONE, MoveMark::BLUNDER, MoveMark::INACCURACY, MoveMark::NONE,
                            MoveMark::NONE, MoveMark::NONE,    MoveMark::BLUNDER};
  const bool judged[] = {true, true, true, false, false, true, true};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(review.plies[i].mark, marks[i]) << i;
    EXPECT_EQ(review.plies[i].judged, judged[i]) << i;
  }
  EXPECT_EQ(review.white.judgedMoves, 3);
  EXPECT_EQ(review.white.inaccuracies, 1);
  EXPECT_EQ(review.white.blunders, 1);
  EXPECT_EQ(review.black.judgedMoves, 2);
  EXPECT_EQ(review.black.blunders, 1);
  EXPECT_EQ(review.plies[0].loss, 0);
  EXPECT_GT(review.white.accuracy, review.black.accuracy);
  EXPECT_NEAR(review.white.accuracy,
              (100 + moveAccuracy(review.plies[2].loss) + moveAccuracy(review.plies[6].loss)) / 3, 1e-9);

  // Black to move first: the first move is Black's.
  const ScoreReview fromBlack = reviewScores({WhiteScore::pawns(0), WhiteScore::pawns(300)}, false);
  EXPECT_EQ(fromBlack.black.blunders, 1);
  EXPECT_EQ(fromBlack.white.judgedMoves, 0);
}

TEST(MoveReview, AccuracyFallsWithTheLoss) {
  EXPECT_DOUBLE_EQ(moveAccuracy(0), 100);
  EXPECT_DOUBLE_EQ(moveAccuracy(-0.2), 100);
  EXPECT_GT(moveAccuracy(0.05), moveAccuracy(0.10));
  EXPECT_NEAR(moveAccuracy(0.10), 63.4, 0.5);
  EXPECT_DOUBLE_EQ(moveAccuracy(1.0), 0);
}

// Search scores (mover's view, mates by plies) as White sees them.
TEST(PositionJudgement, SearchScoreFromWhitesSide) {
  const struct {
    int moverScore;
    bool whiteToMove;
    WhiteScore white;
  } cases[] = {
      {35, true, WhiteScore::pawns(35)},
      {35, false, WhiteScore::pawns(-35)},
      {MATE_VALUE - 1, true, WhiteScore::mateIn(1)},
      {MATE_VALUE - 3, false, WhiteScore::mateIn(-2)},
      {-(MATE_VALUE - 2), true, WhiteScore::mateIn(-1)},
      {-(MATE_VALUE - 4), false, WhiteScore::mateIn(2)},
      {-MATE_VALUE, false, WhiteScore::won(true)},
  };
  for (const auto& c : cases) EXPECT_EQ(whiteScoreOf(c.moverScore, c.whiteToMove), c.white) << c.moverScore;
}

// Two short known games reviewed for real: a queen left to a knight, a
// mate in two let go; the game's last position, a mate, needs no search.
TEST(PositionJudgement, ReviewFindsTheKnownMistakes) {
  SearchLimits limits;
  limits.depth = 6;
  const auto queenGame = positionsAfter(INITIAL_FEN, "e2e4 e7e5 g1f3 d8g5 f3g5");
  const std::vector<PositionJudgement> queen = judgeGame(queenGame, limits);
  ASSERT_EQ(queen.size(), queenGame.size());
  std::vector<std::optional<WhiteScore>> scores;
  for (const PositionJudgement& j : queen) scores.push_back(j.score);
  const ScoreReview review = reviewScores(scores, true);
  EXPECT_EQ(review.plies[3].mark, MoveMark::BLUNDER);  // 2...Qg5??
  EXPECT_EQ(review.black.blunders, 1);
  EXPECT_EQ(review.white.blunders + review.white.mistakes, 0);
  EXPECT_EQ(moveToCoordinates(queen[4].line.at(0)), "f3g5");  // the queen taken at once

  const auto mateGame = positionsAfter("1r4k1/5ppp/8/8/8/8/3R1PPP/3Q2K1 w - - 0 1", "h2h3 g8f8 d2d8 b8d8 d1d8");
  const std::vector<PositionJudgement> mate = judgeGame(mateGame, limits);
  EXPECT_EQ(mate[0].score, WhiteScore::mateIn(2));
  EXPECT_EQ(mate.back().score, WhiteScore::won(true));
  EXPECT_TRUE(mate.back().line.empty());
  scores.clear();
  for (const PositionJudgement& j : mate) scores.push_back(j.score);
  const ScoreReview missed = reviewScores(scores, true);
  EXPECT_NE(missed.plies[0].mark, MoveMark::NONE);  // 1.h3 let the mate go
  EXPECT_EQ(missed.plies.back().mark, MoveMark::NONE);

  // Each move weighed by its own search from the position before it: the
  // mate let go still marked, the search's own move and an only move never.
  std::vector<std::optional<WhiteScore>> played;
  for (const PositionJudgement& j : mate) played.push_back(j.playedScore);
  EXPECT_FALSE(played.back());
  EXPECT_EQ(mate[2].playedScore, mate[2].score);  // 2.Rd8+, the mate itself
  EXPECT_NE(reviewScores(scores, true, played).plies[0].mark, MoveMark::NONE);
  const auto onlyMove = positionsAfter("6k1/8/8/8/8/7P/6P1/r6K w - - 0 1", "h1h2");
  EXPECT_EQ(judgeGame(onlyMove, limits).front().playedScore, judgeGame(onlyMove, limits).front().score);
}

// A later score that fell only because its own search saw further does not
// charge a move whose search from the position before it lost nothing.
TEST(MoveReview, PlayedMoveScoresStandForTheScoreAfter) {
  using S = std::optional<WhiteScore>;
  const std::vector<S> scores = {WhiteScore::pawns(20), WhiteScore::pawns(-400), WhiteScore::pawns(-390)};
  const ScoreReview alone = reviewScores(scores, true);
  EXPECT_EQ(alone.plies[0].mark, MoveMark::BLUNDER);
  const ScoreReview weighed = reviewScores(scores, true, {WhiteScore::pawns(15), std::nullopt});
  EXPECT_EQ(weighed.plies[0].mark, MoveMark::NONE);
  EXPECT_TRUE(weighed.plies[1].judged);  // the next move falls back to the scores around it
}

// The search that finds a mate stops at the mate's depth, too shallow for a
// slower way to it: a rook move that keeps the mate, only longer, is not a
// mate let go; the rook left to the king is.
TEST(PositionJudgement, ALongerMateIsNoMateLetGo) {
  SearchLimits limits;
  limits.depth = 8;
  for (const auto& [move, kept] : {std::pair{"a1a2", true}, {"e1d2", true}, {"a1g1", false}}) {
    const auto game = positionsAfter("8/8/8/8/8/8/8/R3K2k w - - 0 1", move);
    const std::vector<PositionJudgement> judged = judgeGame(game, limits);
    ASSERT_EQ(judged.size(), 2u);
    EXPECT_EQ(judged[0].score, WhiteScore::mateIn(3));
    ASSERT_TRUE(judged[0].playedScore);
    EXPECT_EQ(judged[0].playedScore->mate > 0, kept) << move;
    const ScoreReview review = reviewScores({judged[0].score, judged[1].score}, true, {judged[0].playedScore});
    EXPECT_EQ(review.plies[0].mark == MoveMark::NONE, kept) << move;
  }
}

TEST(PositionJudgement, CancelledReviewKeepsWhatItJudged) {
  SearchLimits limits;
  limits.depth = 2;
  const auto game = positionsAfter(INITIAL_FEN, "e2e4 e7e5 g1f3 b8c6");
  ReviewCancel cancel;
  int heard = 0;
  const auto judged = judgeGame(game, limits, &cancel, [&](int done, int total) {
    EXPECT_EQ(total, 5);
    heard = done;
    if (done == 2) cancel.request();
  });
  EXPECT_EQ(judged.size(), 2u);
  EXPECT_EQ(heard, 2);
}

// The keys a position could repeat stop at the last capture or pawn move, and
// only a position the game has had twice is one going back to draws.
TEST(PositionJudgement, RepetitionKeysReachBackToTheLastIrreversibleMove) {
  const auto game = positionsAfter(INITIAL_FEN, "e2e4 e7e5 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6");
  // From the position after 1...e5; those after 2.Nf3 and 2...Nf6 came twice.
  const std::uint64_t none = NO_REPETITION_KEY, knight = positionKey(game[3]), knights = positionKey(game[4]);
  EXPECT_EQ(repetitionKeys(game, 8), (std::vector<std::uint64_t>{none, knight, knights, none, none, knight}));
  EXPECT_EQ(repetitionKeys(game, 6).size(), 4u);
  EXPECT_EQ(repetitionKeys(game, 2).size(), 0u);
  EXPECT_EQ(repetitionKeys(game, 0).size(), 0u);

  // The queen goes back to b2 once more: still a mate, in three instead of two.
  SearchLimits limits;
  limits.depth = 6;
  const auto shuffle = positionsAfter("7k/8/5K2/8/8/8/8/1Q6 w - - 0 1", "b1b2 h8g8 b2b1 g8h8 b1b2");
  const std::vector<PositionJudgement> judged = judgeGame(shuffle, limits);
  ASSERT_EQ(judged.size(), shuffle.size());
  EXPECT_EQ(judged[4].score, WhiteScore::mateIn(2));
  EXPECT_EQ(judged[4].playedScore, WhiteScore::mateIn(3));
}
