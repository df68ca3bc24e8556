#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "book/pgn_reader.h"
#include "driver/game.h"
#include "position/notation.h"

namespace {

std::string writeFile(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// Every token of a text, up to and including the first empty one or "-1".
std::vector<std::string> tokens(const std::string& text) {
  PgnReader reader;
  reader.attach(std::fopen(writeFile("tokens.pgn", text).c_str(), "r"));
  std::vector<std::string> result;
  for (int i = 0; i < 50; ++i) {
    result.push_back(reader.nextToken());
    const std::string& last = result.back();
    if (last.empty() || last == "-1" || last == "1-0" || last == "0-1" || last == "1/2-1/2") break;
  }
  return result;
}

using Tokens = std::vector<std::string>;

TEST(PgnReaderTokens, Movetext) {
  struct Case {
    const char* text;
    Tokens expected;
  };
  const Case cases[] = {
      {"1. e4 e5 2. Nf3 *", {"e4", "e5", "Nf3", ""}},
      {"12...Nf6 13.Bb5", {"Nf6", "Bb5", ""}},
      {"e4 {a comment\nover lines} $1 e5", {"e4", "e5", ""}},
      {"e4 {one} e5", {"e4", "e5", ""}},
      {"{opening}Nf3 e4", {"e4", ""}},  // the rest of the closing word goes with the comment
      {"e4 {never closed", {"e4", "-1"}},
      {"0-0 O-O 0-0-0+ 10.0-0", {"0-0", "O-O", "0-0-0", ""}},
      {"e4 0-1 e5", {"e4", "0-1"}},
      {"e4 1/2-1/2", {"e4", "1/2-1/2"}},
      {"e4 1-0", {"e4", "1-0"}},
      {"e4 e5 [Event \"next\"]", {"e4", "e5", ""}},
      {"e4! e5?", {"e4!", "e5?", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(tokens(c.text), c.expected) << c.text;
}

TEST(PgnReaderTokens, TagWordIsLeftForTheNextGame) {
  const std::string path = writeFile("tagword.pgn", "e4 [Event \"x\"]");
  PgnReader reader;
  std::FILE* file = std::fopen(path.c_str(), "r");
  reader.attach(file);
  EXPECT_EQ(reader.nextToken(), "e4");
  EXPECT_EQ(reader.nextToken(), "");
  EXPECT_EQ(std::fgetc(file), '[');
}

TEST(PgnReaderTokens, SkipTagsStopsAtMovetext) {
  const std::string path = writeFile("tags.pgn", "[Event \"a b\"]\n[Site \"]\"]\n\n1. d4 *");
  PgnReader reader;
  std::FILE* file = std::fopen(path.c_str(), "r");
  reader.attach(file);
  reader.skipTags();
  EXPECT_EQ(reader.nextToken(), "]");  // a "]" inside a value ends the tag early; "]" counts as a letter
}

TEST(PgnReaderTokens, CastlingToken) {
  struct Case {
    const char* word;
    const char* token;
  };
  const Case cases[] = {{"0-0", "0-0"},     {"0-0-0", "0-0-0"}, {"0-0+", "0-0"},   {"12.0-0", "0-0"}, {"10.0-0", ""},
                        {"O-O", ""},        {"0-1", ""},        {"1-0", ""},       {"0-0-0-0", ""},
                        {"0-0abcdefgh", ""}, {"0-0abcdefg", "0-0"}, {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(PgnReader::castlingToken(c.word), c.token) << c.word;
}

class PgnReadGame : public ::testing::Test {
 protected:
  Game& game = Game::instance();
  PgnReader reader;
};

TEST_F(PgnReadGame, MovetextWithoutTags) {
  const std::string path = writeFile("plain.pgn", "1. e4 e5 2. Nf3 *\n");
  EXPECT_EQ(reader.readGame(path, 0, nullptr), 0);
  EXPECT_EQ(game.position.squares[0x25], WHITE_KNIGHT);
  EXPECT_EQ(game.position.sideToMove, 0);
}

TEST_F(PgnReadGame, OffsetsWalkTheGames) {
  const std::string first = "[Event \"one\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n\n";
  const std::string second = "[Event \"two\"]\n[Result \"0-1\"]\n\n1. d4 d5 2. c4 0-1\n";
  const std::string path = writeFile("two.pgn", first + second);
  const long next = reader.readGame(path, 0, nullptr);
  EXPECT_EQ(next, static_cast<long>(first.size()));
  EXPECT_EQ(game.position.squares[0x34], WHITE_PAWN);
  EXPECT_EQ(reader.readGame(path, next, nullptr), 0);
  EXPECT_EQ(game.position.squares[0x32], WHITE_PAWN);  // c4
  EXPECT_EQ(game.position.squares[0x34], EMPTY);
}

TEST_F(PgnReadGame, CastlingInBothSpellings) {
  for (const char* castle : {"0-0", "O-O"}) {
    const std::string text = std::string("1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. ") + castle + " *";
    EXPECT_EQ(reader.readGame(writeFile("castle.pgn", text), 0, nullptr), 0);
    EXPECT_EQ(game.position.squares[G1], WHITE_KING) << castle;
    EXPECT_EQ(game.position.squares[F1], WHITE_ROOK) << castle;
  }
}

TEST_F(PgnReadGame, UnreadableWordStopsWithMovesBeforeItPlayed) {
  const char* texts[] = {"1. e4 e5 2. Nf3! Nc6 *", "1. e4 e5 2. Nf3 Nc6 3. Qxf7xyzzy *", "1. e4 e5 2. Ke3 Nc6 *"};
  for (const char* text : texts) {
    EXPECT_EQ(reader.readGame(writeFile("bad.pgn", text + std::string("\n\n[Event \"next\"]\n1. d4 *")), 0, nullptr), 0)
        << text;
    EXPECT_EQ(game.position.squares[0x34], WHITE_PAWN) << text;
    EXPECT_EQ(game.position.squares[0x44], BLACK_PAWN) << text;
  }
}

TEST_F(PgnReadGame, MissingFileReadsNothing) {
  EXPECT_EQ(reader.readGame(::testing::TempDir() + "missing.pgn", 0, nullptr), 0);
  EXPECT_EQ(game.position.squares[0x14], WHITE_PAWN);  // reset to the initial position
}

}  // namespace
