#pragma once
// The bar beside the board: White's share of it is White's expected score in
// the shown position, so a pawn up moves it visibly and a won game fills it.

#include <QWidget>

#include <optional>

#include "position/white_score.h"

class EvalBar : public QWidget {
  Q_OBJECT

 public:
  explicit EvalBar(QWidget* parent = nullptr);
  void setScore(std::optional<WhiteScore> score);
  void setWhiteAtBottom(bool bottom);
  // White's share of the bar, 0 to 1 (0.5 with no score).
  double whiteShare() const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<WhiteScore> score;
  bool whiteAtBottom = true;
};
