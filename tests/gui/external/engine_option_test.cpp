#include "external/engine_option.h"

#include <gtest/gtest.h>

namespace {

struct OptionRow {
  const char* text;
  bool uci;
  const char* name;
  EngineOption::Type type;
  const char* defaultValue;
  int min, max;
  QStringList choices;
};

// Lines as Stockfish, GNU Chess, Fairy-Max and Phalanx declare them.
const OptionRow ROWS[] = {
    {"option name Skill Level type spin default 20 min 0 max 20", true, "Skill Level", EngineOption::Type::Spin, "20", 0, 20, {}},
    {"option name Debug Log File type string default ", true, "Debug Log File", EngineOption::Type::String, "", 0, 0, {}},
    {"option name Clear Hash type button", true, "Clear Hash", EngineOption::Type::Button, "", 0, 0, {}},
    {"option name Ponder type check default false", true, "Ponder", EngineOption::Type::Check, "false", 0, 0, {}},
    {"option name NullMove Pruning type combo default Fail High var Always var Fail High var Never", true,
     "NullMove Pruning", EngineOption::Type::Combo, "Fail High", 0, 0, {"Always", "Fail High", "Never"}},
    {"option name SyzygyPath type string default <empty>", true, "SyzygyPath", EngineOption::Type::String, "", 0, 0, {}},
    {"Resign Threshold -spin 800 200 1200", false, "Resign Threshold", EngineOption::Type::Spin, "800", 200, 1200, {}},
    {"Resign -check 0", false, "Resign", EngineOption::Type::Check, "false", 0, 0, {}},
    {"Randomizer (0-50) -slider 0 0 50", false, "Randomizer (0-50)", EngineOption::Type::Spin, "0", 0, 50, {}},
    {"Makruk rules -combo makruk /// *Cambodian /// Ai-wok", false, "Makruk rules", EngineOption::Type::Combo,
     "Cambodian", 0, 0, {"makruk", "Cambodian", "Ai-wok"}},
    {"Dummy String Example -string happy birthday!", false, "Dummy String Example", EngineOption::Type::String,
     "happy birthday!", 0, 0, {}},
    {"Clear Hash -button", false, "Clear Hash", EngineOption::Type::Button, "", 0, 0, {}},
};

TEST(EngineOption, DeclaredOptionsAreReadWithTheirRangesAndChoices) {
  for (const OptionRow& row : ROWS) {
    SCOPED_TRACE(row.text);
    const auto option = row.uci ? parseUciOption(row.text) : parseCecpOption(row.text);
    ASSERT_TRUE(option.has_value());
    EXPECT_EQ(option->name, row.name);
    EXPECT_EQ(option->type, row.type);
    EXPECT_EQ(option->defaultValue, row.defaultValue);
    EXPECT_EQ(option->value, option->defaultValue);
    EXPECT_EQ(option->min, row.min);
    EXPECT_EQ(option->max, row.max);
    EXPECT_EQ(option->choices, row.choices);
  }
}

TEST(EngineOption, LinesThatDeclareNothingGiveNoOption) {
  for (const char* text : {"option name Foo type colour default red", "option", "info depth 3", "id name X"})
    EXPECT_FALSE(parseUciOption(text)) << text;
  for (const char* text : {"Nothing typed here", "-spin 1 0 2", "Short -spin 5"}) EXPECT_FALSE(parseCecpOption(text)) << text;
}

TEST(EngineOption, OnlyValidValuesAreAcceptedAndEachProtocolSetsItsOwnWay) {
  EngineOption skill = *parseUciOption("option name Skill Level type spin default 20 min 0 max 20");
  EXPECT_TRUE(skill.accepts("0"));
  EXPECT_FALSE(skill.accepts("21"));
  EXPECT_FALSE(skill.accepts("tres"));
  skill.value = "3";
  EXPECT_TRUE(skill.isChanged());
  EXPECT_EQ(uciSetOptionCommand(skill), "setoption name Skill Level value 3");
  EngineOption resign = *parseCecpOption("Resign -check 0");
  resign.value = "true";
  EXPECT_EQ(cecpOptionCommand(resign), "option Resign=1");
  EXPECT_EQ(cecpOptionCommand(*parseCecpOption("Clear Hash -button")), "option Clear Hash");
}

}  // namespace

#include "external/cecp_engine.h"

namespace {

TEST(CecpEngine, FeatureLinesMoveLinesAndCastlingAreRead) {
  const auto pairs = CecpEngine::parseFeatures(R"(myname="Phalanx XXV" setboard=1 option="Randomizer (0-50) -slider 0 0 50" ping=1 )");
  ASSERT_EQ(pairs.size(), 4);
  EXPECT_EQ(pairs[0], (std::pair<QString, QString>{"myname", "Phalanx XXV"}));
  EXPECT_EQ(pairs[2].second, "Randomizer (0-50) -slider 0 0 50");
  EXPECT_EQ(pairs[3], (std::pair<QString, QString>{"ping", "1"}));
  const std::pair<const char*, const char*> lines[] = {
      {"move e2e4", "e2e4"}, {"My move is : d7d5", "d7d5"}, {"move e7e8q", "e7e8q"}, {"1. ... e7e5", ""}, {"moves", ""}};
  for (const auto& [line, move] : lines) EXPECT_EQ(CecpEngine::moveOfLine(line), move) << line;
  EXPECT_EQ(CecpEngine::castlingAsCoordinates("O-O", true), "e1g1");
  EXPECT_EQ(CecpEngine::castlingAsCoordinates("O-O-O", false), "e8c8");
  EXPECT_EQ(CecpEngine::castlingAsCoordinates("0-0+", false), "e8g8");
  EXPECT_EQ(CecpEngine::castlingAsCoordinates("g1f3", true), "g1f3");
}

}  // namespace
