#include "log_text_edit.h"

#include <QScrollBar>

#include "text_colour.h"

LogTextEdit::LogTextEdit(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  setAcceptRichText(false);
}

void LogTextEdit::appendText(int colour, const QString& text) {
  moveCursor(QTextCursor::End);
  QTextCharFormat format;
  format.setForeground(colourFromValue(colour));
  QTextCursor cursor = textCursor();
  cursor.insertText(text, format);
  setTextCursor(cursor);
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
