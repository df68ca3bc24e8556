#pragma once
// The Spanish names of the engine's strength ladder, as Opciones lists them.

#include <QString>

#include "search/level.h"

inline QString levelName(int level) {
  static const char* const NAMES[TOP_LEVEL] = {"Principiante", "Novato",  "Aficionado", "Normal",       "Club",
                                               "Fuerte",       "Experto", "Maestro",    "Gran maestro", "Máximo"};
  return QStringLiteral("%1 - %2").arg(clampLevel(level)).arg(QString::fromUtf8(NAMES[clampLevel(level) - 1]));
}
