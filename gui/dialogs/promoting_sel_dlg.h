#pragma once
// Promoting: which piece a pawn becomes. Closing the dialog without a choice
// leaves the queen.

#include <QDialog>

class QPushButton;

class CPromotingSelDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CPromotingSelDlg(QWidget* parent = nullptr);

  // Piece code of the choice: 3 queen, 0 rook, 1 knight, 2 bishop.
  int answer() const { return chosen; }
  QPushButton* button(int index) const { return buttons[index]; }

  // Runs the dialog and gives its answer.
  static int ask(QWidget* parent);
  // "=Q", "=R", "=N" or "=B" for an answer.
  static QString suffix(int answer);

 private:
  QPushButton* buttons[4];
  int chosen = 3;
};
