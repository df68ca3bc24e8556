#include "engine_line.h"

#include <QStringList>

namespace {

// The first two blank-separated words, each possibly empty.
std::pair<QString, QString> firstTwoWords(const QString& line) {
  const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
  return {words.value(0), words.value(1)};
}

// The reason after the score: the whole text in braces, or else its first word.
QString reasonOf(const QString& line, const QString& secondWord) {
  const qsizetype open = line.indexOf(u'{');
  const qsizetype close = line.indexOf(u'}', open + 1);
  if (open >= 0 && close > open) return line.mid(open + 1, close - open - 1).trimmed();
  return secondWord;
}

}  // namespace

EngineLineReaction EngineLineReaction::of(const QString& line, int sideToMove) {
  const QString display = line + u'\n';
  auto [first, second] = firstTwoWords(line);
  EngineLineReaction reaction;

  if (first == QLatin1String("resign") && second.isEmpty()) {
    first = sideToMove ? QStringLiteral("0-1") : QStringLiteral("1-0");
    second = QStringLiteral("resign");
  }
  for (const char* score : {"1-0", "0-1", "1/2-1/2"}) {
    if (first == QLatin1String(score)) {
      reaction.end = GameEnd{first, reasonOf(line, second)};
      reaction.box = INFORMATION;
      reaction.boxText = reaction.end->reason + u'\n' + reaction.end->outcome();
      reaction.command = QStringLiteral("result ") + first;
      return reaction;
    }
  }
  if (first == QLatin1String("telluser") || first == QLatin1String("tellusererror")) {
    reaction.box = first == QLatin1String("telluser") ? INFORMATION : ERROR;
    reaction.boxText = display.mid(8);
  }
  return reaction;
}
