#pragma once
// The index of a PGN collection: per game where it begins, its players,
// result, date, opening and length, read from the tags without replaying a
// move, so tens of thousands of games list at once.

#include <QString>
#include <QVector>

#include <atomic>
#include <functional>

class QIODevice;

struct GameIndexEntry {
  qint64 offset = 0;  // where the game's text begins, as the PGN reader addresses it
  int number = 0;     // from 1, in file order
  QString event, white, black, result, date, eco, opening;
  int moves = 0;      // full moves of the main line
};

// Tag values in UTF-8, or Latin-1 when they are not valid UTF-8: older
// collections are written in it.
QString pgnText(const QByteArray& bytes);

// Reads `in` to its end and hands the games on in batches of `batchSize`;
// stops early once `maxGames` games have begun or `stop` is set. Returns the
// number of games begun.
int indexGames(QIODevice& in, const std::function<void(QVector<GameIndexEntry>)>& deliver, int batchSize = 500,
               int maxGames = -1, const std::atomic<bool>* stop = nullptr);

// Does the file hold a second game? Reads no further than its beginning.
bool holdsSeveralGames(const QString& path);
