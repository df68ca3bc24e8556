#include "driver/engine_session.h"

#include <algorithm>
#include <thread>

#include "book/opening_book.h"
#include "book/pgn_file.h"
#include "driver/engine_io.h"
#include "driver/game.h"
#include "driver/protocol_text.h"
#include "position/move_gen.h"
#include "position/setup_check.h"
#include "position/zobrist.h"

namespace {

// A hint must come at once; an analysis may take a little longer per position.
constexpr std::int64_t HINT_MILLISECONDS = 1000;
constexpr std::int64_t ANALYSIS_MILLISECONDS = 5000;

bool hasMove(const CChessBoard& position) {
  MoveBuffer buffer;
  return generateLegalMoves(position, buffer.moves) > 0;
}

bool isIrreversible(const Move& move) { return move.captured != EMPTY || isPawn(move.piece); }

}  // namespace

SetupReading readSetup(const std::string& fen) {
  SetupReading reading;
  std::optional<CChessBoard> position = positionFromFen(fen);
  if (!position) return reading;
  reading.readable = true;
  if (const SetupFault fault = checkSetup(*position); fault != SetupFault::NONE) {
    reading.fault = setupFaultText(fault);
    return reading;
  }
  reading.position = std::move(position);
  reading.counters = fenCounters(fen);
  return reading;
}

// The loaded book while the game is in it; an analysis neither asks it nor
// takes the game out of it.
class EngineSession::SessionBook : public BookProbe {
 public:
  explicit SessionBook(OpeningBook& book) : book(book) {}
  std::vector<Move> probeBook(const CChessBoard& position) const override {
    return book.inPlay() && !analysing ? book.probeBook(position) : std::vector<Move>();
  }
  void leaveBook() override {
    if (!analysing) book.leaveForThisGame();
  }
  OpeningBook& book;
  std::atomic<bool> analysing{false};
};

// The game's players report through the line channel and its host; the host
// is looked up at each report, since it may be attached after a player exists.
class EngineSession::ChannelListener : public SearchListener {
 public:
  explicit ChannelListener(EngineSession& session) : session(session) {}
  void playerCreated() override {
    if (EngineHost* host = session.io.host()) host->notifyHost(EngineHost::ENGINE_PLAYER_CREATED, 0);
  }
  void searchStarted() override {
    if (EngineHost* host = session.io.host()) host->notifyHost(EngineHost::SEARCH_STARTED, 0);
  }
  void sendLine(const std::string& text) override { session.io.sendLine(text); }
  void searchStats(int nodes, int centiseconds) override {
    if (EngineHost* host = session.io.host()) host->searchStats(nodes, centiseconds);
  }
  bool wantsSpeedLine() const override { return session.io.isWindowedProgram(); }
  // Only the game's engine player searches with this listener; its flag says
  // whether the interface wants the lines.
  void iterationDone(const SearchReport& report) override {
    session.settings.lastScore = report.score;
    const EnginePlayer* player = session.engineOfGame();
    if (player && player->post) session.io.sendLine(thinkingLine(report));
  }

 private:
  EngineSession& session;
};

// The analysis player's reports go to whichever listener the analysis names.
class EngineSession::AnalysisReports : public SearchListener {
 public:
  void iterationDone(const SearchReport& report) override {
    if (target) target->iterationDone(report);
  }
  SearchListener* target = nullptr;
};

int EngineSession::maxThreads() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

EngineSession::EngineSession(Game& game, OpeningBook& book, EngineIO& io)
    : game(game),
      book(book),
      io(io),
      sessionBook(std::make_unique<SessionBook>(book)),
      channel(std::make_unique<ChannelListener>(*this)),
      analysisReports(std::make_unique<AnalysisReports>()),
      table(std::make_shared<TranspositionTable>(settings.hashMegabytes)) {}

EngineSession::~EngineSession() { thinking.finish(); }

EnginePlayer* EngineSession::engineOfGame() const {
  return game.read([](const Game& g) { return dynamic_cast<EnginePlayer*>(g.enginePlayer); });
}

void EngineSession::setLevel(long long level) {
  settings.level = static_cast<int>(std::clamp<long long>(level, WEAKEST_LEVEL, TOP_LEVEL));
  if (EnginePlayer* engine = engineOfGame()) engine->level = settings.playingLevel();
}

void EngineSession::setHashMegabytes(long long megabytes) {
  settings.hashMegabytes = static_cast<std::size_t>(std::clamp<long long>(megabytes, 1, MAX_HASH_MEGABYTES));
  if (table->megabytes() != settings.hashMegabytes) table->resize(settings.hashMegabytes);
  if (EnginePlayer* engine = engineOfGame()) engine->hashMegabytes = settings.hashMegabytes;
}

void EngineSession::clearHash() { table->clear(); }

void EngineSession::setThreads(long long count) {
  settings.threads = static_cast<int>(std::clamp<long long>(count, 1, maxThreads()));
  if (EnginePlayer* engine = engineOfGame()) engine->threads = settings.threads;
}

void EngineSession::setLines(long long count) {
  settings.lines = static_cast<int>(std::clamp<long long>(count, 1, MAX_LINES));
}

// Posting is the session's: it holds for every engine player made from now on.
void EngineSession::setPosting(bool on) {
  settings.post = on;
  if (EnginePlayer* engine = engineOfGame()) engine->post = on;
}

