// Opening names read from a book's tags: matched by position and side to
// move, first name kept, and the book itself unchanged by them.

#include <gtest/gtest.h>

#include "book/opening_book.h"
#include "book/opening_names.h"
#include "driver/game.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "test_positions.h"

namespace {

std::string nameAfter(const OpeningNames& names, const std::string& moves) {
  CChessBoard position = fromFen(INITIAL_FEN);
  play(position, moves);
  const OpeningName* name = names.find(position);
  return name ? name->text() : "-";
}

TEST(OpeningNames, ByFinalPositionAndSideToMove) {
  const std::string path = writeFile(
      "named.pgn",
      "[ECO \"A00\"]\n[Opening \"Inicio de partida\"]\n\n*\n\n"
      "[ECO \"B20\"]\n[Opening \"Defensa Siciliana: 1.e4 c5\"]\n\n1.e4 c5 *\n\n"
      "[Event \"x\"]\n[ECO \"C20\"]\n[Opening \"Pe\xc3\xb1" "a \\\"x\\\" (y)\"]\n\n1.e4 e5 *\n\n"
      // the same squares again under another code: the first name stays
      "[ECO \"C99\"]\n[Opening \"Otra\"]\n\n1.e4 e5 *\n\n"
      // reached by a different order of moves: a transposition
      "[ECO \"D06\"]\n[Opening \"Gambito de Dama\"]\n\n1.d4 d5 2.c4 *\n\n"
      "[ECO \"A10\"]\n[Opening \"Inglesa\"]\n\n1.c4 *\n");
  OpeningBook book;
  OpeningNames names;
  Game game;
  EXPECT_EQ(book.loadBook(path, game, &names), 6);
  EXPECT_EQ(book.entryCount(), 10u);  // names take nothing from the book
  EXPECT_EQ(names.size(), 5u);

  EXPECT_EQ(nameAfter(names, ""), "A00 Inicio de partida");
  EXPECT_EQ(nameAfter(names, "e2e4 c7c5"), "B20 Defensa Siciliana: 1.e4 c5");
  EXPECT_EQ(nameAfter(names, "e2e4 e7e5"), "C20 Pe\xc3\xb1" "a \"x\" (y)");
  EXPECT_EQ(nameAfter(names, "c2c4 d7d5 d2d4"), "D06 Gambito de Dama");
  EXPECT_EQ(nameAfter(names, "e2e4"), "-");
  // 1.c4 is named with Black to move, however it was reached; its lost-tempo
  // twins (the same squares, White to move) are not.
  EXPECT_EQ(nameAfter(names, "c2c4"), "A10 Inglesa");
  EXPECT_EQ(nameAfter(names, "g1f3 g8f6 f3g1 f6g8 c2c4"), "A10 Inglesa");
  EXPECT_EQ(nameAfter(names, "c2c3 g8f6 c3c4 f6g8"), "-");
  EXPECT_EQ(nameAfter(names, "g1f3 g8f6 f3g1 f6g8 c2c3 b8c6 c3c4 c6b8"), "-");
}

TEST(OpeningNames, UntaggedOrFaultyGamesNameNothing) {
  OpeningBook book;
  OpeningNames names;
  Game game;
  EXPECT_EQ(book.loadBook(writeFile("plain.pgn", "1. e4 e5 *\n\n[Event \"y\"]\n1. d4 d5 *\n"), game, &names), 2);
  EXPECT_EQ(names.size(), 0u);
  EXPECT_EQ(book.entryCount(), 4u);

  names.clear();
  // The faulty game is cut at Qd5 and names nothing; the load stops there.
  book.loadBook(writeFile("cut.pgn", "[ECO \"A40\"]\n\n1. d4 *\n\n[ECO \"D00\"]\n\n1. d4 d5 2. Qd5 *\n"), game, &names);
  EXPECT_EQ(names.size(), 1u);
  EXPECT_EQ(nameAfter(names, "d2d4"), "A40");
}

}  // namespace
