#pragma once
// The window's language. Its texts are written in Spanish; English comes from
// the translation built into the program. kelvo.ini's [DOVREL] Language picks
// it: "auto" (or no key) follows the system, English on an English system and
// Spanish on any other; "es" and "en" name one.

#include <QLatin1String>
#include <QLocale>
#include <QString>

namespace window_language {

constexpr QLatin1String AUTOMATIC("auto"), SPANISH("es"), ENGLISH("en");

// QLocale::Spanish or QLocale::English; a setting of no known language counts as "auto".
QLocale::Language chosen(const QString& setting, const QLocale& system = QLocale::system());

}  // namespace window_language
