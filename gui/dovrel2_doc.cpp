#include "dovrel2_doc.h"

#include <QFile>
#include <QFileInfo>

#include "book/pgn_reader.h"
#include "driver/game.h"
#include "message_sink.h"
#include "move_list_text.h"

namespace {

bool loadGame(Game& game, const QString& fileName) {
  return game.edit([&](Game& edited) {
    edited.startNewGame();
    PgnReader reader;
    reader.readGame(QFile::encodeName(fileName).toStdString(), 0, nullptr, edited);
    return !edited.history.empty();
  });
}

}  // namespace

bool CDovrel2Doc::openDocument(const QString& fileName) {
  // A file that cannot be read at all leaves the game and the document alone.
  const QFileInfo file(fileName);
  if (!file.isReadable() || file.isDir()) {
    showMessage(QMessageBox::Warning, QStringLiteral("Error loading file"), window);
    return false;
  }
  // Loading has replaced the game even when it fails; the document then holds
  // that new game, untitled, so a later Save cannot overwrite the file.
  const bool loaded = loadGame(game, fileName);
  path = loaded ? fileName : QString();
  emit titleChanged();
  emit refreshViews();
  if (!loaded) showMessage(QMessageBox::Warning, QStringLiteral("Error loading file"), window);
  return loaded;
}

bool CDovrel2Doc::saveDocument(const QString& fileName) {
  const std::string text = game.read([](const Game& saved) { return moveListText(saved.history); });
  QFile file(fileName);
  const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                     file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
  file.close();
  if (saved) {
    path = fileName;
    emit titleChanged();
  }
  emit refreshViews();
  return saved;
}

void CDovrel2Doc::newDocument() {
  path.clear();
  emit titleChanged();
}

QString CDovrel2Doc::windowTitle() const {
  const QString title = QStringLiteral("dovrel2");
  if (path.isEmpty()) return title;
  return QFileInfo(path).fileName() + QStringLiteral(" - ") + title;
}
