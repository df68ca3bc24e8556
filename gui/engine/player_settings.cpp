#include "player_settings.h"

#include "book/opening_book.h"
#include "book/opening_names.h"
#include "driver/game.h"
#include "search/engine_player.h"

std::optional<PlayerSwitches> playerSwitches(const Game& game) {
  return game.read([](const Game& g) -> std::optional<PlayerSwitches> {
    const auto* player = dynamic_cast<const EnginePlayer*>(g.enginePlayer);
    if (!player) return std::nullopt;
    return PlayerSwitches{player->useBook, player->randomFactor, player->post, player->level};
  });
}

bool storePlayerSwitches(Game& game, const PlayerSwitches& switches) {
  return game.edit([&switches](Game& g) {
    auto* player = dynamic_cast<EnginePlayer*>(g.enginePlayer);
    if (!player) return false;
    player->useBook = switches.useBook;
    player->randomFactor = switches.randomFactor;
    player->post = switches.post;
    player->level = switches.level;
    return true;
  });
}

bool applyPlayerSettings(Game& game, const ProgramSettings& settings) {
  return storePlayerSwitches(game, {settings.openingBook, settings.randomFactor, settings.post, settings.level}) &&
         settings.openingBook;
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
