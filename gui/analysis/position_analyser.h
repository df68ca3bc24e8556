#pragma once
// The analysis panel's search: the strong search on a thread of its own,
// over a copy of the position asked for, reporting a line after every depth
// it finishes. A new position stops the search running (the stop request is
// a flag the search polls) and starts on the new one; the window never waits
// for it.

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "position/chess_board.h"
#include "position/white_score.h"

struct AnalysisLine {
  quint64 request = 0;  // which analyse() call it answers
  WhiteScore score;
  QString text;         // in the window's notation, from the analysed position
  std::vector<Move> moves;
  int rank = 1;         // 1 the best line
  int depth = 0;
  qint64 nodes = 0;
  qint64 milliseconds = 0;
};
Q_DECLARE_METATYPE(AnalysisLine)

class PositionAnalyser : public QObject {
  Q_OBJECT

 public:
  explicit PositionAnalyser(QObject* parent = nullptr);
  ~PositionAnalyser() override;

  // Analyses the last of `positions` (the ones before it count for
  // repetitions) until stopped or replaced; `moveNumber` is its full-move
  // number, for the lines' text; `lines` best lines (1 to 5) are searched.
  // Returns the request's number.
  quint64 analyse(std::vector<CChessBoard> positions, int moveNumber, int lines = 1);
  void stop();

 signals:
  // From the search's thread, queued to the receiver's.
  void lineFound(const AnalysisLine& line);

 private:
  struct Request {
    quint64 number = 0;
    std::vector<CChessBoard> positions;
    int moveNumber = 1;
    int lines = 1;
  };
  void work();

  std::mutex mutex;
  std::condition_variable wake;
  std::optional<Request> next;
  quint64 requests = 0;
  bool quitting = false;
  std::atomic<bool> stopSearch{false};
  std::thread thread;
};
