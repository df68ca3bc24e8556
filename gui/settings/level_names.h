#pragma once
// The Spanish names of the engine's strength ladder, as Opciones lists them,
// each with its measured rating: "5 - Club (unos 1700)".

#include <QCoreApplication>
#include <QString>

#include "search/level.h"
#include "search/level_elo.h"

inline QString levelName(int level) {
  static const char* const NAMES[TOP_LEVEL] = {
      QT_TRANSLATE_NOOP("LevelNames", "Principiante"), QT_TRANSLATE_NOOP("LevelNames", "Novato"),
      QT_TRANSLATE_NOOP("LevelNames", "Aficionado"),   QT_TRANSLATE_NOOP("LevelNames", "Normal"),
      QT_TRANSLATE_NOOP("LevelNames", "Club"),         QT_TRANSLATE_NOOP("LevelNames", "Fuerte"),
      QT_TRANSLATE_NOOP("LevelNames", "Experto"),      QT_TRANSLATE_NOOP("LevelNames", "Maestro"),
      QT_TRANSLATE_NOOP("LevelNames", "Gran maestro"), QT_TRANSLATE_NOOP("LevelNames", "Máximo")};
  // A measured rating is known to within a hundred points or so: no more digits than that.
  const int rounded = (eloOfLevel(level) + 25) / 50 * 50;
  return QCoreApplication::translate("LevelNames", "%1 - %2 (unos %3)")
      .arg(clampLevel(level))
      .arg(QCoreApplication::translate("LevelNames", NAMES[clampLevel(level) - 1]))
      .arg(rounded);
}
