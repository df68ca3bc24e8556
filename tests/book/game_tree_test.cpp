// A game as a tree: read with its comments, NAGs and variations, written back
// so that another reader finds all of them, and moves added to it.

#include <gtest/gtest.h>

#include <sstream>

#include "book/game_tree.h"
#include "book/pgn_reader.h"
#include "book/pgn_writer.h"
#include "driver/game.h"
#include "position/fen.h"
#include "position/notation.h"
#include "test_positions.h"

namespace {

const char* const ANNOTATED =
    "[Event \"Annotated\"]\n[Site \"?\"]\n[Date \"2024.01.01\"]\n[Round \"1\"]\n[White \"A\"]\n[Black \"B\"]\n"
    "[Result \"1-0\"]\n\n"
    "{Start of the game} 1. e4 {[%clk 0:03:00] Best by test} e5! (1... c5 {Sicilian} 2. Nf3 (2. c3 d5\n"
    "(2... Nf6)) 2... d6) 2. Nf3 Nc6 3. Bb5 $14 {Ruy Lopez} a6 4. Ba4 (4. Bxc6 dxc6 {Exchange}) {The main\n"
    "road} 4... Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 9. h3 $5 Nb8 10. d4 Nbd7 1-0\n";

struct Read {
  PgnGameInfo info;
  std::vector<Move> moves;
};

Read readFile(const std::string& path) {
  Read read;
  Game game;
  PgnReader reader;
  reader.readGame(path, 0, nullptr, game, &read.info);
  for (const CChessBoard& after : game.history) read.moves.push_back(after.lastMove);
  return read;
}

std::string written(const Read& read) {
  PgnMoves game;
  game.start = read.info.start;
  game.fromInitialPosition = positionToFen(game.start) == INITIAL_FEN;
  for (const PgnTag& tag : read.info.tags)
    if (tag.name == "FEN") game.startCounters = fenCounters(tag.value);
  game.moves = read.moves;
  game.tree = read.info.tree;
  return writePgnGame(read.info.tags, game, read.info.result);
}

std::string san(const CChessBoard& start, const GameTree& tree, const TreePath& path) {
  const TreeMove* node = treeMoveAt(tree, path);
  const std::optional<CChessBoard> before = treePositionBefore(start, tree, path);
  return node && before ? standardSan(*before, node->move) : "?";
}

// pgn-extract's own export of a file: comments and variations included.
std::string pgnExtractExport(const std::string& path) {
  std::string text;
  if (std::FILE* out = popen(("/usr/games/pgn-extract -s --notags -w1000 '" + path + "' 2>&1").c_str(), "r")) {
    for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
    pclose(out);
  }
  return text;
}

// Read, written, read again: the same tree, the same text, and the same
// game for pgn-extract as the file it came from.
TEST(GameTree, AnnotatedGameSurvivesReadingAndWriting) {
  const Read read = readFile(writeFile("annotated.pgn", ANNOTATED));
  ASSERT_EQ(read.info.fault, PgnFault::NONE);
  const GameTree& tree = read.info.tree;
  const CChessBoard& start = read.info.start;
  EXPECT_EQ(tree.startComment, "Start of the game");
  ASSERT_EQ(tree.main.moves.size(), 20u);
  EXPECT_EQ(tree.main.moves[0].after, "[%clk 0:03:00] Best by test");
  EXPECT_EQ(tree.main.moves[1].nags, std::vector<int>{1});
  EXPECT_EQ(san(start, tree, {1, 0, 1, 0, 1, 0, 0}), "Nf6");  // three deep
  EXPECT_EQ(san(start, tree, {1, 0, 2}), "d6");
  EXPECT_EQ(tree.main.moves[4].nags, std::vector<int>{14});
  EXPECT_EQ(tree.main.moves[6].variations[0].moves[1].after, "Exchange");
  EXPECT_EQ(tree.main.moves[7].before, "The main\nroad");

  const std::string text = written(read);
  const std::string movetext = text.substr(text.find("\n\n") + 2);
  std::string flat = movetext;
  std::replace(flat.begin(), flat.end(), '\n', ' ');
  EXPECT_NE(flat.find("{Start of the game} 1. e4 {[%clk 0:03:00] Best by test} 1... e5 $1 (1... c5 {Sicilian} "
                      "2. Nf3 (2. c3 d5 (2... Nf6)) 2... d6) 2. Nf3 Nc6 3. Bb5 $14 {Ruy Lopez} 3... a6 4. Ba4 "
                      "(4. Bxc6 dxc6 {Exchange}) {The main road} 4... Nf6 5. O-O"),
            std::string::npos)
      << movetext;
  std::istringstream lines(movetext);
  for (std::string line; std::getline(lines, line);) EXPECT_LT(line.size(), 80u) << line;

  const std::string again = writeFile("annotated_again.pgn", text);
  const Read reread = readFile(again);
  EXPECT_EQ(written(reread), text);
  const std::string theirs = pgnExtractExport(writeFile("annotated.pgn", ANNOTATED));
  EXPECT_NE(theirs.find("{ Sicilian }"), std::string::npos) << theirs;
  EXPECT_NE(theirs.find("d5 (2... Nf6)) 2... d6)"), std::string::npos) << theirs;
  EXPECT_EQ(pgnExtractExport(again), theirs);
}

// The review's notes merge with the annotations the file had: one NAG of
// the review's kind, one [%eval], and the better line once.
TEST(GameTree, ReviewNotesMergeWithTheTree) {
  Read read = readFile(writeFile("reviewed.pgn", "1. e4 e5 2. Nf3 {[%eval 0.30] solid} $2 (2. Qh5 Nc6) Nc6 *\n"));
  PgnMoves game;
  game.start = read.info.start;
  game.moves = read.moves;
  game.tree = read.info.tree;
  game.annotations.resize(3);
  CChessBoard before = game.start;
  for (int i = 0; i < 2; ++i) {
    makeMove(before, game.moves[static_cast<std::size_t>(i)]);
    before.switchSide();
  }
  game.annotations[2] = {NAG_BLUNDER, WhiteScore::pawns(-150), {parseSanQuietly(before, "Qh5")}, {}};
  const std::string text = writePgnGame({}, game, "*", "Stopped");
  EXPECT_NE(text.find("2. Nf3 $4 {[%eval -1.50] solid} (2. Qh5 Nc6) 2... Nc6 {Stopped} *"), std::string::npos)
      << text;
}

// Move numbers again after a comment or a variation, in lines of a set-up game too.
TEST(GameTree, WriterNumbersBlackMovesAfterInterruptions) {
  const Read read =
      readFile(writeFile("numbers.pgn", "[FEN \"4k3/8/8/8/8/8/8/4K2R w K - 0 30\"]\n\n30. Kd2 {c} Kd7 (30... Ke7 "
                                        "31. Ke3 (31. Rh7+ {check}) Kd6) 31. Ke3 ; rest\n Ke7 $18 *\n"));
  ASSERT_EQ(read.info.fault, PgnFault::NONE);
  std::string text = written(read);
  std::replace(text.begin(), text.end(), '\n', ' ');
  EXPECT_NE(text.find("30. Kd2 {c} 30... Kd7 (30... Ke7 31. Ke3 (31. Rh7+ {check}) 31... Kd6) 31. Ke3 {rest} "
                      "31... Ke7 $18 *"),
            std::string::npos)
      << text;
}

// Hostile or broken movetext: no crash, a bounded tree, and the main line whole.
TEST(GameTree, MalformedAndHostileTextDegradesSafely) {
  CChessBoard start = fromFen(INITIAL_FEN);
  std::string deep = "1. e4 ";
  for (int i = 0; i < 5000; ++i) deep += "(1. d4 ";
  deep += std::string(5000, ')') + " e5 *";
  GameTree tree = parseGameTree(start, deep);
  ASSERT_EQ(tree.main.moves.size(), 2u);
  int depth = 0;
  for (const TreeLine* line = &tree.main; !line->moves[0].variations.empty(); line = &line->moves[0].variations[0])
    ++depth;
  EXPECT_EQ(depth, MAX_VARIATION_DEPTH);

  tree = parseGameTree(start, "{" + std::string(100000, 'x') + "} 1. e4 ) e5 (1... Ke7 2. d4) (1... d5 Ke3 2. c4) "
                              "2. Nf3 (2. Nc3 (2. d4 {never closed");
  EXPECT_EQ(tree.startComment.size(), MAX_COMMENT);
  ASSERT_EQ(tree.main.moves.size(), 3u);
  ASSERT_EQ(tree.main.moves[1].variations.size(), 1u);  // the illegal one's line is gone
  EXPECT_EQ(tree.main.moves[1].variations[0].moves.size(), 1u);
  ASSERT_EQ(tree.main.moves[2].variations.size(), 1u);
  EXPECT_EQ(tree.main.moves[2].variations[0].moves[0].variations[0].moves[0].after, "never closed");

  // The reader of the whole file still refuses the open variation, and written
  // back the tree stays shallow enough for any reader.
  EXPECT_EQ(readFile(writeFile("open.pgn", "1. e4 (1. d4 *\n")).info.fault, PgnFault::OPEN_VARIATION);
  const Read read = readFile(writeFile("deep.pgn", deep));
  EXPECT_EQ(read.info.fault, PgnFault::NONE);
  EXPECT_EQ(pgnExtractReading(writeFile("deep_written.pgn", written(read))).find("rror"), std::string::npos);
}

// Moves played on the tree: steps along it, new variations, longer ones; the
// main line is the game's own, and follows it keeping what it shares.
TEST(GameTree, PlayingMovesAndFollowingTheGame) {
  const CChessBoard start = fromFen(INITIAL_FEN);
  GameTree tree = parseGameTree(start, "1. e4 {king} e5 (1... c5 2. Nf3) 2. Nf3 $1 *");
  auto move = [&](const TreePath& at, const char* text) {
    return parseSanQuietly(*treePosition(start, tree, at), text);
  };
  EXPECT_EQ(playInTree(tree, {0}, move({0}, "e5"))->path, (TreePath{1}));
  const TreeStep known = *playInTree(tree, {0}, move({0}, "c5"));
  EXPECT_EQ(known.path, (TreePath{1, 0, 0}));
  EXPECT_FALSE(known.added);
  const TreeStep fresh = *playInTree(tree, {0}, move({0}, "e6"));
  EXPECT_EQ(fresh.path, (TreePath{1, 1, 0}));
  EXPECT_TRUE(fresh.added);
  const TreeStep longer = *playInTree(tree, fresh.path, move(fresh.path, "d4"));
  EXPECT_EQ(longer.path, (TreePath{1, 1, 1}));
  EXPECT_EQ(san(start, tree, longer.path), "d4");
  const TreeStep first = *playInTree(tree, {}, move({}, "d4"));
  EXPECT_EQ(first.path, (TreePath{0, 0, 0}));
  EXPECT_FALSE(playInTree(tree, {2}, move({2}, "Nc6")).has_value());
  EXPECT_FALSE(playInTree(tree, {7, 0, 0}, Move()).has_value());

  std::vector<Move> game;
  for (const TreeMove& node : tree.main.moves) game.push_back(node.move);
  game.push_back(move({2}, "Nc6"));
  followMainLine(tree, game);
  EXPECT_EQ(tree.main.moves.size(), 4u);
  EXPECT_EQ(tree.main.moves[2].nags, std::vector<int>{1});
  game.resize(1);
  followMainLine(tree, game);
  ASSERT_EQ(tree.main.moves.size(), 1u);
  EXPECT_EQ(tree.main.moves[0].after, "king");
}

}  // namespace
