#include "trainer.h"

#include <QDockWidget>
#include <QFileInfo>
#include <QMainWindow>
#include <QPushButton>
#include <QStyle>
#include <QtConcurrent>

#include "analysis/spanish_notation.h"
#include "board/dovrel_view.h"
#include "common/message_sink.h"
#include "position/move_gen.h"
#include "training_panel.h"

namespace {

CChessBoard after(CChessBoard position, const Move& move) {
  makeMove(position, move);
  position.switchSide();
  position.lastMove = move;
  return position;
}

// The legal move from `from` to `to`; a pawn reaching the last rank becomes a queen.
std::optional<Move> legalMove(const CChessBoard& position, int from, int to) {
  MoveBuffer buffer;
  const int count = generateLegalMoves(position, buffer.moves);
  std::optional<Move> found;
  for (int i = 0; i < count; ++i) {
    const Move& move = buffer.moves[i];
    if (move.from != from || move.to != to) continue;
    if (!found || move.promotion == WHITE_QUEEN || move.promotion == BLACK_QUEEN) found = move;
  }
  return found;
}

}  // namespace

Trainer::Trainer(CDovrelView* view, QMainWindow* window, QString storePath, Clock clock)
    : QObject(window),
      view(view),
      window(window),
      exercises(std::move(storePath)),
      clock(std::move(clock)),
      trainingPanel(new TrainingPanel),
      panelDock(new QDockWidget(tr("Entrenamiento"), window)) {
  panelDock->setObjectName(QStringLiteral("trainingDock"));
  panelDock->setWidget(trainingPanel);
  // Left through its own button, so the board always gets the game back.
  panelDock->setFeatures(QDockWidget::DockWidgetMovable);
  // Beside the board, as the analysis panel: the move list keeps its place.
  window->addDockWidget(Qt::LeftDockWidgetArea, panelDock);
  panelDock->hide();
  connect(trainingPanel->retryButton(), &QPushButton::clicked, this, &Trainer::retry);
  connect(trainingPanel->solutionButton(), &QPushButton::clicked, this, &Trainer::showSolution);
  connect(trainingPanel->nextButton(), &QPushButton::clicked, this, &Trainer::next);
  connect(trainingPanel->leaveButton(), &QPushButton::clicked, this, &Trainer::leave);
  connect(&watcher, &QFutureWatcher<AttemptVerdict>::finished, this, &Trainer::checked);
}

Trainer::~Trainer() {
  if (cancel) cancel->request();
  watcher.waitForFinished();
}

ExerciseStore& Trainer::store() {
  loadOnce();
  return exercises;
}

void Trainer::loadOnce() {
  if (loaded) return;
  loaded = true;
  const QString problem = exercises.load(now());
  if (!problem.isEmpty()) showMessage(QMessageBox::Warning, problem, window);
}

void Trainer::save() {
  const QString problem = exercises.save();
  if (!problem.isEmpty()) showMessage(QMessageBox::Warning, problem, window);
}

int Trainer::addExercises(std::vector<Exercise> made) {
  loadOnce();
  int added = 0;
  const qint64 due = now();
  for (Exercise& exercise : made) {
    exercise.dueMs = due;
    added += exercises.add(std::move(exercise));
  }
  if (added) save();
  showCounts();
  // The panel that had nothing to offer shows the first of them.
  if (added && active && !current && !checking) next();
  return added;
}

void Trainer::showCounts() {
  trainingPanel->setCounts(exercises.solvedCount(), static_cast<int>(exercises.pending(now()).size()),
                           static_cast<int>(exercises.size()));
}

void Trainer::start() {
  loadOnce();
  if (!active) boardWasWhite = view->whiteAtBottom();
  active = true;
  showPanel(true);
  panelDock->raise();
  if (!current) next();
}

// The window grows by the panel and shrinks back, so the board keeps its size;
// a maximised window keeps its own.
void Trainer::showPanel(bool shown) {
  if (shown == panelDock->isVisible()) return;
  const bool resizable = !window->isMaximized() && !window->isFullScreen() && window->isVisible();
  const int room = panelDock->sizeHint().width() +
                   window->style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, window);
  panelDock->setVisible(shown);
  if (resizable) window->resize(window->width() + (shown ? room : -room), window->height());
}

void Trainer::leave() {
  if (!active) return;
  if (cancel) cancel->request();
  watcher.waitForFinished();
  checking = false;
  active = false;
  current.reset();
  fromSquare = -1;
  view->setStandIn(std::nullopt);
  view->setWhiteAtBottom(boardWasWhite);
  view->setAwaitingFirstClick(true);
  showPanel(false);
  emit left();
}

void Trainer::next() {
  if (checking) return;
  const std::vector<std::size_t> due = exercises.pending(now());
  // Another exercise than the one just shown when there is one: a failure is not retried at once.
  std::optional<std::size_t> chosen;
  for (std::size_t index : due)
    if (!current || index != *current) {
      chosen = index;
      break;
    }
  if (!chosen && !due.empty()) chosen = due.front();
  showCounts();
  if (!chosen) {
    current.reset();
    view->setStandIn(std::nullopt);
    view->setWhiteAtBottom(boardWasWhite);
    trainingPanel->setExercise(exercises.size() ? tr("No hay ejercicios pendientes: vuelva otro día.")
                                                : tr("Aún no hay ejercicios. Analice una partida y use «Crear "
                                                     "ejercicios de esta partida», o cree ejercicios de una "
                                                     "colección con evaluaciones."));
    trainingPanel->setAnswer(QString());
    trainingPanel->setButtons(false, false, false);
    return;
  }
  counted = false;
  show(*chosen);
}

