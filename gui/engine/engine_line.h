#pragma once
// What the window does with one line the engine wrote: result lines and
// "telluser" lines become message boxes, results also answer with "result".
// Result lines come as "1-0 Checkmate" or "1-0 {Checkmate}"; a resigning
// engine writes "resign" alone, for the side to move.

#include <optional>

#include <QString>

#include "game/game_end.h"

struct EngineLineReaction {
  enum Box { NO_BOX, INFORMATION, ERROR };
  Box box = NO_BOX;
  QString boxText;
  QString command;  // empty when nothing is sent back
  std::optional<GameEnd> end;

  // `sideToMove` (1 White, 0 Black) is the side a bare "resign" gives up for.
  static EngineLineReaction of(const QString& line, int sideToMove = 1);
};
