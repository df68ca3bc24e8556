#include "engine_info.h"

#include <QRegularExpression>

#include <algorithm>

#include "driver/report_number.h"

namespace {

constexpr int CECP_MATE = 100000;

// The words a UCI info line may carry, where a pv ends.
const QStringList UCI_KEYS = {"depth", "seldepth", "time", "nodes", "pv", "multipv", "score", "currmove",
                              "currmovenumber", "hashfull", "nps", "tbhits", "sbhits", "cpuload", "string",
                              "refutation", "currline"};

std::optional<long long> numberOf(const QString& word, ReportRange range) {
  return reportNumber(word.toStdString(), range);
}

}  // namespace

std::optional<EngineInfo> parseUciInfo(const QString& line) {
  const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
  if (words.isEmpty() || words[0] != QLatin1String("info")) return std::nullopt;
  EngineInfo info;
  bool scored = false;
  for (qsizetype i = 1; i < words.size(); ++i) {
    const QString& key = words[i];
    // The next word as a number within its range; 0 when it is none.
    const auto number = [&](ReportRange range) {
      return i + 1 < words.size() ? numberOf(words[++i], range).value_or(0) : 0;
    };
    // Free text to the end: the whole line, or what follows the numbers.
    if (key == QLatin1String("string")) {
      if (i == 1) return std::nullopt;
      break;
    }
    if (key == QLatin1String("depth")) info.depth = int(number(report_range::DEPTH));
    else if (key == QLatin1String("seldepth")) info.selDepth = int(number(report_range::DEPTH));
    else if (key == QLatin1String("multipv")) info.multiPv = int(number(report_range::MULTI_PV));
    else if (key == QLatin1String("nodes")) info.nodes = number(report_range::NODES);
    else if (key == QLatin1String("nps")) info.nps = number(report_range::NODES);
    else if (key == QLatin1String("time")) info.milliseconds = number(report_range::MILLISECONDS);
    else if (key == QLatin1String("score") && i + 2 < words.size()) {
      const QString kind = words[++i];
      const QString& text = words[++i];
      if (kind == QLatin1String("mate")) {
        const auto value = numberOf(text, report_range::MATE_MOVES);
        scored = value.has_value();
        info.mate = int(value.value_or(0));
      } else if (kind == QLatin1String("cp")) {
        const auto value = numberOf(text, report_range::CENTIPAWNS);
        scored = value.has_value();
        info.centipawns = int(value.value_or(0));
      } else {
        scored = false;
      }
    } else if (key == QLatin1String("pv")) {
      while (i + 1 < words.size() && !UCI_KEYS.contains(words[i + 1])) info.pv << words[++i];
    }
  }
  if (!scored || info.pv.isEmpty() || info.multiPv < 1) return std::nullopt;
  return info;
}

std::optional<CecpThinking> splitCecpThinking(const QString& line) {
  // The ply may carry a mark ("12.", "12&"); the score a sign.
  static const QRegularExpression form(QStringLiteral(R"(^\s*(\d+\S?\s+[+-]?\d+\s+\d+\s+\d+)(?:\s+(.*))?$)"));
  const QRegularExpressionMatch match = form.match(line);
  if (!match.hasMatch()) return std::nullopt;
  CecpThinking thinking{match.captured(1).simplified(), {}, {}};
  // Move numbers ("1.", "3...") and marks stand between the moves of some engines.
  static const QRegularExpression moveNumber(QStringLiteral(R"(^\d+\.+$)"));
  const QStringList words = match.captured(2).split(u' ', Qt::SkipEmptyParts);
  for (qsizetype i = 0; i < words.size(); ++i) {
    QString word = words[i];
    if (moveNumber.match(word).hasMatch()) continue;
    if (word.startsWith(u'{') || word.startsWith(u'(') || word.startsWith(u'<') || word.startsWith(u'[')) {
      thinking.rest = words.mid(i).join(u' ');
      break;
    }
    word.remove(u'+').remove(u'#').remove(u'!').remove(u'?');
    if (!word.isEmpty()) thinking.moves << word;
  }
  return thinking;
}

std::optional<EngineInfo> parseCecpThinking(const QString& line) {
  const std::optional<CecpThinking> thinking = splitCecpThinking(line);
  if (!thinking || thinking->moves.isEmpty()) return std::nullopt;
  const QStringList numbers = thinking->numbers.split(u' ');
  EngineInfo info;
  QString ply = numbers[0];
  if (!ply.back().isDigit()) ply.chop(1);
  info.depth = int(numberOf(ply, report_range::DEPTH).value_or(0));
  // A mate is 100000 + moves: the score's range is the mates' one beyond that.
  constexpr ReportRange SCORE{-CECP_MATE + report_range::MATE_MOVES.low, CECP_MATE + report_range::MATE_MOVES.high};
  const int score = int(numberOf(numbers[1], SCORE).value_or(0));
  if (score >= CECP_MATE) info.mate = score - CECP_MATE;
  else if (score <= -CECP_MATE) info.mate = -(-score - CECP_MATE);
  else info.centipawns = std::clamp<int>(score, report_range::CENTIPAWNS.low, report_range::CENTIPAWNS.high);
  // Centiseconds, read within the milliseconds' range a tenth of it.
  constexpr ReportRange CENTISECONDS{0, report_range::MILLISECONDS.high / 10};
  info.milliseconds = numberOf(numbers[2], CENTISECONDS).value_or(0) * 10;
  info.nodes = numberOf(numbers[3], report_range::NODES).value_or(0);
  info.pv = thinking->moves;
  return info;
}
