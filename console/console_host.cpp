#include "console_host.h"

#include <istream>
#include <string>

#include "driver/engine_io.h"

ConsoleHost::ConsoleHost(std::istream& in) : input(in) {}

// Only the first maxLine characters of a line count (plus one, so that a CR
// ending a full-length line can still be recognised); the rest is consumed
// without being kept, so an endless line cannot exhaust memory.
bool ConsoleHost::takeCommand(std::string& line) {
  line.clear();
  bool readAny = false;
  for (int c = input.get(); c != std::char_traits<char>::eof(); c = input.get()) {
    readAny = true;
    if (c == '\n') return true;
    if (line.size() <= EngineIO::instance().maxLine) line.push_back(static_cast<char>(c));
  }
  return readAny;  // a last line without its line end still counts
}
