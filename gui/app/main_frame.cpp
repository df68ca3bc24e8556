#include "main_frame.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QThread>
#include <QCloseEvent>
#include <QApplication>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>


#include "about_dlg.h"
#include "board_geometry.h"
#include "book/opening_book.h"
#include "command_dlg.h"
#include "config_dlg.h"
#include "data_location.h"
#include "debug_dialog.h"
#include "dovrel2_doc.h"
#include "dovrel_view.h"
#include "draw_offer.h"
#include "driver/engine_io.h"
#include "driver/game.h"
#include "engine_bridge.h"
#include "game_index.h"
#include "game_list_dlg.h"
#include "game_opening.h"
#include "engine_line.h"
#include "file_saver.h"
#include "get_text_dlg.h"
#include "message_sink.h"
#include "move_list_text.h"
#include "book/pgn_writer.h"
#include "position/fen.h"
#include "player_settings.h"
#include "promoting_sel_dlg.h"
#include "right_bar_dlg.h"
#include "save_questions.h"
#include "side_window_place.h"
#include "search/engine_player.h"
#include "settings_file.h"
#include "thinking_line.h"
#include "window_place.h"

namespace {

constexpr int BLACK = 0;
constexpr int RED = 255;
constexpr int STATUS_TIMER_MS = 200;
constexpr int OPENING_FIELD_WIDTH = 260;  // pixels
const QString PGN_FILTER = QStringLiteral("Partidas PGN (*.pgn);;Todos los archivos (*.*)");

// Where the file dialogs open: the folder the user started the program in,
// even when it moved into its data folder (empty: the dialog's own default).
QString startDirectory() { return QString::fromStdString(dataLocation::startDirectory().string()); }

// The standard prompts of the framework's own commands.
const QString PROMPT_OPEN = QStringLiteral("Abre un documento existente\nAbrir");
const QString PROMPT_SAVE = QStringLiteral("Guarda el documento activo\nGuardar");
const QString PROMPT_SAVE_AS = QStringLiteral("Guarda el documento activo con un nombre nuevo\nGuardar como");
const QString PROMPT_EXIT = QStringLiteral("Sale de la aplicación; pide confirmación para guardar los documentos\nSalir");
const QString PROMPT_TOOLBAR =
    QStringLiteral("Muestra u oculta la barra de herramientas\nAlternar barra de herramientas");
const QString PROMPT_STATUS_BAR = QStringLiteral("Muestra u oculta la barra de estado\nAlternar barra de estado");
const QString PROMPT_ABOUT =
    QStringLiteral("Muestra información del programa, número de versión y copyright\nAcerca de");
const QString PROMPT_RECENT = QStringLiteral("Abre este documento");

void setPrompt(QAction* action, const QString& prompt) {
  const qsizetype cut = prompt.indexOf(u'\n');
  action->setStatusTip(prompt.left(cut));
  if (cut >= 0) action->setToolTip(prompt.mid(cut + 1));
}

}  // namespace

CMainFrame::CMainFrame(CDovrel2Doc* document, EngineObjects objects, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                              Qt::WindowCloseButtonHint),
      doc(document),
      objects(objects),
      engine(new EngineBridge(objects, this)),
      boardView(new CDovrelView(objects.game, this)),
      rightBarDlg(new CRightBarDlg(this)),
      engineStatus(new QLabel(this)),
      openingStatus(new QLabel(this)),
      promotionChooser([this] { return CPromotingSelDlg::ask(this); }),
      gameChooser([this](const QString& path) { return CGameListDlg::choose(path, this); }),
      flow(objects.game) {
  doc->setWindow(this);
  setWindowTitle(doc->windowTitle());
  setCentralWidget(boardView);
  createMenus();
  createShortcuts();
  createToolBar();

  auto* dock = new QDockWidget(this);
  dock->setObjectName(QStringLiteral("rightBarDock"));
  dock->setTitleBarWidget(new QWidget(dock));
  dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
  dock->setWidget(rightBarDlg);
  addDockWidget(Qt::RightDockWidgetArea, dock);

  // The first pane shows menu prompts and, between them, the idle text.
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    if (message.isEmpty()) statusBar()->showMessage(QStringLiteral("Preparado"));
  });
  statusBar()->showMessage(QStringLiteral("Preparado"));
  statusBar()->setSizeGripEnabled(true);
  statusBar()->addPermanentWidget(openingStatus);
  statusBar()->addPermanentWidget(engineStatus);
  engineStatus->setText(QStringLiteral("ready"));

  auto* statusTimer = new QTimer(this);
  connect(statusTimer, &QTimer::timeout, this, &CMainFrame::updateStatus);
  statusTimer->start(STATUS_TIMER_MS);

  connect(engine, &EngineBridge::commandWanted, this, &CMainFrame::onCommandWanted);
  connect(engine, &EngineBridge::lineArrived, this, &CMainFrame::onEngineLine);
  connect(engine, &EngineBridge::debugTextArrived, this, &CMainFrame::onDebugText);
  connect(engine, &EngineBridge::playerCreated, this, &CMainFrame::onPlayerCreated);
  connect(engine, &EngineBridge::searchStarted, this, [this] {
    if (debugDlg) debugDlg->clearLog();
  });
  connect(engine, &EngineBridge::statsArrived, this, [this](int nodes, int centiseconds) {
    if (debugDlg) debugDlg->showStats(nodes, centiseconds);
  });
  connect(boardView, &CDovrelView::squareClicked, this, &CMainFrame::squareClicked);
  connect(rightBarDlg, &CRightBarDlg::entryClicked, this, [this](int entry) {
    boardView->browseTo(entry);
    refresh();
  });
  connect(boardView, &CDovrelView::pickCancelled, this, [this] {
    awaitingFirst = true;
    boardView->setAwaitingFirstClick(true);
  });
  connect(boardView, &CDovrelView::clientSizeWanted, this, [this](QSize) { fitToBoard(); });
  connect(doc, &CDovrel2Doc::refreshViews, this, &CMainFrame::refresh);
  connect(doc, &CDovrel2Doc::titleChanged, this, [this] {
    setWindowTitle(doc->windowTitle());
    setWindowModified(doc->isModified());
  });

  boardView->setFontName(fontNameValue);
  fitToBoard();
}

