#pragma once
// The search of one UCI "go", on the session's thinking thread so that the
// protocol thread goes on reading: "isready", "stop" and "ponderhit" are answered while
// the engine thinks. It reports each finished iteration as an "info" line and
// ends with the "bestmove" line, which an infinite or pondering search holds
// back until it is released.

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "driver/thinking_thread.h"
#include "search/engine_player.h"

class UciSearch : private SearchListener {
 public:
  explicit UciSearch(ThinkingThread& thinking) : thinking(thinking) {}
  ~UciSearch() { finish(); }
  UciSearch(const UciSearch&) = delete;
  UciSearch& operator=(const UciSearch&) = delete;

  // Where the engine player must report for its iterations to become "info" lines.
  SearchListener& listener() { return *this; }

  // Chooses a move for the position with the player's limits, after the
  // previous search has ended. With `hold` the bestmove waits for stop() or
  // ponderHit(). A pondering search is given the limits that count from the
  // ponderhit on (`afterHit`); it runs until then.
  // `stop` is the search's own token, the one the player was prepared with.
  void start(EnginePlayer& player, const CChessBoard& position, std::shared_ptr<std::atomic<bool>> stop, bool hold,
             const SearchLimits* afterHit = nullptr);
  // Asks the search to end at once and lets its bestmove out.
  void stop();
  // The predicted move was played: the bestmove goes out as soon as there is
  // one, a pondering search ending when the time of its limits has passed.
  void ponderHit();
  // Waits for the search thread; a held search is stopped first, since no
  // release could come while the protocol thread waits.
  void finish();

 private:
  void run(EnginePlayer& player, CChessBoard position);
  void release();
  void iterationDone(const SearchReport& report) override;
  void rootMoveStarted(int depth, const Move& move, int number) override;
  void stopTimer();

  ThinkingThread& thinking;
  std::shared_ptr<std::atomic<bool>> stopToken;  // of the search started last
  std::mutex lock;
  std::condition_variable released;
  bool held = false;
  // The pondering search's time after the ponderhit.
  SearchLimits ponderLimits;
  bool pondering = false;
  std::thread timer;
  std::condition_variable timerWake;
  bool timerCancelled = false;
};

// "info depth D [multipv K] score cp S|mate M [seldepth L] nodes N nps X
// [hashfull H] time T pv ...".
std::string uciInfoLine(const SearchReport& report);
