#pragma once
// Analizar partida: every position of the game searched in turn, by kelvo on
// a thread of its own or by a UCI engine of Motores as a process, with a
// fixed time or depth per move chosen here, a progress bar and Cancelar; at
// the end the counts and accuracy of each side.

#include <QDialog>
#include <QList>
#include <QPointer>

#include <memory>
#include <thread>
#include <vector>

#include "external/engine_config.h"
#include "game_review.h"

class EngineReview;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

class GameReviewDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr double DEFAULT_SECONDS = 0.4;
  static constexpr int DEFAULT_DEPTH = 10;

  // `engines`: Motores' list; its UCI engines are offered beside kelvo.
  GameReviewDialog(std::vector<CChessBoard> positions, QWidget* parent = nullptr,
                   const QList<EngineConfig>& engines = {});
  ~GameReviewDialog() override;

  // Analizar: starts the review (the window goes on meanwhile).
  void start();
  // Cancelar: ends it with the moves judged so far.
  void cancel();
  bool isRunning() const { return running; }
  // Per move: a fixed time (seconds) or a fixed depth.
  void setLimit(bool byTime, double seconds, int depth);
  const GameReview& review() const { return result; }
  QString summary() const;
  int progressValue() const;
  // What the dialog says under the progress bar (the summary, or why the engine failed).
  QString message() const;
  // The reviewing engine by its name in the list; false when it is not offered.
  bool chooseEngine(const QString& name);
  QString engineName() const;
  // Stockfish when it is listed and installed, else kelvo (0): the index in `offered`.
  static int defaultEngine(const QList<EngineConfig>& offered);

 signals:
  void reviewReady(const GameReview& review);

 private:
  void finish(std::vector<PositionJudgement> judgements);
  void startExternal(const EngineConfig& config, const SearchLimits& limits);
  void engineFailed(const QString& reason);
  void setRunning(bool on);

  std::vector<CChessBoard> positions;
  QList<EngineConfig> offered;  // kelvo first
  QComboBox* engineBox;
  QRadioButton* byTime;
  QRadioButton* byDepth;
  QDoubleSpinBox* seconds;
  QSpinBox* depth;
  QProgressBar* progress;
  QLabel* results;
  QPushButton* startButton;
  QPushButton* cancelButton;
  QPushButton* closeButton;
  std::shared_ptr<ReviewCancel> cancelRequest;
  std::thread worker;
  QPointer<EngineReview> external;
  bool running = false;
  GameReview result;
};
