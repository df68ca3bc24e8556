#include "file_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "data_location.h"
#include "dialogs/game_list_dlg.h"
#include "dialogs/save_questions.h"
#include "engine/engine_bridge.h"
#include "files/dovrel2_doc.h"
#include "files/game_file_read.h"
#include "files/game_index.h"

namespace {

const char* const PGN_FILTER = QT_TRANSLATE_NOOP("FileCommands", "Partidas PGN (*.pgn);;Todos los archivos (*.*)");
const char* const PROMPT_RECENT = QT_TRANSLATE_NOOP("FileCommands", "Abre este documento");

// Where the file dialogs open: the folder the user started the program in,
// even when it moved into its data folder (empty: the dialog's own default).
QString startDirectory() { return QString::fromStdString(dataLocation::startDirectory().string()); }

}  // namespace

FileCommands::FileCommands(CDovrel2Doc* doc, EngineBridge* engine, QWidget* window)
    : QObject(window),
      doc(doc),
      engine(engine),
      window(window),
      gameChooser([window](const QString& path) { return CGameListDlg::choose(path, window); }) {}

void FileCommands::setRecentMenu(QMenu* menu) {
  recentMenu = menu;
  connect(menu, &QMenu::aboutToShow, this, &FileCommands::updateRecentMenu);
  updateRecentMenu();
}

void FileCommands::updateRecentMenu() {
  if (!recentMenu) return;
  recentMenu->clear();
  // A file deleted or moved away since is no longer offered.
  for (const QString& path : QStringList(recentFiles.files()))
    if (!QFileInfo(path).isFile()) recentFiles.remove(path);
  const QStringList& files = recentFiles.files();
  recentMenu->menuAction()->setEnabled(!files.isEmpty());
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* action = recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
    action->setStatusTip(tr(PROMPT_RECENT));
    connect(action, &QAction::triggered, this, [this, path] {
      if (confirmDiscard()) openFile(path);
    });
  }
}

// Whether the file holds several games is found out on a thread of its own,
// so a file of any size never stalls the window. A pipe, a device or a
// folder is not looked into at all: the reader refuses it, naming why.
void FileCommands::openFile(const QString& path) {
  const bool regular = QFileInfo(path).isFile();
  auto* watcher = new QFutureWatcher<bool>(this);
  connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher, path] {
    watcher->deleteLater();
    openChosenGame(path, watcher->result());
  });
  watcher->setFuture(QtConcurrent::run([path, regular] { return regular && holdsSeveralGames(path); }));
}

void FileCommands::openChosenGame(const QString& path, bool severalGames) {
  // A collection first shows its games; closing the list opens nothing.
  qint64 offset = 0;
  if (severalGames) {
    const std::optional<qint64> chosen = gameChooser(path);
    if (!chosen) {
      emit openFinished();
      return;
    }
    offset = *chosen;
  }
  // The game is read on a thread of its own too: a long game or a comment of
  // megabytes never stalls the window. Taking it replaces the Game's position
  // and players: never under a thinking engine.
  auto* watcher = new QFutureWatcher<GameFileRead>(this);
  connect(watcher, &QFutureWatcher<GameFileRead>::finished, this, [this, watcher, path, offset] {
    watcher->deleteLater();
    engine->whenIdle([this, path, offset, read = watcher->result()] {
      const bool opened = doc->openRead(path, static_cast<long>(offset), read);
      emit gameOpened();
      // A recent entry that no longer opens is dropped from the list.
      if (opened)
        recentFiles.add(path);
      else
        recentFiles.remove(path);
      updateRecentMenu();
      emit openFinished();
    });
  });
  watcher->setFuture(
      QtConcurrent::run([path, offset] { return CDovrel2Doc::readForOpening(path, static_cast<long>(offset)); }));
}

bool FileCommands::saveFile(const QString& path) {
  const bool saved = doc->saveDocument(path);
  if (saved) {
    recentFiles.add(path);
    updateRecentMenu();
  }
  return saved;
}

bool FileCommands::confirmDiscard() {
  if (!doc->isModified()) return true;
  switch (askBeforeDiscarding(window)) {
    case DiscardChoice::Save: return save();
    case DiscardChoice::Discard: return true;
    default: return false;
  }
}

bool FileCommands::open() {
  if (!confirmDiscard()) return false;
  const QString path = QFileDialog::getOpenFileName(window, tr("Abrir"), startDirectory(), tr(PGN_FILTER));
  if (path.isEmpty()) return false;
  openFile(path);
  return true;
}

// Nothing is written when nothing changed; a file holding other games too
// is rewritten only when the user says so.
bool FileCommands::save() {
  if (doc->pathName().isEmpty()) return saveAs();
  if (!doc->isModified()) return true;
  if (doc->isCollection()) {
    switch (askHowToSaveIntoCollection(window, doc->pathName())) {
      case CollectionChoice::Replace: break;
      case CollectionChoice::SaveAs: return saveAs();
      default: return false;
    }
  }
  return saveFile(doc->pathName());
}

bool FileCommands::saveAs() {
  QFileDialog dialog(window, tr("Guardar como"),
                     doc->pathName().isEmpty() ? startDirectory() : doc->pathName(), tr(PGN_FILTER));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pgn"));
  return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() &&
         saveFile(dialog.selectedFiles().first());
}

bool FileCommands::openDropped(const QMimeData* data) {
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) {
      if (confirmDiscard()) openFile(url.toLocalFile());
      return true;
    }
  }
  return false;
}