CMainFrame::~CMainFrame() {
  // The next start opens the window where this one was, as large.
  SettingsFile file;
  file.setText(ini::DOVREL, ini::WINDOW, windowPlaceText(QRect(pos(), size())));
  file.save();
  engine->shutdown();
  if (hintSearch) hintSearch->wait();
  if (commandDlg) delete commandDlg;
  if (debugDlg) delete debugDlg;
}

QAction* CMainFrame::addCommand(QMenu* menu, const QString& caption, const QString& prompt,
                                const std::function<void()>& handler) {
  auto* action = new QAction(caption, this);
  if (!prompt.isEmpty()) setPrompt(action, prompt);
  connect(action, &QAction::triggered, this, handler);
  if (menu) menu->addAction(action);
  return action;
}

void CMainFrame::createMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Archivo"));
  QAction* open = addCommand(file, QStringLiteral("&Abrir...\tCtrl+O"), PROMPT_OPEN, [this] { fileOpen(); });
  QAction* save = addCommand(file, QStringLiteral("&Guardar\tCtrl+S"), PROMPT_SAVE, [this] { fileSave(); });
  addCommand(file, QStringLiteral("Guardar c&omo..."), PROMPT_SAVE_AS, [this] { fileSaveAs(); });
  file->addSeparator();
  recentMenu = file->addMenu(QStringLiteral("Archivo reciente"));
  file->addSeparator();
  addCommand(file, QStringLiteral("&Salir"), PROMPT_EXIT, [this] { close(); });
  updateRecentMenu();

  QMenu* editMenu = menuBar()->addMenu(QStringLiteral("&Edición"));
  addCommand(editMenu, QStringLiteral("Copiar &PGN"), QStringLiteral("Copia la partida en formato PGN\nCopiar PGN"),
             [this] { copyPgn(); })->setShortcut(QKeySequence::Copy);
  addCommand(editMenu, QStringLiteral("Copiar &FEN"), QStringLiteral("Copia la posición en formato FEN\nCopiar FEN"),
             [this] { copyFen(); })->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  addCommand(editMenu, QStringLiteral("Pe&gar FEN/PGN"),
             QStringLiteral("Toma una partida o una posición del portapapeles\nPegar FEN/PGN"),
             [this] { pasteGame(); })->setShortcut(QKeySequence::Paste);

  QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&Ver"));
  QAction* showToolBar = addCommand(viewMenu, QStringLiteral("Barra de &herramientas"), PROMPT_TOOLBAR, [] {});
  showToolBar->setCheckable(true);
  showToolBar->setChecked(true);
  connect(showToolBar, &QAction::toggled, this, [this](bool on) {
    toolBar->setVisible(on);
    fitToBoard();
  });
  QAction* showStatusBar = addCommand(viewMenu, QStringLiteral("Barra de &estado"), PROMPT_STATUS_BAR, [] {});
  showStatusBar->setCheckable(true);
  showStatusBar->setChecked(true);
  connect(showStatusBar, &QAction::toggled, this, [this](bool on) {
    statusBar()->setVisible(on);
    fitToBoard();
  });
  viewMenu->addSeparator();
  QAction* larger = addCommand(viewMenu, QStringLiteral("Tablero mayor"), QStringLiteral("Tablero más grande\nTablero mayor"),
                               [this] { boardView->larger(); });
  QAction* smaller = addCommand(viewMenu, QStringLiteral("Tablero menor"),
                                QStringLiteral("Tablero más pequeño\nTablero menor"), [this] { boardView->smaller(); });
  addCommand(viewMenu, QStringLiteral("Invertir tablero"), QString(), [this] { boardView->flip(); });
  viewMenu->addSeparator();
  QAction* previous = addCommand(viewMenu, QStringLiteral("Ver mov. previo"),
                                 QStringLiteral("Ver movimiento previo\nVer movimiento previo"),
                                 [this] { boardView->browseBack(); refresh(); });
  QAction* next = addCommand(viewMenu, QStringLiteral("Ver mov. siguiente"),
                             QStringLiteral("Ver movimiento siguiente\nVer movimiento siguiente"),
                             [this] { boardView->browseForward(); refresh(); });
  QAction* current = addCommand(viewMenu, QStringLiteral("Ver pos. actual"),
                                QStringLiteral("Show the current position\nShow current"),
                                [this] { boardView->browseLive(); refresh(); });
  viewMenu->addSeparator();
  addCommand(viewMenu, QStringLiteral("Opciones"), QStringLiteral("Muestra un diálogo con opciones\nOpciones"),
             [this] { showOptions(); });

  QMenu* game = menuBar()->addMenu(QStringLiteral("Partida"));
  QAction* newGame = addCommand(game, QStringLiteral("Nueva\tCtrl+N"), QStringLiteral("Nueva partida\nNueva partida"),
                                [this] {
                                  if (confirmDiscard()) startNewGame();
                                });
  QAction* back = addCommand(game, QStringLiteral("Atras"), QStringLiteral("Echar para atras\nMoviola"),
                             [this] { sendCommand(QStringLiteral("undo")); });
  QAction* engineMove =
      addCommand(game, QStringLiteral("Mueve!\tCtrl+M"),
                 QStringLiteral("Juega el motor con el bando que mueve\nMueve!"), [this] { engineMoves(); });
  QAction* moveNow = addCommand(game, QStringLiteral("Move now!"), QStringLiteral("Move now\nMover YA"),
                                [this] { objects.io.stopRequested = true; });
  addCommand(game, QStringLiteral("Delante"), QString(), [] {});
  game->addSeparator();
  addCommand(game, QStringLiteral("Pista"), QStringLiteral("Marca en el tablero la jugada que sugiere el motor\nPista"),
             [this] { showHint(); })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  addCommand(game, QStringLiteral("Ofrecer tablas"), QStringLiteral("Ofrece tablas al motor\nOfrecer tablas"),
             [this] { offerDraw(); });
  addCommand(game, QStringLiteral("Abandonar"), QStringLiteral("Abandona la partida\nAbandonar"),
             [this] { resign(); });

  debugMenuValue = menuBar()->addMenu(QStringLiteral("Debug"));
  addCommand(debugMenuValue, QStringLiteral("View log"), QStringLiteral("Shows a log window\nShows a log window"),
             [this] { toggleDebugWindow(); });
  addCommand(debugMenuValue, QStringLiteral("View XBoard commands"), QString(), [this] { toggleCommandWindow(); });
  addCommand(debugMenuValue, QStringLiteral("Show legal"), QString(),
             [this] { sendCommand(QStringLiteral("_showlegal")); });
  addCommand(debugMenuValue, QStringLiteral("Issue command"),
             QStringLiteral("Issues a general command\nIssue command"), [this] { issueCommand(); });
  addCommand(debugMenuValue, QStringLiteral("Assert!!!!"), QString(), [] {});
  addCommand(debugMenuValue, QStringLiteral("Joker"), QString(), [this] { refresh(); });
  addCommand(debugMenuValue, QStringLiteral("Del memory"), QString(), [this] { deleteBook(); });
  addCommand(debugMenuValue, QStringLiteral("Read openings"),
             QStringLiteral("Reads the opening book\nRead openings"), [this] { readOpenings(); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("Ay&uda"));
  QAction* about = addCommand(help, QStringLiteral("&Acerca de dovrel2..."), PROMPT_ABOUT, [this] {
    CAboutDlg dialog(this);
    dialog.exec();
  });
  toolBarActions = {open, save, larger, smaller, previous, current, next, newGame, back, engineMove, moveNow, about};
}

