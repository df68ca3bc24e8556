#pragma once
// The two optional engine-watching windows beside the main window: the
// command window (protocol traffic) and the debug window (engine state).
// They exist once Debug is on, are hidden rather than destroyed, and each
// remembers whether its menu item shows it.

#include <QPointer>

#include "command_dlg.h"
#include "debug_dialog.h"
#include <QString>

#include "engine/engine_objects.h"

class CChessBoard;
class QWidget;

class DebugWindows {
 public:
  DebugWindows(QWidget* mainWindow, EngineObjects objects);
  ~DebugWindows();

  // Creates both (once) and shows each that its menu item shows.
  void create();
  // Depuración takes effect at once: the windows follow the setting.
  void apply(bool debugEnabled);
  void toggleCommandWindow();
  void toggleDebugWindow();

  // Black for the commands the engine took, red for the lines it wrote.
  void commandTaken(const QString& text);
  void engineLine(const QString& line);
  // A thinking line, its variation in the move list's notation, from the
  // search that started at `root` after `ply` plies.
  void thinkingLine(const QString& line, const CChessBoard& root, int ply);
  void debugText(const QString& text, int colour);
  void searchStarted();
  void searchStats(int nodes, int centiseconds);

  CCommandDlg* commandWindow() const { return commandDlg; }
  CDebugDialog* debugWindow() const { return debugDlg; }

 private:
  QWidget* mainWindow;
  EngineObjects objects;
  QPointer<CCommandDlg> commandDlg;
  QPointer<CDebugDialog> debugDlg;
  bool commandWindowShown = true;
  bool debugWindowShown = true;
};
