#include "engine_line.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
  const char* line;
  EngineLineReaction::Box box;
  const char* boxText;
  const char* command;
};

class EngineLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(EngineLineTest, GivesBoxAndCommand) {
  const LineCase& c = GetParam();
  const EngineLineReaction reaction = EngineLineReaction::of(QString::fromLatin1(c.line));
  EXPECT_EQ(reaction.box, c.box) << c.line;
  EXPECT_EQ(reaction.boxText.toStdString(), c.boxText);
  EXPECT_EQ(reaction.command.toStdString(), c.command);
}

constexpr auto INFO = EngineLineReaction::INFORMATION;
constexpr auto NONE = EngineLineReaction::NO_BOX;

INSTANTIATE_TEST_SUITE_P(
    Lines, EngineLineTest,
    ::testing::Values(LineCase{"1-0 Checkmate", INFO, "Checkmate\nWhite wins", "result 1-0"},
                      LineCase{"  0-1\tresign", INFO, "resign\nBlack wins", "result 0-1"},
                      // Only the first word of the reason reaches the box.
                      LineCase{"1/2-1/2 Insufficient material.", INFO, "Insufficient\nDraw", "result 1/2-1/2"},
                      LineCase{"1-0", INFO, "\nWhite wins", "result 1-0"},
                      // The display text loses its first eight characters.
                      LineCase{"telluser hello there", INFO, " hello there\n", ""},
                      LineCase{"tellusererror bad move", EngineLineReaction::ERROR, "error bad move\n", ""},
                      LineCase{"move e7e5", NONE, "", ""}, LineCase{"1-0x Checkmate", NONE, "", ""}));

}  // namespace
