#include "log_text_edit.h"

#include <QScrollBar>

#include "common/text_colour.h"

namespace {

// A window left open over a long session keeps its latest lines only.
constexpr int MAX_LINES = 20000;

}  // namespace

LogTextEdit::LogTextEdit(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  setAcceptRichText(false);
  // Nothing typed here is ever undone: an undo history would keep every line again.
  document()->setUndoRedoEnabled(false);
  document()->setMaximumBlockCount(MAX_LINES);
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
