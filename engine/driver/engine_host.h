#pragma once
// The engine's only way out to the program that hosts it. The console program
// implements it on standard input and output; the desktop app with its worker
// thread hand-over and window notifications.

#include <string>

class DiskSync;

class EngineHost {
 public:
  // Notification codes passed to notifyHost.
  static constexpr int SEARCH_STARTED = 1032;       // an engine player starts choosing a move
  static constexpr int ENGINE_PLAYER_CREATED = 1036;
  // What the commands did to the game, so that a host keeping a view of it
  // follows the game rather than the words it sent.
  static constexpr int GAME_STARTED = 1040;         // "new" (value 0) or a loaded game (value 1)
  static constexpr int PLIES_TAKEN_BACK = 1041;     // "undo" (value 1) or "remove" (value 2)
  static constexpr int ENGINE_TAKES_SIDE = 1042;    // "go": the engine plays the side to move (value)

  virtual ~EngineHost() = default;

  // The next command line without its line end; false when input has ended.
  virtual bool takeCommand(std::string& line) = 0;
  // Every line the engine writes, after it went to standard output and the transcript.
  virtual void lineWritten(const std::string& text) = 0;
  // Every text given to the game log (debugging dumps); colour 0 black, 255 red.
  virtual void debugText(const std::string& text, int colour) = 0;
  virtual void notifyHost(int code, int value) = 0;
  virtual void searchStats(int nodes, int centiseconds) = 0;
  // Which program the engine serves: changes the feature line version, the
  // "accepted" after opponent moves, the speed line and transcript details.
  virtual bool isWindowedProgram() const = 0;
  // How the files the engine writes are made durable; none by default.
  virtual const DiskSync* diskSync() const { return nullptr; }
};
