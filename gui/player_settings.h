#pragma once
// Carrying the settings file into the engine: the [KELVO] switches go into the
// Game's engine player, and the opening book is read again when it asks for it.
// Callers make sure the engine worker is not choosing a move meanwhile.

#include "settings_file.h"

class EnginePlayer;

// The Game's engine player, or none.
EnginePlayer* currentEnginePlayer();

// Writes the three switches into the engine player; true when it wants the book.
bool applyPlayerSettings(const ProgramSettings& settings);

// Appends the games of "aperturas.pgn" to the book. Loading replays the games
// through the one Game, so the game in progress is put back afterwards rather
// than replaced by the last book game.
void reloadOpeningBook();
