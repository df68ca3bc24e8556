#include <gtest/gtest.h>

#include <sstream>

#include "position/chess_board.h"
#include "position/move_gen.h"
#include "test_positions.h"

TEST(SquareText, ParsedNonsenseIsNeverAValidSquare) {
  for (const char* text : {"i1", "a9", "a0", "z9", "A1", "", "a", "11"})
    EXPECT_FALSE(isValidSquare(parseSquare(text))) << text;
}

TEST(MoveRecord, PawnChangingFileOntoEmptySquareIsEnPassant) {
  const Move capture(makeSquare(4, 4), makeSquare(3, 5), WHITE_PAWN, EMPTY, EMPTY);  // e5d6
  EXPECT_EQ(capture.enPassant, 1);
  EXPECT_EQ(capture.captured, BLACK_PAWN);
  EXPECT_EQ(capture.checkState, 255);

  const Move push(makeSquare(4, 4), makeSquare(4, 5), WHITE_PAWN, EMPTY, EMPTY);  // e5e6
  EXPECT_EQ(push.enPassant, 0);
  EXPECT_EQ(push.captured, EMPTY);

  const Move black(makeSquare(3, 3), makeSquare(4, 2), BLACK_PAWN, EMPTY, EMPTY);  // d4e3
  EXPECT_EQ(black.captured, WHITE_PAWN);

  const Move knight(makeSquare(1, 0), makeSquare(2, 2), WHITE_KNIGHT, EMPTY, EMPTY);
  EXPECT_EQ(knight.enPassant, 0);
}

TEST(Picture, InitialPositionLayout) {
  std::ostringstream out;
  initialPosition().writePicture(out);
  EXPECT_EQ(out.str(),
            "\n"
            " r  n  b  q  k  b  n  r \n"
            " p  p  p  p  p  p  p  p \n"
            " .  .  .  .  .  .  .  . \n"
            " .  .  .  .  .  .  .  . \n"
            " .  .  .  .  .  .  .  . \n"
            " .  .  .  .  .  .  .  . \n"
            " P  P  P  P  P  P  P  P \n"
            " R  N  B  Q  K  B  N  R \n");
}

TEST(Picture, ReadBackKeepsStateAndTreatsUnknownsAsEmpty) {
  CChessBoard original = fromFen(KIWIPETE_FEN);
  std::ostringstream out;
  original.writePicture(out);

  CChessBoard copy = initialPosition();
  copy.sideToMove = 0;
  copy.castlingRights = 5;
  std::istringstream in(out.str());
  copy.readPicture(in);
  EXPECT_EQ(positionToFen(copy).substr(0, positionToFen(copy).find(' ')),
            positionToFen(original).substr(0, positionToFen(original).find(' ')));
  EXPECT_EQ(copy.sideToMove, 0);
  EXPECT_EQ(copy.castlingRights, 5);

  std::istringstream odd("x . Z 9" + std::string(60, 'K'));
  copy.readPicture(odd);
  for (int file = 0; file < 4; ++file) EXPECT_EQ(copy.squares[makeSquare(file, 7)], EMPTY);
  EXPECT_EQ(copy.squares[makeSquare(4, 7)], WHITE_KING);
}

TEST(Picture, ShortInputLeavesTheRestUnchanged) {
  CChessBoard position = initialPosition();
  std::istringstream in("K . . ");
  position.readPicture(in);
  EXPECT_EQ(position.squares[A8], WHITE_KING);
  EXPECT_EQ(position.squares[makeSquare(1, 7)], EMPTY);
  EXPECT_EQ(position.squares[makeSquare(2, 7)], EMPTY);
  EXPECT_EQ(position.squares[makeSquare(3, 7)], BLACK_QUEEN);
  EXPECT_EQ(position.squares[E1], WHITE_KING);
}

TEST(Lines, CopySharesTheChildAndFreeLineReleasesIt) {
  CChessBoard root = initialPosition();
  generateMoves(root, false);
  auto* first = new CChessBoard;
  createChild(*first, root, 13);  // e2e4
  generateMoves(*first, false);
  auto* second = new CChessBoard;
  createChild(*second, *first, 0);
  first->setChild(second, false);
  root.setChild(first, false);

  EXPECT_EQ(root.lineLength(), 2);
  EXPECT_EQ(second->root(), &root);
  EXPECT_EQ(first->getLastMove().to, makeSquare(4, 3));
  EXPECT_EQ(first->sideToMove, 0);
  EXPECT_EQ(first->score, 0);
  EXPECT_EQ(first->moveCount, 20);

  const CChessBoard copy(root);
  EXPECT_EQ(copy.child, first);
  EXPECT_EQ(copy.lineLength(), 2);

  root.setChild(nullptr, true);  // frees first and second
  EXPECT_EQ(root.child, nullptr);
  EXPECT_EQ(root.lineLength(), 0);
}
