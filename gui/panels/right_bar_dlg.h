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

// A move of the list as a review marks it.
struct MoveNote {
  QColor colour;
  QString tip;   // shown on hover
  QString sign;  // written after the move ("??"); empty: none
};

class CRightBarDlg : public QWidget {
  Q_OBJECT

 public:
  // At least this wide, and wide enough for "188.Qxe7+ Kxe7+" in its font.
  static constexpr int BAR_WIDTH = 100;

  explicit CRightBarDlg(QWidget* parent = nullptr);

  // The list's text and where each move stands in it; the list shows it
  // with the notes' signs written after their moves.
  void setMoveList(const QString& text);
  void setMoveSpans(std::vector<MoveSpan> spans);
  // Which history entry is shown (its move is marked; -1 marks none).
  void markEntry(int entry);
  // A variation's move is shown instead: the node of its span.
  void markNode(int node);
  // Moves a review marked, by history entry: drawn in their colour with
  // their sign, their text shown on hover.
  void setEntryNotes(std::map<int, MoveNote> notes);
  QString noteAt(const QPoint& viewportPoint) const;
  // The text shown: with notes, the signs included.
  QString moveList() const;
  void setHead(const QString& text);
  QString head() const;

 signals:
  // A click on a move: the history entry it led to.
  void entryClicked(int entry);
  // A click on a variation's move: its span's node.
  void nodeClicked(int node);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const MoveSpan* spanAt(const QPoint& viewportPoint) const;
  // The shown text and spans from the given ones and the signs.
  void layOutSigns();

  QString plainText;                // as given, without signs
  std::vector<MoveSpan> plainSpans;  // as given
  std::vector<MoveSpan> moveSpans;  // in the shown text: a signed move's span takes its sign in
  std::map<int, MoveNote> entryNotes;
  void layOutMarks();

  int markedEntry = -1;
  int markedNode = -1;
  // The entry and node the marks were last laid out for; -2: none (laying out a long list is slow).
  int shownMark = -2, shownNode = -2;
  QPlainTextEdit* moves;
  QLabel* headField;
};
