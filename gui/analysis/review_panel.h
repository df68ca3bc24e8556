#pragma once
// Beside the evaluation graph: what a review says at a glance. Each side's
// accuracy and counts, the legend of the signs, and the verdict on the move
// that led to the shown position when the review marked it: the move with
// its sign and name, the better move and the line after it.

#include <QWidget>

#include <vector>

#include "game_review.h"

class QLabel;

class ReviewPanel : public QWidget {
  Q_OBJECT

 public:
  explicit ReviewPanel(QWidget* parent = nullptr);
  void setReview(const GameReview& review);
  // `positions`: the reviewed game's, start first; `shown`: the index of the one on the board.
  void showPosition(const std::vector<CChessBoard>& positions, int shown);
  // The verdict as plain text, lines apart; empty for an unmarked move.
  QString verdictText() const { return verdict; }

 private:
  GameReview review;
  QString verdict;
  QLabel* white;
  QLabel* black;
  QLabel* legend;
  QLabel* verdictLabel;
};
