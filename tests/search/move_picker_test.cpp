#include "search/move_picker.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test_positions.h"

namespace {

constexpr int WHITE = 1;  // the history's index of the side to move

Move moveOf(const CChessBoard& position, const std::string& text) { return parseCoordinateMove(position, text); }

std::vector<std::string> order(MovePicker& picker) {
  std::vector<std::string> texts;
  for (Move move; picker.next(move);) texts.push_back(moveToCoordinates(move));
  return texts;
}

// White can take a free knight twice, trade a pawn, or lose the knight or the
// queen for a pawn on d5, which c6 guards.
const char* const CAPTURES = "4k3/8/2p5/3p4/n3P3/2N5/8/3QK3 w - - 0 1";

TEST(MovePicker, TableMoveThenCapturesThenKillersCounterAndHistoryThenLosingCaptures) {
  const CChessBoard position = fromFen(CAPTURES);
  HistoryTable history;
  ContinuationRow* const noRows[2] = {nullptr, nullptr};
  history.reward(WHITE, moveOf(position, "e1f2"), noRows, 300);
  history.reward(WHITE, moveOf(position, "e1e2"), noRows, -300);
  const Move killers[2] = {moveOf(position, "d1d2"), moveOf(position, "c3b5")};
  MovePicker picker;
  picker.start(position, moveOf(position, "d1d3"), killers, history, false, moveOf(position, "e4e5"));
  const std::vector<std::string> texts = order(picker);
  ASSERT_GE(texts.size(), 12u);
  const std::vector<std::string> first(texts.begin(), texts.begin() + 8);
  EXPECT_EQ(first, (std::vector<std::string>{"d1d3", "c3a4", "d1a4", "e4d5", "d1d2", "c3b5", "e4e5", "e1f2"}));
  EXPECT_EQ(texts[texts.size() - 3], "e1e2");  // the quiet move that failed, last of the quiet ones
  EXPECT_EQ(texts[texts.size() - 2], "c3d5");  // then the losing captures, the cheaper piece first
  EXPECT_EQ(texts.back(), "d1d5");

  picker.start(position, Move(), nullptr, history, true);
  EXPECT_EQ(order(picker), (std::vector<std::string>{"c3a4", "d1a4", "e4d5", "c3d5", "d1d5"}));
}

// A long search rewards the same moves over and over: the scores must stay
// within their bound (no overflow turning the best quiet move into the worst)
// and keep their order, always below the killers.
TEST(MovePicker, EndlessRewardsKeepHistoryInOrderAndBelowTheKillers) {
  const CChessBoard position = fromFen(CAPTURES);
  HistoryTable history;
  const Move best = moveOf(position, "e1f2");
  const Move second = moveOf(position, "e1e2");
  ContinuationRow* const noRows[2] = {nullptr, nullptr};
  for (int i = 0; i < 200000; ++i) {
    history.reward(WHITE, best, noRows, 4000);
    history.reward(WHITE, second, noRows, 2000);
    history.reward(WHITE, second, noRows, -3000);
  }
  EXPECT_LE(history.quietScore(WHITE, best, noRows), HistoryTable::BOUND);
  EXPECT_GT(history.quietScore(WHITE, best, noRows), history.quietScore(WHITE, second, noRows));
  const Move killers[2] = {moveOf(position, "d1d2"), Move()};
  MovePicker picker;
  picker.start(position, Move(), killers, history, false);
  const std::vector<std::string> texts = order(picker);
  ASSERT_GE(texts.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(texts.begin() + 3, texts.begin() + 5), (std::vector<std::string>{"d1d2", "e1f2"}));
  EXPECT_EQ(texts[texts.size() - 3], "e1e2");

  history.clear();
  picker.start(position, Move(), nullptr, history, false, moveOf(position, "e4e5"));
  EXPECT_EQ(order(picker)[3], "e4e5");  // with history gone, the counter-move leads the quiet moves
}

// A quiet move that answered one move well is tried early after that move,
// and only after it: the continuation history.
TEST(MovePicker, ContinuationHistoryRanksTheAnswerToTheMoveBefore) {
  const CChessBoard position = fromFen(CAPTURES);
  HistoryTable history;
  const CChessBoard black = fromFen("4k3/8/2p5/3p4/n3P3/2N5/8/3QK3 b - - 0 1");
  const Move earlier = moveOf(black, "e8f7");
  const Move answer = moveOf(position, "d1g4");
  ContinuationRow* const afterEarlier[2] = {history.rowAfter(earlier), nullptr};
  for (int i = 0; i < 5; ++i) history.reward(WHITE, answer, afterEarlier, 1000);
  // Its plain score is shared with every position; the row's share is not.
  ContinuationRow* const noRows[2] = {nullptr, nullptr};
  EXPECT_GT(history.quietScore(WHITE, answer, afterEarlier), history.quietScore(WHITE, answer, noRows));
  EXPECT_EQ(history.rowAfter(Move()), nullptr);  // a pass has no row

  MovePicker picker;
  picker.start(position, Move(), nullptr, history, false, Move(), afterEarlier);
  EXPECT_EQ(order(picker)[3], "d1g4");
  ContinuationRow* const afterOther[2] = {history.rowAfter(moveOf(black, "e8d7")), nullptr};
  history.reward(WHITE, moveOf(position, "e1f1"), afterOther, 6000);
  picker.start(position, Move(), nullptr, history, false, Move(), afterOther);
  EXPECT_EQ(order(picker)[3], "e1f1");
}

}  // namespace
