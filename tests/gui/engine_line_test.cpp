#include "engine/engine_line.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(EngineLine, GivesBoxAndCommand) {
  constexpr auto INFO = EngineLineReaction::INFORMATION, NONE = EngineLineReaction::NO_BOX;
  const std::tuple<const char*, EngineLineReaction::Box, const char*, const char*> cases[] = {
      {"1-0 Checkmate", INFO, "Checkmate\nWhite wins", "result 1-0"},
      {"  0-1\tresign", INFO, "resign\nBlack wins", "result 0-1"},
      // Only the first word of the reason reaches the box.
      {"1/2-1/2 Insufficient material.", INFO, "Insufficient\nDraw", "result 1/2-1/2"},
      {"1-0", INFO, "\nWhite wins", "result 1-0"},
      // The braced form gives the whole reason; a bare "resign" is the side to move's (White here).
      {"1/2-1/2 {Insufficient material}", INFO, "Insufficient material\nDraw", "result 1/2-1/2"},
      {"1/2-1/2 {Fifty move rule}", INFO, "Fifty move rule\nDraw", "result 1/2-1/2"},
      {"resign", INFO, "resign\nBlack wins", "result 0-1"},
      // The display text loses its first eight characters.
      {"telluser hello there", INFO, " hello there\n", ""},
      {"tellusererror bad move", EngineLineReaction::ERROR, "error bad move\n", ""},
      {"move e7e5", NONE, "", ""}, {"1-0x Checkmate", NONE, "", ""}};
  for (const auto& [line, box, boxText, command] : cases) {
    const EngineLineReaction reaction = EngineLineReaction::of(QString::fromLatin1(line));
    EXPECT_EQ(reaction.box, box) << line;
    EXPECT_EQ(reaction.boxText.toStdString(), boxText) << line;
    EXPECT_EQ(reaction.command.toStdString(), command) << line;
  }
}

}  // namespace
