#include "debug_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>


#include "debug_fields.h"
#include "driver/game.h"
#include "log_text_edit.h"

CDebugDialog::CDebugDialog(const Game& game, const OpeningBook& book, QWidget* parent)
    : QDialog(parent), game(game), book(book), log(new LogTextEdit(this)), moveTable(new QTreeWidget(this)) {
  setWindowTitle(tr("Debug window"));
  setModal(false);
  // Closing the main window ends the program even while these are open.
  setAttribute(Qt::WA_QuitOnClose, false);

  auto* gameGroup = new QGroupBox(tr("Game state"), this);
  auto* gameGrid = new QGridLayout(gameGroup);
  stateField = addField(gameGrid, 0, QT_TR_NOOP("State:"));
  computerPlaysField = addField(gameGrid, 1, QT_TR_NOOP("Computer plays:"));

  auto* boardGroup = new QGroupBox(tr("Board state"), this);
  auto* boardGrid = new QGridLayout(boardGroup);
  playsField = addField(boardGrid, 0, QT_TR_NOOP("Plays:"));
  castlingField = addField(boardGrid, 1, QT_TR_NOOP("Castling:"));
  enPassantField = addField(boardGrid, 2, QT_TR_NOOP("Enpassant:"));

  auto* engineGroup = new QGroupBox(tr("Engine state"), this);
  auto* engineGrid = new QGridLayout(engineGroup);
  evaluationField = addField(engineGrid, 0, QT_TR_NOOP("Evaluation"));
  memoryField = addField(engineGrid, 1, QT_TR_NOOP("Memory size"));
  nodesField = addField(engineGrid, 2, QT_TR_NOOP("Nodos"));
  speedField = new QLabel(this);
  engineGrid->addWidget(speedField, 2, 2);
  timeField = addField(engineGrid, 3, QT_TR_NOOP("Time"));

  moveTable->setColumnCount(3);
  moveTable->setHeaderLabels({QStringLiteral("#"), tr("Mov"), tr("Eva")});
  moveTable->setColumnWidth(0, 20);
  moveTable->setColumnWidth(1, 40);
  moveTable->setColumnWidth(2, 40);
  moveTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  moveTable->setRootIsDecorated(false);
  moveTable->setFixedWidth(110);

  auto* left = new QVBoxLayout;
  left->addWidget(gameGroup);
  left->addWidget(boardGroup);
  left->addWidget(engineGroup);
  left->addWidget(log, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(moveTable);
  resize(360, 480);

  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &CDebugDialog::updateFields);
  timer->start(1000);
}

QLabel* CDebugDialog::addField(QGridLayout* grid, int row, const char* label) {
  auto* name = new QLabel(tr(label), this);
  auto* field = new QLabel(this);
  field->setObjectName(QString::fromLatin1(label));
  field->setMinimumWidth(90);
  grid->addWidget(name, row, 0);
  grid->addWidget(field, row, 1);
  return field;
}

void CDebugDialog::appendText(int colour, const QString& text) {
  if (!log->isVisible()) return;
  log->appendText(colour, text);
  updateFields();
}

void CDebugDialog::clearLog() { log->clear(); }

void CDebugDialog::showStats(int nodes, int centiseconds) {
  timeField->setText(timeText(centiseconds));
  nodesField->setText(QString::asprintf("%d", nodes));
  keptNodes = nodes;
  keptCentiseconds = centiseconds;
}

void CDebugDialog::updateFields() {
  if (!isVisible()) return;
  const DebugFields fields = game.read([this](const Game& shown) { return DebugFields::of(shown, book); });
  playsField->setText(fields.plays);
  enPassantField->setText(fields.enPassant);
  computerPlaysField->setText(fields.computerPlays);
  castlingField->setText(fields.castling);
  stateField->setText(fields.state);
  if (fields.evaluation) evaluationField->setText(*fields.evaluation);
  memoryField->setText(fields.memorySize);
  if (const auto speed = speedText(keptNodes, keptCentiseconds)) speedField->setText(*speed);
}

QString CDebugDialog::logText() const { return log->toPlainText(); }

QString CDebugDialog::fieldText(const QString& label) const {
  if (label == QLatin1String("speed")) return speedField->text();
  const auto* field = findChild<QLabel*>(label);
  return field ? field->text() : QString();
}
