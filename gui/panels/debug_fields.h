#pragma once
// The texts of the debug window's fields, computed from the Game apart from
// any widget.

#include <QString>

#include <optional>

class Game;
class OpeningBook;

struct DebugFields {
  QString state;
  QString computerPlays;
  QString plays;
  QString castling;
  QString enPassant;
  std::optional<QString> evaluation;  // only while there is an engine player
  QString memorySize;

  // The caller holds the Game lock.
  static DebugFields of(const Game& game, const OpeningBook& book);
};

QString playStateText(int playState);
// "00W", "000W", "00B", "000B" for the rights held, run together.
QString castlingText(int castlingRights);
QString timeText(int centiseconds);
// Nodes per millisecond; nothing while either figure is 0.
std::optional<QString> speedText(int nodes, int centiseconds);
