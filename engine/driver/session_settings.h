#pragma once
// What the interface has said for the whole session rather than for one game
// or one player object, in either protocol: posting, the strength, the
// resources, the depth and time limits and the clocks it reports. Every
// engine player the session makes starts from it, and each engine move's
// limits are filled from it.

#include <cstdint>

#include "search/level.h"
#include "search/level_elo.h"
#include "search/search_limits.h"
#include "search/transposition_table.h"

// The interface's name for the strength level (option Nivel=N).
inline constexpr const char* LEVEL_OPTION = "Nivel";

class EnginePlayer;
class Game;

struct SessionSettings {
  bool post = false;
  int level = SPECIFIED_LEVEL;
  bool levelChosen = false;         // the level was set by name ("option Nivel", the command line)
  int elo = eloOfLevel(SPECIFIED_LEVEL);  // UCI_Elo
  bool limitStrength = false;       // UCI_LimitStrength: the level follows elo
  bool ownBook = true;              // OwnBook: off, no engine player asks the book
  bool analyseMode = false;         // UCI_AnalyseMode: every search is an analysis
  int lines = 1;                    // MultiPV
  int depth = 0;                    // "sd"; 0: none
  std::int64_t moveTime = 0;        // "st", milliseconds; 0: none
  bool clockGiven = false;          // "level" was sent: the game clock holds the time control
  std::int64_t engineTime = -1;     // "time", milliseconds; -1: not told
  std::int64_t opponentTime = -1;   // "otim"
  bool analysing = false;           // analyze mode
  bool ponder = false;              // "hard": think on the opponent's time
  std::size_t hashMegabytes = DEFAULT_HASH_MEGABYTES;  // "memory", Hash
  int threads = 1;                  // "cores", Threads
  std::int64_t moveOverhead = 0;    // Move Overhead, milliseconds
  int lastScore = 0;                // the engine's last search, from its own side

  // The level a game is played at: the one asked for by rating when strength is limited.
  int playingLevel() const { return limitStrength ? levelForElo(elo) : level; }
  // The level of one move: with strength limited, one of the two levels
  // whose ratings enclose elo, the nearer the likelier (`draw` from
  // engineRand), so the strength runs between the measured levels.
  int moveLevel(int draw) const;
  void applyTo(EnginePlayer& player) const;
  // A new game keeps the settings but forgets the depth limit and the clocks.
  void startGame();
  // The limits of the engine's next move in the game.
  SearchLimits limitsFor(const Game& game) const;
};
