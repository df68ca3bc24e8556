#include "main_frame.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "analysis/analysis_docks.h"
#include "analysis_commands.h"
#include "board/board_geometry.h"
#include "board/dovrel_view.h"
#include "book/opening_book.h"
#include "common/file_saver.h"
#include "common/message_sink.h"
#include "common/window_place.h"
#include "dialogs/about_dlg.h"
#include "dialogs/get_text_dlg.h"
#include "driver/engine_session.h"
#include "driver/game.h"
#include "engine/engine_bridge.h"
#include "engine/hint_search.h"
#include "files/dovrel2_doc.h"
#include "game/game_opening.h"
#include "game/move_list_text.h"
#include "game/position_clipboard.h"
#include "panels/right_bar_dlg.h"
#include "position/fen.h"
#include "settings/settings_file.h"
#include "training/trainer.h"
#include "training_commands.h"
#include "welcome_commands.h"

namespace {

constexpr int STATUS_TIMER_MS = 200;
constexpr int OPENING_FIELD_WIDTH = 260;  // pixels

// The standard prompts of the framework's own commands.
const char* const PROMPT_OPEN = QT_TRANSLATE_NOOP("CMainFrame", "Abre un documento existente\nAbrir");
const char* const PROMPT_SAVE = QT_TRANSLATE_NOOP("CMainFrame", "Guarda el documento activo\nGuardar");
const char* const PROMPT_SAVE_AS =
    QT_TRANSLATE_NOOP("CMainFrame", "Guarda el documento activo con un nombre nuevo\nGuardar como");
const char* const PROMPT_EXIT =
    QT_TRANSLATE_NOOP("CMainFrame", "Sale de la aplicación; pide confirmación para guardar los documentos\nSalir");
const char* const PROMPT_TOOLBAR =
    QT_TRANSLATE_NOOP("CMainFrame", "Muestra u oculta la barra de herramientas\nAlternar barra de herramientas");
const char* const PROMPT_STATUS_BAR =
    QT_TRANSLATE_NOOP("CMainFrame", "Muestra u oculta la barra de estado\nAlternar barra de estado");
const char* const PROMPT_ABOUT =
    QT_TRANSLATE_NOOP("CMainFrame", "Muestra información del programa, número de versión y copyright\nAcerca de");

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
      channel(new CommandChannel(engine, this)),
      play(new GameInPlay(objects, engine, channel, doc, boardView, this)),
      engineCommands(new EngineCommands(play, this)),
      files(new FileCommands(doc, engine, this)),
      settings(new SettingsCommands(objects, engine, boardView, play->gameFlow(), this)),
      hints(new HintSearch(objects.game, this)),
      debugWindows(std::make_unique<DebugWindows>(this, objects)) {
  doc->setWindow(this);
  setWindowTitle(doc->windowTitle());
  setCentralWidget(boardView);
  analysisCommands = new AnalysisCommands({objects.game, doc, boardView, rightBarDlg, files, play}, this);
  connect(analysisCommands, &AnalysisCommands::refreshWanted, this, &CMainFrame::refresh);
  connect(analysisCommands, &AnalysisCommands::roomChanged, this, &CMainFrame::fitBoardToRoom);
  trainingCommands = new TrainingCommands(
      {objects.game, doc, boardView, play, analysisCommands->docks(), engine, channel}, this);
  createMenus();
  createShortcuts();
  createToolBar();

  auto* dock = new QDockWidget(this);
  dock->setObjectName(QStringLiteral("rightBarDock"));
  dock->setTitleBarWidget(new QWidget(dock));
  dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
  dock->setWidget(rightBarDlg);
  addDockWidget(Qt::RightDockWidgetArea, dock);
  // The analysis panel runs the window's height; the graph of a review spans
  // the board and the move list.
  setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
  setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);

  createStatusBar();
  connectParts();
  boardView->setFontName(settings->fontName());
  fitToBoard();
}