void CMainFrame::createShortcuts() {
  // Each key is the one its menu caption names; it triggers the menu's own action.
  auto shortcut = [this](const QKeySequence& keys, const std::function<void()>& handler) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, handler);
  };
  const ToolBarActions& actions = toolBarActions;
  shortcut(QKeySequence::Open, [open = actions.open] { open->trigger(); });
  shortcut(QKeySequence::Save, [save = actions.save] { save->trigger(); });
  shortcut(QKeySequence::New, [newGame = actions.newGame] { newGame->trigger(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_M), [engineMove = actions.engineMove] { engineMove->trigger(); });
  // On the actions themselves, so the menu shows them.
  actions.larger->setShortcut(QKeySequence(Qt::Key_Plus));
  actions.smaller->setShortcut(QKeySequence(Qt::Key_Minus));
}

void CMainFrame::createToolBar() {
  toolBar = new QToolBar(this);
  toolBar->setObjectName(QStringLiteral("toolBar"));
  toolBar->setMovable(false);
  addToolBar(Qt::TopToolBarArea, toolBar);

  QStyle* look = style();
  auto [open, save, larger, smaller, previous, current, next, newGame, back, engineMove, moveNow, about] =
      toolBarActions;
  open->setIcon(look->standardIcon(QStyle::SP_DialogOpenButton));
  save->setIcon(look->standardIcon(QStyle::SP_DialogSaveButton));
  larger->setIcon(look->standardIcon(QStyle::SP_TitleBarMaxButton));
  smaller->setIcon(look->standardIcon(QStyle::SP_TitleBarMinButton));
  previous->setIcon(look->standardIcon(QStyle::SP_MediaSeekBackward));
  current->setIcon(look->standardIcon(QStyle::SP_MediaSkipForward));
  next->setIcon(look->standardIcon(QStyle::SP_MediaSeekForward));
  newGame->setIcon(look->standardIcon(QStyle::SP_FileIcon));
  back->setIcon(look->standardIcon(QStyle::SP_ArrowBack));
  engineMove->setIcon(look->standardIcon(QStyle::SP_MediaPlay));
  moveNow->setIcon(look->standardIcon(QStyle::SP_MediaStop));
  about->setIcon(look->standardIcon(QStyle::SP_MessageBoxInformation));
  for (QAction* action : {open, save}) toolBar->addAction(action);
  toolBar->addSeparator();
  for (QAction* action : {larger, smaller, previous, current, next}) toolBar->addAction(action);
  toolBar->addSeparator();
  for (QAction* action : {newGame, back, engineMove, moveNow}) toolBar->addAction(action);
  toolBar->addSeparator();
  toolBar->addAction(about);
}

