#include "player_settings.h"

#include <mutex>

#include "book/opening_book.h"
#include "book/opening_names.h"
#include "driver/game.h"
#include "search/engine_player.h"

EnginePlayer* currentEnginePlayer() {
  Game& game = Game::instance();
  std::lock_guard guard(game.mutex());
  return dynamic_cast<EnginePlayer*>(game.enginePlayer);
}

bool applyPlayerSettings(const ProgramSettings& settings) {
  EnginePlayer* player = currentEnginePlayer();
  if (!player) return false;
  player->useBook = settings.openingBook;
  player->randomFactor = settings.randomFactor;
  player->post = settings.post;
  return player->useBook;
}

namespace {
OpeningNames& openingNames() {
  static OpeningNames names;
  return names;
}
}  // namespace

const OpeningNames& bookOpeningNames() { return openingNames(); }

void reloadOpeningBook(BookLoad mode) {
  Game& game = Game::instance();
  std::lock_guard guard(game.mutex());
  const CChessBoard position = game.position;
  std::vector<CChessBoard> history = game.history;
  OpeningBook& book = OpeningBook::instance();
  if (mode == BookLoad::Replace) {
    book.clearBook();
    openingNames().clear();
  }
  book.loadBook("aperturas.pgn", &openingNames());
  game.position = position;
  game.history = std::move(history);
}
