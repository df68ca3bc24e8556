#pragma once
// The main window: menus, toolbar, status bar, the right-hand bar, and the
// engine bridge's window side - it hands commands to the engine worker, turns
// board clicks into moves and reacts to the lines the engine writes.

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <optional>

#include "recent_file_list.h"
#include "engine_objects.h"
#include "game_flow.h"

class CCommandDlg;
class CDebugDialog;
class CDovrel2Doc;
class CDovrelView;
class CRightBarDlg;
class EngineBridge;
class QLabel;
class QMenu;
class QThread;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // Longest command text: with its newline it must fit the engine's 128-byte buffer.
  static constexpr int MAX_COMMAND = 126;

  CMainFrame(CDovrel2Doc* document, EngineObjects objects, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Hands a command line to the engine; lost when the engine is busy.
  void sendCommand(const QString& text);
  // Board clicks: the first picks the origin, the second sends the move.
  void squareClicked(int square);
  // Redraws the board and sets the move list.
  void refresh();
  void updateOpening();

  // Reads kelvo.ini into the frame and, when there is one, the engine player.
  void readSettings();
  void createDebugWindows();
  void disableDebugMenu();
  void startNewGame();
  // Mueve!: the engine takes the side to move, the person the other side.
  void engineMoves();
  const GameFlow& gameFlow() const { return flow; }
  // What the program does once the window exists: show it, apply the
  // settings, set up or disable debugging, start a game and, when a file is
  // named, show that file's game instead.
  void startUp(const QString& file = QString());
  // Abrir, recent files, the command line and dropped files all end here.
  void openFile(const QString& path);
  bool saveFile(const QString& path);

  // Promotion choice; tests replace the dialog.
  void setPromotionChooser(std::function<int()> chooser) { promotionChooser = std::move(chooser); }
  // Which game of a collection to open (where it begins); tests replace the list.
  using GameChooser = std::function<std::optional<qint64>(const QString& path)>;
  void setGameChooser(GameChooser chooser) { gameChooser = std::move(chooser); }

  CDovrelView* view() const { return boardView; }
  CRightBarDlg* rightBar() const { return rightBarDlg; }
  CCommandDlg* commandWindow() const;
  CDebugDialog* debugWindow() const;
  EngineBridge* bridge() const { return engine; }
  CDovrel2Doc* document() const { return doc; }
  QMenu* debugMenu() const { return debugMenuValue; }
  const QByteArray& pendingCommand() const { return pending; }
  bool debugEnabled() const { return debugEnabledValue; }
  const QString& fontName() const { return fontNameValue; }
  bool awaitingFirstClick() const { return awaitingFirst; }
  QString statusText() const;
  // The opening field's full text ("B20 Defensa Siciliana: 1.e4 c5"), empty
  // before the first named position.
  QString openingText() const;

 signals:
  // After the engine took a command / after a line of the engine was handled.
  void commandTaken(const QString& command);
  void lineHandled(const QString& line);
  // Start-up's game stands: the new game, or the named file's.
  void startedUp();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // Salir and the close box ask before a changed game is lost.
  void closeEvent(QCloseEvent* event) override;

 private:
  // The menus with their commands, the keyboard shortcuts, then the toolbar
  // that repeats some of the commands with icons.
  void createMenus();
  void createShortcuts();
  void createToolBar();
  QAction* addCommand(QMenu* menu, const QString& caption, const QString& prompt, const std::function<void()>& handler);
  void fitToBoard();
  void updateRecentMenu();
  void updateStatus();
  // A fallen flag ends the game.
  void followClocks();
  void endGame(const GameEnd& end, const QString& boxText);
  void applyDebugSetting();
  void sendOnPersonsTurn(const std::function<void()>& send);
  void showThinkingLine(const QString& line);

  void onCommandWanted(QByteArray* buffer);
  void onEngineLine(const QString& line);
  void onDebugText(const QString& text, int colour);
  void onPlayerCreated();
  void applySettings(bool forNewPlayer);

  void fileOpen();
  // False when nothing was saved (cancelled or failed).
  bool fileSave();
  bool fileSaveAs();
  // Before a changed game is thrown away: save it, discard it or stay.
  bool confirmDiscard();
  void showOptions();
  void issueCommand();
  void readOpenings();
  void deleteBook();
  void toggleCommandWindow();
  void toggleDebugWindow();
  // Edición and the Partida commands that do not go to the engine as they are.
  void copyFen();
  void copyPgn();
  void pasteGame();
  void resign();
  bool gameIsOver();
  void offerDraw();
  void showHint();

  CDovrel2Doc* doc;
  EngineObjects objects;
  EngineBridge* engine;
  CDovrelView* boardView;
  CRightBarDlg* rightBarDlg;
  QLabel* engineStatus;
  QLabel* openingStatus;  // the opening the shown position belongs to
  QMenu* debugMenuValue = nullptr;
  QMenu* recentMenu = nullptr;
  QToolBar* toolBar = nullptr;
  // The menu commands the toolbar repeats.
  struct ToolBarActions {
    QAction *open, *save, *larger, *smaller, *previous, *current, *next, *newGame, *back, *engineMove, *moveNow, *about;
  } toolBarActions{};
  QPointer<CCommandDlg> commandDlg;
  QPointer<CDebugDialog> debugDlg;
  RecentFileList recentFiles;
  std::function<int()> promotionChooser;
  GameChooser gameChooser;
  QPointer<QThread> hintSearch;  // Pista's own search, while it runs

  GameFlow flow;

  QByteArray pending;
  bool handingOver = false;
  bool commandWaiting = false;  // a person's command waits for the engine
  bool awaitingFirst = true;
  int fromSquare = 0;
  int toSquare = 0;
  bool commandWindowShown = true;
  bool debugWindowShown = true;
  bool debugEnabledValue = false;
  QString fontNameValue = QStringLiteral("Regular");
};