void CMainFrame::updateRecentMenu() {
  recentMenu->clear();
  const QStringList& files = recentFiles.files();
  recentMenu->menuAction()->setEnabled(!files.isEmpty());
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* action = recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
    action->setStatusTip(PROMPT_RECENT);
    connect(action, &QAction::triggered, this, [this, path] {
      if (confirmDiscard()) openFile(path);
    });
  }
}

// Tablero mayor and menor: the window wraps the board of the new size, and
// the board grows only while the whole window, status bar included, still
// fits the screen. Between them the window resizes freely, the board with it.
void CMainFrame::fitToBoard() {
  boardView->setMinimumSize(boardPixelSize(MIN_SQUARE_SIZE).width, boardPixelSize(MIN_SQUARE_SIZE).height);
  auto wrapBoard = [this] {
    boardView->updateGeometry();
    if (QLayout* frameLayout = layout()) frameLayout->invalidate();
    resize(sizeHint());
  };
  wrapBoard();
  if (const QScreen* display = screen()) {
    const QSize borders = frameGeometry().size() - geometry().size();
    const QSize overhead = sizeHint() - boardView->sizeHint() + borders;
    const QSize room = display->availableGeometry().size();
    const int largest = largestFittingSquareSize({room.width(), room.height()}, {overhead.width(), overhead.height()});
    const int before = boardView->squareSize();
    boardView->setMaxSquareSize(largest);
    if (boardView->squareSize() != before) wrapBoard();
  }
}

void CMainFrame::sendCommand(const QString& text) {
  handingOver = true;
  // Each line of a batch fits the engine's buffer on its own.
  pending.clear();
  for (const QByteArray& line : text.toLatin1().split('\n')) pending += line.left(MAX_COMMAND) + '\n';
  if (!engine->isStarted()) engine->start();
  engine->release();
  handingOver = false;
}

void CMainFrame::onCommandWanted(QByteArray* buffer) {
  *buffer = pending;
  const QStringList taken = QString::fromLatin1(pending.chopped(1)).split(u'\n');
  for (const QString& line : taken) {
    // The engine replaces the game: a file named by the document no longer holds it.
    const QString word = line.trimmed().section(u' ', 0, 0);
    if (word == QLatin1String("new")) doc->gameRestarted();
    if (word == QLatin1String("_loadpgn")) doc->gameReplaced();
    flow.commandTaken(line.trimmed());
  }
  refresh();
  if (commandDlg) commandDlg->appendText(BLACK, QString::fromLatin1(pending));
  for (const QString& line : taken) emit commandTaken(line);
}

