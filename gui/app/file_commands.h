#pragma once
// Archivo: opening a game (the dialog, the recent files, the command line,
// dropped files), saving it, and asking before a changed game is lost. Every
// opened game is handed on through `gameOpened`, which puts it in play.

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "files/recent_file_list.h"

class CDovrel2Doc;
class EngineBridge;
class QMenu;
class QMimeData;
class QWidget;

class FileCommands : public QObject {
  Q_OBJECT

 public:
  // Which game of a collection to open (where it begins); tests replace the list.
  using GameChooser = std::function<std::optional<qint64>(const QString& path)>;

  FileCommands(CDovrel2Doc* doc, EngineBridge* engine, QWidget* window);

  void setGameChooser(GameChooser chooser) { gameChooser = std::move(chooser); }
  // The "Archivo reciente" submenu this keeps.
  void setRecentMenu(QMenu* menu);

  // Abrir, recent files, the command line and dropped files all end here.
  void openFile(const QString& path);
  bool saveFile(const QString& path);
  // True when a file was chosen: its opening then ends with openFinished.
  bool open();
  // False when nothing was saved (cancelled or failed).
  bool save();
  bool saveAs();
  // Before a changed game is thrown away: save it, discard it or stay.
  bool confirmDiscard();
  // The first local file among dropped ones; false when there is none.
  bool openDropped(const QMimeData* data);

 signals:
  // The document now holds the opened game (the engine worker is idle).
  void gameOpened();
  // An openFile has ended: opened, refused or cancelled.
  void openFinished();

 private:
  void openChosenGame(const QString& path, bool severalGames);
  void updateRecentMenu();

  CDovrel2Doc* doc;
  EngineBridge* engine;
  QWidget* window;
  QMenu* recentMenu = nullptr;
  RecentFileList recentFiles;
  GameChooser gameChooser;
};
