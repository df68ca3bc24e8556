#pragma once
// Análisis: the search's best line for the shown position in the window's notation,
// its score from White's side, depth and speed. It follows every position
// it is shown at once and restarts only when the position really changed.
// The search is the built-in one or any configured engine, chosen in the
// panel; an engine's fault is told here and leaves nothing running.

#include <QList>
#include <QWidget>

#include <optional>
#include <vector>

#include "external/engine_config.h"
#include "position_analyser.h"

class EngineAnalyser;
class QComboBox;
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
  // The window's notation changed: the lines shown are written again in it.
  void renotate();

  // The engines to choose from (the built-in one first) and the chosen one, by name.
  void setEngines(const QList<EngineConfig>& engines, const QString& chosen);
  QString engineName() const;

  int lineCount() const;
  QString lineText(int index) const;
  QString infoText() const;
  std::optional<WhiteScore> score() const { return lastScore; }

 signals:
  void scoreChanged(std::optional<WhiteScore> score);
  // The first line for a newly shown position arrived (for timing).
  void firstLineShown();
  // The player chose another engine.
  void engineChosen(const QString& name);
  // The list of engines is about to be shown: a chance to bring it up to date.
  void enginesWanted();

 private:
  void onLine(const AnalysisLine& line, const QObject* from);
  void drawLine(const AnalysisLine& line);
  void analyseShown();
  void stopSearch();
  void useEngine(int index);
  void engineFailed(const QString& reason);

  PositionAnalyser analyser;
  EngineAnalyser* external = nullptr;  // the chosen engine's, when not the built-in one
  const QObject* requestFrom = nullptr;
  QList<EngineConfig> engineConfigs;
  bool faulted = false;
  QLabel* info;
  QComboBox* engineBox;
  QSpinBox* lines;
  std::vector<QLabel*> lineLabels;
  std::vector<AnalysisLine> drawn;  // by rank, the lines last shown for the shown position
  std::vector<CChessBoard> shown;
  int shownMoveNumber = 1;
  quint64 request = 0;
  bool active = false;
  bool answered = false;
  std::optional<WhiteScore> lastScore;
};
