#pragma once
// The Entrenamiento panel: the counts, the exercise (who moves, where it
// comes from, what to beat), the answer with the engine's line, and the
// buttons. It only shows: the trainer fills it and hears its buttons.

#include <QWidget>

class QLabel;
class QPushButton;

class TrainingPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TrainingPanel(QWidget* parent = nullptr);

  void setCounts(int solved, int pending, int total);
  void setExercise(const QString& text);
  // `verdict`: 1 a solved try (green), -1 a failed one (red), 0 a plain note.
  void setAnswer(const QString& text, int verdict = 0);
  // Which buttons fit the moment: after an answer, while searching, or with nothing to do.
  void setButtons(bool retry, bool solution, bool next);

  QString countsText() const;
  QString exerciseText() const;
  QString answerText() const;
  QPushButton* retryButton() const { return retry; }
  QPushButton* solutionButton() const { return solution; }
  QPushButton* nextButton() const { return next; }
  QPushButton* leaveButton() const { return leave; }

 private:
  QLabel* counts;
  QLabel* exercise;
  QLabel* answer;
  QPushButton* retry;
  QPushButton* solution;
  QPushButton* next;
  QPushButton* leave;
};
