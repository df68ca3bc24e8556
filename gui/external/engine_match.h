#pragma once
// A game between two external engines, judged here: each move an engine
// sends is checked against the legal moves before it is played, the clocks
// run between "go" and the answer, and mate, stalemate, repetition, bare kings
// and the fifty-move rule end the game as the engine library judges them. A
// fault of either engine ends the game with the fault named; the moves played
// so far are kept.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include "chess_engine.h"
#include "driver/game.h"

class QTimer;

class EngineMatch : public QObject {
  Q_OBJECT

 public:
  struct Clock {
    long long baseMs = -1;  // -1: no clock (each move by moveTimeMs)
    long long incrementMs = 0;
    long long moveTimeMs = 0;
  };

  // The engines are the caller's; they may be started already or not.
  EngineMatch(ChessEngine* white, ChessEngine* black, const QString& fen, Clock clock, QObject* parent = nullptr);

  void start();
  // Ends the game at once with "*".
  void stop(const QString& reason = tr("Partida detenida."));
  // Ends the game after this many plies (a test's bound), with "*".
  void setPlyLimit(int plies) { plyLimit = plies; }

  bool isOver() const { return !resultText.isEmpty(); }
  // "1-0", "0-1", "1/2-1/2" or "*".
  const QString& result() const { return resultText; }
  // Why it ended, in Spanish: the mate, the fault, the fallen flag.
  const QString& reason() const { return reasonText; }
  const QStringList& moves() const { return moveTexts; }
  const Game& game() const { return board; }
  long long remainingMs(int side) const;  // side 1 White, 0 Black

 signals:
  void movePlayed(const QString& move);
  void finished(const QString& result, const QString& reason);

 private:
  ChessEngine* engineFor(int side) const { return side ? white : black; }
  void engineReady();
  void askForMove();
  void moveArrived(ChessEngine* engine, const QString& text);
  void finish(const QString& result, const QString& reason);
  // The loser of a fault or a fallen flag: the other side wins.
  QString winnerAgainst(int side) const { return side ? QStringLiteral("0-1") : QStringLiteral("1-0"); }
  int sideToMove() const;

  QPointer<ChessEngine> white, black;
  QString startFen;
  Clock clock;
  long long remaining[2] = {0, 0};
  QElapsedTimer thinking;
  QTimer* flag;
  Game board;
  QStringList moveTexts;
  QString resultText, reasonText;
  int plyLimit = 0;
  bool started = false;
};
