#include "engine_info.h"

#include <QRegularExpression>

namespace {

constexpr int CECP_MATE = 100000;

// The words a UCI info line may carry, where a pv ends.
const QStringList UCI_KEYS = {"depth", "seldepth", "time", "nodes", "pv", "multipv", "score", "currmove",
                              "currmovenumber", "hashfull", "nps", "tbhits", "sbhits", "cpuload", "string",
                              "refutation", "currline"};

}  // namespace

std::optional<EngineInfo> parseUciInfo(const QString& line) {
  const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
  if (words.isEmpty() || words[0] != QLatin1String("info")) return std::nullopt;
  EngineInfo info;
  bool scored = false;
  for (qsizetype i = 1; i < words.size(); ++i) {
    const QString& key = words[i];
    const auto number = [&] { return i + 1 < words.size() ? words[++i].toLongLong() : 0; };
    // Free text to the end: the whole line, or what follows the numbers.
    if (key == QLatin1String("string")) {
      if (i == 1) return std::nullopt;
      break;
    }
    if (key == QLatin1String("depth")) info.depth = int(number());
    else if (key == QLatin1String("seldepth")) info.selDepth = int(number());
    else if (key == QLatin1String("multipv")) info.multiPv = int(number());
    else if (key == QLatin1String("nodes")) info.nodes = number();
    else if (key == QLatin1String("nps")) info.nps = number();
    else if (key == QLatin1String("time")) info.milliseconds = number();
    else if (key == QLatin1String("score") && i + 2 < words.size()) {
      const QString kind = words[++i];
      const int value = words[++i].toInt(&scored);
      if (kind == QLatin1String("mate")) info.mate = value;
      else if (kind == QLatin1String("cp")) info.centipawns = value;
      else scored = false;
    } else if (key == QLatin1String("pv")) {
      while (i + 1 < words.size() && !UCI_KEYS.contains(words[i + 1])) info.pv << words[++i];
    }
  }
  if (!scored || info.pv.isEmpty() || info.multiPv < 1) return std::nullopt;
  return info;
}

std::optional<EngineInfo> parseCecpThinking(const QString& line) {
  // The ply may carry a mark ("12.", "12&"); the score a sign.
  static const QRegularExpression form(QStringLiteral(R"(^\s*(\d+)\S?\s+([+-]?\d+)\s+(\d+)\s+(\d+)\s+(.*)$)"));
  const QRegularExpressionMatch match = form.match(line);
  if (!match.hasMatch()) return std::nullopt;
  EngineInfo info;
  info.depth = match.captured(1).toInt();
  const int score = match.captured(2).toInt();
  if (score >= CECP_MATE) info.mate = score - CECP_MATE;
  else if (score <= -CECP_MATE) info.mate = -(-score - CECP_MATE);
  else info.centipawns = score;
  info.milliseconds = match.captured(3).toLongLong() * 10;
  info.nodes = match.captured(4).toLongLong();
  // Move numbers ("1.", "3...") and marks stand between the moves of some engines.
  static const QRegularExpression moveNumber(QStringLiteral(R"(^\d+\.+$)"));
  for (QString word : match.captured(5).split(u' ', Qt::SkipEmptyParts)) {
    if (moveNumber.match(word).hasMatch()) continue;
    word.remove(u'+').remove(u'#').remove(u'!').remove(u'?');
    if (word.startsWith(u'{') || word.startsWith(u'(') || word.startsWith(u'<') || word.startsWith(u'[')) break;
    if (!word.isEmpty()) info.pv << word;
  }
  if (info.pv.isEmpty()) return std::nullopt;
  return info;
}
