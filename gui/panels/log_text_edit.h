#pragma once
// The read-only text box of the command and debug windows: text is appended
// at the end in a colour, and the box follows it down.

#include <QTextEdit>

class LogTextEdit : public QTextEdit {
  Q_OBJECT

 public:
  explicit LogTextEdit(QWidget* parent = nullptr);

  void appendText(int colour, const QString& text);
};
