#include "side_window_place.h"

#include <algorithm>

QPoint sideWindowPosition(const QRect& main, const QSize& size, const QRect& screen, int gap, int drop) {
  const int highest = screen.top();
  const int lowest = std::max(highest, screen.bottom() + 1 - size.height());
  const int top = std::clamp(main.top() + drop, highest, lowest);
  const int right = main.right() + 1 + gap;
  if (right + size.width() <= screen.right() + 1) return {right, top};
  const int left = main.left() - gap - size.width();
  if (left >= screen.left()) return {left, top};
  const int x = std::clamp(main.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
  if (main.bottom() + 1 + size.height() <= screen.bottom() + 1) return {x, main.bottom() + 1};
  return {std::max(screen.left(), screen.right() + 1 - size.width()), top};
}