void Trainer::show(std::size_t index) {
  current = index;
  const Exercise& exercise = exercises.at(index);
  const std::optional<CChessBoard> position = exercise.position();
  tried.reset();
  verdict.reset();
  fromSquare = -1;
  view->setStandIn(position);
  view->setWhiteAtBottom(exercise.whiteToMove());
  view->setAwaitingFirstClick(true);
  const Move played = position ? moveOfCoordinates(*position, exercise.played) : Move();
  const QString source = exercise.source == QLatin1String(CURRENT_GAME_SOURCE)
                             ? tr("Partida actual")
                             : QFileInfo(exercise.source).fileName();
  QStringList about{source};
  if (!exercise.white.isEmpty() || !exercise.black.isEmpty())
    about << QStringLiteral("%1 – %2").arg(exercise.white, exercise.black);
  if (!exercise.date.isEmpty() && !exercise.date.startsWith(u'?')) about << exercise.date;
  about << tr("jugada %1").arg(exercise.moveNumber);
  trainingPanel->setExercise(
      (exercise.whiteToMove() ? tr("Juegan las blancas.") : tr("Juegan las negras.")) + u'\n' +
      about.join(QStringLiteral(", ")) + u'\n' +
      tr("Busca una jugada mejor que %1.")
          .arg(position ? notatedLine(*position, exercise.moveNumber, {played}) : QString()));
  trainingPanel->setAnswer(tr("Haga su jugada en el tablero."));
  trainingPanel->setButtons(false, true, true);
  showCounts();
}

void Trainer::retry() {
  if (!current || checking) return;
  show(*current);
}

void Trainer::squareClicked(int square) {
  if (!active || !current || checking || tried) return;
  const std::optional<CChessBoard> position = exercises.at(*current).position();
  if (!position || !isValidSquare(square)) return;
  const int side = position->sideToMove;
  if (fromSquare < 0 || belongsTo(position->squares[square], side)) {
    // A first click, or another piece of the side to move picked instead.
    if (!belongsTo(position->squares[square], side) || square == fromSquare) return pickCancelled();
    fromSquare = square;
    view->setFromSquare(square);
    view->setAwaitingFirstClick(false);
    return;
  }
  const std::optional<Move> move = legalMove(*position, fromSquare, square);
  if (!move) return pickCancelled();
  tryMove(*move);
}

void Trainer::pickCancelled() {
  fromSquare = -1;
  view->setAwaitingFirstClick(true);
}

void Trainer::tryMove(const Move& move) {
  const Exercise& exercise = exercises.at(*current);
  const CChessBoard position = *exercise.position();
  tried = move;
  fromSquare = -1;
  view->setAwaitingFirstClick(true);
  view->setStandIn(after(position, move));
  checking = true;
  trainingPanel->setAnswer(tr("Comprobando %1...").arg(notatedLine(position, exercise.moveNumber, {move})));
  trainingPanel->setButtons(false, false, false);
  cancel = std::make_unique<ReviewCancel>();
  const Move played = moveOfCoordinates(position, exercise.played);
  watcher.setFuture(QtConcurrent::run([position, move, played, limits = budget, stop = cancel.get()] {
    return checkAttempt(position, move, played, limits, stop);
  }));
}

void Trainer::checked() {
  if (!checking || !current || !tried) return;
  checking = false;
  verdict = watcher.result();
  if (verdict->stopped) return;
  const Exercise& exercise = exercises.at(*current);
  const CChessBoard position = *exercise.position();
  const bool solved = verdict->solved;
  if (!counted) {
    // Only the first try of a showing counts: a retry after seeing the answer proves little.
    counted = true;
    if (solved)
      exercises.solved(*current, now());
    else
      exercises.failed(*current, now());
    save();
  }
  const QString move = notatedLine(position, exercise.moveNumber, {*tried});
  const QString line = tr("Línea del motor: %1 (%2)")
                           .arg(notatedLine(position, exercise.moveNumber, verdict->triedLine),
                                scoreText(verdict->triedScore));
  QString text;
  if (solved)
    text = tr("¡Resuelto! %1 es tan buena como la mejor.").arg(move);
  else if (sameMove(*tried, moveOfCoordinates(position, exercise.played)))
    text = tr("%1 es la jugada de la partida: busque otra.").arg(move);
  else
    text = tr("No: %1 pierde demasiado frente a la mejor.").arg(move);
  trainingPanel->setAnswer(text + u'\n' + line, solved ? 1 : -1);
  trainingPanel->setButtons(true, true, true);
  showCounts();
  emit answered(solved);
}

void Trainer::showSolution() {
  if (!current || checking) return;
  const Exercise& exercise = exercises.at(*current);
  const CChessBoard position = *exercise.position();
  if (!counted) {
    // Seen before a try: it is owed again.
    counted = true;
    exercises.failed(*current, now());
    save();
    showCounts();
  }
  QStringList best;
  for (const std::string& text : exercise.better)
    if (const Move move = moveOfCoordinates(position, text); !move.isNull())
      best << notatedLine(position, exercise.moveNumber, {move});
  QString text;
  if (verdict && !verdict->bestLine.empty())
    text = tr("Solución: %1 (%2)")
               .arg(notatedLine(position, exercise.moveNumber, verdict->bestLine), scoreText(verdict->bestScore));
  else if (!best.isEmpty())
    text = tr("Solución: %1").arg(best.join(QStringLiteral(", ")));
  else
    text = tr("La partida no dice qué era mejor: haga una jugada y el motor le dará su línea.");
  trainingPanel->setAnswer(text);
  trainingPanel->setButtons(true, true, true);
}
