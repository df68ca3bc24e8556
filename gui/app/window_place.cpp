#include "window_place.h"

#include <QStringList>

#include <algorithm>

QString windowPlaceText(const QRect& place) {
  return QStringLiteral("%1,%2,%3,%4").arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height());
}

std::optional<QRect> parseWindowPlace(const QString& text) {
  const QStringList parts = text.split(u',');
  if (parts.size() != 4) return std::nullopt;
  int numbers[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    numbers[i] = parts[i].trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
  }
  if (numbers[2] <= 0 || numbers[3] <= 0) return std::nullopt;
  return QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

QRect fitWindowPlace(QRect place, const QRect& room) {
  place.setWidth(std::min(place.width(), room.width()));
  place.setHeight(std::min(place.height(), room.height()));
  place.moveLeft(std::clamp(place.left(), room.left(), room.right() + 1 - place.width()));
  place.moveTop(std::clamp(place.top(), room.top(), room.bottom() + 1 - place.height()));
  return place;
}
