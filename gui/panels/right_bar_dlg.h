#pragma once
// The bar on the right of the main window: the moves played and, below them,
// the two clocks.

#include <QWidget>

#include <QColor>

#include <map>
#include <vector>

#include "game/move_list_text.h"

class QLabel;
class QPlainTextEdit;

class CRightBarDlg : public QWidget {
  Q_OBJECT

 public:
  // At least this wide, and wide enough for "188.Qxe7+ Kxe7+" in its font.
  static constexpr int BAR_WIDTH = 100;

  explicit CRightBarDlg(QWidget* parent = nullptr);

  void setMoveList(const QString& text);
  // Where each move stands in the list, and which history entry is shown
  // (its move is marked; -1 marks none).
  void setMoveSpans(std::vector<MoveSpan> spans) { moveSpans = std::move(spans); }
  void markEntry(int entry);
  // Moves a review marked, by history entry: drawn in their colour, their
  // text shown on hover.
  void setEntryNotes(std::map<int, std::pair<QColor, QString>> notes);
  QString noteAt(const QPoint& viewportPoint) const;
  QString moveList() const;
  void setHead(const QString& text);
  QString head() const;

 signals:
  // A click on a move: the history entry it led to.
  void entryClicked(int entry);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const MoveSpan* spanAt(const QPoint& viewportPoint) const;

  std::vector<MoveSpan> moveSpans;
  std::map<int, std::pair<QColor, QString>> entryNotes;
  int markedEntry = -1;
  int shownMark = -2;  // the entry the marks were last laid out for; -2: none (laying out a long list is slow)
  QPlainTextEdit* moves;
  QLabel* headField;
};
