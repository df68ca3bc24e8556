#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "book/opening_book.h"
#include "driver/game.h"
#include "position/move_gen.h"
#include "position/notation.h"

namespace {

std::string writeFile(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string moveTexts(const std::vector<Move>& moves) {
  std::string text;
  for (const Move& m : moves) text += moveToCoordinates(m) + " ";
  return text;
}

class OpeningBookTest : public ::testing::Test {
 protected:
  void SetUp() override { book.clearBook(); }
  void TearDown() override { book.clearBook(); }
  OpeningBook& book = OpeningBook::instance();
  CChessBoard start = [] {
    CChessBoard p;
    p.setupInitialPosition();
    return p;
  }();
};

TEST_F(OpeningBookTest, LoadKeepsBookOrderAndDuplicates) {
  const std::string path = writeFile(
      "book.pgn", "[Event \"1\"]\n1. e4 e5 2. Nf3 Nc6 *\n\n[Event \"2\"]\n1. d4 d5 *\n\n[Event \"3\"]\n1. e4 c5 *\n");
  EXPECT_EQ(book.loadBook(path), 3);
  EXPECT_EQ(book.entryCount(), 8u);
  EXPECT_EQ(moveTexts(book.probeBook(start)), "e2e4 d2d4 e2e4 ");
  CChessBoard afterE4 = start;
  makeMove(afterE4, parseCoordinateMove(afterE4, "e2e4"));
  afterE4.switchSide();
  EXPECT_EQ(moveTexts(book.probeBook(afterE4)), "e7e5 c7c5 ");
  // Only the squares are compared: the side to move is not.
  afterE4.switchSide();
  EXPECT_EQ(moveTexts(book.probeBook(afterE4)), "e7e5 c7c5 ");
}

TEST_F(OpeningBookTest, LoadingAppendsAndStopsAtFaultyGame) {
  const std::string good = writeFile("good.pgn", "1. e4 e5 *\n");
  const std::string faulty = writeFile("faulty.pgn", "[G \"1\"]\n1. c4 e5 *\n\n[G \"2\"]\n1. d4 d5 2. Qd5 *\n\n[G \"3\"]\n1. g3 *\n");
  book.loadBook(good);
  EXPECT_EQ(book.loadBook(faulty), 2);
  EXPECT_EQ(book.entryCount(), 2u + 2u + 2u);  // the faulty game's moves before Qd5 stay
  EXPECT_EQ(moveTexts(book.probeBook(start)), "e2e4 c2c4 d2d4 ");
}

TEST_F(OpeningBookTest, MissingFileLeavesBookEmpty) {
  book.loadBook(::testing::TempDir() + "no_book.pgn");
  EXPECT_EQ(book.entryCount(), 0u);
  EXPECT_TRUE(book.probeBook(start).empty());
}

TEST_F(OpeningBookTest, ClearBookAndAddAfterProbe) {
  book.addEntry(start, parseCoordinateMove(start, "g1f3"));
  EXPECT_EQ(moveTexts(book.probeBook(start)), "g1f3 ");
  book.addEntry(start, parseCoordinateMove(start, "b1c3"));  // added after the index was built
  EXPECT_EQ(moveTexts(book.probeBook(start)), "g1f3 b1c3 ");
  book.clearBook();
  EXPECT_EQ(book.entryCount(), 0u);
  EXPECT_TRUE(book.probeBook(start).empty());
}

TEST_F(OpeningBookTest, LoadingLeavesTheLastGameInTheGame) {
  book.loadBook(writeFile("last.pgn", "[G \"1\"]\n1. e4 e5 *\n\n[G \"2\"]\n1. d4 d5 2. c4 *\n"));
  Game& game = Game::instance();
  EXPECT_EQ(game.history.size(), 3u);
  EXPECT_EQ(game.position.squares[0x32], WHITE_PAWN);
}

}  // namespace
