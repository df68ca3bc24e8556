#pragma once
// One engine session, whichever protocol the interface speaks: the options it
// has set, the game (whose own history every search is handed), the opening
// book in play, the searches beside the game (hint, analysis) and the one
// thread the engine thinks on. The xboard loop (commands.cpp) and the UCI
// session (uci_protocol.cpp) only translate their words into calls on it.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "driver/session_settings.h"
#include "driver/thinking_thread.h"
#include "position/chess_board.h"
#include "position/fen.h"
#include "search/engine_player.h"

class EngineIO;
class Game;
class OpeningBook;

// A FEN read for setting up: the position when it can be played, else why not.
struct SetupReading {
  std::optional<CChessBoard> position;  // empty when the text is no position or cannot be played
  bool readable = false;                // the text is a position, playable or not
  std::string fault;                    // why a readable position cannot be played
  FenCounters counters;
};
SetupReading readSetup(const std::string& fen);

class EngineSession {
 public:
  static constexpr int MAX_HASH_MEGABYTES = 1024;
  static constexpr int MAX_LINES = 16;
  // An analysis that runs on says so at least this often.
  static constexpr std::int64_t PROGRESS_MILLISECONDS = 1000;
  static int maxThreads();

  EngineSession(Game& game, OpeningBook& book, EngineIO& io);
  ~EngineSession();
  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;

  Game& game;
  OpeningBook& book;
  EngineIO& io;
  SessionSettings settings;
  ThinkingThread thinking;

  // Options, clamped to what the engine can do; the game's engine player follows.
  void setLevel(long long level);
  // The table every player of the session shares is allocated here, when
  // its size changes, not in the next search.
  void setHashMegabytes(long long megabytes);
  // Empties the table (also done by newGame).
  void clearHash();
  void setThreads(long long count);
  void setLines(long long count);
  void setPosting(bool on);
  EnginePlayer* engineOfGame() const;

  // The initial position, a fresh clock and players, the book in play again,
  // an empty table; the session's per-game settings forgotten.
  void newGame();
  // The game restarts from the position with the given FEN counters.
  void setUpPosition(const CChessBoard& position, const FenCounters& counters);

  // The book as the session's players see it: the loaded book, while this
  // game is still in it. An analysis leaves the game's book alone.
  BookProbe& bookProbe();
  void setAnalysing(bool analysing);
  // Reads another book file in place of the loaded one ("" or "<empty>": no
  // book); what cut the reading short, as a text, or "".
  std::string loadBookFile(const std::string& path);

  // Each search the session orders gets a stop token of its own, made before
  // its thread starts: a stop sent at once still reaches it, and a stop meant
  // for an earlier search never does.
  using StopToken = std::shared_ptr<std::atomic<bool>>;
  // A fresh token, from now on the current search's.
  StopToken beginSearch();
  // A second search of the same piece of thinking (pondering after the move):
  // a fresh token, stopped already if the thinking was asked to stop.
  StopToken continueSearch();
  // Stops the current search (move now, stop, a flag fallen); nothing when
  // none runs, and nothing for the next one.
  void stopSearch();
  bool searchStopped() const;

  // Where the session's players report.
  SearchContext searchContext(SearchListener* listener = nullptr);
  // The Game's player factory while the session lives.
  std::unique_ptr<Player> makePlayer(bool engine);
  std::unique_ptr<EnginePlayer> makeEnginePlayer(SearchListener* listener);

  // Readies a player for a search of `position`, a position of the game:
  // its settings, the session's table, the game's own positions for
  // repetitions and its fifty-move count (into the limits, so given after
  // them) and the current search's stop token.
  void prepare(EnginePlayer& player, const CChessBoard& position) const;
  // The game's repetition keys as they would be after `move` from the game's
  // current position: what pondering on the predicted reply needs.
  std::vector<std::uint64_t> keysAfter(const CChessBoard& position, const Move& move) const;

  // The move the engine would play: a book move while the book is in play,
  // otherwise a short search. The null move when the side to move has none.
  Move hintMove(const CChessBoard& position);
  // The strongest search of the position, without the book, every finished
  // iteration (and at least one report a second) given to the listener; until
  // the stop request when `untilStopped`, else for a few seconds. Nothing when
  // the side to move has no move. One player serves every analysis of the
  // session, so its table carries over from one position to the next.
  void analyse(const CChessBoard& position, bool untilStopped, SearchListener& listener);

 private:
  class SessionBook;
  class ChannelListener;
  class AnalysisReports;
  std::unique_ptr<SessionBook> sessionBook;
  std::unique_ptr<ChannelListener> channel;
  std::unique_ptr<AnalysisReports> analysisReports;
  std::unique_ptr<EnginePlayer> analyst;
  std::shared_ptr<TranspositionTable> table;
  mutable std::mutex stopLock;
  StopToken currentStop;
  bool stopAsked = false;  // for the current thinking, whichever of its searches runs
};

// The session over the process's game, book and line channel, made on first use.
EngineSession& processSession();
