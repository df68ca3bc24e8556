// Reading PGN files: the tokens, whole games into a Game, and games into
// the opening book.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "book/opening_book.h"
#include "book/pgn_reader.h"
#include "book/pgn_writer.h"
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

// A loaded game is read to the end of its main line, whatever it is annotated
// with; a word that is no move is reported with its line.
TEST(PgnReadGame, AnnotatedGamesAreReadToTheirEnd) {
  const struct {
    const char* text;
    std::size_t plies;
    const char* result;
    int errorLine;
  } cases[] = {
      {"[Event \"a ] b\"]\n\n1. e4 {c (} (1. d4 d5 (1... Nf6) {x}) e5 $1 2. Nf3! ; 3. g4\n Nc6?! 3.Bb5(3. Bc4) a6 1-0",
       6, "1-0", 0},
      {"1. e4 e5 2. Nf9 Nc6 *", 2, "", 1},
      {"\n[Event \"x\"]\n\n1. e4 e5\n2. Qxf7 *", 2, "", 5},
      {"1. e4 (1. d4 {never closed", 1, "", 1},
  };
  for (const auto& c : cases) {
    Game game;
    PgnReader reader;
    PgnGameInfo info;
    reader.readGame(writeFile("annotated.pgn", c.text), 0, nullptr, game, &info);
    EXPECT_EQ(game.history.size(), c.plies) << c.text;
    EXPECT_EQ(info.result, c.result) << c.text;
    EXPECT_EQ(info.errorLine, c.errorLine) << c.text;
  }
}

std::string endlessGame() {
  std::string text;
  for (int i = 0; i < MAX_GAME_PLIES / 4 + 1; ++i) text += "Nf3 Nf6 Ng1 Ng8\n";
  return text;
}

// A game that cannot be read says why, where; a FEN tag passes the same
// set-up check as every other position from outside.
TEST(PgnReadGame, FaultsNameTheirCause) {
  const struct {
    std::string text;
    PgnFault fault;
    SetupFault setup;
    int errorLine;
  } cases[] = {
      {"[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n\n*", PgnFault::UNPLAYABLE_FEN, SetupFault::WHITE_KINGS, 1},
      {"[FEN \"4k3/8/8/8/8/8/8/8 w - - 0 1\"]\n\n*", PgnFault::UNPLAYABLE_FEN, SetupFault::WHITE_KINGS, 1},
      {"[FEN \"4k3/8/8/8/8/8/8/4KR2 w - - 0 1\"]\n[FEN \"P3k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\n*",
       PgnFault::UNPLAYABLE_FEN, SetupFault::PAWN_ON_END_RANK, 1},
      {"[FEN \"4k3/8/8/8/8/8/8/2K1K3 w - - 0 1\"]\n*", PgnFault::UNPLAYABLE_FEN, SetupFault::WHITE_KINGS, 1},
      {"[FEN \"4k3/8/8/8/8/8/8/4R1K1 w - - 0 1\"]\n*", PgnFault::UNPLAYABLE_FEN, SetupFault::KING_CAPTURABLE, 1},
      {"\n[FEN \"not a position\"]\n*", PgnFault::BAD_FEN, SetupFault::NONE, 1},
      {"1. e4 e5 2. Nf9 *", PgnFault::ILLEGAL_MOVE, SetupFault::NONE, 1},
      {"1. e4 (1. d4 {never closed", PgnFault::OPEN_VARIATION, SetupFault::NONE, 1},
      {"1. e4\n{never closed\n1-0", PgnFault::OPEN_COMMENT, SetupFault::NONE, 2},
      {endlessGame(), PgnFault::PLY_LIMIT, SetupFault::NONE, MAX_GAME_PLIES / 4 + 1},
      {std::string("\xFF\xFE[\0E\0", 6), PgnFault::WIDE_TEXT, SetupFault::NONE, 1},
      {std::string("[\0E\0v\0", 6), PgnFault::WIDE_TEXT, SetupFault::NONE, 1},
      {"[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\n1. Kd2 *", PgnFault::NONE, SetupFault::NONE, 0},
  };
  for (const auto& c : cases) {
    Game game;
    PgnGameInfo info;
    PgnReader().readGame(writeFile("fault.pgn", c.text), 0, nullptr, game, &info);
    const std::string shown = c.text.substr(0, 60);
    EXPECT_EQ(info.fault, c.fault) << shown;
    EXPECT_EQ(info.setupFault, c.setup) << shown;
    EXPECT_EQ(info.errorLine, c.errorLine) << shown;
  }
}

