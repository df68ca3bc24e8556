#pragma once
// A command line as the xboard loop reads it, and its numbers.

#include <string>

// Split at white space: the command word and up to three arguments (missing
// ones empty); the whole line stays for "telluser".
struct CommandLine {
  std::string word;
  std::string args[3];
  const std::string& line;
};

CommandLine splitLine(const std::string& line);

// atoi's reading (blanks, sign, leading digits; anything else 0), but
// saturating where atoi would overflow.
int toNumber(const std::string& text);

// Seconds as the interface writes them, whole or with a fraction ("0.05");
// anything else 0, and never negative, infinite or beyond a year.
double toSeconds(const std::string& text);
