#include "settings_file.h"

#include <QFile>
#include <QTextStream>

namespace {

bool isSectionHeader(const QString& trimmed) { return trimmed.startsWith(u'[') && trimmed.contains(u']'); }

QString sectionName(const QString& trimmed) {
  return trimmed.mid(1, trimmed.indexOf(u']') - 1).trimmed().toLower();
}

// Values in double quotes lose them, as the platform's reader does.
QString unquote(QString value) {
  if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) return value.mid(1, value.size() - 2);
  return value;
}

constexpr int MAX_TEXT = 254;

}  // namespace

SettingsFile::SettingsFile(QString path) : filePath(std::move(path)) {
  QFile file(filePath);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
  QTextStream in(&file);
  QString section;
  while (!in.atEnd()) {
    Line line;
    line.raw = in.readLine();
    const QString trimmed = line.raw.trimmed();
    if (isSectionHeader(trimmed)) {
      section = sectionName(trimmed);
    } else if (!trimmed.startsWith(u';') && trimmed.contains(u'=')) {
      const qsizetype eq = trimmed.indexOf(u'=');
      line.key = trimmed.left(eq).trimmed().toLower();
      line.value = unquote(trimmed.mid(eq + 1).trimmed());
    }
    line.section = section;
    lines.push_back(std::move(line));
  }
}

int SettingsFile::findKey(const QString& section, const QString& key) const {
  const QString s = section.toLower();
  const QString k = key.toLower();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].section == s && lines[i].key == k) return static_cast<int>(i);
  return -1;
}

std::optional<QString> SettingsFile::value(const QString& section, const QString& key) const {
  const int i = findKey(section, key);
  if (i < 0) return std::nullopt;
  return lines[i].value;
}

QString SettingsFile::text(const QString& section, const QString& key, const QString& fallback) const {
  return value(section, key).value_or(fallback).left(MAX_TEXT);
}

bool SettingsFile::boolean(const QString& section, const QString& key, bool fallback) const {
  return parseBoolean(text(section, key, booleanText(fallback)));
}

void SettingsFile::setText(const QString& section, const QString& key, const QString& text) {
  Line line;
  line.raw = key + u'=' + text;
  line.section = section.toLower();
  line.key = key.toLower();
  line.value = text;

  const int existing = findKey(section, key);
  if (existing >= 0) {
    lines[existing] = std::move(line);
    return;
  }
  // After the last key line of the section, or a new section at the end.
  int last = -1;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].section == line.section && (!lines[i].key.isEmpty() || isSectionHeader(lines[i].raw.trimmed())))
      last = static_cast<int>(i);
  if (last < 0) {
    Line header;
    header.raw = u'[' + section + u']';
    header.section = line.section;
    lines.push_back(std::move(header));
    lines.push_back(std::move(line));
  } else {
    lines.insert(lines.begin() + last + 1, std::move(line));
  }
}

void SettingsFile::setBoolean(const QString& section, const QString& key, bool on) {
  setText(section, key, booleanText(on));
}

bool SettingsFile::save() const {
  QFile file(filePath);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  QTextStream out(&file);
  for (const Line& line : lines) out << line.raw << '\n';
  return out.status() == QTextStream::Ok;
}

ProgramSettings ProgramSettings::read(const SettingsFile& file) {
  ProgramSettings s;
  s.openingBook = file.boolean(QStringLiteral("KELVO"), QStringLiteral("OpeningBook"), true);
  s.randomFactor = file.boolean(QStringLiteral("KELVO"), QStringLiteral("RandomFactor"), true);
  s.post = file.boolean(QStringLiteral("KELVO"), QStringLiteral("Post"), true);
  s.debug = file.boolean(QStringLiteral("DOVREL"), QStringLiteral("Debug"), false);
  s.font = file.text(QStringLiteral("DOVREL"), QStringLiteral("Font"), QStringLiteral("Regular"));
  return s;
}
