#pragma once
// The command window: every command the engine takes (black) and every line
// it writes (red).

#include <QDialog>

class LogTextEdit;

class CCommandDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CCommandDlg(QWidget* parent = nullptr);

  void appendText(int colour, const QString& text);
  QString text() const;

 private:
  LogTextEdit* log;
};
