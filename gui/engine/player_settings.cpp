#include "player_settings.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

#include "book/opening_book.h"
#include "book/opening_names.h"
#include "driver/game.h"
#include "search/engine_player.h"
#include "settings/settings_file.h"

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
    // Unticked, the book stays loaded for a later game but this player never asks it.
    player->bookAllowed = switches.useBook;
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

bool reloadOpeningBook(BookLoad mode, OpeningBook& book, OpeningNames& names) {
  // The file as it was when the book in memory was read from it alone, and
  // the entries that made: a book cleared or changed since is read again.
  struct FileStamp {
    std::uintmax_t size;
    std::filesystem::file_time_type::rep time;  // ticks: the time point itself has no usable ==
    std::size_t entries;
    bool operator==(const FileStamp&) const = default;
  };
  static std::optional<FileStamp> loaded;
  std::error_code error;
  const std::filesystem::path file(BOOK_FILE_NAME);
  std::optional<FileStamp> now;
  if (const auto size = std::filesystem::file_size(file, error); !error) {
    const auto time = std::filesystem::last_write_time(file, error);
    if (!error) now = FileStamp{size, time.time_since_epoch().count(), book.entryCount()};
  }
  if (mode == BookLoad::Replace && now && loaded == now) {
    book.giveBack();
    return false;
  }
  if (mode == BookLoad::Replace) book.clearBook();
  Game scratch;
  book.loadBook(BOOK_FILE_NAME, scratch, &names);
  // Appended to, the book is no longer the file's.
  loaded = mode == BookLoad::Replace && now ? std::optional(FileStamp{now->size, now->time, book.entryCount()})
                                            : std::nullopt;
  return true;
}
