#include "side_window_place.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

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

namespace {

constexpr qint64 PLACING_MS = 3000;

class SideWindowKeeper : public QObject {
 public:
  SideWindowKeeper(QWidget* main, QWidget* side, int gap, int drop)
      : QObject(side), main(main), side(side), gap(gap), drop(drop) {
    started.start();
    main->installEventFilter(this);
    place();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == main && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
      if (started.elapsed() < PLACING_MS)
        place();
      else
        main->removeEventFilter(this);
    }
    return false;
  }

 private:
  void place() {
    if (!main || !side) return;
    const QRect frame = main->frameGeometry();
    const QRect room = main->screen() ? main->screen()->availableGeometry() : frame.adjusted(0, 0, 2000, 1000);
    side->move(sideWindowPosition(frame, side->frameGeometry().size(), room, gap, drop));
  }

  QPointer<QWidget> main, side;
  int gap, drop;
  QElapsedTimer started;
};

}  // namespace

void placeBeside(QWidget* main, QWidget* side, int gap, int drop) { new SideWindowKeeper(main, side, gap, drop); }
