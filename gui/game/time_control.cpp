#include "time_control.h"

#include <QStringList>

#include <algorithm>

TimeControl TimeControl::parse(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) return {false, 0, 0};
  const QStringList parts = trimmed.split(u'+');
  bool minutesRead = false, incrementRead = false;
  const int minutes = parts.value(0).toInt(&minutesRead);
  const int increment = parts.value(1).toInt(&incrementRead);
  if (parts.size() != 2 || !minutesRead || !incrementRead || minutes < 1 || minutes > MAX_MINUTES || increment < 0 ||
      increment > MAX_INCREMENT)
    return {};
  return {true, minutes, increment};
}

QString TimeControl::text() const {
  return timed ? QStringLiteral("%1+%2").arg(minutes).arg(increment) : QStringLiteral("none");
}

QString TimeControl::levelCommand() const {
  return timed ? QStringLiteral("level 0 %1 %2").arg(minutes).arg(increment) : QString();
}

QString TimeControl::clockCommands(qint64 engineMs, qint64 personMs) const {
  return timed ? cecpClockLines(engineMs, personMs) : QString();
}

QString cecpClockLines(qint64 ownMs, qint64 opponentMs) {
  auto centiseconds = [](qint64 ms) { return std::max<qint64>(ms, 0) / 10; };
  return QStringLiteral("time %1\notim %2").arg(centiseconds(ownMs)).arg(centiseconds(opponentMs));
}
