#pragma once
// The debug window: the game's and the engine's state, the engine's debug
// text, and the figures of the last search.

#include <QDialog>

class Game;
class LogTextEdit;
class OpeningBook;
class QLabel;
class QTreeWidget;

class CDebugDialog : public QDialog {
  Q_OBJECT

 public:
  CDebugDialog(const Game& game, const OpeningBook& book, QWidget* parent = nullptr);

  // Only while the text box is visible: append, then update the fields.
  void appendText(int colour, const QString& text);
  void clearLog();
  void showStats(int nodes, int centiseconds);
  // Reads the Game; does nothing while the window is hidden.
  void updateFields();

  QString logText() const;
  // The text of a field by its label as written here, whatever the window's
  // language ("State:", "Nodos", ...; "speed" for the unlabelled one).
  QString fieldText(const QString& label) const;

 private:
  QLabel* addField(class QGridLayout* grid, int row, const char* label);

  const Game& game;
  const OpeningBook& book;
  LogTextEdit* log;
  QTreeWidget* moveTable;
  QLabel* stateField;
  QLabel* computerPlaysField;
  QLabel* playsField;
  QLabel* castlingField;
  QLabel* enPassantField;
  QLabel* evaluationField;
  QLabel* memoryField;
  QLabel* nodesField;
  QLabel* timeField;
  QLabel* speedField;
  int keptNodes = 0;
  int keptCentiseconds = 0;
};
