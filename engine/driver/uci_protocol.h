#pragma once
// kelvo's second protocol: the Universal Chess Interface, spoken for the rest
// of the run when the first command is "uci". The same Game, opening book and
// engine player serve it as serve the xboard loop; only the words differ.

#include <string>

// Does the line ask for UCI?
bool isUciCommand(const std::string& line);

// Answers the "uci" already read, then reads and dispatches UCI commands
// until "quit" or the end of input. Returns the exit status (0).
int runUci();
