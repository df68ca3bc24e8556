#pragma once
// The bar on the right of the main window: the moves played and, below them,
// the two clocks.

#include <QWidget>

class QLabel;
class QTextEdit;

class CRightBarDlg : public QWidget {
  Q_OBJECT

 public:
  static constexpr int BAR_WIDTH = 100;

  explicit CRightBarDlg(QWidget* parent = nullptr);

  void setMoveList(const QString& text);
  QString moveList() const;
  void setHead(const QString& text);
  QString head() const;

 private:
  QTextEdit* moves;
  QLabel* headField;
};
