#include "player_settings.h"

#include "book/opening_book.h"
#include "book/opening_names.h"
#include "driver/game.h"
#include "search/engine_player.h"

EnginePlayer* currentEnginePlayer() {
  return Game::instance().read([](const Game& game) { return dynamic_cast<EnginePlayer*>(game.enginePlayer); });
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

void adoptOpeningNames(BookLoad mode, OpeningNames&& loaded) {
  if (mode == BookLoad::Replace) openingNames().clear();
  openingNames().merge(std::move(loaded));
}

void reloadOpeningBook(BookLoad mode, OpeningNames& names) {
  OpeningBook& book = OpeningBook::instance();
  if (mode == BookLoad::Replace) book.clearBook();
  Game scratch;
  book.loadBook(BOOK_FILE_NAME, scratch, &names);
}
