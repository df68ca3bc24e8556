#pragma once
// Issue command: one line of text for the engine.

#include <QDialog>

class QLineEdit;

class CGetTextDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CGetTextDlg(QWidget* parent = nullptr);

  // What OK copied; empty when the dialog was closed otherwise.
  QString text() const { return copied; }

  QLineEdit* edit;

 private:
  QString copied;
};