CMainFrame::~CMainFrame() {
  // The next start opens the window where this one was, as large.
  SettingsFile file;
  file.setText(ini::DOVREL, ini::WINDOW, windowPlaceText(QRect(pos(), size())));
  QString reason;
  if (!file.save(&reason))
    showMessage(QMessageBox::Warning, saveFailureText(QString::fromLatin1(SettingsFile::FILE_NAME), reason), this);
  engine->shutdown();
}

void CMainFrame::squareClicked(int square) {
  if (trainingCommands->takesClicks())
    trainingCommands->trainer()->squareClicked(square);
  else
    play->squareClicked(square);
}

void CMainFrame::createStatusBar() {
  // The first pane shows menu prompts and, between them, the idle text.
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    if (message.isEmpty()) statusBar()->showMessage(tr("Preparado"));
  });
  statusBar()->showMessage(tr("Preparado"));
  statusBar()->setSizeGripEnabled(true);
  statusBar()->addPermanentWidget(openingStatus);
  statusBar()->addPermanentWidget(engineStatus);
  engineStatus->setText(tr("ready"));

  auto* statusTimer = new QTimer(this);
  connect(statusTimer, &QTimer::timeout, this, &CMainFrame::updateStatus);
  statusTimer->start(STATUS_TIMER_MS);
}