void CMainFrame::onEngineLine(const QString& line) {
  if (commandDlg) commandDlg->appendText(RED, line + u'\n');
  doc->noteEngineLine(line);
  showThinkingLine(line);
  const EngineBridge::LineStamp& stamp = engine->lineStamp();
  flow.follow(stamp.at, stamp.plies, stamp.sideToMove);
  followClocks();
  const int sideToMove = objects.game.read([](const Game& game) { return game.position.sideToMove; });
  const EngineLineReaction reaction = EngineLineReaction::of(line, sideToMove);
  if (reaction.end) {
    // A result after the game has ended (a move the engine made as its flag fell) changes nothing.
    if (!flow.isOver()) endGame(*reaction.end, reaction.boxText);
  } else if (const std::optional<GameEnd> dead = flow.checkMaterial()) {
    endGame(*dead, dead->reason + u'\n' + dead->outcome());
  } else {
    if (reaction.box != EngineLineReaction::NO_BOX)
      showMessage(reaction.box == EngineLineReaction::ERROR ? QMessageBox::Critical : QMessageBox::Information,
                  reaction.boxText, this);
    if (!reaction.command.isEmpty()) sendCommand(reaction.command);
  }
  refresh();
  emit lineHandled(line);
}

void CMainFrame::onDebugText(const QString& text, int colour) {
  if (debugDlg) debugDlg->appendText(colour, text);
}

void CMainFrame::squareClicked(int square) {
  // A finished game takes no more moves; Nueva (or Atras) goes on from there.
  if (flow.isOver()) return;
  if (awaitingFirst) {
    fromSquare = square;
    awaitingFirst = false;
    boardView->setFromSquare(fromSquare);
    boardView->setAwaitingFirstClick(false);
    refresh();
    return;
  }
  toSquare = square;
  QString move = QString::fromStdString(squareName(fromSquare) + squareName(toSquare));
  Piece origin = EMPTY;
  if (isValidSquare(fromSquare))
    origin = objects.game.read([this](const Game& game) { return game.position.squares[fromSquare]; });
  if ((origin == WHITE_PAWN && rankOf(fromSquare) == 6) || (origin == BLACK_PAWN && rankOf(fromSquare) == 1))
    move += CPromotingSelDlg::suffix(promotionChooser());
  // When the engine answers, it is told both clocks first.
  sendOnPersonsTurn([this, move] {
    const auto [sideToMove, engineAnswers] = objects.game.read(
        [](const Game& game) { return std::pair{game.position.sideToMove, game.enginePlayer != nullptr}; });
    sendCommand(engineAnswers ? flow.withClocks(move, 1 - sideToMove) : move);
  });
  awaitingFirst = true;
  boardView->setAwaitingFirstClick(true);
  refresh();
}

void CMainFrame::refresh() {
  boardView->refresh();
  std::vector<MoveSpan> spans;
  const auto [text, entries] = objects.game.read([&spans](const Game& game) {
    return std::pair{moveListText(game.history, &spans), static_cast<int>(game.history.size())};
  });
  rightBarDlg->setMoveSpans(std::move(spans));
  const int shown = effectiveBrowseIndex(boardView->browseIndex(), entries);
  rightBarDlg->markEntry(shown == -1 ? entries - 1 : shown);
  QString list = QString::fromStdString(text);
  if (flow.end())
    list += (list.isEmpty() || list.endsWith(u'\n') ? QString() : QStringLiteral("\n")) + flow.end()->announcement();
  rightBarDlg->setMoveList(list);
  updateOpening();
  setWindowModified(doc->isModified());
  // The hint's text goes with its marks.
  if (statusBar()->currentMessage().startsWith(QStringLiteral("Pista: ")) && !boardView->hintShown())
    statusBar()->clearMessage();
}

CCommandDlg* CMainFrame::commandWindow() const { return commandDlg; }

CDebugDialog* CMainFrame::debugWindow() const { return debugDlg; }

QString CMainFrame::statusText() const { return engineStatus->text(); }

QString CMainFrame::openingText() const { return openingStatus->toolTip(); }

// The name is cut with an ellipsis to leave the prompts their room; the whole
// of it is the field's tooltip.
void CMainFrame::updateOpening() {
  const OpeningName* name = objects.game.read([this](const Game& game) {
    return gameOpening(game.history, boardView->browseIndex(), bookOpeningNames());
  });
  const QString text = name ? QString::fromStdString(name->text()) : QString();
  if (text == openingStatus->toolTip()) return;
  openingStatus->setToolTip(text);
  openingStatus->setText(openingStatus->fontMetrics().elidedText(text, Qt::ElideRight, OPENING_FIELD_WIDTH));
}

// "thinking" while a command is on its way or the engine is working on one.
void CMainFrame::updateStatus() {
  updateOpening();
  engineStatus->setText(handingOver || !engine->isIdle() ? QStringLiteral("thinking") : QStringLiteral("ready"));
  followClocks();
  rightBarDlg->setHead(flow.clockText());
}

void CMainFrame::followClocks() {
  if (const std::optional<GameEnd> end = flow.checkFlag()) {
    // An engine thinking on a fallen flag stops; its move, if any, is taken back below.
    objects.io.stopRequested = !engine->isIdle();
    endGame(*end, end->flagBoxText());
  }
}

