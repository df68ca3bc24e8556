#pragma once
// What the window does with one line the engine wrote: result lines and
// "telluser" lines become message boxes, results also answer with "result".

#include <QString>

struct EngineLineReaction {
  enum Box { NO_BOX, INFORMATION, ERROR };
  Box box = NO_BOX;
  QString boxText;
  QString command;  // empty when nothing is sent back

  static EngineLineReaction of(const QString& line);
};
