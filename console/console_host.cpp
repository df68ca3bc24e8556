#include "console_host.h"

#include <istream>
#include <string>

ConsoleHost::ConsoleHost(std::istream& in) : input(in) {}

bool ConsoleHost::takeCommand(std::string& line) { return static_cast<bool>(std::getline(input, line)); }
