// The generated default book: every entry of the ECO file becomes one game,
// and every game loads completely (the reader would stop the whole book at the
// first move it cannot read).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "book/opening_book.h"
#include "base/random.h"
#include "driver/game.h"
#include "driver/engine_session.h"
#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "search/engine_player.h"

namespace {

// Games are counted by their ECO tag, moves as the movetext words holding a letter.
void expectEveryGameLoads(const std::string& path, int expectedGames) {
  std::ifstream in(path);
  int games = 0;
  long moves = 0;
  for (std::string line; std::getline(in, line);) {
    games += line.rfind("[ECO ", 0) == 0;
    std::istringstream words(line);
    for (std::string word; !line.empty() && line[0] != '[' && words >> word;)
      moves += std::any_of(word.begin(), word.end(), [](unsigned char c) { return std::isalpha(c); });
  }
  EXPECT_EQ(games, expectedGames);
  OpeningBook book;
  Game game;
  EXPECT_EQ(book.loadBook(path, game), expectedGames);
  EXPECT_EQ(static_cast<long>(book.entryCount()), moves);
}

TEST(DefaultBook, EveryEcoEntryLoads) {
  if (!std::filesystem::exists(KELVO_BOOK_FILE)) GTEST_SKIP() << "no generated book";
  std::ifstream eco(KELVO_ECO_FILE);
  int entries = 0;  // lines starting with an ECO code
  for (std::string line; std::getline(eco, line);)
    entries += line.size() > 3 && line[0] >= 'A' && line[0] <= 'E' && std::isdigit(static_cast<unsigned char>(line[1]));
  ASSERT_GT(entries, 10000);
  expectEveryGameLoads(KELVO_BOOK_FILE, entries);
}

// A new game seeds the generator with the time in seconds, so games started
// seconds apart get neighbouring seeds; their book choices must still vary.
TEST(DefaultBook, NeighbouringSeedsChooseDifferentBookMoves) {
  if (!std::filesystem::exists(KELVO_BOOK_FILE)) GTEST_SKIP() << "no generated book";
  OpeningBook& book = OpeningBook::instance();
  book.clearBook();
  Game scratch;
  book.loadBook(KELVO_BOOK_FILE, scratch);
  const CChessBoard start = *positionFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  CChessBoard afterE4 = start;
  makeMove(afterE4, parseCoordinateMove(afterE4, "e2e4"));
  afterE4.switchSide();

  std::set<std::string> firstMoves, answers;
  const std::uint32_t now = 1765000000;  // December 2025
  for (std::uint32_t seed = now; seed < now + 50; ++seed) {
    EnginePlayer player(processSession().searchContext());
    engineSrand(seed);
    firstMoves.insert(moveToCoordinates(player.chooseMove(start)));
    engineSrand(seed);
    answers.insert(moveToCoordinates(player.chooseMove(afterE4)));
  }
  ASSERT_GT(book.entryCount(), 0u);  // never left the book
  book.clearBook();
  EXPECT_GE(firstMoves.size(), 3u) << *firstMoves.begin();
  EXPECT_GE(answers.size(), 4u) << *answers.begin();
}

TEST(DefaultBook, GeneratorHandlesSplitEntriesLatin1AndTagCharacters) {
  const std::string python = KELVO_PYTHON3;
  if (python.empty() || python.find("NOTFOUND") != std::string::npos) GTEST_SKIP() << "no python3";
  const std::string eco = ::testing::TempDir() + "sample.eco", pgn = ::testing::TempDir() + "sample.pgn";
  std::ofstream(eco, std::ios::binary)
      << "# comment line\nA00\t\"Inicio de partida\"\t\t*\n"
      << "C20\t\"Pe\xf1" "a [x] \\ y\"\t1.e4 e5 2.Nf3\n  Nc6 3.Bc4 Nf6 4.O-O Bc5\t*\n"
      << "C21 \"Gambito\" 1.e4 e5 2.d4 exd4 3.c3 dxc3 4.Bc4 cxb2 5.Bxb2 d5 6.Bxd5 Nf6 7.Bxf7+ Kxf7 8.Qxd8 *\n";
  ASSERT_EQ(std::system((python + " " KELVO_MAKE_BOOK " " + eco + " " + pgn).c_str()), 0);
  std::stringstream text;
  text << std::ifstream(pgn, std::ios::binary).rdbuf();
  EXPECT_NE(text.str().find("[Opening \"Pe\xc3\xb1" "a (x) / y\"]"), std::string::npos) << text.str();
  expectEveryGameLoads(pgn, 3);
}

}  // namespace
