#pragma once
// One training exercise: a position of the player's games where a move was a
// mistake or a blunder, the move played there, the better moves, where it
// came from, and when it is due again. Plain data, kept in the store's JSON.

#include <QJsonObject>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "position/chess_board.h"
#include "search/move_review.h"

// The source's name when the game is the one on the board, not a file's.
inline constexpr const char* CURRENT_GAME_SOURCE = "partida actual";

struct Exercise {
  std::string fen;                  // the position before the mistake
  std::string played;               // coordinates ("e2e4", "e7e8q"): the mistake
  std::vector<std::string> better;  // coordinates, the best first; may be empty (a file gave none)
  MoveMark mark = MoveMark::MISTAKE;
  QString source;                   // the file's path, or CURRENT_GAME_SOURCE
  QString white, black, date;
  int moveNumber = 1;

  // The schedule: solved in a row since the last failure, and when it is due.
  int streak = 0;
  qint64 dueMs = 0;  // milliseconds since the epoch, UTC
  int solvedCount = 0, failedCount = 0;

  bool whiteToMove() const;
  std::optional<CChessBoard> position() const;
  // The same position (the FEN's counters aside) and the same move played.
  std::string key() const;

  QJsonObject toJson() const;
  // Empty when a field is missing or of the wrong kind.
  static std::optional<Exercise> fromJson(const QJsonObject& object);
};

// Coordinates of a move and back; a null move when the text is no legal move there.
std::string coordinatesOf(const Move& move);
Move moveOfCoordinates(const CChessBoard& position, const std::string& text);

// The schedule: a solved exercise waits 1, 3, 7, 15, 30, 60, then 120 days
// as its streak grows; a failed one loses its streak and is due at once, so
// it comes back in this session and in the next.
inline constexpr qint64 DAY_MS = 24LL * 60 * 60 * 1000;
int intervalDays(int streak);
void scheduleSolved(Exercise& exercise, qint64 nowMs);
void scheduleFailed(Exercise& exercise, qint64 nowMs);
inline bool isDue(const Exercise& exercise, qint64 nowMs) { return exercise.dueMs <= nowMs; }
