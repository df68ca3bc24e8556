#pragma once
// The Spanish names of the engine's strength ladder, as Opciones lists them,
// each with its measured rating: "5 - Club (unos 1700)".

#include <QString>

#include "search/level.h"
#include "search/level_elo.h"

inline QString levelName(int level) {
  static const char* const NAMES[TOP_LEVEL] = {"Principiante", "Novato",  "Aficionado", "Normal",       "Club",
                                               "Fuerte",       "Experto", "Maestro",    "Gran maestro", "Máximo"};
  // A measured rating is known to within a hundred points or so: no more digits than that.
  const int rounded = (eloOfLevel(level) + 25) / 50 * 50;
  return QStringLiteral("%1 - %2 (unos %3)")
      .arg(clampLevel(level))
      .arg(QString::fromUtf8(NAMES[clampLevel(level) - 1]))
      .arg(rounded);
}
