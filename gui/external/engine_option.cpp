#include "engine_option.h"

#include <QRegularExpression>

#include "engine_text.h"

namespace {

struct TypeName {
  EngineOption::Type type;
  const char* uci;
  const char* cecp;
};

// CECP's slider is a spin drawn differently; its path a file chosen as a folder.
constexpr TypeName TYPES[] = {
    {EngineOption::Type::Check, "check", "-check"},   {EngineOption::Type::Spin, "spin", "-spin"},
    {EngineOption::Type::Spin, nullptr, "-slider"},   {EngineOption::Type::Combo, "combo", "-combo"},
    {EngineOption::Type::Button, "button", "-button"}, {EngineOption::Type::Button, nullptr, "-save"},
    {EngineOption::Type::Button, nullptr, "-reset"},  {EngineOption::Type::String, "string", "-string"},
    {EngineOption::Type::File, nullptr, "-file"},     {EngineOption::Type::File, nullptr, "-path"},
};

const TypeName* uciType(const QString& word) {
  for (const TypeName& t : TYPES)
    if (t.uci && word == QLatin1String(t.uci)) return &t;
  return nullptr;
}

// UCI names and values may hold blanks: a field runs to the next keyword.
QString field(const QStringList& words, const QString& key, const QStringList& keywords) {
  const qsizetype at = words.indexOf(key);
  if (at < 0) return {};
  QStringList parts;
  for (qsizetype i = at + 1; i < words.size() && !keywords.contains(words[i]); ++i) parts << words[i];
  return parts.join(u' ');
}

}  // namespace

bool EngineOption::accepts(const QString& text) const {
  // A line break would reach the engine as a command of its own.
  if (engine_text::hasControl(text)) return false;
  switch (type) {
    case Type::Check: return text == QLatin1String("true") || text == QLatin1String("false");
    case Type::Spin: {
      bool ok = false;
      const int number = text.toInt(&ok);
      return ok && number >= min && number <= max;
    }
    case Type::Combo: return choices.contains(text);
    default: return true;
  }
}

QString EngineOption::typeName() const {
  for (const TypeName& t : TYPES)
    if (t.type == type && t.uci) return QLatin1String(t.uci);
  return QStringLiteral("file");
}

std::optional<EngineOption> parseUciOption(const QString& line) {
  static const QStringList keywords = {"name", "type", "default", "min", "max", "var"};
  const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
  if (words.size() < 5 || words[0] != QLatin1String("option") || words[1] != QLatin1String("name")) return {};
  EngineOption option;
  option.name = field(words, QStringLiteral("name"), keywords);
  const TypeName* type = uciType(field(words, QStringLiteral("type"), keywords));
  if (option.name.isEmpty() || !type) return {};
  option.type = type->type;
  option.defaultValue = field(words, QStringLiteral("default"), keywords);
  if (option.defaultValue == QLatin1String("<empty>")) option.defaultValue.clear();
  option.min = field(words, QStringLiteral("min"), keywords).toInt();
  option.max = field(words, QStringLiteral("max"), keywords).toInt();
  for (qsizetype i = 0; i < words.size(); ++i) {
    if (words[i] != QLatin1String("var")) continue;
    QStringList parts;
    for (qsizetype j = i + 1; j < words.size() && !keywords.contains(words[j]); ++j) parts << words[j];
    option.choices << parts.join(u' ');
  }
  option.value = option.defaultValue;
  return option;
}

std::optional<EngineOption> parseCecpOption(const QString& text) {
  // The type word is the first " -word" that names a type; the name is before it.
  static const QRegularExpression typeWord(QStringLiteral(" (-[a-z]+)(?: |$)"));
  QRegularExpressionMatchIterator it = typeWord.globalMatch(text);
  while (it.hasNext()) {
    const QRegularExpressionMatch match = it.next();
    const TypeName* type = nullptr;
    for (const TypeName& t : TYPES)
      if (match.captured(1) == QLatin1String(t.cecp)) type = &t;
    if (!type) continue;
    EngineOption option;
    option.name = text.left(match.capturedStart()).trimmed();
    option.type = type->type;
    const QString rest = text.mid(match.capturedEnd(1)).trimmed();
    const QStringList words = rest.split(u' ', Qt::SkipEmptyParts);
    switch (option.type) {
      case EngineOption::Type::Check: option.defaultValue = words.value(0) == QLatin1String("1") ? "true" : "false"; break;
      case EngineOption::Type::Spin:
        if (words.size() < 3) return {};
        option.defaultValue = words[0];
        option.min = words[1].toInt();
        option.max = words[2].toInt();
        break;
      case EngineOption::Type::Combo:
        // The chosen entry is marked with a leading "*"; without one, the first.
        for (QString choice : rest.split(QStringLiteral("///"))) {
          choice = choice.trimmed();
          if (choice.startsWith(u'*')) {
            choice.remove(0, 1);
            option.defaultValue = choice;
          }
          option.choices << choice;
        }
        if (option.defaultValue.isEmpty()) option.defaultValue = option.choices.value(0);
        break;
      case EngineOption::Type::Button: break;
      default: option.defaultValue = rest;
    }
    if (option.name.isEmpty()) return {};
    option.value = option.defaultValue;
    return option;
  }
  return {};
}

QString uciSetOptionCommand(const EngineOption& option) {
  if (option.type == EngineOption::Type::Button) return QStringLiteral("setoption name %1").arg(option.name);
  return QStringLiteral("setoption name %1 value %2").arg(option.name, option.value);
}

QString cecpOptionCommand(const EngineOption& option) {
  if (option.type == EngineOption::Type::Button) return QStringLiteral("option %1").arg(option.name);
  if (option.type == EngineOption::Type::Check)
    return QStringLiteral("option %1=%2").arg(option.name, option.value == QLatin1String("true") ? "1" : "0");
  return QStringLiteral("option %1=%2").arg(option.name, option.value);
}
