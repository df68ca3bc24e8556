#pragma once
// Carrying the settings file into the engine: the [KELVO] switches go into the
// Game's engine player, and the opening book is read again when it asks for it.
// Callers make sure the engine worker is not choosing a move meanwhile.

#include <optional>

#include "search/level.h"

class EnginePlayer;
class Game;
class OpeningBook;
class OpeningNames;
struct ProgramSettings;

// The engine player's three switches. The worker may replace the players at
// any time (a new game), so they are read and written under the Game lock and
// no pointer to a player leaves it.
struct PlayerSwitches {
  bool useBook = false;
  bool randomFactor = false;
  bool post = false;
  int level = SPECIFIED_LEVEL;
};
// None without an engine player.
std::optional<PlayerSwitches> playerSwitches(const Game& game);
// False when there is no engine player to store them in.
bool storePlayerSwitches(Game& game, const PlayerSwitches& switches);

// Writes the switches and the level into the engine player; true when it wants the book.
bool applyPlayerSettings(Game& game, const ProgramSettings& settings);

enum class BookLoad { Append, Replace };

// Loads the games of "aperturas.pgn" into the book: Read openings appends to what
// is in memory; the reload that every new engine player's settings ask for
// replaces it, since appending the same file at each new game only grows memory
// (a book of n identical copies draws every move with the same odds as one).
// Loading replays the games through a scratch game, so the game in progress is
// left alone. The openings the games' tags name go into `names`. A replacing
// load of a file unchanged since the last one (same size and time) only puts
// the book back in play: each Mueve! makes a new player, and reading the file
// again at every press left the allocator's heap ever more broken up. Returns
// whether the file was read. Called from one thread only (the engine worker).
bool reloadOpeningBook(BookLoad mode, OpeningBook& book, OpeningNames& names);

// The openings named by the book's tags as last read (window thread only).
const OpeningNames& bookOpeningNames();
// Takes the names a load read: they replace the ones kept, or join them
// (a name already kept stays).
void adoptOpeningNames(BookLoad mode, OpeningNames&& loaded);
