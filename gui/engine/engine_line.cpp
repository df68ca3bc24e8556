#include "engine_line.h"

EngineLineReaction EngineLineReaction::of(const QString& line, int sideToMove) {
  EngineLineReaction reaction;
  if (std::optional<GameEnd> end = GameEnd::ofResultLine(line, sideToMove)) {
    reaction.end = std::move(end);
    reaction.box = INFORMATION;
    reaction.boxText = reaction.end->reason + u'\n' + reaction.end->outcome();
    reaction.command = QStringLiteral("result ") + reaction.end->score;
    return reaction;
  }
  const QString first = line.simplified().section(u' ', 0, 0);
  if (first == QLatin1String("telluser") || first == QLatin1String("tellusererror")) {
    reaction.box = first == QLatin1String("telluser") ? INFORMATION : ERROR;
    reaction.boxText = (line + u'\n').mid(8);
  }
  return reaction;
}
