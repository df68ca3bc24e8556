#pragma once
// The four most recently used game files, kept in the program's stored
// profile ("KELVO ChessPlayer").

#include <QString>
#include <QStringList>

class RecentFileList {
 public:
  static constexpr int SIZE = 4;

  RecentFileList();

  const QStringList& files() const { return entries; }
  // Moves the file to the front, dropping the oldest beyond SIZE; stored at once.
  void add(const QString& path);
  void remove(const QString& path);

 private:
  void store() const;
  QStringList entries;
};
