#include "analysis_commands.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QStatusBar>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <map>

#include "analysis/analysis_docks.h"
#include "board/dovrel_view.h"
#include "dialogs/position_editor_dlg.h"
#include "driver/game.h"
#include "file_commands.h"
#include "files/dovrel2_doc.h"
#include "panels/right_bar_dlg.h"
#include "play/game_in_play.h"

void AnalysisCommands::resizeWindowBy(QSize change) {
  QSize wanted = window->size() + change;
  const QScreen* display = window->screen();
  if (!display) {
    window->resize(wanted);
    return;
  }
  const QRect room = display->availableGeometry();
  const QSize borders = window->frameGeometry().size() - window->geometry().size();
  const QSize fits = wanted.boundedTo(room.size() - borders);
  window->resize(fits);
  // Grown downwards or rightwards past the screen's edge: moved back onto it.
  QRect frame = window->frameGeometry();
  frame.moveRight(std::min(frame.right(), room.right()));
  frame.moveBottom(std::min(frame.bottom(), room.bottom()));
  if (frame.topLeft() != window->frameGeometry().topLeft()) window->move(frame.topLeft());
  // The board gives up what the screen could not give.
  if (fits != wanted) emit roomChanged();
}

AnalysisCommands::AnalysisCommands(Parts parts, QMainWindow* window)
    : QObject(window), parts(parts), window(window), analysisDocks(new AnalysisDocks(window)) {
  connect(analysisDocks, &AnalysisDocks::entryChosen, this, [this](int entry) {
    this->parts.view->browseTo(entry);
    emit refreshWanted();
  });
  connect(analysisDocks, &AnalysisDocks::reviewChanged, this, &AnalysisCommands::reviewChanged);
  // The window grows or shrinks with the panel beside the board, before the
  // layout would take the room from the board.
  connect(analysisDocks->analysisDock(), &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) follow();  // it was not followed while closed
    if (this->window->isMinimized()) return;
    // A maximised window keeps its size: the board gives the panel its room.
    if (this->window->isMaximized() || this->window->isFullScreen()) {
      emit roomChanged();
      return;
    }
    const int panel = analysisDocks->analysisDock()->sizeHint().width() +
                      this->window->style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this->window);
    resizeWindowBy({visible ? panel : -panel, 0});
  });
  // The graph under the board grows the window as the panel does, once
  // however often its visibility is told (a restored window tells it again).
  connect(analysisDocks->graphDockWidget(), &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (this->window->isMinimized()) return;
    if (this->window->isMaximized() || this->window->isFullScreen()) {
      emit roomChanged();
      return;
    }
    if (visible == (graphRoom > 0)) return;
    if (visible) {
      const int before = this->window->height();
      resizeWindowBy({0, analysisDocks->graphDockWidget()->sizeHint().height() +
                             this->window->style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr,
                                                                this->window)});
      graphRoom = std::max(this->window->height() - before, 1);
    } else {
      resizeWindowBy({0, -graphRoom});
      graphRoom = 0;
    }
  });
  connect(parts.files, &FileCommands::gameOpened, this, &AnalysisCommands::showFileReview);
  // A click on a marked move names the better one, as hovering does.
  connect(parts.rightBar, &CRightBarDlg::entryClicked, this, [this](int entry) {
    const auto notes = analysisDocks->entryNotes();
    if (const auto note = notes.find(entry); note != notes.end()) this->window->statusBar()->showMessage(note->second.tip);
  });
}

// Nothing is copied while nothing follows the game: a long game would make
// every redraw slow.
void AnalysisCommands::follow() {
  if (!analysisDocks->followsTheGame()) return;
  analysisDocks->follow(parts.game.read([](const Game& game) { return game.history; }), parts.view->browseIndex());
}

void AnalysisCommands::renotate() {
  analysisDocks->renotate(parts.game.read([](const Game& game) { return game.history; }));
}

void AnalysisCommands::reviewGame() {
  analysisDocks->reviewGame(parts.game.read([](const Game& game) { return game.history; }));
  emit refreshWanted();
}

void AnalysisCommands::reviewChanged() {
  parts.doc->setReviewNotes(annotationsOfReview(analysisDocks->review()));
  std::map<int, MoveNote> notes;
  for (const auto& [entry, note] : analysisDocks->entryNotes()) notes[entry] = {note.colour, note.tip, note.sign};
  parts.rightBar->setEntryNotes(std::move(notes));
}

void AnalysisCommands::showFileReview() {
  const std::vector<PgnAnnotation>* notes = parts.doc->reviewNotes();
  if (!notes) return;
  const std::vector<CChessBoard> history = parts.game.read([](const Game& game) { return game.history; });
  int first = 0;
  const std::vector<CChessBoard> positions = positionsOfHistory(history, first);
  analysisDocks->setReview(history, reviewOfAnnotations(positions, *notes));
}

// The position set up is played from as a pasted FEN is, after the question
// about an unsaved game.
void AnalysisCommands::editPosition() {
  PositionEditorDlg editor(parts.view->shownPosition(), window);
  if (editor.exec() != QDialog::Accepted || !parts.files->confirmDiscard()) return;
  parts.play->paste(editor.fen());
}