void EngineSession::newGame() {
  game.edit([this](Game& g) {
    g.startNewGame();
    g.restartHistory();
    if (settings.analysing) g.makeHumansOnly();
  });
  settings.startGame();
  book.giveBack();
  clearHash();
}

void EngineSession::setUpPosition(const CChessBoard& position, const FenCounters& counters) {
  game.edit([&](Game& g) {
    g.position = position;
    generateMoves(g.position, false);
    g.restartHistory();
    g.startCounters = counters;
  });
}

BookProbe& EngineSession::bookProbe() { return *sessionBook; }

void EngineSession::setAnalysing(bool analysing) { sessionBook->analysing = analysing; }

// A book load must not disturb the game: it replays into a scratch one.
std::string EngineSession::loadBookFile(const std::string& path) {
  book.clearBook();
  Game scratch;
  BookLoadStop stop = BookLoadStop::NONE;
  if (!path.empty() && path != "<empty>") book.loadBook(path, scratch, nullptr, &stop);
  book.giveBack();
  return stop == BookLoadStop::NONE ? std::string() : bookLoadStopText(stop);
}

EngineSession::StopToken EngineSession::beginSearch() {
  std::lock_guard guard(stopLock);
  stopAsked = false;
  currentStop = std::make_shared<std::atomic<bool>>(false);
  return currentStop;
}

EngineSession::StopToken EngineSession::continueSearch() {
  std::lock_guard guard(stopLock);
  currentStop = std::make_shared<std::atomic<bool>>(stopAsked);
  return currentStop;
}

void EngineSession::stopSearch() {
  std::lock_guard guard(stopLock);
  stopAsked = true;
  if (currentStop) *currentStop = true;
}

bool EngineSession::searchStopped() const {
  std::lock_guard guard(stopLock);
  return currentStop && *currentStop;
}

SearchContext EngineSession::searchContext(SearchListener* listener) {
  SearchContext context;
  context.listener = listener ? listener : channel.get();
  context.book = sessionBook.get();
  return context;
}

std::unique_ptr<Player> EngineSession::makePlayer(bool engine) {
  if (!engine) return std::make_unique<HumanPlayer>();
  return makeEnginePlayer(nullptr);
}

std::unique_ptr<EnginePlayer> EngineSession::makeEnginePlayer(SearchListener* listener) {
  auto player = std::make_unique<EnginePlayer>(searchContext(listener));
  settings.applyTo(*player);
  player->table = table;
  return player;
}

// Only a position of the game has the game's past; any other starts afresh.
void EngineSession::prepare(EnginePlayer& player, const CChessBoard& position) const {
  const bool ofGame = game.read([&](const Game& g) { return positionKey(g.position) == positionKey(position); });
  player.gameKeys = ofGame ? game.repetitionKeys() : std::vector<std::uint64_t>();
  player.limits.reversiblePliesBefore = ofGame ? game.reversiblePliesBeforeHistory() : 0;
  player.hashMegabytes = settings.hashMegabytes;
  player.threads = settings.threads;
  player.table = table;
  std::lock_guard guard(stopLock);
  player.setStopRequest(currentStop.get());
}

std::vector<std::uint64_t> EngineSession::keysAfter(const CChessBoard& position, const Move& move) const {
  if (isIrreversible(move)) return {};
  std::vector<std::uint64_t> keys = game.repetitionKeys();
  keys.push_back(positionKey(position));
  return keys;
}

Move EngineSession::hintMove(const CChessBoard& position) {
  if (!hasMove(position)) return Move();
  if (book.inPlay() && settings.ownBook) {
    const auto weights = book.weightedLegalMoves(position);
    if (!weights.empty()) return weights.front().first;
  }
  // A quiet search: the hint is the only answer.
  const StopToken stop = beginSearch();
  EnginePlayer player;
  prepare(player, position);
  player.level = settings.playingLevel();
  player.limits.depth = settings.depth;
  player.limits.moveTime =
      settings.moveTime > 0 ? std::min(settings.moveTime, HINT_MILLISECONDS) : HINT_MILLISECONDS;
  const Move move = player.chooseMove(position);
  return move.sameSquares(RESIGN_MOVE) ? Move() : move;
}

void EngineSession::analyse(const CChessBoard& position, bool untilStopped, SearchListener& listener) {
  if (!hasMove(position)) return;
  if (!analyst) {
    SearchContext context = searchContext(analysisReports.get());
    context.book = nullptr;
    analyst = std::make_unique<EnginePlayer>(context);
  }
  analysisReports->target = &listener;
  analyst->level = TOP_LEVEL;
  analyst->limits = SearchLimits();
  analyst->limits.infinite = untilStopped;
  analyst->limits.moveTime = untilStopped ? 0 : ANALYSIS_MILLISECONDS;
  analyst->limits.progressEvery = PROGRESS_MILLISECONDS;
  prepare(*analyst, position);
  analyst->chooseMove(position);
}

EngineSession& processSession() {
  // Never destroyed, like the Game it plays: the desktop app's window may
  // reach the game's players until exit.
  static EngineSession* session = new EngineSession(Game::instance(), OpeningBook::instance(), EngineIO::instance());
  return *session;
}
