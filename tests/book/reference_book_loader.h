#pragma once
// The book loader as it was before the one-pass loader: every game replayed
// through the Game from its own fopen, every move parsed and added on its own.
// Kept as the slow reference that the loader must agree with entry for entry.

#include <string>

class Game;
class OpeningBook;

namespace reference {

// Appends the games of a PGN file to the book, each replayed through `game`;
// returns the games read.
int loadBook(OpeningBook& book, const std::string& path, Game& game);

}  // namespace reference