// A folder or a pipe is refused before any open, which would block on a pipe.
TEST(PgnReadGame, NonRegularFilesAreRefusedAtOnce) {
  const std::string folder = ::testing::TempDir() + "folder.pgn";
  const std::string pipe = ::testing::TempDir() + "pipe.pgn";
  std::filesystem::create_directories(folder);
  std::filesystem::remove(pipe);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {folder, pipe, std::string("/dev/zero")}) {
    Game game;
    PgnGameInfo info;
    EXPECT_EQ(PgnReader().readGame(path, 0, nullptr, game, &info), 0) << path;
    EXPECT_EQ(info.fault, PgnFault::NOT_REGULAR_FILE) << path;
    OpeningBook book;
    BookLoadStop stop = BookLoadStop::NONE;
    EXPECT_EQ(book.loadBook(path, game, nullptr, &stop), 0) << path;
    EXPECT_EQ(stop, BookLoadStop::NOT_REGULAR_FILE) << path;
  }
}

// Written games read back as the same moves, by this reader and by pgn-extract.
TEST(PgnWriter, StandardSanReadBackByAnIndependentReader) {
  const std::string knights = "g1f3 g8f6 f3g1 f6g8 ";
  const struct {
    const char* fen;
    std::string moves;
    const char* result;
    const char* movetext;
  } cases[] = {
      {INITIAL_FEN, "e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1", "*", "1. e4 e5 2. Nf3 Nc6 3. Bc4 Nf6 4. O-O *\n"},
      {INITIAL_FEN, "f2f3 e7e5 g2g4 d8h4", "0-1", "1. f3 e5 2. g4 Qh4# {Checkmate} 0-1\n"},
      {"4k3/P7/8/8/8/8/7p/4K3 b - - 0 1", "h2h1=N a7a8=Q", "*", "1... h1=N 2. a8=Q+ *\n"},
      {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "b1d2", "1/2-1/2", "1. Nbd2 1/2-1/2\n"},
      {INITIAL_FEN, knights + knights + knights + knights + knights, "*",
       "1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 5. Nf3 Nf6 6. Ng1 Ng8 7. Nf3 Nf6 8.\n"
       "Ng1 Ng8 9. Nf3 Nf6 10. Ng1 Ng8 *\n"},
  };
  for (const auto& c : cases) {
    PgnMoves game;
    game.start = fromFen(c.fen);
    game.fromInitialPosition = std::string(c.fen) == INITIAL_FEN;
    CChessBoard position = game.start;
    std::istringstream in(c.moves);
    std::string extracted;
    for (std::string word; in >> word;) {
      const Move move = parseCoordinateMove(position, word);
      game.moves.push_back(move);
      makeMove(position, move);
      position.switchSide();
      extracted += word.substr(0, 4) + (word.size() > 4 ? word.substr(5) : "") + ' ';
    }
    const std::string text = writePgnGame({{"White", "Ana \"la\" Roca"}, {"ECO", "C50"}}, game, c.result,
                                          std::string(c.result) == "0-1" ? "Checkmate" : "");
    EXPECT_EQ(text.substr(text.find("\n\n") + 2), c.movetext);
    EXPECT_NE(text.find("[White \"Ana \\\"la\\\" Roca\"]\n"), std::string::npos);
    EXPECT_EQ(text.find("[FEN") == std::string::npos, game.fromInitialPosition) << text;

    const std::string path = writeFile("written.pgn", text);
    EXPECT_EQ(pgnExtractReading(path), extracted + c.result + "\n\n") << text;
    Game back;
    PgnReader reader;
    PgnGameInfo info;
    reader.readGame(path, 0, nullptr, back, &info);
    EXPECT_EQ(positionToFen(back.position), positionToFen(position)) << text;
    EXPECT_EQ(info.tags[4].value, "Ana \"la\" Roca");
  }
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

// A book stops at its named size limit, at a game's end, whatever the file holds.
TEST_F(OpeningBookTest, ABookStopsAtItsEntryLimit) {
  const std::string game10 = "[G \"x\"]\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 *\n\n";
  std::string games;
  for (std::size_t i = 0; i < MAX_BOOK_ENTRIES / 10 + 50; ++i) games += game10;
  BookLoadStop stop = BookLoadStop::NONE;
  book.loadBook(writeFile("big.pgn", games), game, nullptr, &stop);
  EXPECT_EQ(stop, BookLoadStop::ENTRY_LIMIT);
  EXPECT_EQ(book.entryCount(), MAX_BOOK_ENTRIES);
  EXPECT_NE(bookLoadStopText(stop).find(std::to_string(MAX_BOOK_ENTRIES)), std::string::npos);
  book.loadBook(writeFile("small.pgn", game10), game, nullptr, &stop);
  EXPECT_EQ(stop, BookLoadStop::ENTRY_LIMIT);
  EXPECT_EQ(book.entryCount(), MAX_BOOK_ENTRIES);
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
