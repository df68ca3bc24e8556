#include "debug_windows.h"

#include "command_dlg.h"
#include "common/side_window_place.h"
#include "debug_dialog.h"
#include "engine/thinking_line.h"

namespace {

constexpr int BLACK = 0;
constexpr int RED = 255;

}  // namespace

DebugWindows::DebugWindows(QWidget* mainWindow, EngineObjects objects) : mainWindow(mainWindow), objects(objects) {}

DebugWindows::~DebugWindows() {
  if (commandDlg) delete commandDlg;
  if (debugDlg) delete debugDlg;
}

void DebugWindows::create() {
  if (commandDlg) return;
  commandDlg = new CCommandDlg(mainWindow);
  placeBeside(mainWindow, commandDlg, 50, 10);
  debugDlg = new CDebugDialog(objects.game, objects.book, mainWindow);
  placeBeside(mainWindow, debugDlg, 40, 70);
  commandDlg->setVisible(commandWindowShown);
  debugDlg->setVisible(debugWindowShown);
}

void DebugWindows::apply(bool debugEnabled) {
  if (debugEnabled) {
    create();
    commandDlg->setVisible(commandWindowShown);
    debugDlg->setVisible(debugWindowShown);
  } else {
    if (commandDlg) commandDlg->hide();
    if (debugDlg) debugDlg->hide();
  }
}

void DebugWindows::toggleCommandWindow() {
  commandWindowShown = !commandWindowShown;
  if (commandDlg) commandDlg->setVisible(commandWindowShown);
}

void DebugWindows::toggleDebugWindow() {
  debugWindowShown = !debugWindowShown;
  if (debugDlg) debugDlg->setVisible(debugWindowShown);
}

void DebugWindows::commandTaken(const QString& text) {
  if (commandDlg) commandDlg->appendText(BLACK, text);
}

void DebugWindows::engineLine(const QString& line) {
  if (commandDlg) commandDlg->appendText(RED, line + u'\n');
}

void DebugWindows::thinkingLine(const QString& line, const CChessBoard& root, int ply) {
  if (!debugDlg) return;
  if (const auto text = thinkingLineInSan(line, root, ply))
    debugDlg->appendText(RED, *text + u'\n');
}

void DebugWindows::debugText(const QString& text, int colour) {
  if (debugDlg) debugDlg->appendText(colour, text);
}

void DebugWindows::searchStarted() {
  if (debugDlg) debugDlg->clearLog();
}

void DebugWindows::searchStats(int nodes, int centiseconds) {
  if (debugDlg) debugDlg->showStats(nodes, centiseconds);
}
