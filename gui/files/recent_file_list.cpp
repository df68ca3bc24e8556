#include "recent_file_list.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const char* const ORGANISATION = "KELVO ChessPlayer";
const char* const PROGRAM = "dovrel2";

QString entryKey(int i) { return QStringLiteral("Recent File List/File%1").arg(i + 1); }

}  // namespace

RecentFileList::RecentFileList() {
  const QSettings settings{QLatin1String(ORGANISATION), QLatin1String(PROGRAM)};
  for (int i = 0; i < SIZE; ++i) {
    const QString path = settings.value(entryKey(i)).toString();
    if (!path.isEmpty()) entries << path;
  }
}

void RecentFileList::add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  entries.removeAll(absolute);
  entries.prepend(absolute);
  while (entries.size() > SIZE) entries.removeLast();
  store();
}

void RecentFileList::remove(const QString& path) {
  if (entries.removeAll(QFileInfo(path).absoluteFilePath()) > 0) store();
}

void RecentFileList::store() const {
  QSettings settings{QLatin1String(ORGANISATION), QLatin1String(PROGRAM)};
  for (int i = 0; i < SIZE; ++i) {
    if (i < entries.size())
      settings.setValue(entryKey(i), entries[i]);
    else
      settings.remove(entryKey(i));
  }
}
