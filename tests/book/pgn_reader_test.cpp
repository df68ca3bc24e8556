// Reading PGN files: the tokens, whole games into a Game, and games into
// the opening book.

#include <gtest/gtest.h>

#include <cstdio>

#include "book/opening_book.h"
#include "book/pgn_reader.h"
#include "driver/game.h"
#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "test_positions.h"

namespace {

std::string moveTexts(const std::vector<Move>& moves) {
  std::string text;
  for (const Move& m : moves) text += moveToCoordinates(m) + " ";
  return text;
}

TEST(PgnReaderTokens, Movetext) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"1. e4 e5 2. Nf3 *", {"e4", "e5", "Nf3", ""}},
      {"12...Nf6 13.Bb5", {"Nf6", "Bb5", ""}},
      {"e4 {a comment\nover lines} $1 e5", {"e4", "e5", ""}},
      {"{opening}Nf3 e4", {"e4", ""}},  // the rest of the closing word goes with the comment
      {"e4 {never closed", {"e4", "-1"}},
      {"0-0 O-O 0-0-0+ 10.0-0", {"0-0", "O-O", "0-0-0", ""}},
      {"e4 0-1 e5", {"e4", "0-1"}},
      {"e4 e5 [Event \"next\"]", {"e4", "e5", ""}},
      {"e4! e5?", {"e4!", "e5?", ""}},
  };
  for (const auto& [text, expected] : cases) {
    PgnReader reader;
    reader.attach(std::fopen(writeFile("tokens.pgn", text).c_str(), "r"));
    std::vector<std::string> tokens;
    while (tokens.size() < expected.size()) tokens.push_back(reader.nextToken());
    EXPECT_EQ(tokens, expected) << text;
  }
}

TEST(PgnReaderTokens, SkipTagsAndCastling) {
  PgnReader reader;
  reader.attach(std::fopen(writeFile("tags.pgn", "[Event \"a b\"]\n[Site \"]\"]\n\n1. d4 *").c_str(), "r"));
  reader.skipTags();
  EXPECT_EQ(reader.nextToken(), "]");  // a "]" inside a value ends the tag early; "]" counts as a letter

  const std::pair<const char*, const char*> cases[] = {
      {"0-0", "0-0"}, {"0-0-0", "0-0-0"}, {"0-0+", "0-0"},         {"12.0-0", "0-0"},      {"10.0-0", ""}, {"O-O", ""},
      {"0-1", ""},    {"0-0-0-0", ""},    {"0-0abcdefgh", ""}, {"0-0abcdefg", "0-0"}, {"", ""}};
  for (const auto& [word, token] : cases) EXPECT_EQ(PgnReader::castlingToken(word), token) << word;
}

// Odd bytes and unreadable words are the golden book data's files.
TEST(PgnReadGame, AMissingFileLeavesTheInitialPosition) {
  Game game;
  EXPECT_EQ(PgnReader().readGame(::testing::TempDir() + "missing.pgn", 0, nullptr, game), 0);
  EXPECT_EQ(positionToFen(game.position), INITIAL_FEN);
}

class OpeningBookTest : public ::testing::Test {
 protected:
  void SetUp() override { book.clearBook(); }
  void TearDown() override { book.clearBook(); }
  OpeningBook book;
  Game game;  // what the books are replayed through
  CChessBoard start = *positionFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
};

// Which entries a load makes is the differential test's; here: loads append,
// and probes answer in book order, duplicates kept, by the squares alone.
TEST_F(OpeningBookTest, LoadsAppendAndProbesKeepBookOrder) {
  EXPECT_EQ(book.loadBook(writeFile("good.pgn", "1. e4 e5 *\n"), game), 1);
  EXPECT_EQ(book.loadBook(writeFile("faulty.pgn", "[G \"1\"]\n1. d4 d5 *\n\n[G \"2\"]\n1. e4 c5 2. Qd5 *\n\n"
                                                  "[G \"3\"]\n1. g3 *\n"), game),
            2);
  EXPECT_EQ(book.entryCount(), 2u + 2u + 2u);  // the faulty game's moves before Qd5 stay
  EXPECT_EQ(moveTexts(book.probeBook(start)), "e2e4 d2d4 e2e4 ");
  CChessBoard afterE4 = start;
  makeMove(afterE4, parseCoordinateMove(afterE4, "e2e4"));
  EXPECT_EQ(moveTexts(book.probeBook(afterE4)), "e7e5 c7c5 ");  // either side to move
  EXPECT_EQ(book.loadBook(::testing::TempDir() + "no_book.pgn", game), 0);
  EXPECT_EQ(book.entryCount(), 6u);
}

TEST_F(OpeningBookTest, AddAfterProbeAndClear) {
  book.addEntry(start, parseCoordinateMove(start, "g1f3"));
  EXPECT_EQ(moveTexts(book.probeBook(start)), "g1f3 ");
  book.addEntry(start, parseCoordinateMove(start, "b1c3"));  // added after the index was built
  EXPECT_EQ(moveTexts(book.probeBook(start)), "g1f3 b1c3 ");
  book.clearBook();
  EXPECT_EQ(book.entryCount(), 0u);
  EXPECT_TRUE(book.probeBook(start).empty());
}

}  // namespace
