#include "right_bar_dlg.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QToolTip>
#include <QVBoxLayout>

CRightBarDlg::CRightBarDlg(QWidget* parent) : QWidget(parent), moves(new QPlainTextEdit(this)), headField(new QLabel(this)) {
  setObjectName(QStringLiteral("rightBar"));
  moves->setObjectName(QStringLiteral("moveList"));
  moves->setReadOnly(true);
  // A click on a move browses; the keys stay with the window, whose arrows and
  // Ctrl+C the list would otherwise take for its own caret and selection.
  moves->setFocusPolicy(Qt::NoFocus);
  // Move lines fit the bar; the announcement of the end wraps.
  moves->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  moves->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // A long line ("14.Qxe7+ Kxe7") is wider than the bar: it scrolls sideways.
  moves->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  headField->setObjectName(QStringLiteral("head"));
  headField->setAlignment(Qt::AlignCenter);
  headField->setWordWrap(true);  // both labelled clocks, on two lines when narrow
  headField->setText(QStringLiteral("0:00 - 0:00"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(moves, 1);
  layout->addWidget(headField);
  // Figurines may come from a fallback font, wider than the letters.
  const int longest = std::max(moves->fontMetrics().horizontalAdvance(QStringLiteral("188.Qxe7+ Kxe7+ ")),
                               moves->fontMetrics().horizontalAdvance(QStringLiteral("188.\u2655xe7+ \u2654xe7+ ")));
  setFixedWidth(std::max(BAR_WIDTH, longest + moves->verticalScrollBar()->sizeHint().width() + 16));
  moves->viewport()->installEventFilter(this);
  moves->viewport()->setCursor(Qt::PointingHandCursor);
}

void CRightBarDlg::markEntry(int entry) {
  markedEntry = entry;
  markedNode = -1;
  layOutMarks();
}

void CRightBarDlg::markNode(int node) {
  markedEntry = -1;
  markedNode = node;
  layOutMarks();
}

void CRightBarDlg::layOutMarks() {
  const int entry = markedEntry;
  if (entry == shownMark && markedNode == shownNode) return;
  shownMark = entry;
  shownNode = markedNode;
  QList<QTextEdit::ExtraSelection> marks;
  for (const MoveSpan& span : moveSpans) {
    // Spans of a text not yet set would point past the end of the shown one.
    if (span.start + span.length >= moves->document()->characterCount()) continue;
    const auto note = entryNotes.find(span.entry);
    if (note != entryNotes.end() && span.entry != entry) {
      QTextEdit::ExtraSelection coloured;
      coloured.cursor = QTextCursor(moves->document());
      coloured.cursor.setPosition(span.start);
      coloured.cursor.setPosition(span.start + span.length, QTextCursor::KeepAnchor);
      coloured.format.setForeground(note->second.colour);
      coloured.format.setFontWeight(QFont::Bold);
      marks << coloured;
    }
    if (span.node >= 0 ? span.node != markedNode : span.entry != entry) continue;
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(moves->document());
    mark.cursor.setPosition(span.start);
    mark.cursor.setPosition(span.start + span.length, QTextCursor::KeepAnchor);
    mark.format.setBackground(palette().highlight());
    mark.format.setForeground(palette().highlightedText());
    marks << mark;
    moves->setTextCursor(mark.cursor);
    moves->ensureCursorVisible();
  }
  moves->setExtraSelections(marks);
}

void CRightBarDlg::setEntryNotes(std::map<int, MoveNote> notes) {
  entryNotes = std::move(notes);
  layOutSigns();
  shownMark = -2;
  layOutMarks();
}

void CRightBarDlg::setMoveSpans(std::vector<MoveSpan> spans) {
  plainSpans = std::move(spans);
  moveSpans = plainSpans;
  // The signs before a span shift it.
  if (!entryNotes.empty()) layOutSigns();
}

void CRightBarDlg::layOutSigns() {
  QString text = plainText;
  moveSpans = plainSpans;
  int added = 0;
  for (MoveSpan& span : moveSpans) {
    span.start += added;
    const auto note = entryNotes.find(span.entry);
    // Spans ahead of their text (set before it) are left as they are.
    if (note == entryNotes.end() || note->second.sign.isEmpty() || span.start + span.length > text.size()) continue;
    text.insert(span.start + span.length, note->second.sign);
    span.length += static_cast<int>(note->second.sign.size());
    added += static_cast<int>(note->second.sign.size());
  }
  if (text == moves->toPlainText()) return;
  const int scrolled = moves->verticalScrollBar()->value();
  moves->setPlainText(text);
  moves->verticalScrollBar()->setValue(scrolled);
  shownMark = -2;
}

const MoveSpan* CRightBarDlg::spanAt(const QPoint& viewportPoint) const {
  const int at = moves->cursorForPosition(viewportPoint).position();
  for (const MoveSpan& span : moveSpans)
    if (at >= span.start && at <= span.start + span.length) return &span;
  return nullptr;
}

QString CRightBarDlg::noteAt(const QPoint& viewportPoint) const {
  const MoveSpan* span = spanAt(viewportPoint);
  const auto note = span ? entryNotes.find(span->entry) : entryNotes.end();
  return note != entryNotes.end() ? note->second.tip : QString();
}

bool CRightBarDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == moves->viewport() && event->type() == QEvent::MouseButtonPress) {
    if (const MoveSpan* span = spanAt(static_cast<QMouseEvent*>(event)->position().toPoint())) {
      if (span->node >= 0)
        emit nodeClicked(span->node);
      else
        emit entryClicked(span->entry);
      return true;
    }
  }
  if (watched == moves->viewport() && event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = noteAt(help->pos());
    if (tip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), tip, moves->viewport());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CRightBarDlg::setMoveList(const QString& text) {
  if (text == plainText) return;
  plainText = text;
  layOutSigns();
  shownMark = -2;
  moves->verticalScrollBar()->setValue(moves->verticalScrollBar()->maximum());
  layOutMarks();
}

QString CRightBarDlg::moveList() const { return moves->toPlainText(); }

void CRightBarDlg::setHead(const QString& text) { headField->setText(text); }

QString CRightBarDlg::head() const { return headField->text(); }
