#pragma once
// One setting an engine declares about itself: UCI's "option name ... type
// ..." lines and CECP's feature option="Name -type ...". The player edits the
// value; the engine is told only values that differ from its own default.

#include <QString>
#include <QStringList>

#include <optional>

struct EngineOption {
  enum class Type { Check, Spin, Combo, Button, String, File };

  QString name;
  Type type = Type::String;
  QString defaultValue;
  QString value;  // what the engine is to use; starts as the default
  int min = 0, max = 0;  // Spin only
  QStringList choices;   // Combo only

  bool isChanged() const { return type != Type::Button && value != defaultValue; }
  // A value the engine accepts: within a spin's range, one of a combo's choices.
  bool accepts(const QString& text) const;
  // "check", "spin", ... as the table shows the type.
  QString typeName() const;
};

// "option name Skill Level type spin default 20 min 0 max 20"; nothing for
// any other line or an unknown type.
std::optional<EngineOption> parseUciOption(const QString& line);
// The text inside feature option="...": "Resign Threshold -spin 800 200 1200".
std::optional<EngineOption> parseCecpOption(const QString& text);

// What each protocol sends to set the option to its value.
QString uciSetOptionCommand(const EngineOption& option);
QString cecpOptionCommand(const EngineOption& option);
