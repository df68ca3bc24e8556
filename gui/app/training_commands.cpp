#include "training_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtConcurrent>

#include "analysis/analysis_docks.h"
#include "common/message_sink.h"
#include "driver/game.h"
#include "engine/command_channel.h"
#include "engine/engine_bridge.h"
#include "external/engine_turns.h"
#include "files/dovrel2_doc.h"
#include "play/game_in_play.h"
#include "training/trainer.h"

namespace {

// A tag of the game's PGN, as the document would save it.
QString tagOf(const QString& pgn, const QString& name) {
  const QRegularExpression tag(QStringLiteral("^\\[%1 \"(.*)\"\\]$").arg(name), QRegularExpression::MultilineOption);
  const QRegularExpressionMatch match = tag.match(pgn);
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

TrainingCommands::TrainingCommands(Parts parts, QMainWindow* window)
    : QObject(window), parts(parts), window(window), training(new Trainer(parts.view, window)) {
  connect(&reading, &QFutureWatcher<CollectionExercises>::finished, this, &TrainingCommands::collectionDone);
  chooseCollection = [window] {
    return QFileDialog::getOpenFileName(window, tr("Crear ejercicios de una colección"), QString(),
                                        tr("Partidas PGN (*.pgn);;Todos los archivos (*)"));
  };
}

void TrainingCommands::createMenu(QMenuBar* bar) {
  QMenu* menu = bar->addMenu(tr("Entrenamiento"));
  QAction* exercises = menu->addAction(tr("Ejercicios..."), this, [this] { startTraining(); });
  exercises->setStatusTip(tr("Repasa los errores de sus partidas como ejercicios"));
  menu->addSeparator();
  menu->addAction(tr("Crear ejercicios de esta partida"), this, [this] { exercisesOfThisGame(); })
      ->setStatusTip(tr("Los errores y errores graves de la partida analizada se vuelven ejercicios"));
  menu->addAction(tr("Crear ejercicios de una colección..."), this, [this] {
        const QString path = chooseCollection();
        if (!path.isEmpty()) exercisesOfCollection(path);
      })->setStatusTip(tr("Los errores marcados en un archivo PGN con evaluaciones se vuelven ejercicios"));
}

bool TrainingCommands::takesClicks() const { return training->isActive() && training->currentIndex(); }

bool TrainingCommands::startTraining() {
  const GameFlow& flow = parts.play->gameFlow();
  QString why;
  if (parts.channel->handingOver() || !parts.engine->isIdle() ||
      (!flow.isOver() && parts.play->engineTurns()->isEnginesTurn()))
    why = tr("Un motor está pensando para la partida: espere su jugada o detenga los motores antes de entrenar.");
  else if (!flow.isOver() && flow.clocks().running() != ChessClocks::NOBODY)
    why = tr("El reloj de la partida está en marcha: termine o detenga la partida antes de entrenar.");
  if (!why.isEmpty()) {
    showMessage(QMessageBox::Information, why, window);
    return false;
  }
  parts.play->pickCancelled();  // a half-made move of the game is dropped, nothing else
  training->start();
  return true;
}

int TrainingCommands::exercisesOfThisGame() {
  const GameReview& review = parts.analysis->review();
  if (review.isEmpty()) {
    showMessage(QMessageBox::Information,
                tr("La partida no está analizada: use primero «Partida > Analizar partida...»."), window);
    return 0;
  }
  const std::vector<CChessBoard> history = parts.game.read([](const Game& game) { return game.history; });
  int first = 0;
  const std::vector<CChessBoard> positions = positionsOfHistory(history, first);
  // A game played here: the person's moves; a game from a file: both sides'.
  const QString path = parts.doc->pathName();
  ExerciseSides sides = ExerciseSides::Both;
  if (path.isEmpty()) sides = parts.play->personSide() == 1 ? ExerciseSides::White : ExerciseSides::Black;
  const QString pgn = QString::fromStdString(parts.doc->pgnText());
  const ExerciseSource source{path.isEmpty() ? QString::fromLatin1(CURRENT_GAME_SOURCE) : path,
                              tagOf(pgn, QStringLiteral("White")), tagOf(pgn, QStringLiteral("Black")),
                              tagOf(pgn, QStringLiteral("Date"))};
  std::vector<Exercise> made = exercisesOfReview(positions, review, sides, source);
  const int found = static_cast<int>(made.size());
  const int added = training->addExercises(std::move(made));
  QString text = tr("Ejercicios nuevos de esta partida: %1.").arg(added);
  if (found > added) text += u' ' + tr("Ya estaban: %1.").arg(found - added);
  showMessage(QMessageBox::Information, text, window);
  return added;
}

bool TrainingCommands::exercisesOfCollection(const QString& path) {
  if (reading.isRunning()) return false;
  window->statusBar()->showMessage(tr("Leyendo «%1»...").arg(QFileInfo(path).fileName()));
  reading.setFuture(QtConcurrent::run([path] { return ::exercisesOfCollection(path); }));
  return true;
}

void TrainingCommands::collectionDone() {
  CollectionExercises read = reading.result();
  window->statusBar()->clearMessage();
  if (!read.why.isEmpty()) {
    showMessage(QMessageBox::Warning, read.why, window);
    emit collectionRead(0);
    return;
  }
  const int found = static_cast<int>(read.exercises.size());
  const int added = training->addExercises(std::move(read.exercises));
  QString text = tr("Ejercicios nuevos: %1, de %2 partidas leídas.").arg(added).arg(read.games);
  if (found > added) text += u' ' + tr("Ya estaban: %1.").arg(found - added);
  if (read.unreadGames) text += u' ' + tr("Partidas que no se pudieron leer enteras: %1.").arg(read.unreadGames);
  if (found == 0) text += u' ' + tr("El archivo no tiene errores marcados (NAG o [%eval]).");
  showMessage(QMessageBox::Information, text, window);
  emit collectionRead(added);
}
