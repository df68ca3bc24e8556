#include "player_settings.h"

#include "book/opening_book.h"
#include "book/opening_names.h"
#include "driver/game.h"
#include "search/engine_player.h"

EnginePlayer* currentEnginePlayer(const Game& game) {
  return game.read([](const Game& g) { return dynamic_cast<EnginePlayer*>(g.enginePlayer); });
}

bool applyPlayerSettings(const Game& game, const ProgramSettings& settings) {
  EnginePlayer* player = currentEnginePlayer(game);
  if (!player) return false;
  player->useBook = settings.openingBook;
  player->randomFactor = settings.randomFactor;
  player->post = settings.post;
  player->level = settings.level;
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

void reloadOpeningBook(BookLoad mode, OpeningBook& book, OpeningNames& names) {
  if (mode == BookLoad::Replace) book.clearBook();
  Game scratch;
  book.loadBook(BOOK_FILE_NAME, scratch, &names);
}
