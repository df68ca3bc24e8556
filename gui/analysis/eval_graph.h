#pragma once
// The evaluation graph under the board: one point per position of the game
// (White's expected score, so a mate does not flatten the rest), the marked
// moves as dots in their colour with their sign, move numbers along the
// foot, the shown position as a line; a click names the position under it.

#include <QWidget>

#include <optional>
#include <vector>

#include "position/white_score.h"
#include "search/move_review.h"

class EvalGraph : public QWidget {
  Q_OBJECT

 public:
  explicit EvalGraph(QWidget* parent = nullptr);
  // Scores per position, marks per move (move k leads to position k + 1);
  // the moves are numbered as the move list numbers them, from 1.
  void setReview(std::vector<std::optional<WhiteScore>> scores, std::vector<MoveMark> marks,
                 bool whiteMovesFirst = true);
  void setCurrent(int position);
  int pointCount() const { return static_cast<int>(scores.size()); }
  // The position whose point is nearest to x, or -1 with none.
  int positionAt(int x) const;
  // Where a position's point is drawn.
  QPointF pointOf(int position) const;
  QSize sizeHint() const override;
  // The position after White's move `number`, where the foot names that move.
  int positionAfterWhiteMove(int number) const { return whiteFirst ? 2 * number - 1 : 2 * number - 2; }

 signals:
  void positionClicked(int position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::vector<std::optional<WhiteScore>> scores;
  std::vector<MoveMark> marks;
  int current = -1;
  bool whiteFirst = true;
};

// The colour of a mark, the same in the graph and the move list.
QColor markColour(MoveMark mark);
