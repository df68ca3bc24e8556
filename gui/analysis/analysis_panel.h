#pragma once
// Análisis: the search's best line for the shown position in Spanish SAN,
// its score from White's side, depth and speed. It follows every position
// it is shown at once and restarts only when the position really changed.

#include <QWidget>

#include <optional>
#include <vector>

#include "position_analyser.h"

class QLabel;
class QSpinBox;

class AnalysisPanel : public QWidget {
  Q_OBJECT

 public:
  explicit AnalysisPanel(QWidget* parent = nullptr);

  // The game's positions up to the shown one (the last); `moveNumber` is its full-move number.
  // Taken over, not copied into the old storage, which after a long game would stay that long.
  void showPosition(std::vector<CChessBoard> positions, int moveNumber);
  // Off: the search stops and the panel keeps its last lines.
  void setActive(bool active);
  bool isActive() const { return active; }

  int lineCount() const;
  QString lineText(int index) const;
  QString infoText() const;
  std::optional<WhiteScore> score() const { return lastScore; }

 signals:
  void scoreChanged(std::optional<WhiteScore> score);
  // The first line for a newly shown position arrived (for timing).
  void firstLineShown();

 private:
  void onLine(const AnalysisLine& line);

  PositionAnalyser analyser;
  QLabel* info;
  QSpinBox* lines;
  std::vector<QLabel*> lineLabels;
  std::vector<CChessBoard> shown;
  int shownMoveNumber = 1;
  quint64 request = 0;
  bool active = false;
  bool answered = false;
  std::optional<WhiteScore> lastScore;
};
