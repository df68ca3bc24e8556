#pragma once
// Where the command and debug windows open: beside the main window, never
// over its menus or board, and wholly inside the screen.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// `main` is the main window's frame, `screen` the screen's free area. Right of
// the main window `gap` pixels off and `drop` lower than its top; where the
// screen has no room there, on its left; failing both, below it; failing
// that too, at the screen's right edge. The top is kept inside the screen.
QPoint sideWindowPosition(const QRect& main, const QSize& size, const QRect& screen, int gap, int drop);

// Moves `side` beside `main` now, and again while the window manager is still
// placing `main` (its moves in the first seconds after this call: a manager
// may centre a window after it is shown); later moves are the user's own.
void placeBeside(QWidget* main, QWidget* side, int gap, int drop);
