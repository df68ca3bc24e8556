#pragma once
// Analizar partida: every position of the game searched in turn on a thread
// of its own, with a fixed time or depth per move chosen here, a progress bar
// and Cancelar; at the end the counts and accuracy of each side.

#include <QDialog>

#include <memory>
#include <thread>
#include <vector>

#include "game_review.h"

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

  GameReviewDialog(std::vector<CChessBoard> positions, QWidget* parent = nullptr);
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

 signals:
  void reviewReady(const GameReview& review);

 private:
  void finish(std::vector<PositionJudgement> judgements);

  std::vector<CChessBoard> positions;
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
  bool running = false;
  GameReview result;
};