void CMainFrame::connectParts() {
  connect(channel, &CommandChannel::taken, this, &CMainFrame::onCommandsTaken);
  connect(engine, &EngineBridge::lineArrived, this, &CMainFrame::onEngineLine);
  connect(engine, &EngineBridge::gameEvent, this, [this](int code, int value) {
    play->gameEvent(code, value);
    refresh();
  });
  connect(engine, &EngineBridge::debugTextArrived, this,
          [this](const QString& text, int colour) { debugWindows->debugText(text, colour); });
  // A new engine player waits for its settings; the worker may be busy, so this
  // runs when it next waits (a search that starts first applies them itself).
  connect(engine, &EngineBridge::playerCreated, this,
          [this] { engine->whenIdle([this] { settings->apply(true); }); });
  connect(engine, &EngineBridge::searchStarted, this, [this] { debugWindows->searchStarted(); });
  connect(engine, &EngineBridge::statsArrived, this,
          [this](int nodes, int centiseconds) { debugWindows->searchStats(nodes, centiseconds); });
  connect(boardView, &CDovrelView::squareClicked, this, &CMainFrame::squareClicked);
  connect(rightBarDlg, &CRightBarDlg::entryClicked, play, &GameInPlay::browseTo);
  connect(rightBarDlg, &CRightBarDlg::nodeClicked, this, [this](int node) {
    if (node >= 0 && node < static_cast<int>(moveListNodes.size())) play->browseNode(moveListNodes[node]);
  });
  connect(boardView, &CDovrelView::pickCancelled, this, [this] {
    if (trainingCommands->takesClicks())
      trainingCommands->trainer()->pickCancelled();
    else
      play->pickCancelled();
  });
  connect(boardView, &CDovrelView::clientSizeWanted, this, [this](QSize) { fitToBoard(); });
  connect(doc, &CDovrel2Doc::refreshViews, this, &CMainFrame::refresh);
  connect(doc, &CDovrel2Doc::titleChanged, this, [this] {
    setWindowTitle(doc->windowTitle());
    setWindowModified(doc->isModified());
  });
  connect(play, &GameInPlay::changed, this, [this] {
    rightBarDlg->setHead(play->gameFlow().clockText());
    refresh();
  });
  connect(play, &GameInPlay::statusMessage, this, [this](const QString& text) { statusBar()->showMessage(text); });
  connect(files, &FileCommands::gameOpened, play, &GameInPlay::gameOpened);
  connect(settings, &SettingsCommands::debugChanged, this, &CMainFrame::applyDebugSetting);
  connect(settings, &SettingsCommands::notationChanged, this, [this] {
    analysisCommands->renotate();
    refresh();
  });
  connect(hints, &HintSearch::searching, this,
          [this] { statusBar()->showMessage(tr("Buscando una pista...")); });
  connect(hints, &HintSearch::nothingFound, this,
          [this] { statusBar()->showMessage(tr("No hay jugada que sugerir.")); });
  connect(hints, &HintSearch::found, this, [this](int from, int to, const QString& san) {
    boardView->setHint(from, to);
    statusBar()->showMessage(tr("Pista: %1").arg(san));
  });
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
  QMenu* file = menuBar()->addMenu(tr("&Archivo"));
  QAction* open = addCommand(file, tr("&Abrir..."), tr(PROMPT_OPEN), [this] { files->open(); });
  open->setShortcut(QKeySequence::Open);
  QAction* save = addCommand(file, tr("&Guardar"), tr(PROMPT_SAVE), [this] { files->save(); });
  save->setShortcut(QKeySequence::Save);
  addCommand(file, tr("Guardar c&omo..."), tr(PROMPT_SAVE_AS), [this] { files->saveAs(); });
  file->addSeparator();
  files->setRecentMenu(file->addMenu(tr("Archivo reciente")));
  file->addSeparator();
  addCommand(file, tr("&Salir"), tr(PROMPT_EXIT), [this] { close(); });

  QMenu* editMenu = menuBar()->addMenu(tr("&Edición"));
  addCommand(editMenu, tr("Copiar &PGN"), tr("Copia la partida en formato PGN\nCopiar PGN"),
             [this] { copyPgn(); })->setShortcut(QKeySequence::Copy);
  addCommand(editMenu, tr("Copiar &FEN"), tr("Copia la posición en formato FEN\nCopiar FEN"),
             [this] { copyFen(); })->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  addCommand(editMenu, tr("Pe&gar FEN/PGN"),
             tr("Toma una partida o una posición del portapapeles\nPegar FEN/PGN"),
             [this] { pasteGame(); })->setShortcut(QKeySequence::Paste);
  addCommand(editMenu, tr("Editar posición..."),
             tr("Coloca las piezas para analizar o jugar desde esa posición\nEditar posición"),
             [this] { analysisCommands->editPosition(); });

  QMenu* viewMenu = menuBar()->addMenu(tr("&Ver"));
  QAction* showToolBar = addCommand(viewMenu, tr("Barra de &herramientas"), tr(PROMPT_TOOLBAR), [] {});
  showToolBar->setCheckable(true);
  showToolBar->setChecked(true);
  connect(showToolBar, &QAction::toggled, this, [this](bool on) {
    toolBar->setVisible(on);
    fitToBoard();
  });
  QAction* showStatusBar = addCommand(viewMenu, tr("Barra de &estado"), tr(PROMPT_STATUS_BAR), [] {});
  showStatusBar->setCheckable(true);
  showStatusBar->setChecked(true);
  connect(showStatusBar, &QAction::toggled, this, [this](bool on) {
    statusBar()->setVisible(on);
    fitToBoard();
  });
  viewMenu->addSeparator();
  QAction* larger = addCommand(viewMenu, tr("Tablero mayor"), tr("Tablero más grande\nTablero mayor"),
                               [this] { boardView->larger(); });
  QAction* smaller = addCommand(viewMenu, tr("Tablero menor"),
                                tr("Tablero más pequeño\nTablero menor"), [this] { boardView->smaller(); });
  addCommand(viewMenu, tr("Invertir tablero"), QString(), [this] { boardView->flip(); });
  viewMenu->addSeparator();
  QAction* previous = addCommand(viewMenu, tr("Ver mov. previo"),
                                 tr("Ver movimiento previo\nVer movimiento previo"),
                                 [this] {
                                   // Inside a variation a step goes along it.
                                   if (boardView->showsVariation()) return play->browseBy(-1);
                                   boardView->browseBack();
                                   refresh();
                                 });
  QAction* next = addCommand(viewMenu, tr("Ver mov. siguiente"),
                             tr("Ver movimiento siguiente\nVer movimiento siguiente"),
                             [this] {
                               if (boardView->showsVariation()) return play->browseBy(1);
                               boardView->browseForward();
                               refresh();
                             });
  QAction* current = addCommand(viewMenu, tr("Ver pos. actual"),
                                tr("Show the current position\nShow current"),
                                [this] { boardView->browseLive(); refresh(); });
  viewMenu->addSeparator();
  QAction* showAnalysis = analysis()->analysisDock()->toggleViewAction();
  showAnalysis->setText(tr("Análisis"));
  showAnalysis->setShortcut(QKeySequence(Qt::Key_F2));
  setPrompt(showAnalysis, tr("Muestra las mejores líneas del motor para la posición\nAnálisis"));
  viewMenu->addAction(showAnalysis);
  viewMenu->addSeparator();
  addCommand(viewMenu, tr("Opciones"), tr("Muestra un diálogo con opciones\nOpciones"),
             [this] { settings->editOptions(); });
  addCommand(viewMenu, tr("Motores..."), tr("Los motores instalados y sus opciones\nMotores"),
             [this] { engineCommands->showEnginesDialog(); });

  QMenu* game = menuBar()->addMenu(tr("Partida"));
  QAction* newGame = addCommand(game, tr("Nueva"), tr("Nueva partida\nNueva partida"),
                                [this] {
                                  if (files->confirmDiscard()) startNewGame();
                                });
  newGame->setShortcut(QKeySequence::New);
  addCommand(game, tr("Nueva partida..."),
             tr("Elige los jugadores, el reloj y la posición\nNueva partida"), [this] {
               if (files->confirmDiscard()) engineCommands->showNewGameDialog();
             })->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  addCommand(game, tr("Detener motores"), tr("Detiene la partida de los motores\nDetener"),
             [this] { stopGame(); });
  QAction* back = addCommand(game, tr("Atras"), tr("Echar para atras\nMoviola"),
                             [this] { play->takeBack(); });
  QAction* engineMove =
      addCommand(game, tr("Mueve!"),
                 tr("Juega el motor con el bando que mueve\nMueve!"), [this] { engineMoves(); });
  engineMove->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  QAction* moveNow = addCommand(game, tr("Move now!"), tr("Move now\nMover YA"),
                                [this] { objects.session.stopSearch(); });
  addCommand(game, tr("Delante"), QString(), [] {});
  game->addSeparator();
  addCommand(game, tr("Pista"), tr("Marca en el tablero la jugada que sugiere el motor\nPista"),
             [this] { hints->ask(); })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  addCommand(game, tr("Ofrecer tablas"), tr("Ofrece tablas al motor\nOfrecer tablas"),
             [this] { play->offerDraw(); });
  addCommand(game, tr("Abandonar"), tr("Abandona la partida\nAbandonar"),
             [this] { play->resign(); });
  game->addSeparator();
  addCommand(game, tr("Analizar partida..."),
             tr("Busca las imprecisiones, errores y errores graves de la partida\nAnalizar partida"),
             [this] { analysisCommands->reviewGame(); });

  trainingCommands->createMenu(menuBar());

  debugMenuValue = menuBar()->addMenu(tr("Debug"));
  addCommand(debugMenuValue, tr("View log"), tr("Shows a log window\nShows a log window"),
             [this] { debugWindows->toggleDebugWindow(); });
  addCommand(debugMenuValue, tr("View XBoard commands"), QString(), [this] { debugWindows->toggleCommandWindow(); });
  addCommand(debugMenuValue, tr("Show legal"), QString(),
             [this] { sendCommand(QStringLiteral("_showlegal")); });
  addCommand(debugMenuValue, tr("Issue command"),
             tr("Issues a general command\nIssue command"), [this] {
               CGetTextDlg dialog(this);
               dialog.exec();
               sendCommand(dialog.text());
             });
  addCommand(debugMenuValue, tr("Assert!!!!"), QString(), [] {});
  addCommand(debugMenuValue, tr("Joker"), QString(), [this] { refresh(); });
  addCommand(debugMenuValue, tr("Del memory"), QString(), [this] { engine->whenIdle([this] { objects.book.clearBook(); }); });
  addCommand(debugMenuValue, tr("Read openings"),
             tr("Reads the opening book\nRead openings"), [this] { engine->reloadBook(BookLoad::Append); });

  QMenu* help = menuBar()->addMenu(tr("Ay&uda"));
  QAction* about = addCommand(help, tr("&Acerca de dovrel2..."), tr(PROMPT_ABOUT), [this] {
    CAboutDlg dialog(this);
    dialog.exec();
  });
  toolBarActions = {open, save, larger, smaller, previous, current, next, newGame, back, engineMove, moveNow, about};
}

