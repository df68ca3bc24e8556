#pragma once
// `kelvo bench [FILE]`: searches a fixed suite of positions (or one FEN per line
// of FILE) with a fresh engine player each, without the opening book, and
// prints one line per position and the totals. The node total is the search's
// signature: it changes only when the search results change.

#include <iosfwd>
#include <string>
#include <vector>

// The built-in suite.
const std::vector<std::string>& benchPositions();

// Returns the exit status: 0, or 2 when FILE cannot be read. Another level
// than the fixed one runs the strong search, to `depth` plies (0: the level's
// own limit), for the figures beside the fixed search's.
int runBench(const std::string& file, std::ostream& out, int level = 4, int depth = 0);
