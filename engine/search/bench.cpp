#include "search/bench.h"

#include <cstdint>
#include <fstream>
#include <iostream>

#include "base/process_clock.h"
#include "position/fen.h"
#include "position/notation.h"
#include "search/engine_player.h"

const std::vector<std::string>& benchPositions() {
  static const std::vector<std::string> positions = {
      // Openings and middle games.
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
      "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
      "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
      "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
      "rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 0 4",
      "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R w KQkq - 1 5",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
      "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
      "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
      "r2q1rk1/pp2bppp/2n1pn2/3p4/3P4/2NBPN2/PP3PPP/R2QK2R b KQ - 3 9",
      "2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1P2PN2/PB1NBPPP/2RQ1RK1 w - - 4 11",
      "r1b2rk1/2q1bppp/p2p1n2/np2p3/3PP3/5N1P/PPBN1PP1/R1BQR1K1 b - - 0 12",
      "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
      "r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPP2PPP/R1BQ1RK1 b - - 1 7",
      "2kr3r/pppq1ppp/2n1bn2/4p3/4P3/2N1BN2/PPPQ1PPP/2KR3R w - - 6 10",
      // Endings.
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "8/8/4k3/8/2K5/8/3Q4/8 w - - 0 1",
      "8/5k2/8/8/8/8/3R4/4K3 b - - 0 1",
      "8/pp3k2/2p5/3p4/3P4/2P5/PP3K2/8 w - - 0 1",
      "6k1/5pp1/7p/8/8/7P/5PP1/3R2K1 w - - 0 1",
      "8/8/1p2k3/p1p5/P1P2K2/1P6/8/8 b - - 0 1",
      "8/P7/8/8/8/8/8/k6K w - - 0 1",
      "4k3/8/8/8/8/8/p7/4K3 b - - 0 1",
      // Mates and stalemates: the search must prefer them.
      "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2",
      "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1",
      "k7/8/8/8/3Q4/8/8/K7 w - - 0 1",
      "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1",
      "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4",
      "6rk/6pp/8/8/8/8/1q6/K7 w - - 0 1",
  };
  return positions;
}

int runBench(const std::string& file, std::ostream& out, int level, int depth) {
  std::vector<std::string> fens;
  if (file.empty()) {
    fens = benchPositions();
  } else {
    std::ifstream in(file);
    if (!in) {
      std::cerr << "kelvo: cannot read \"" << file << "\"\n";
      return 2;
    }
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line[0] == '#') continue;
      fens.push_back(line);
    }
  }

  std::int64_t totalNodes = 0;
  std::int64_t totalMilliseconds = 0;
  int number = 0;
  for (const std::string& fen : fens) {
    ++number;
    const auto position = positionFromFen(fen);
    if (!position) {
      out << number << ' ' << fen << " unreadable" << std::endl;
      continue;
    }
    // The search alone: a fresh player, no book.
    EnginePlayer player;
    player.level = clampLevel(level);
    player.limits.depth = depth;
    const std::int64_t start = processMilliseconds();
    const Move move = player.level == SPECIFIED_LEVEL ? player.runSearch(*position) : player.runLevelSearch(*position);
    totalMilliseconds += processMilliseconds() - start;
    totalNodes += player.nodeCount;
    out << number << ' ' << fen << " move " << moveToCoordinates(move) << " score " << player.lastScore << " nodes "
        << player.nodeCount << std::endl;
  }

  const std::int64_t perSecond = totalNodes * 1000 / (totalMilliseconds > 0 ? totalMilliseconds : 1);
  out << "\nTotal time (ms) : " << totalMilliseconds << "\nNodes searched  : " << totalNodes
      << "\nNodes/second    : " << perSecond << std::endl;
  return 0;
}
