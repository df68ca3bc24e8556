// The one-pass book loader against the reference loader that replays every
// game through the Game: the same entries in the same order, the same number
// of games read, and the same last game left in the Game.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "book/opening_book.h"
#include "driver/game.h"
#include "position/fen.h"
#include "reference_book_loader.h"
#include "test_positions.h"

namespace {

struct LoadResult {
  int games = 0;
  std::vector<BookEntry> entries;
  std::string finalFen;
  std::vector<std::string> history;
};

LoadResult load(const std::string& path, bool useReference) {
  OpeningBook book;
  Game game;
  LoadResult result;
  result.games = useReference ? reference::loadBook(book, path, game) : book.loadBook(path, game);
  result.entries = book.entryList();
  result.finalFen = positionToFen(game.position);
  for (const CChessBoard& position : game.history) result.history.push_back(positionToFen(position));
  return result;
}

void expectSameLoad(const std::string& path) {
  const LoadResult expected = load(path, true), actual = load(path, false);
  EXPECT_EQ(actual.games, expected.games) << path;
  ASSERT_EQ(actual.entries.size(), expected.entries.size()) << path;
  for (std::size_t i = 0; i < expected.entries.size(); ++i)
    ASSERT_EQ(std::memcmp(&actual.entries[i], &expected.entries[i], sizeof(BookEntry)), 0)
        << path << ": entry " << i;
  EXPECT_EQ(actual.finalFen, expected.finalFen) << path;
  EXPECT_EQ(actual.history, expected.history) << path;
}

TEST(BookLoaderDifferential, DefaultBook) {
  if (!std::filesystem::exists(KELVO_BOOK_FILE)) GTEST_SKIP() << "no generated book";
  expectSameLoad(KELVO_BOOK_FILE);
}

TEST(BookLoaderDifferential, FuzzCorpus) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KELVO_PGN_CORPUS)) {
    expectSameLoad(entry.path().string());
    ++files;
  }
  EXPECT_GT(files, 0);
}

// Shared openings that part and meet again, a game cut in its first moves by a
// bad word, comments, variations, a file cut inside a comment, CRLF lines, and
// a tag word where moves begin (the loader once read that game for ever).
TEST(BookLoaderDifferential, CraftedFiles) {
  const char* const files[] = {
      "[A \"1\"]\n1. e4 e5 2. Nf3 Nc6 3. Bb5 *\n\n[A \"2\"]\n1. e4 e5 2. Nf3 Nf6 *\n\n[A \"3\"]\n1. e4 e5 2. Nf3 Nc6 "
      "3. Bc4 *\n\n[A \"4\"]\n1. d4 *\n\n[A \"5\"]\n1. e4 e5 *\n",
      "[A \"1\"]\n1. e4 e5 2. Nf3 Nc6 *\n\n[A \"2\"]\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Qxf7xyz *\n\n[A \"3\"]\n1. c4 *\n",
      "[A \"1\"]\n1. e4 e5 2. Nf3 *\n\n[A \"2\"]\n1. e4 e5 2. Ke3 *\n",
      "1. e4 {the king's pawn\n opens} e5 $1 2. Nf3 (2. Nc3 Nf6) Nc6 *\n\n1. e4 e5 2. Nf3 Nc6 *\n",
      "[A \"1\"]\r\n1. d4 d5 2. c4 e6 *\r\n\r\n[A \"2\"]\r\n1. d4 d5 2. c4 c6 1/2-1/2\r\n",
      "[A \"1\"]\n1. e4 e5 *\n\n[A \"2\"]\n1. e4 e5 2. Nf3 {cut inside a comment",
      "1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. O-O Nf6 5. 0-0 *\n\n1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. O-O Nf6 5. d3 *\n",
      "] a[\n1. e4 *\n",
      "",
  };
  int n = 0;
  for (const char* text : files) expectSameLoad(writeFile("crafted" + std::to_string(n++) + ".pgn", text));
  // A byte-order mark, a NUL mid-game and mid-tags, a broken mark.
  const std::string bytes[] = {
      "\xEF\xBB\xBF[A \"1\"]\n1. e4 e5 *\n\n[A \"2\"]\n1. e4 c5 *\n",
      std::string("[A \"1\"]\n1. e4 e5 *\n\n[A \"2\"]\n1. e4 c5 2. Nf3") + std::string(1, '\0') + " d6 *\n",
      std::string("[A \"1\"]\n1. d4 *\n\n[A \"") + std::string(1, '\0') + "\"]\n1. c4 *\n",
      "\xEF\xBB[A \"1\"]\n1. e4 *\n",
  };
  for (const std::string& text : bytes) expectSameLoad(writeFile("crafted" + std::to_string(n++) + ".pgn", text));
}

}  // namespace
