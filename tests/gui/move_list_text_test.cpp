#include "game/move_list_text.h"

#include <QString>

#include <gtest/gtest.h>

#include "game_after.h"

namespace {

TEST(MoveListText, OneLinePerFullMoveInSan) {
  EXPECT_EQ(moveListText(newGameWith({"e2e4", "e7e5", "g1f3"})), "1.e4 e5 \n2.Nf3");
  EXPECT_EQ(moveListText(newGameWith({})), "");
  std::vector<MoveSpan> spans;  // history entry, start, length of each move
  moveListText(newGameWith({"e2e4", "e7e5", "g1f3"}), &spans);
  EXPECT_EQ(spans.size(), 3u);
  EXPECT_TRUE(spans[1].entry == 2 && spans[1].start == 5 && spans[2].entry == 3 && spans[2].start == 11);
  EXPECT_EQ(moveListText(newGameWith({"e2e4", "d7d5", "e4d5", "d8d5", "b1c3", "d5e5"})),
            "1.e4 d5 \n2.exd5 Qxd5 \n3.Nc3 Qe5+ \n");
  // Set up with Black to move: Black's first move ends line 1, White's next is move 2.
  const char* blackToMove = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1";
  EXPECT_EQ(moveListText(newGameWith({"e7e5", "g1f3", "b8c6", "f1b5"}, blackToMove)), " e5 \n2.Nf3 Nc6 \n3.Bb5");
}

// One short game - a capture that promotes and checks, castling, a knight -
// in each notation; the cache follows a change of notation, and the spans
// count figurines as one character each, as the window does.
TEST(MoveListText, EachNotationFromTheOneFunction) {
  const std::vector<CChessBoard> game = newGameWith({"b7a8q", "e8e7", "e1c1", "e7f6", "g1f3"}, "r3k3/1P6/8/8/8/8/8/R3K1N1 w Q - 0 1");
  MoveListCache cache;
  std::vector<MoveSpan> spans;
  EXPECT_EQ(cache.textOf(game, spans), "1.bxa8=Q+ Ke7 \n2.0-0-0 Kf6 \n3.Nf3");
  EXPECT_EQ(cache.textOf(game, spans, MoveNotation::Spanish), "1.bxa8=D+ Re7 \n2.0-0-0 Rf6 \n3.Cf3");
  EXPECT_EQ(cache.textOf(game, spans, MoveNotation::Figurines),
            "1.bxa8=\u2655+ \u2654e7 \n2.0-0-0 \u2654f6 \n3.\u2658f3");
  const QString shown = QString::fromStdString(cache.textOf(game, spans, MoveNotation::Figurines));
  ASSERT_EQ(spans.size(), 5u);
  EXPECT_EQ(shown.mid(spans[3].start, spans[3].length), QStringLiteral("\u2654f6"));
  EXPECT_EQ(shown.mid(spans[4].start, spans[4].length), QStringLiteral("\u2658f3"));
}

// The cache writes the text again for any change: a transposition reaches the
// same last position in as many plies, and a set-up start changes only the start.
TEST(MoveListText, TheCachedTextFollowsEveryChange) {
  MoveListCache cache;
  std::vector<MoveSpan> spans;
  EXPECT_EQ(cache.textOf(newGameWith({"g1f3", "g8f6", "b1c3"}), spans), "1.Nf3 Nf6 \n2.Nc3");
  EXPECT_EQ(cache.textOf(newGameWith({"b1c3", "g8f6", "g1f3"}), spans), "1.Nc3 Nf6 \n2.Nf3");
  EXPECT_EQ(spans.size(), 3u);
  EXPECT_EQ(cache.textOf(newGameWith({"e7e5"}, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"), spans),
            " e5 \n");
  EXPECT_EQ(cache.textOf(newGameWith({}), spans), "");
  EXPECT_TRUE(spans.empty());
}

// A loaded game's history has no entry for the initial position (the main
// window's open test lists one): its first move is written without the
// position it was played in.
TEST(MoveListText, PlainTextWithoutThePosition) {
  const std::pair<Move, const char*> cases[] = {
      {Move(52, 67, WHITE_PAWN, BLACK_PAWN, EMPTY), "exd5"},
      {Move(100, 116, WHITE_PAWN, EMPTY, WHITE_QUEEN), "e8=Q"},
      {Move(E1, G1, WHITE_KING, EMPTY, EMPTY), "0-0"},
  };
  for (const auto& [move, text] : cases) EXPECT_EQ(plainMoveText(move), text);
}

}  // namespace
