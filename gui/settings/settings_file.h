#pragma once
// The program's settings file "kelvo.ini": a plain Windows-style ini file read
// and written by hand, because the toolkit's own ini support quotes values,
// escapes keys and rewrites the whole file in its own layout.

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <vector>

#include "game/time_control.h"
#include "search/level.h"

class SettingsFile {
 public:
  static constexpr const char* FILE_NAME = "kelvo.ini";

  explicit SettingsFile(QString path = QString::fromLatin1(FILE_NAME));

  // Section and key names compare without regard to case, as the platform's
  // profile functions do; the value is the text after "=", trimmed.
  std::optional<QString> value(const QString& section, const QString& key) const;
  QString text(const QString& section, const QString& key, const QString& fallback) const;
  // The fallback is offered as "True"/"False"; only "True" and "true" count as true.
  bool boolean(const QString& section, const QString& key, bool fallback) const;
  // Any key at all, or a file not ours: a program that never ran stored none.
  bool holdsSettings() const;

  // Replaces the key's value in place or appends the key to its section
  // (creating the section at the end); every other byte of the file is kept.
  void setText(const QString& section, const QString& key, const QString& text);
  void setBoolean(const QString& section, const QString& key, bool on);

  // Writes the file at once, whole or not at all, unless it holds these
  // bytes already; false (and why, when asked) when it cannot be written,
  // the old file then untouched.
  bool save(QString* reason = nullptr) const;
  // A larger file, or one that is no regular file, is no settings file of
  // ours: it is neither read (the defaults apply) nor ever overwritten.
  static constexpr qint64 MAX_BYTES = 1 << 20;

  static bool parseBoolean(const QString& text) { return text == QLatin1String("True") || text == QLatin1String("true"); }
  static QString booleanText(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }

 private:
  struct Line {
    QByteArray raw;  // as read, with its line ending
    QString section;  // the section this line belongs to (lower case)
    QString key;      // lower case; empty for headers, comments and blank lines
    QString value;
  };
  int findKey(const QString& section, const QString& key) const;
  // The ending of a line, or the file's own for a line that has none.
  QByteArray lineEnding(const QByteArray& raw) const;

  QString filePath;
  std::vector<Line> lines;
  QByteArray read;  // the file as it was read; null when there was none
  bool foreign = false;
  QByteArray lineEnd = "\n";  // what the file uses, taken from its first line
};

// The settings the program keeps, with the defaults used when a key is absent.
// The sections and keys of kelvo.ini, named once for reading and for writing.
namespace ini {
constexpr QLatin1String KELVO("KELVO"), DOVREL("DOVREL");
constexpr QLatin1String OPENING_BOOK("OpeningBook"), RANDOM_FACTOR("RandomFactor"), POST("Post");
constexpr QLatin1String DEBUG("Debug"), FONT("Font"), DEBUG_FILES("DebugFiles");
constexpr QLatin1String LEVEL("Nivel"), TIME_CONTROL("TimeControl"), WINDOW("Window");
constexpr QLatin1String SHOW_LEGAL_MOVES("ShowLegalMoves");
constexpr QLatin1String WELCOME_PAGE("WelcomePage");
constexpr QLatin1String LANGUAGE("Language");
constexpr QLatin1String NOTATION("Notation");
// What a move played while browsing does when it is new there: "Variation" or
// "Replace" (the rest of the game); absent until asked once.
constexpr QLatin1String BROWSED_MOVE("BrowsedMove");
}  // namespace ini

struct ProgramSettings {
  bool openingBook = true;
  bool randomFactor = true;
  bool post = true;
  bool debug = false;
  QString font = QStringLiteral("Regular");
  int level = SPECIFIED_LEVEL;  // the engine's strength, clamped to the ladder
  TimeControl timeControl;
  bool showLegalMoves = true;
  // The first-start page: shown at the first start, then until it is put away.
  bool welcomePage = true;
  QString language = QStringLiteral("auto");  // window_language: "auto", "es" or "en"
  QString notation = QStringLiteral("List");  // game/move_notation's notationKey

  static ProgramSettings read(const SettingsFile& file);
};