void CMainFrame::createShortcuts() {
  // Keys without a menu item are actions of the window alone.
  auto shortcut = [this](const QKeySequence& keys, const std::function<void()>& handler) {
    auto* action = new QAction(this);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
  };
  const ToolBarActions& actions = toolBarActions;
  // On the actions themselves, so the menu shows them.
  actions.larger->setShortcut(QKeySequence(Qt::Key_Plus));
  actions.smaller->setShortcut(QKeySequence(Qt::Key_Minus));
  // Browsing: one ply, ten plies, the first position, the live one.
  GameInPlay* game = play;
  shortcut(QKeySequence(Qt::Key_Left), [game] { game->browseBy(-1); });
  shortcut(QKeySequence(Qt::Key_Right), [game] { game->browseBy(1); });
  shortcut(QKeySequence(Qt::Key_PageUp), [game] { game->browseBy(-GameInPlay::PAGE_PLIES); });
  shortcut(QKeySequence(Qt::Key_PageDown), [game] { game->browseBy(GameInPlay::PAGE_PLIES); });
  shortcut(QKeySequence(Qt::Key_Home), [game] { game->browseTo(0); });
  shortcut(QKeySequence(Qt::Key_End), [game] { game->browseLive(); });
}

void CMainFrame::createToolBar() {
  toolBar = new QToolBar(this);
  toolBar->setObjectName(QStringLiteral("toolBar"));
  toolBar->setMovable(false);
  addToolBar(Qt::TopToolBarArea, toolBar);

  QStyle* look = style();
  auto [open, save, larger, smaller, previous, current, next, newGame, back, engineMove, moveNow, about] = toolBarActions;
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

// Tablero mayor and menor: the window wraps the board of the new size, and
// the board grows only while the whole window, status bar included, still
// fits the screen. Between them the window resizes freely, the board with it.
// A maximised or full-screen window stays so; the board keeps within it.
void CMainFrame::fitToBoard() {
  boardView->setMinimumSize(boardPixelSize(MIN_SQUARE_SIZE).width, boardPixelSize(MIN_SQUARE_SIZE).height);
  if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
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

void CMainFrame::fitBoardToRoom() {
  const QSize overhead = sizeHint() - boardView->sizeHint();
  boardView->setMaxSquareSize(largestFittingSquareSize({width(), height()}, {overhead.width(), overhead.height()}));
  boardView->updateGeometry();
}

void CMainFrame::onCommandsTaken(const QStringList& lines, const QByteArray& text) {
  refresh();
  debugWindows->commandTaken(QString::fromLatin1(text));
  for (const QString& line : lines) emit commandTaken(line);
}

void CMainFrame::onEngineLine(const QString& line) {
  debugWindows->engineLine(line);
  const EngineBridge::SearchRoot& root = engine->searchRoot();
  debugWindows->thinkingLine(line, root.position, root.ply);
  play->engineLine(line);
  refresh();
  emit lineHandled(line);
}

void CMainFrame::refresh() {
  boardView->refresh();
  std::vector<MoveSpan> spans;
  moveListNodes.clear();
  // An annotated game's list is made afresh: the tree changes without the moves.
  const auto [text, entries] = objects.game.read([this, &spans](const Game& game) {
    const GameTree& tree = doc->gameTree();
    return std::pair{tree.annotated() ? treeMoveListText(game.history, tree, doc->reviewNotes(), &spans,
                                                         &moveListNodes, windowNotation())
                                      : moveListCache.textOf(game.history, spans, windowNotation()),
                     static_cast<int>(game.history.size())};
  });
  rightBarDlg->setMoveSpans(std::move(spans));
  QString list = QString::fromStdString(text);
  const GameFlow& flow = play->gameFlow();
  if (flow.end())
    list += (list.isEmpty() || list.endsWith(u'\n') ? QString() : QStringLiteral("\n")) + flow.end()->announcement();
  rightBarDlg->setMoveList(list);
  const auto node = std::find(moveListNodes.begin(), moveListNodes.end(), play->shownNode());
  // A take-back may remove the variation shown: the board goes back to the game.
  if (boardView->showsVariation() && node == moveListNodes.end()) boardView->browseLive();
  const int shown = effectiveBrowseIndex(boardView->browseIndex(), entries);
  if (boardView->showsVariation())
    rightBarDlg->markNode(static_cast<int>(node - moveListNodes.begin()));
  else
    rightBarDlg->markEntry(shown == -1 ? entries - 1 : shown);
  analysisCommands->follow();
  updateOpening();
  setWindowModified(doc->isModified());
  // The hint's text goes with its marks.
  if (statusBar()->currentMessage().startsWith(tr("Pista: %1").arg(QString())) && !boardView->hintShown())
    statusBar()->clearMessage();
}

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
  engineStatus->setText(channel->handingOver() || !engine->isIdle() ? tr("thinking")
                                                                     : tr("ready"));
  play->followClocks();
  rightBarDlg->setHead(play->gameFlow().clockText());
}

// Depuración takes effect at once: the menu and the two windows follow it.
void CMainFrame::applyDebugSetting(bool enabled) {
  debugMenuValue->menuAction()->setEnabled(enabled);
  debugWindows->apply(enabled);
}

void CMainFrame::startUp(const QString& file, bool welcome) {
  const auto place = parseWindowPlace(SettingsFile().text(ini::DOVREL, ini::WINDOW, QString()));
  if (place && screen()) {
    // A size below the window's least would grow after the fit and push it off the screen.
    const QSize least = minimumSize().expandedTo(minimumSizeHint());
    const QRect fitted = fitWindowPlace(QRect(place->topLeft(), place->size().expandedTo(least)), screen()->availableGeometry());
    move(fitted.topLeft());
    resize(fitted.size());
  }
  show();
  // The frame's margins are known only once it is shown: the whole frame goes on the screen.
  if (place && screen() && !screen()->availableGeometry().contains(frameGeometry()))
    move(fitWindowPlace(frameGeometry(), screen()->availableGeometry()).topLeft());
  readSettings();
  if (debugEnabled())
    createDebugWindows();
  else
    disableDebugMenu();
  setAcceptDrops(true);
  // The page follows the start's game, which may stand at once: connected first.
  auto* page = welcome ? new WelcomeCommands({objects.game, engineCommands, files, analysisCommands}, this) : nullptr;
  if (page && page->wanted(!file.isEmpty()))
    connect(this, &CMainFrame::startedUp, page, &WelcomeCommands::show, Qt::SingleShotConnection);
  startNewGame();
  // The file's game is read once the new game stands, so it is not replaced;
  // the start is over when the file's game stands in its turn.
  engine->whenIdle([this, file] {
    if (file.isEmpty()) return emit startedUp();
    connect(files, &FileCommands::openFinished, this, &CMainFrame::startedUp, Qt::SingleShotConnection);
    openFile(file);
  });
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (files->confirmDiscard())
    event->accept();
  else
    event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  if (files->openDropped(event->mimeData())) event->acceptProposedAction();
}

void CMainFrame::copyFen() {
  const FenCounters counters = objects.game.read([this](const Game& game) {
    return fenCountersAt(game.history, boardView->browseIndex(), game.startCounters);
  });
  QGuiApplication::clipboard()->setText(QString::fromStdString(positionToFen(boardView->shownPosition(), counters)));
}

void CMainFrame::copyPgn() { QGuiApplication::clipboard()->setText(QString::fromStdString(doc->pgnText())); }

void CMainFrame::pasteGame() {
  const QString text = QGuiApplication::clipboard()->text();
  if (files->confirmDiscard()) play->paste(text);
}

QString CMainFrame::statusText() const { return engineStatus->text(); }

QString CMainFrame::openingText() const { return openingStatus->toolTip(); }

AnalysisDocks* CMainFrame::analysis() const { return analysisCommands->docks(); }
