#pragma once
// The xboard command loop: start-up, reading, splitting and dispatching lines,
// and the engine's two ways of making a move. The console program and the
// desktop app's worker run exactly this loop.

#include <string>

#include "driver/engine_host.h"

// Loads the opening book "aperturas.pgn", then reads and dispatches commands
// until "quit" or the end of input. Returns the exit status (0).
int runEngine(EngineHost& host);

// Handles one command line as the loop does (edit mode reads its further lines
// from the host). Returns false when the line asks to quit. The host must
// already be set on EngineIO.
bool dispatchCommand(const std::string& line);
