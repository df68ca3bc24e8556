#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "book/opening_book.h"
#include "driver/engine_io.h"
#include "driver/random.h"
#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "reference_search.h"
#include "search/engine_player.h"

namespace {

CChessBoard fromFen(const std::string& fen) {
  auto position = positionFromFen(fen);
  EXPECT_TRUE(position) << fen;
  return position ? *position : CChessBoard();
}

CChessBoard initialPosition() {
  CChessBoard position;
  position.setupInitialPosition();
  return position;
}

CChessBoard afterMoves(const std::vector<std::string>& moves) {
  CChessBoard position = initialPosition();
  for (const std::string& text : moves) {
    Move move = parseCoordinateMove(position, text);
    makeMove(position, move);
    position.switchSide();
  }
  return position;
}

std::vector<std::string> words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> result;
  for (std::string word; in >> word;) result.push_back(word);
  return result;
}

bool isNumber(const std::string& text) {
  std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  return text.size() > start && text.find_first_not_of("0123456789", start) == std::string::npos;
}

// Captures what the engine sends and what it tells its host.
class RecordingHost : public EngineHost {
 public:
  explicit RecordingHost(bool windowed) : windowed(windowed) {}
  std::vector<std::string> events;
  bool windowed;

  bool takeCommand(std::string&) override { return false; }
  void lineWritten(const std::string& text) override { events.push_back("line " + text); }
  void debugText(const std::string&, int) override {}
  void notifyHost(int code, int value) override {
    events.push_back("notify " + std::to_string(code) + " " + std::to_string(value));
  }
  void searchStats(int nodes, int) override { events.push_back("stats " + std::to_string(nodes)); }
  bool isWindowedProgram() const override { return windowed; }
};

class EnginePlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngineIO::instance().setOutput(&output);
    EngineIO::instance().stopRequested = false;
    OpeningBook::instance().clearBook();
  }
  void TearDown() override {
    EngineIO::instance().setOutput(nullptr);
    EngineIO::instance().setHost(nullptr);
    EngineIO::instance().stopRequested = false;
    OpeningBook::instance().clearBook();
  }
  std::vector<std::string> sentLines() const {
    std::vector<std::string> lines;
    std::istringstream in(output.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::ostringstream output;
};

struct SearchCase {
  const char* name;
  const char* fen;
  const char* move;  // "h8h8" for RESIGN_MOVE
  int score;
  int lineLength;  // first field of the thinking line
};

const SearchCase SEARCH_CASES[] = {
    // 1.f3 e5 2.g4: the mated side's list is cut short by the probe and must
    // still count as having no legal move.
    {"FoolsMate", "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2", "d8h4", -9000, -1},
    // White's quiet mate cuts the root's own expansion: the cutting move is played.
    {"QuietMateCutsRoot", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", 9001, 0},
    // Stalemating the opponent scores like a mate.
    {"StalemateIsPreferred", "k7/8/8/8/3Q4/8/8/K7 w - - 0 1", "d4b6", 9000, -1},
    {"WhiteCheckmated", "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3", "h8h8", -9000, 0},
    {"BlackStalemated", "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "h8h8", 9000, 0},
};

TEST_F(EnginePlayerTest, MatesStalematesAndResignation) {
  for (const SearchCase& c : SEARCH_CASES) {
    SCOPED_TRACE(c.name);
    output.str("");
    EnginePlayer player;
    player.post = true;
    const CChessBoard position = fromFen(c.fen);
    const Move move = player.runSearch(position);
    EXPECT_EQ(moveToCoordinates(move), c.move);
    EXPECT_EQ(player.lastScore, c.score);
    const ReferenceResult reference = referenceSearch(position, 4);
    EXPECT_EQ(moveToCoordinates(reference.move), c.move);
    EXPECT_EQ(reference.nodes, player.nodeCount);
    if (c.lineLength >= 0) {
      EXPECT_EQ(reference.lineLength, c.lineLength);
    }

    const auto lines = sentLines();
    ASSERT_EQ(lines.size(), 1u);
    const std::string start = std::to_string(reference.lineLength) + " " + std::to_string(c.score) + " ";
    EXPECT_EQ(lines[0].rfind(start, 0), 0u) << lines[0];
  }
}

TEST_F(EnginePlayerTest, BlackMateFoundAfterFoolsOpeningFromTheGame) {
  EnginePlayer player;
  EXPECT_EQ(moveToCoordinates(player.runSearch(afterMoves({"f2f3", "e7e5", "g2g4"}))), "d8h4");
}

TEST_F(EnginePlayerTest, ThinkingLineHasFiveFieldsWithWhitesSign) {
  EnginePlayer player;
  player.post = true;
  player.runSearch(afterMoves({"e2e4"}));
  const auto lines = sentLines();
  ASSERT_EQ(lines.size(), 1u);
  const auto fields = words(lines[0]);
  ASSERT_EQ(fields.size(), 5u) << lines[0];
  EXPECT_EQ(lines[0].find("  "), std::string::npos);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(isNumber(fields[i])) << lines[0];
  EXPECT_EQ(fields[0], "4");
  EXPECT_EQ(fields[1], std::to_string(player.lastScore));
  EXPECT_EQ(fields[3], std::to_string(player.nodeCount));
  EXPECT_EQ(fields[4], "[error]");
  EXPECT_EQ(player.lastLineLength(), 4);
}

TEST_F(EnginePlayerTest, NoThinkingLineWithoutPost) {
  EnginePlayer player;
  player.runSearch(initialPosition());
  EXPECT_TRUE(output.str().empty());
  EXPECT_GT(player.nodeCount, 0);
}

// "?" while idle: the root's first child is searched in full, every later one
// returns 0, and the flag is cleared.
TEST_F(EnginePlayerTest, StopRequestCutsTheNextSearch) {
  const CChessBoard positions[] = {initialPosition(), afterMoves({"e2e4"}),
                                   fromFen("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3")};
  for (const CChessBoard& position : positions) {
    EnginePlayer full;
    full.runSearch(position);
    EnginePlayer stopped;
    EngineIO::instance().stopRequested = true;
    const Move move = stopped.runSearch(position);
    EXPECT_FALSE(EngineIO::instance().stopRequested);
    EXPECT_LT(stopped.nodeCount, full.nodeCount);

    const ReferenceResult reference = referenceSearch(position, 4, Move(), true);
    EXPECT_TRUE(move.sameSquares(reference.move));
    EXPECT_EQ(stopped.lastScore, reference.score);
    EXPECT_EQ(stopped.nodeCount, reference.nodes);
  }
}

TEST_F(EnginePlayerTest, LastCutMoveCarriesOverBetweenSearches) {
  EnginePlayer player;
  const CChessBoard first = afterMoves({"e2e4", "e7e5"});
  const CChessBoard second = afterMoves({"e2e4", "e7e5", "g1f3"});
  player.runSearch(first);
  const Move carried = player.lastCutMove;
  const ReferenceResult fromFirst = referenceSearch(first, 4);
  EXPECT_TRUE(carried.sameSquares(fromFirst.lastCutMove));
  player.runSearch(second);
  const ReferenceResult reference = referenceSearch(second, 4, carried);
  EXPECT_EQ(player.nodeCount, reference.nodes);
  EXPECT_EQ(player.lastScore, reference.score);
}

TEST_F(EnginePlayerTest, BookMoveFirstThenSearchEmptiesTheBook) {
  OpeningBook& book = OpeningBook::instance();
  CChessBoard start = initialPosition();
  CChessBoard afterE4 = afterMoves({"e2e4"});
  book.addEntry(start, parseCoordinateMove(start, "e2e4"));
  book.addEntry(afterE4, parseCoordinateMove(afterE4, "e7e5"));

  EnginePlayer player;
  player.post = true;
  EXPECT_EQ(moveToCoordinates(player.chooseMove(start)), "e2e4");
  EXPECT_EQ(moveToCoordinates(player.chooseMove(afterE4)), "e7e5");
  EXPECT_TRUE(output.str().empty());  // book moves send no thinking line
  EXPECT_EQ(player.nodeCount, 0);

  player.chooseMove(afterMoves({"d2d4"}));  // not in the book: searched
  EXPECT_EQ(book.entryCount(), 0u);
  EXPECT_EQ(sentLines().size(), 1u);
  const int nodesAfterD4 = player.nodeCount;
  EXPECT_GT(nodesAfterD4, 0);

  player.chooseMove(start);  // searched now, and counted from 0 again
  EXPECT_EQ(sentLines().size(), 2u);
}

TEST_F(EnginePlayerTest, BookChoiceFollowsTheRandomIndex) {
  OpeningBook& book = OpeningBook::instance();
  CChessBoard start = initialPosition();
  for (const char* text : {"e2e4", "e2e4", "e2e4", "d2d4"}) book.addEntry(start, parseCoordinateMove(start, text));
  engineSrand(12345);
  int e4 = 0;
  EnginePlayer player;
  for (int i = 0; i < 400; ++i) e4 += moveToCoordinates(player.chooseMove(start)) == "e2e4";
  EXPECT_GT(e4, 250);
  EXPECT_LT(e4, 350);
}

TEST(BookMoveIndex, IndexArithmetic) {
  struct Case {
    int count, r, index;
  };
  const Case cases[] = {{1, 0, 0},     {1, 32767, 0},  {4, 0, 0},         {4, 8191, 0},
                        {4, 8192, 1},  {4, 32766, 3},  {4, 32767, 3},     {3, 10922, 0},
                        {3, 10923, 1}, {3, 32767, 2},  {1000, 32767, 999}, {1000, 32766, 999}};
  for (const Case& c : cases) EXPECT_EQ(bookMoveIndex(c.count, c.r), c.index) << c.count << " " << c.r;
}

TEST_F(EnginePlayerTest, HostHearsCreationStartAndStatistics) {
  for (bool windowed : {false, true}) {
    RecordingHost host(windowed);
    EngineIO::instance().setHost(&host);
    EnginePlayer player;
    player.chooseMove(initialPosition());
    EngineIO::instance().setHost(nullptr);

    ASSERT_GE(host.events.size(), 3u);
    EXPECT_EQ(host.events[0], "notify 1036 0");
    EXPECT_EQ(host.events[1], "notify 1032 0");
    EXPECT_EQ(host.events[2], "stats " + std::to_string(player.nodeCount));
    if (windowed) {
      ASSERT_EQ(host.events.size(), 4u);
      const std::string& speed = host.events[3];
      ASSERT_GE(speed.size(), 9u) << speed;
      EXPECT_EQ(speed.substr(0, 6), "line (") << speed;
      EXPECT_EQ(speed.substr(speed.size() - 3, 1), ".") << speed;
      EXPECT_EQ(speed.back(), ')') << speed;
    } else {
      EXPECT_EQ(host.events.size(), 3u);
    }
  }
}

TEST_F(EnginePlayerTest, EvaluateNodeCounts) {
  EnginePlayer player;
  EXPECT_EQ(player.evaluateNode(afterMoves({"g1f3"})), 10);
  EXPECT_EQ(player.evaluateNode(initialPosition()), 0);
  EXPECT_EQ(player.nodeCount, 2);
}

}  // namespace
