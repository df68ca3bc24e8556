#include "exercise.h"

#include <QJsonArray>

#include <algorithm>
#include <array>

#include "driver/uci_moves.h"
#include "position/fen.h"

bool Exercise::whiteToMove() const {
  const std::size_t space = fen.find(' ');
  return space == std::string::npos || fen.compare(space + 1, 1, "w") == 0;
}

std::optional<CChessBoard> Exercise::position() const { return positionFromFen(fen); }

std::string Exercise::key() const {
  // Board, side, castling and en passant: the counters differ between games.
  std::size_t cut = 0;
  for (int field = 0; field < 4 && cut != std::string::npos; ++field) cut = fen.find(' ', cut + (field ? 1 : 0));
  return fen.substr(0, cut) + '|' + played;
}

QJsonObject Exercise::toJson() const {
  QJsonArray betterMoves;
  for (const std::string& move : better) betterMoves.append(QString::fromStdString(move));
  return {{"fen", QString::fromStdString(fen)},
          {"played", QString::fromStdString(played)},
          {"better", betterMoves},
          {"mark", mark == MoveMark::BLUNDER ? "blunder" : "mistake"},
          {"source", source},
          {"white", white},
          {"black", black},
          {"date", date},
          {"moveNumber", moveNumber},
          {"streak", streak},
          {"due", QString::number(dueMs)},
          {"solved", solvedCount},
          {"failed", failedCount}};
}

std::optional<Exercise> Exercise::fromJson(const QJsonObject& object) {
  for (const char* name : {"fen", "played", "source", "due"})
    if (!object.value(QLatin1String(name)).isString()) return std::nullopt;
  if (!object.value(QLatin1String("better")).isArray()) return std::nullopt;
  Exercise exercise;
  exercise.fen = object.value(QLatin1String("fen")).toString().toStdString();
  exercise.played = object.value(QLatin1String("played")).toString().toStdString();
  const std::optional<CChessBoard> position = exercise.position();
  if (!position || moveOfCoordinates(*position, exercise.played).isNull()) return std::nullopt;
  for (const QJsonValue& move : object.value(QLatin1String("better")).toArray())
    exercise.better.push_back(move.toString().toStdString());
  exercise.mark = object.value(QLatin1String("mark")).toString() == QLatin1String("blunder") ? MoveMark::BLUNDER
                                                                                           : MoveMark::MISTAKE;
  exercise.source = object.value(QLatin1String("source")).toString();
  exercise.white = object.value(QLatin1String("white")).toString();
  exercise.black = object.value(QLatin1String("black")).toString();
  exercise.date = object.value(QLatin1String("date")).toString();
  exercise.moveNumber = object.value(QLatin1String("moveNumber")).toInt(1);
  exercise.streak = std::max(0, object.value(QLatin1String("streak")).toInt());
  bool number = false;
  exercise.dueMs = object.value(QLatin1String("due")).toString().toLongLong(&number);
  if (!number) return std::nullopt;
  exercise.solvedCount = object.value(QLatin1String("solved")).toInt();
  exercise.failedCount = object.value(QLatin1String("failed")).toInt();
  return exercise;
}

std::string coordinatesOf(const Move& move) { return uciMoveText(move); }

Move moveOfCoordinates(const CChessBoard& position, const std::string& text) { return readUciMove(position, text); }

int intervalDays(int streak) {
  static constexpr std::array<int, 7> DAYS{1, 3, 7, 15, 30, 60, 120};
  return DAYS[static_cast<std::size_t>(std::clamp(streak, 1, static_cast<int>(DAYS.size())) - 1)];
}

void scheduleSolved(Exercise& exercise, qint64 nowMs) {
  ++exercise.streak;
  ++exercise.solvedCount;
  exercise.dueMs = nowMs + intervalDays(exercise.streak) * DAY_MS;
}

void scheduleFailed(Exercise& exercise, qint64 nowMs) {
  exercise.streak = 0;
  ++exercise.failedCount;
  exercise.dueMs = nowMs;
}
