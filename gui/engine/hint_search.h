#pragma once
// Pista: a search of the position on a thread of its own with its own player,
// so the window stays live and the game's engine is not disturbed. The answer
// counts only if the game still stands where it was asked.

#include <QObject>
#include <QPointer>
#include <QString>

class Game;
class QThread;

class HintSearch : public QObject {
  Q_OBJECT

 public:
  HintSearch(const Game& game, QObject* parent = nullptr);
  // Waits for a search still running.
  ~HintSearch() override;

  // Starts a search of the live position, unless one runs.
  void ask();

 signals:
  void searching();
  // The suggested move's squares and its text ("Cf3").
  void found(int from, int to, const QString& san);
  void nothingFound();

 private:
  const Game& game;
  QPointer<QThread> search;
};