// The result goes to the engine once it waits; a move it made after the flag fell is taken back.
void CMainFrame::endGame(const GameEnd& end, const QString& boxText) {
  const int pliesAtEnd = objects.game.read([](const Game& game) { return static_cast<int>(game.history.size()); });
  flow.finish(end);
  rightBarDlg->setHead(flow.clockText());
  statusBar()->showMessage(end.announcement());
  refresh();
  const bool flagFall = end.reason == QLatin1String("time");
  engine->whenIdle([this, flagFall, pliesAtEnd, score = end.score] {
    const int plies = objects.game.read([](const Game& game) { return static_cast<int>(game.history.size()); });
    sendCommand((flagFall && plies > pliesAtEnd ? QStringLiteral("undo\n") : QString()) + QStringLiteral("result ") +
                score);
  });
  showMessage(QMessageBox::Information, boxText, this);
}

// Thinking lines reach the debug window with their variation in the move list's notation.
void CMainFrame::showThinkingLine(const QString& line) {
  if (!debugDlg) return;
  const EngineBridge::SearchRoot& root = engine->searchRoot();
  if (const auto text = thinkingLineInSan(line.toStdString(), root.position, root.ply))
    debugDlg->appendText(RED, QString::fromStdString(*text) + u'\n');
}

void CMainFrame::engineMoves() {
  if (flow.isOver()) return;
  sendOnPersonsTurn([this] {
    const int sideToMove = objects.game.read([](const Game& game) { return game.position.sideToMove; });
    sendCommand(flow.withClocks(QStringLiteral("go"), sideToMove));
  });
}

// On the person's turn a command waits for an engine still busy with a new
// player's book; on the engine's own turn it is lost like any command, so a
// click made while the engine thinks never becomes a move played after it.
void CMainFrame::sendOnPersonsTurn(const std::function<void()>& send) {
  const bool personsTurn = objects.game.read([](const Game& game) {
    const Player* mover = game.position.sideToMove ? game.whitePlayer.get() : game.blackPlayer.get();
    return mover != game.enginePlayer;
  });
  if (!personsTurn) {
    send();
    return;
  }
  // One waiting command at a time, and none once the game has ended meanwhile.
  if (commandWaiting) return;
  commandWaiting = true;
  engine->whenIdle([this, send] {
    commandWaiting = false;
    if (!flow.isOver()) send();
  });
}

void CMainFrame::readSettings() { applySettings(false); }

// A new engine player waits for its settings; the worker may be busy, so this
// runs when it next waits (a search that starts first applies them itself).
void CMainFrame::onPlayerCreated() {
  engine->whenIdle([this] { applySettings(true); });
}

void CMainFrame::applySettings(bool forNewPlayer) {
  objects.io.writeGameLog("Configuration file read.\n");
  const ProgramSettings settings = ProgramSettings::read(SettingsFile());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (forNewPlayer)
    engine->applyPendingPlayerSettings();
  else if (applyPlayerSettings(objects.game, settings))
    engine->reloadBook(BookLoad::Replace);
  QApplication::restoreOverrideCursor();
  debugEnabledValue = settings.debug;
  fontNameValue = settings.font;
  flow.setTimeControl(settings.timeControl);
  boardView->setFontName(fontNameValue);
  boardView->setShowLegalMoves(settings.showLegalMoves);
}

void CMainFrame::createDebugWindows() {
  if (commandDlg) return;
  commandDlg = new CCommandDlg(this);
  placeBeside(this, commandDlg, 50, 10);
  debugDlg = new CDebugDialog(objects.game, objects.book, this);
  placeBeside(this, debugDlg, 40, 70);
  commandDlg->setVisible(commandWindowShown);
  debugDlg->setVisible(debugWindowShown);
}

void CMainFrame::disableDebugMenu() { debugMenuValue->menuAction()->setEnabled(false); }

// Depuración takes effect at once: the menu and the two windows follow it.
void CMainFrame::applyDebugSetting() {
  debugMenuValue->menuAction()->setEnabled(debugEnabledValue);
  if (debugEnabledValue) {
    createDebugWindows();
    commandDlg->setVisible(commandWindowShown);
    debugDlg->setVisible(debugWindowShown);
  } else {
    if (commandDlg) commandDlg->hide();
    if (debugDlg) debugDlg->hide();
  }
}

void CMainFrame::toggleCommandWindow() {
  commandWindowShown = !commandWindowShown;
  if (commandDlg) commandDlg->setVisible(commandWindowShown);
}

void CMainFrame::toggleDebugWindow() {
  debugWindowShown = !debugWindowShown;
  if (debugDlg) debugDlg->setVisible(debugWindowShown);
}

void CMainFrame::startNewGame() { sendCommand(flow.newGameCommand()); }

void CMainFrame::startUp(const QString& file) {
  const auto place = parseWindowPlace(SettingsFile().text(ini::DOVREL, ini::WINDOW, QString()));
  if (place && screen()) {
    const QRect fitted = fitWindowPlace(*place, screen()->availableGeometry());
    move(fitted.topLeft());
    resize(fitted.size());
  }
  show();
  readSettings();
  if (debugEnabled())
    createDebugWindows();
  else
    disableDebugMenu();
  setAcceptDrops(true);
  startNewGame();
  // The file's game is read once the new game stands, so it is not replaced.
  engine->whenIdle([this, file] {
    if (!file.isEmpty()) openFile(file);
    emit startedUp();
  });
}

