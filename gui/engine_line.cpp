#include "engine_line.h"

#include <QStringList>

namespace {

// The first two blank-separated words, each possibly empty.
std::pair<QString, QString> firstTwoWords(const QString& line) {
  const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
  return {words.value(0), words.value(1)};
}

}  // namespace

EngineLineReaction EngineLineReaction::of(const QString& line) {
  const QString display = line + u'\n';
  const auto [first, second] = firstTwoWords(line);
  EngineLineReaction reaction;

  struct Result {
    const char* word;
    const char* outcome;
  };
  static constexpr Result RESULTS[] = {{"1-0", "\nWhite wins"}, {"0-1", "\nBlack wins"}, {"1/2-1/2", "\nDraw"}};
  for (const Result& r : RESULTS) {
    if (first == QLatin1String(r.word)) {
      reaction.box = INFORMATION;
      // The engine writes its reason in braces, as the protocol has it.
      reaction.boxText = QString(second).remove(u'{').remove(u'}') + QLatin1String(r.outcome);
      reaction.command = QStringLiteral("result ") + QLatin1String(r.word);
      return reaction;
    }
  }
  if (first == QLatin1String("telluser") || first == QLatin1String("tellusererror")) {
    reaction.box = first == QLatin1String("telluser") ? INFORMATION : ERROR;
    reaction.boxText = display.mid(8);
  }
  return reaction;
}
