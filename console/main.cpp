// kelvo: the xboard engine, plus two tools on the same library:
//   kelvo [--log] [--level N] play over standard input and output (level 1..10)
//   kelvo perft DEPTH [FEN]   leaf counts per root move
//   kelvo bench [FILE]        the fixed search suite, or one FEN per line of FILE

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "console_host.h"
#include "data_location.h"
#include "standard_streams.h"
#include "driver/commands.h"
#include "driver/engine_io.h"
#include "driver/engine_session.h"
#include "position/fen.h"
#include "position/perft.h"
#include "search/bench.h"
#include "search/engine_player.h"

namespace {

const char* const INITIAL_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

int usage() {
  std::cerr << "usage: kelvo [--log] [--level N] | kelvo perft DEPTH [FEN] | kelvo bench [--level N [--depth D]] [FILE]\n";
  return 2;
}

int runPerft(int argc, char** argv) {
  if (argc < 3) return usage();
  const int depth = std::atoi(argv[2]);
  std::string fen;
  for (int i = 3; i < argc; ++i) fen += (fen.empty() ? "" : " ") + std::string(argv[i]);
  if (fen.empty()) fen = INITIAL_FEN;
  const auto position = positionFromFen(fen);
  if (!position || depth < 0) {
    std::cerr << "kelvo: cannot read the position \"" << fen << "\"\n";
    return 2;
  }
  perftDivide(*position, depth, std::cout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  useBinaryStandardStreams();
  if (argc >= 2 && std::strcmp(argv[1], "perft") == 0) return runPerft(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "bench") == 0) {
    // kelvo bench [--level N [--depth D]] [FILE]
    int level = SPECIFIED_LEVEL, depth = 0, at = 2;
    for (; at + 1 < argc && std::strncmp(argv[at], "--", 2) == 0; at += 2)
      (std::strcmp(argv[at], "--level") == 0 ? level : depth) = std::atoi(argv[at + 1]);
    return runBench(at < argc ? argv[at] : "", std::cout, level, depth);
  }
  bool logging = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--log") == 0)
      logging = true;
    else if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
      processSession().settings.level = clampLevel(std::atoi(argv[++i]));
      processSession().settings.levelChosen = true;
    } else
      return usage();
  }

  // xboard interrupts engines that do not announce sigint=0 before sending a
  // move; the default action would end the game. On Windows the C library maps
  // the console's Ctrl+C event to SIGINT, so this covers it too; Ctrl+Break
  // keeps its default and still ends the program.
  std::signal(SIGINT, SIG_IGN);
  // Started by xboard from its engine list, the installed engine still finds its book.
  dataLocation::enterDataFolder({"aperturas.pgn"});
  if (logging) {
    const std::string reason = EngineIO::instance().enableLogging();
    if (!reason.empty()) EngineIO::instance().sendLine("tellusererror Could not write " + reason);
  }
  ConsoleHost host(std::cin);
  return runEngine(host);
}
