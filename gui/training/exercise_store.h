#pragma once
// The player's exercises, kept across runs in one JSON file of the user's
// data folder, written whole or not at all. A file that cannot be read or
// understood is never written over: it is renamed aside (".roto-<time>") and
// the store starts empty, saying why; if it cannot even be moved, the store
// refuses to save for this run rather than lose it.

#include <QString>

#include <optional>
#include <vector>

#include "exercise.h"

class ExerciseStore {
 public:
  static constexpr int FORMAT_VERSION = 1;
  static constexpr const char* FILE_NAME = "ejercicios.json";

  explicit ExerciseStore(QString path);
  // QStandardPaths' AppDataLocation/ejercicios.json.
  static QString defaultPath();

  // Reads the file (a missing one is an empty store). Returns what the player
  // should be told, empty when all went well. `nowMs` names the kept-aside copy.
  QString load(qint64 nowMs);
  // Empty on success, else the message.
  QString save() const;

  // False when the same position and move played is already there.
  bool add(Exercise exercise);
  const std::vector<Exercise>& exercises() const { return items; }
  Exercise& at(std::size_t index) { return items[index]; }
  std::size_t size() const { return items.size(); }

  void solved(std::size_t index, qint64 nowMs) { scheduleSolved(items[index], nowMs); }
  void failed(std::size_t index, qint64 nowMs) { scheduleFailed(items[index], nowMs); }

  // Due now: those failed the last time first, then the longest waiting.
  std::vector<std::size_t> pending(qint64 nowMs) const;
  // Solved the last time they were tried.
  int solvedCount() const;
  const QString& path() const { return filePath; }
  // Where the unreadable file was moved, when it was.
  const QString& keptAside() const { return asidePath; }

 private:
  QString filePath;
  QString asidePath;
  bool writable = true;  // false: an unreadable file could not be moved aside
  std::vector<Exercise> items;
};
