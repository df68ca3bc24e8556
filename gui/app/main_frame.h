#pragma once
// The main window: the assembly of menus, toolbar, status bar, the board and
// the right-hand bar. The commands live with their concept: the game in play
// (GameInPlay), files (FileCommands), settings (SettingsCommands), analysis
// (AnalysisCommands), the configured engines (EngineCommands), the engine
// hand-over (CommandChannel) and the engine-watching windows (DebugWindows);
// the frame connects them and redraws.

#include <QByteArray>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

#include <QMenu>

#include "engine/command_channel.h"
#include "engine/engine_objects.h"
#include "engine_commands.h"
#include "file_commands.h"
#include "game/move_list_text.h"
#include "panels/debug_windows.h"
#include "play/game_in_play.h"
#include "settings_commands.h"

class AnalysisCommands;
class AnalysisDocks;
class CDovrel2Doc;
class CDovrelView;
class CRightBarDlg;
class EngineBridge;
class HintSearch;
class QLabel;
class TrainingCommands;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(CDovrel2Doc* document, EngineObjects objects, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Hands a command line to the engine; taken after what it is busy with.
  void sendCommand(const QString& text) { channel->send(text); }
  // Board clicks: the first picks the origin, the second sends the move, to
  // the game or, while one stands on the board, to the exercise.
  void squareClicked(int square);
  // Redraws the board and sets the move list.
  void refresh();
  void updateOpening();

  // Reads kelvo.ini into the frame and, when there is one, the engine player.
  void readSettings() { settings->apply(false); }
  void createDebugWindows() { debugWindows->create(); }
  void disableDebugMenu() { debugMenuValue->menuAction()->setEnabled(false); }
  void startNewGame() { play->startNewGame(); }
  // Mueve!: the engine takes the side to move, the person the other side.
  void engineMoves() { play->engineMoves(); }
  const GameFlow& gameFlow() const { return play->gameFlow(); }
  GameInPlay* gameInPlay() const { return play; }
  // Nueva partida's game: the seats, the clock and the start it names.
  void startGame(const NewGameDlg::Choices& chosen) { engineCommands->startGame(chosen); }
  // Detener: the engines stop and the game ends without a result.
  void stopGame() { play->stopGame(); }
  EngineTurns* engineTurns() const { return play->engineTurns(); }
  // The configured engines, kelvo first.
  EngineList& engines() { return engineCommands->engines(); }
  // What the program does once the window exists: show it, apply the
  // settings, set up or disable debugging, start a game and, when a file is
  // named, show that file's game instead. `welcome`: the first-start page may
  // follow (the user's start; never a test's or a script's).
  void startUp(const QString& file = QString(), bool welcome = false);
  // Abrir, recent files, the command line and dropped files all end here.
  void openFile(const QString& path) { files->openFile(path); }
  bool saveFile(const QString& path) { return files->saveFile(path); }

  // Promotion choice; tests replace the dialog.
  void setPromotionChooser(std::function<int()> chooser) { play->setPromotionChooser(std::move(chooser)); }
  // Which game of a collection to open (where it begins); tests replace the list.
  using GameChooser = FileCommands::GameChooser;
  void setGameChooser(GameChooser chooser) { files->setGameChooser(std::move(chooser)); }

  CDovrelView* view() const { return boardView; }
  CRightBarDlg* rightBar() const { return rightBarDlg; }
  CCommandDlg* commandWindow() const { return debugWindows->commandWindow(); }
  CDebugDialog* debugWindow() const { return debugWindows->debugWindow(); }
  EngineBridge* bridge() const { return engine; }
  CDovrel2Doc* document() const { return doc; }
  AnalysisDocks* analysis() const;
  TrainingCommands* training() const { return trainingCommands; }
  QMenu* debugMenu() const { return debugMenuValue; }
  const QByteArray& pendingCommand() const { return channel->pending(); }
  bool debugEnabled() const { return settings->debugEnabled(); }
  const QString& fontName() const { return settings->fontName(); }
  bool awaitingFirstClick() const { return play->awaitingFirstClick(); }
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
  void createStatusBar();
  void connectParts();
  QAction* addCommand(QMenu* menu, const QString& caption, const QString& prompt, const std::function<void()>& handler);
  void fitToBoard();
  // A window that keeps its size (maximised) gives the board the room left to it.
  void fitBoardToRoom();
  void updateStatus();
  void applyDebugSetting(bool enabled);

  void onCommandsTaken(const QStringList& lines, const QByteArray& text);
  void onEngineLine(const QString& line);
  void copyFen();
  void copyPgn();
  void pasteGame();

  CDovrel2Doc* doc;
  EngineObjects objects;
  EngineBridge* engine;
  CDovrelView* boardView;
  CRightBarDlg* rightBarDlg;
  MoveListCache moveListCache;
  std::vector<TreePath> moveListNodes;  // the variation moves' nodes of the list shown
  AnalysisCommands* analysisCommands = nullptr;
  TrainingCommands* trainingCommands = nullptr;
  QLabel* engineStatus;
  QLabel* openingStatus;  // the opening the shown position belongs to
  CommandChannel* channel;
  GameInPlay* play;
  EngineCommands* engineCommands;
  FileCommands* files;
  SettingsCommands* settings;
  HintSearch* hints;
  std::unique_ptr<DebugWindows> debugWindows;
  QMenu* debugMenuValue = nullptr;
  QToolBar* toolBar = nullptr;
  // The menu commands the toolbar repeats.
  struct ToolBarActions {
    QAction *open, *save, *larger, *smaller, *previous, *current, *next, *newGame, *back, *engineMove, *moveNow, *about;
  } toolBarActions{};
};
