#pragma once
// The engine's own debugging commands: the legal moves, single squares, the
// board dumped to the log, a PGN game loaded, and the position written to and
// read from pos.log.

#include "driver/command_line.h"

void cmdShowLegal(const CommandLine& command);
void cmdClear(const CommandLine& command);
void cmdLoadPgn(const CommandLine& command);
void cmdSet(const CommandLine& command);
void cmdGet(const CommandLine& command);
void cmdDump(const CommandLine& command);
void cmdWritePos(const CommandLine& command);
void cmdReadPos(const CommandLine& command);