void CMainFrame::openFile(const QString& path) {
  // A collection first shows its games; closing the list opens nothing.
  qint64 offset = 0;
  if (holdsSeveralGames(path)) {
    const std::optional<qint64> chosen = gameChooser(path);
    if (!chosen) return;
    offset = *chosen;
  }
  // Loading replaces the Game's position and players: never under a thinking engine.
  engine->whenIdle([this, path, offset] {
    const bool opened = doc->openDocument(path, static_cast<long>(offset));
    flow.restart();
    refresh();
    // A recent entry that no longer opens is dropped from the list.
    if (opened)
      recentFiles.add(path);
    else
      recentFiles.remove(path);
    updateRecentMenu();
  });
}

bool CMainFrame::saveFile(const QString& path) {
  const bool saved = doc->saveDocument(path);
  if (saved) {
    recentFiles.add(path);
    updateRecentMenu();
  }
  return saved;
}

bool CMainFrame::confirmDiscard() {
  if (!doc->isModified()) return true;
  switch (askBeforeDiscarding(this)) {
    case DiscardChoice::Save: return fileSave();
    case DiscardChoice::Discard: return true;
    default: return false;
  }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (confirmDiscard())
    event->accept();
  else
    event->ignore();
}

void CMainFrame::fileOpen() {
  if (!confirmDiscard()) return;
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Abrir"), startDirectory(), PGN_FILTER);
  if (!path.isEmpty()) openFile(path);
}

// Nothing is written when nothing changed; a file holding other games too
// is rewritten only when the user says so.
bool CMainFrame::fileSave() {
  if (doc->pathName().isEmpty()) return fileSaveAs();
  if (!doc->isModified()) return true;
  if (doc->isCollection()) {
    switch (askHowToSaveIntoCollection(this, doc->pathName())) {
      case CollectionChoice::Replace: break;
      case CollectionChoice::SaveAs: return fileSaveAs();
      default: return false;
    }
  }
  return saveFile(doc->pathName());
}

bool CMainFrame::fileSaveAs() {
  QFileDialog dialog(this, QStringLiteral("Guardar como"),
                     doc->pathName().isEmpty() ? startDirectory() : doc->pathName(), PGN_FILTER);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pgn"));
  return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() &&
         saveFile(dialog.selectedFiles().first());
}

void CMainFrame::showOptions() {
  CConfigDlg::Choices shown;
  const std::optional<PlayerSwitches> player = playerSwitches(objects.game);
  if (player) {
    shown.openingBook = player->useBook;
    shown.randomFactor = player->randomFactor;
    shown.post = player->post;
  }
  const ProgramSettings stored = ProgramSettings::read(SettingsFile());
  shown.level = player ? player->level : stored.level;
  shown.timeControl = flow.timeControl();
  shown.debugFiles = objects.io.loggingEnabled;
  shown.debug = debugEnabledValue;
  shown.showLegalMoves = boardView->showLegalMoves();
  CConfigDlg dialog(shown, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const CConfigDlg::Choices chosen = dialog.choices();

  debugEnabledValue = chosen.debug;
  applyDebugSetting();
  flow.setTimeControl(chosen.timeControl);  // from the next new game
  SettingsFile file;
  file.setText(ini::KELVO, ini::LEVEL, QString::number(chosen.level));
  file.setText(ini::DOVREL, ini::TIME_CONTROL, chosen.timeControl.text());
  // The player may have been replaced while the dialog was open, and a
  // searching engine reads its flags: store them when the worker waits.
  const bool hadPlayer = player.has_value();
  if (hadPlayer) {
    file.setBoolean(ini::KELVO, ini::OPENING_BOOK, chosen.openingBook);
    file.setBoolean(ini::KELVO, ini::RANDOM_FACTOR, chosen.randomFactor);
    file.setBoolean(ini::KELVO, ini::POST, chosen.post);
  }
  file.setBoolean(ini::DOVREL, ini::DEBUG, chosen.debug);
  file.setText(ini::DOVREL, ini::FONT, fontNameValue);
  file.setBoolean(ini::DOVREL, ini::DEBUG_FILES, chosen.debugFiles);
  file.setBoolean(ini::DOVREL, ini::SHOW_LEGAL_MOVES, chosen.showLegalMoves);
  boardView->setShowLegalMoves(chosen.showLegalMoves);
  if (QString reason; !file.save(&reason))
    showMessage(QMessageBox::Critical, saveFailureText(QString::fromLatin1(SettingsFile::FILE_NAME), reason), this);
  engine->whenIdle([this, chosen, hadPlayer] {
    EngineIO& io = objects.io;
    // Turning the files on during a run opens them (the first time), so the switch has an effect.
    const std::string reason = chosen.debugFiles ? io.enableLogging() : std::string();
    if (!chosen.debugFiles) io.disableLogging();
    if (!reason.empty())
      showMessage(QMessageBox::Critical,
                  QStringLiteral("No se pudieron crear los archivos de depuración:\n%1.").arg(QString::fromStdString(reason)),
                  this);
    if (hadPlayer) storePlayerSwitches(objects.game, {chosen.openingBook, chosen.randomFactor, chosen.post, chosen.level});
  });
}

void CMainFrame::issueCommand() {
  CGetTextDlg dialog(this);
  dialog.exec();
  sendCommand(dialog.text());
}

void CMainFrame::readOpenings() {
  engine->reloadBook(BookLoad::Append);
}

void CMainFrame::deleteBook() {
  engine->whenIdle([this] { objects.book.clearBook(); });
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      if (confirmDiscard()) openFile(url.toLocalFile());
      event->acceptProposedAction();
      return;
    }
  }
}

