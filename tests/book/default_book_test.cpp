// The generated default book: every entry of the ECO file becomes one game,
// and every game loads completely (the reader would stop the whole book at the
// first move it cannot read).

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "book/opening_book.h"
#include "book/pgn_reader.h"

namespace {

struct BookCounts {
  int games = 0;
  long moves = 0;
};

// Games are counted by their ECO tag, moves as the movetext words holding a letter.
BookCounts countBook(const std::string& path) {
  std::ifstream in(path);
  BookCounts counts;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("[ECO ", 0) == 0) ++counts.games;
    if (line.empty() || line[0] == '[') continue;
    std::istringstream words(line);
    for (std::string word; words >> word;)
      for (char c : word)
        if (std::isalpha(static_cast<unsigned char>(c))) {
          ++counts.moves;
          break;
        }
  }
  return counts;
}

void expectEveryGameLoads(const std::string& path, int expectedGames) {
  const BookCounts counts = countBook(path);
  EXPECT_EQ(counts.games, expectedGames);

  OpeningBook& book = OpeningBook::instance();
  book.clearBook();
  EXPECT_EQ(book.loadBook(path), expectedGames);
  EXPECT_EQ(static_cast<long>(book.entryCount()), counts.moves);
  book.clearBook();
}

TEST(DefaultBook, EveryEcoEntryLoads) {
  const std::string path = KELVO_BOOK_FILE;
  if (path.empty() || !std::filesystem::exists(path)) GTEST_SKIP() << "no generated book";
  // One game per ECO line of the source: lines starting with an ECO code.
  std::ifstream eco(KELVO_ECO_FILE);
  int entries = 0;
  for (std::string line; std::getline(eco, line);)
    if (line.size() > 3 && line[0] >= 'A' && line[0] <= 'E' && std::isdigit(static_cast<unsigned char>(line[1])))
      ++entries;
  ASSERT_GT(entries, 10000);
  expectEveryGameLoads(path, entries);
}

TEST(DefaultBook, GeneratorHandlesSplitEntriesLatin1AndTagCharacters) {
  const std::string dir = ::testing::TempDir();
  const std::string eco = dir + "sample.eco";
  const std::string pgn = dir + "sample.pgn";
  {
    std::ofstream out(eco, std::ios::binary);
    out << "# comment line\n"
        << "A00\t\"Inicio de partida\"\t\t*\n"
        << "C20\t\"Pe\xf1" "a [x] \\ y\"\t1.e4 e5 2.Nf3\n  Nc6 3.Bc4 Nf6 4.O-O Bc5\t*\n"
        << "C21 \"Gambito\" 1.e4 e5 2.d4 exd4 3.c3 dxc3 4.Bc4 cxb2 5.Bxb2 d5 6.Bxd5 Nf6 7.Bxf7+ Kxf7 8.Qxd8 *\n";
  }
  const std::string python = KELVO_PYTHON3;
  if (python.empty() || python.find("NOTFOUND") != std::string::npos) GTEST_SKIP() << "no python3";
  const std::string command = python + " " KELVO_MAKE_BOOK " " + eco + " " + pgn;
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(pgn, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("[Opening \"Pe\xc3\xb1" "a (x) / y\"]"), std::string::npos) << text.str();
  expectEveryGameLoads(pgn, 3);
}

}  // namespace
