#include "window_language.h"

namespace window_language {

QLocale::Language chosen(const QString& setting, const QLocale& system) {
  const QString word = setting.trimmed().toLower();
  if (word == SPANISH) return QLocale::Spanish;
  if (word == ENGLISH) return QLocale::English;
  return system.language() == QLocale::English ? QLocale::English : QLocale::Spanish;
}

}  // namespace window_language