void CMainFrame::copyFen() {
  QGuiApplication::clipboard()->setText(QString::fromStdString(positionToFen(boardView->shownPosition())));
}

void CMainFrame::copyPgn() { QGuiApplication::clipboard()->setText(QString::fromStdString(doc->pgnText())); }

// The pasted game replaces the Game: only while the engine waits.
void CMainFrame::pasteGame() {
  const QString text = QGuiApplication::clipboard()->text();
  if (!confirmDiscard()) return;
  engine->whenIdle([this, text] {
    if (doc->pasteGame(text)) boardView->browseLive();
  });
}

namespace {

// The person's side: the one the engine does not play; with no engine
// player, the side to move.
bool personPlaysWhite(const Game& game) {
  if (game.enginePlayer) return game.enginePlayer != game.whitePlayer.get();
  return game.position.sideToMove != 0;
}

}  // namespace

// A game that has ended (a result given) is neither resigned nor drawn again.
bool CMainFrame::gameIsOver() {
  if (!doc->resultGiven()) return false;
  showMessage(QMessageBox::Information, QStringLiteral("La partida ya ha terminado."), this);
  return true;
}

void CMainFrame::resign() {
  if (gameIsOver() || !askBeforeResigning(this)) return;
  const bool white = objects.game.read(personPlaysWhite);
  const QString line = white ? QStringLiteral("0-1 {White resigns}") : QStringLiteral("1-0 {Black resigns}");
  doc->noteEngineLine(line);
  sendCommand(QStringLiteral("result ") + line);
  statusBar()->showMessage(white ? QStringLiteral("Las blancas abandonan: ganan las negras.")
                                 : QStringLiteral("Las negras abandonan: ganan las blancas."));
}

void CMainFrame::offerDraw() {
  if (gameIsOver()) return;
  const auto [hasEngine, accepts] = objects.game.read([](const Game& game) {
    const auto* player = dynamic_cast<const EnginePlayer*>(game.enginePlayer);
    if (!player) return std::pair{false, false};
    return std::pair{true, engineAcceptsDraw(player->lastScore, game.enginePlayer == game.whitePlayer.get())};
  });
  if (!hasEngine) {
    showMessage(QMessageBox::Information, QStringLiteral("No hay motor al que ofrecer tablas."), this);
    return;
  }
  if (!accepts) {
    showMessage(QMessageBox::Information, QStringLiteral("El motor rechaza las tablas y sigue jugando."), this);
    return;
  }
  const QString line = QStringLiteral("1/2-1/2 {Draw agreed}");
  doc->noteEngineLine(line);
  sendCommand(QStringLiteral("result ") + line);
  showMessage(QMessageBox::Information, QStringLiteral("El motor acepta las tablas."), this);
}

// The search runs on a thread of its own with its own player, so the window
// stays live and the game's engine is not disturbed; the answer is shown only
// if the position is still the one it was asked for.
void CMainFrame::showHint() {
  if (hintSearch) return;  // one at a time
  const auto [position, plies] = objects.game.read([](const Game& game) {
    return std::pair{game.position, game.history.size()};
  });
  statusBar()->showMessage(QStringLiteral("Buscando una pista..."));
  QThread* worker = hintSearch = QThread::create([this, position, plies] {
    EnginePlayer adviser;
    const Move move = adviser.runSearch(position);
    QMetaObject::invokeMethod(this, [this, move, position, plies] {
      const bool same = objects.game.read([plies](const Game& game) { return game.history.size() == plies; });
      if (!same) return;
      if (move.isNull() || move.sameSquares(RESIGN_MOVE)) {
        statusBar()->showMessage(QStringLiteral("No hay jugada que sugerir."));
        return;
      }
      boardView->setHint(move.from, move.to);
      statusBar()->showMessage(QStringLiteral("Pista: %1").arg(QString::fromStdString(standardSan(position, move))));
    });
  });
  connect(worker, &QThread::finished, worker, &QObject::deleteLater);
  worker->start();
}
