#include "settings_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "common/file_saver.h"

namespace {

// The file is Windows text in the user's code page; names and values are
// compared as Latin-1, and every byte not rewritten is kept exactly.
QString decode(const QByteArray& bytes) { return QString::fromLatin1(bytes); }

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
  // A pipe would block the open; a device or a huge file would fill memory.
  const QFileInfo info(filePath);
  foreign = info.exists() && (!info.isFile() || info.size() > MAX_BYTES);
  QFile file(filePath);
  if (foreign || !file.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = read = file.readAll();
  QString section;
  qsizetype start = 0;
  while (start < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', start);
    end = end < 0 ? bytes.size() : end + 1;
    Line line;
    line.raw = bytes.mid(start, end - start);
    start = end;
    const QString trimmed = decode(line.raw).trimmed();
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
  if (!lines.empty() && lines.front().raw.endsWith("\r\n")) lineEnd = "\r\n";
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

QByteArray SettingsFile::lineEnding(const QByteArray& raw) const {
  if (raw.endsWith("\r\n")) return "\r\n";
  if (raw.endsWith('\n')) return "\n";
  return lineEnd;
}

void SettingsFile::setText(const QString& section, const QString& key, const QString& text) {
  const int existing = findKey(section, key);
  if (existing >= 0) {
    // Only the value changes: the key as spelt in the file, the blanks before
    // the "=" and the line's own ending stay.
    Line& line = lines[existing];
    const qsizetype eq = line.raw.indexOf('=');
    const QByteArray ending = lineEnding(line.raw);
    const QByteArray rewritten = line.raw.left(eq + 1) + text.toLatin1();
    if (line.raw == rewritten || line.raw == rewritten + ending) return;
    line.raw = rewritten + ending;
    line.value = text;
    return;
  }

  Line line;
  line.raw = key.toLatin1() + '=' + text.toLatin1() + lineEnd;
  line.section = section.toLower();
  line.key = key.toLower();
  line.value = text;
  // After the last key line of the section, or a new section at the end.
  int last = -1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool header = isSectionHeader(decode(lines[i].raw).trimmed());
    if (lines[i].section == line.section && (!lines[i].key.isEmpty() || header)) last = static_cast<int>(i);
  }
  const int before = last < 0 ? static_cast<int>(lines.size()) - 1 : last;
  // The line it follows may be the file's last one, written without an ending.
  if (before >= 0 && !lines[before].raw.endsWith('\n')) lines[before].raw += lineEnd;
  if (last < 0) {
    Line header;
    header.raw = '[' + section.toLatin1() + ']' + lineEnd;
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

bool SettingsFile::save(QString* reason) const {
  if (foreign) {
    if (reason)
      *reason = QCoreApplication::translate("SettingsFile", "no es un archivo de opciones (o pasa de %1 bytes)")
                    .arg(MAX_BYTES);
    return false;
  }
  QByteArray bytes;
  for (const Line& line : lines) bytes += line.raw;
  if (!read.isNull() && bytes == read) return true;
  const QString failure = writeFileWhole(filePath, bytes);
  if (reason) *reason = failure;
  return failure.isEmpty();
}

bool SettingsFile::holdsSettings() const {
  return foreign || std::any_of(lines.begin(), lines.end(), [](const Line& line) { return !line.key.isEmpty(); });
}

ProgramSettings ProgramSettings::read(const SettingsFile& file) {
  ProgramSettings s;
  s.openingBook = file.boolean(ini::KELVO, ini::OPENING_BOOK, true);
  s.randomFactor = file.boolean(ini::KELVO, ini::RANDOM_FACTOR, true);
  s.post = file.boolean(ini::KELVO, ini::POST, true);
  s.debug = file.boolean(ini::DOVREL, ini::DEBUG, false);
  s.font = file.text(ini::DOVREL, ini::FONT, QStringLiteral("Regular"));
  bool number = false;
  const int level = file.text(ini::KELVO, ini::LEVEL, QString()).toInt(&number);
  s.level = number ? clampLevel(level) : SPECIFIED_LEVEL;
  s.timeControl = TimeControl::parse(file.text(ini::DOVREL, ini::TIME_CONTROL, QString()));
  s.showLegalMoves = file.boolean(ini::DOVREL, ini::SHOW_LEGAL_MOVES, true);
  s.welcomePage = file.boolean(ini::DOVREL, ini::WELCOME_PAGE, !file.holdsSettings());
  s.language = file.text(ini::DOVREL, ini::LANGUAGE, s.language);
  s.notation = file.text(ini::DOVREL, ini::NOTATION, s.notation);
  return s;
}
