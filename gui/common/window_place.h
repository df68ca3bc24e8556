#pragma once
// Where the main window was and how large, kept in kelvo.ini as
// "Window=x,y,width,height" (the frame's top-left corner, the inner size).

#include <QRect>
#include <QString>

#include <optional>

// Saved numbers beyond this are taken as this.
inline constexpr int MAX_WINDOW_EXTENT = 1000000;

QString windowPlaceText(const QRect& place);
// None for text that is not four numbers with a positive size.
std::optional<QRect> parseWindowPlace(const QString& text);
// The place made to fit the screen's room: no larger than it, and moved
// inside it when the screen changed since (a window never reopens out of sight).
QRect fitWindowPlace(QRect place, const QRect& room);
