#include "driver/game.h"

#include <chrono>
#include <iterator>

#include "base/random.h"
#include "driver/engine_session.h"
#include "position/move_gen.h"
#include "position/zobrist.h"

namespace {

// An entry is about 2 KB (the board keeps its move list), and clear() keeps the
// storage: the longest game's history would stay allocated for good.
void emptyHistory(std::vector<CChessBoard>& history) { std::vector<CChessBoard>().swap(history); }

}  // namespace

Game& Game::instance() {
  static Game* game = new Game([](bool engine) { return processSession().makePlayer(engine); });  // never destroyed: the desktop app's window may read it until exit
  return *game;
}

Game::Game(PlayerFactory factory) : makePlayer(std::move(factory)) {
  if (!makePlayer) makePlayer = [](bool) -> std::unique_ptr<Player> { return std::make_unique<HumanPlayer>(); };
  position.clearSquares();
}

void Game::playMove(const Move& move) {
  std::lock_guard guard(lock);
  makeMove(position, move);
  position.switchSide();
  history.push_back(position);
}

Move Game::replayMove(const std::function<Move(CChessBoard& position)>& read) {
  std::lock_guard guard(lock);
  const Move move = read(position);
  if (!move.isNull()) playMove(move);
  return move;
}

void Game::setupInitialPosition() {
  std::lock_guard guard(lock);
  position.parent = nullptr;
  position.child = nullptr;
  position.lastMove = Move();
  position.setupInitialPosition();
}

void Game::setupPosition(const CBoard& start) {
  std::lock_guard guard(lock);
  setupInitialPosition();
  static_cast<CBoard&>(position) = start;
}

void Game::clearHistory() {
  std::lock_guard guard(lock);
  emptyHistory(history);
}

void Game::restartHistory() {
  std::lock_guard guard(lock);
  emptyHistory(history);
  history.push_back(position);
  startCounters = {};
}

void Game::startNewGame() {
  std::lock_guard guard(lock);
  emptyHistory(history);
  startCounters = {};
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  engineSrand(static_cast<std::uint32_t>(seconds));
  clock.reset();
  clock.stop();
  setupInitialPosition();
  assignPlayers(false);
}

// The old players go first; an engine player announces itself when made.
void Game::setPlayers(bool whiteEngine, bool blackEngine) {
  enginePlayer = nullptr;
  whitePlayer.reset();
  blackPlayer.reset();
  whitePlayer = makePlayer(whiteEngine);
  blackPlayer = makePlayer(blackEngine);
  if (whiteEngine)
    enginePlayer = whitePlayer.get();
  else if (blackEngine)
    enginePlayer = blackPlayer.get();
}

void Game::assignPlayers(bool engineBothSides) {
  std::lock_guard guard(lock);
  setPlayers(engineBothSides, true);
}

void Game::makeHumansOnly() {
  std::lock_guard guard(lock);
  setPlayers(false, false);
}

void Game::makeEngineToMove() {
  std::lock_guard guard(lock);
  setPlayers(position.sideToMove != 0, position.sideToMove == 0);
}

void Game::makeEngineNotToMove() {
  std::lock_guard guard(lock);
  setPlayers(position.sideToMove == 0, position.sideToMove != 0);
}

void Game::restoreFromHistory() {
  // Every field comes back, move list and line links included.
  position = history.back();
}

bool Game::undoPly() {
  std::lock_guard guard(lock);
  if (history.size() < 2) return false;
  history.pop_back();
  restoreFromHistory();
  return true;
}

bool Game::removePair() {
  std::lock_guard guard(lock);
  if (history.size() < 3) return false;
  history.pop_back();
  history.pop_back();
  restoreFromHistory();
  return true;
}

namespace {

constexpr int FIFTY_MOVES_IN_PLIES = 100;

// Plies since the last capture or pawn move; the null move of a game's first
// entry ends the count, since nothing before it is known.
int quietPlies(const std::vector<CChessBoard>& history, int startQuietPlies) {
  int count = 0;
  for (auto entry = history.rbegin(); entry != history.rend(); ++entry) {
    const Move& move = entry->lastMove;
    if (move.isNull()) return count + (std::next(entry) == history.rend() ? startQuietPlies : 0);
    if (isPawn(move.piece) || move.captured != EMPTY) break;
    ++count;
  }
  return count;
}

}  // namespace

int Game::adjudicate(std::string& reason) {
  std::lock_guard guard(lock);
  // Three times the same four-ply cycle, judged by the squares of the last moves only.
  const std::size_t n = history.size();
  if (n >= 12) {
    bool cycle = true;
    for (std::size_t k = 1; k <= 4 && cycle; ++k) {
      const Move& latest = history[n - k].lastMove;
      cycle = latest.sameSquares(history[n - k - 4].lastMove) && latest.sameSquares(history[n - k - 8].lastMove);
    }
    if (cycle) {
      reason = "Drawn_by_repetition";
      return GAME_DRAWN;
    }
  }

  CChessBoard scratch = position;
  generateMoves(scratch, false);
  if (scratch.moveCount > 0) {
    int occupied = 0;
    for (Square s : ALL_SQUARES)
      if (scratch.squares[s] != EMPTY) ++occupied;
    if (occupied == 2) {
      reason = "Insufficient material.";
      return GAME_DRAWN;
    }
    if (quietPlies(history, startCounters.halfMoves) >= FIFTY_MOVES_IN_PLIES) {
      reason = "Fifty move rule";
      return GAME_DRAWN;
    }
    return GAME_GOES_ON;
  }

  scratch.switchSide();
  if (canCaptureKing(scratch)) {
    reason = "Checkmate";
    return scratch.sideToMove ? WHITE_WINS : BLACK_WINS;
  }
  reason = "Stalemate";
  return GAME_DRAWN;
}

int Game::reversiblePliesBeforeHistory() const {
  std::lock_guard guard(lock);
  for (std::size_t at = 1; at < history.size(); ++at) {
    const Move& move = history[at].lastMove;
    if (move.isNull() || move.captured != EMPTY || isPawn(move.piece)) return 0;
  }
  return startCounters.halfMoves;
}

std::vector<std::uint64_t> Game::repetitionKeys() const {
  std::lock_guard guard(lock);
  std::vector<std::uint64_t> keys;
  for (std::size_t at = history.size(); at >= 2; --at) {
    const Move& move = history[at - 1].lastMove;
    if (move.isNull() || move.captured != EMPTY || isPawn(move.piece)) break;
    keys.push_back(positionKey(history[at - 2]));
  }
  return {keys.rbegin(), keys.rend()};
}
