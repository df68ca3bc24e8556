#include "window_place.h"

#include <QStringList>

#include <algorithm>

QString windowPlaceText(const QRect& place) {
  return QStringLiteral("%1,%2,%3,%4").arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height());
}

std::optional<QRect> parseWindowPlace(const QString& text) {
  const QStringList parts = text.split(u',');
  if (parts.size() != 4) return std::nullopt;
  qlonglong numbers[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    numbers[i] = parts[i].trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
  }
  if (numbers[2] <= 0 || numbers[3] <= 0) return std::nullopt;
  // Far beyond any desktop, but small enough that a rectangle's edges never overflow.
  const auto coordinate = [](qlonglong n) { return int(std::clamp<qlonglong>(n, -MAX_WINDOW_EXTENT, MAX_WINDOW_EXTENT)); };
  const auto extent = [](qlonglong n) { return int(std::min<qlonglong>(n, MAX_WINDOW_EXTENT)); };
  return QRect(coordinate(numbers[0]), coordinate(numbers[1]), extent(numbers[2]), extent(numbers[3]));
}

QRect fitWindowPlace(QRect place, const QRect& room) {
  // Sizes first, computed in 64 bits: a saved place need not have come from parseWindowPlace.
  const qlonglong width = std::clamp<qlonglong>(qlonglong(place.right()) - place.left() + 1, 1, std::max(room.width(), 1));
  const qlonglong height = std::clamp<qlonglong>(qlonglong(place.bottom()) - place.top() + 1, 1, std::max(room.height(), 1));
  const qlonglong left = std::clamp<qlonglong>(place.left(), room.left(), qlonglong(room.left()) + room.width() - width);
  const qlonglong top = std::clamp<qlonglong>(place.top(), room.top(), qlonglong(room.top()) + room.height() - height);
  return QRect(int(left), int(top), int(width), int(height));
}
