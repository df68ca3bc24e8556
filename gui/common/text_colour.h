#pragma once
// Colours travel as the platform's colour values: 0x00BBGGRR, so 0 is black
// and 255 red.

#include <QColor>

inline QColor colourFromValue(int value) { return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff); }
