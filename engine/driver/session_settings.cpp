#include "driver/session_settings.h"

#include "base/random.h"
#include "driver/game.h"
#include "search/engine_player.h"

void SessionSettings::applyTo(EnginePlayer& player) const {
  player.post = post;
  player.level = playingLevel();
  player.bookAllowed = ownBook;
  player.hashMegabytes = hashMegabytes;
  player.threads = threads;
}

int SessionSettings::moveLevel(int draw) const {
  if (!limitStrength) return level;
  int lower = WEAKEST_LEVEL;
  while (lower < TOP_LEVEL && eloOfLevel(lower + 1) <= elo) ++lower;
  if (lower == TOP_LEVEL || elo <= eloOfLevel(lower)) return lower;
  const long long span = eloOfLevel(lower + 1) - eloOfLevel(lower);
  return draw * span < static_cast<long long>(elo - eloOfLevel(lower)) * ENGINE_RAND_MAX ? lower + 1 : lower;
}

void SessionSettings::startGame() {
  depth = 0;
  engineTime = opponentTime = -1;
  lastScore = 0;
}

SearchLimits SessionSettings::limitsFor(const Game& game) const {
  SearchLimits limits;
  limits.depth = depth;
  limits.moveTime = moveTime;
  limits.opponentTime = opponentTime;
  const int side = game.position.sideToMove;
  limits.timeLeft = engineTime;
  if (clockGiven && moveTime == 0) {
    const GameClock& clock = game.clock;
    if (limits.timeLeft < 0) limits.timeLeft = static_cast<std::int64_t>(clock.remaining(side) * 1000);
    if (limits.opponentTime < 0) limits.opponentTime = static_cast<std::int64_t>(clock.remaining(side ? 0 : 1) * 1000);
    limits.increment = static_cast<std::int64_t>(clock.increment * 1000);
    // Moves the mover still has to make before the control, counted from the game's start.
    if (clock.movesPerSession > 0) {
      const int moved = static_cast<int>(game.history.empty() ? 0 : (game.history.size() - 1) / 2);
      limits.movesToGo = clock.movesPerSession - moved % clock.movesPerSession;
    }
  }
  return limits;
}
