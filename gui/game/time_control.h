#pragma once
// The time control chosen in Opciones: no clock, or minutes for the game plus
// seconds added after each move. Kept in kelvo.ini as "3+0" or "none", and
// told to the engine with the protocol's level, time and otim commands.

#include <QString>

struct TimeControl {
  bool timed = true;
  int minutes = 3;
  int increment = 0;  // seconds

  static constexpr int MAX_MINUTES = 600;
  static constexpr int MAX_INCREMENT = 600;

  // "3+0", "none"; anything unreadable gives the default 3+0.
  static TimeControl parse(const QString& text);
  QString text() const;
  qint64 baseMilliseconds() const { return timed ? qint64(minutes) * 60000 : 0; }
  qint64 incrementMilliseconds() const { return timed ? qint64(increment) * 1000 : 0; }

  // "level 0 3 0": the whole game in one session.
  QString levelCommand() const;
  // "time 17950\notim 18000": the engine's and the person's remaining times
  // in centiseconds, sent before the engine thinks; empty without a clock.
  QString clockCommands(qint64 engineMs, qint64 personMs) const;

  bool operator==(const TimeControl&) const = default;
};

// "time 17950\notim 18000": CECP's clock lines, the thinking side's and its
// opponent's remaining times in centiseconds; a flag that has fallen is told
// as no time left, never less. The one writer of them, for the built-in
// engine as for the others.
QString cecpClockLines(qint64 ownMs, qint64 opponentMs);
