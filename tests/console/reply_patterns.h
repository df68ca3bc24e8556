#pragma once
// Recognisers for engine replies whose exact text depends on the search.

#include <regex>
#include <string>

inline const std::string ERROR_LINE = "Error (unknown command): ";  // the word follows
inline const std::string ILLEGAL = "Illegal move: ";  // the move follows

// "move e2e4", or with a promotion letter "move e7e8q".
inline bool isMoveLine(const std::string& line) {
  static const std::regex pattern("move [a-h][1-8][a-h][1-8][qrbn]?");
  return std::regex_match(line, pattern);
}

// The thinking line: plies, score, centiseconds, nodes, principal variation.
inline bool isThinkingLine(const std::string& line) {
  static const std::regex pattern(R"(\d+ -?\d+ \d+ \d+( [a-h][1-8][a-h][1-8][qrbn]?)*)");
  return std::regex_match(line, pattern);
}

// UCI: "bestmove e2e4", "bestmove e7e8q", with the expected answer "bestmove e2e4 ponder e7e5".
inline bool isBestMoveLine(const std::string& line) {
  static const std::regex pattern("bestmove [a-h][1-8][a-h][1-8][qrbn]?( ponder [a-h][1-8][a-h][1-8][qrbn]?)?");
  return std::regex_match(line, pattern);
}

// UCI: "info depth D [multipv K] score cp S|mate M [seldepth L] nodes N nps X [hashfull H] time T [pv MOVES]".
inline bool isInfoLine(const std::string& line) {
  static const std::regex pattern(
      R"(info depth \d+( multipv \d+)? score (cp|mate) -?\d+( seldepth \d+)? nodes \d+ nps \d+( hashfull \d+)? time \d+)"
      R"(( pv( [a-h][1-8][a-h][1-8][qrbn]?)+)?)");
  return std::regex_match(line, pattern);
}
