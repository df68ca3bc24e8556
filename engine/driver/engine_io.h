#pragma once
// The engine's line channel: command lines in, reply lines out, and the two
// log files. Everything passes through the EngineHost,
// so the console and the desktop app share one command loop.

#include <fstream>
#include <iosfwd>
#include <mutex>
#include <string>

#include "driver/engine_host.h"

class EngineIO {
 public:
  static constexpr std::size_t MAX_LINE = 127;  // longer lines keep their first 127 characters
  // UCI names a position by its whole game, so that protocol raises the limit.
  static constexpr std::size_t MAX_UCI_LINE = 1 << 16;

  static EngineIO& instance();

  bool loggingEnabled = false;
  int logNumber = 0;  // part of both log file names: from 0..100 on, the first pair no run has written yet
  std::size_t maxLine = MAX_LINE;  // what a command line keeps

  void setHost(EngineHost* newHost) { currentHost = newHost; }
  EngineHost* host() const { return currentHost; }
  bool isWindowedProgram() const { return currentHost && currentHost->isWindowedProgram(); }

  // Where replies go: standard output unless a test redirects it.
  void setOutput(std::ostream* stream);

  // The next command line (at most 127 characters); false at end of input.
  bool readLine(std::string& line);
  // Writes the text and a line end, flushed, copies it to the transcript and
  // hands it to the host.
  void sendLine(const std::string& text);
  // Output that bypasses the transcript and the host ("_get", "_showlegal").
  void writeDirect(const std::string& text);
  // The game log for debugging dumps; also handed to the host.
  void writeGameLog(const std::string& text, int colour = 0);

  // Turns logging on. The first time, opens "deb" + N + ".log" and "log" + N +
  // ".log" with the first N from logNumber on whose files do not exist yet, so
  // a session never overwrites an earlier one's; later the same files go on.
  // Returns the reason when a file could not be created (logging stays off).
  std::string enableLogging();
  // Stops writing the logs; they stay open for the next enableLogging.
  void disableLogging() { loggingEnabled = false; }
  std::string transcriptName() const;
  std::string gameLogName() const;

  EngineIO(const EngineIO&) = delete;
  EngineIO& operator=(const EngineIO&) = delete;

 private:
  EngineIO();

  EngineHost* currentHost = nullptr;
  std::ostream* output;
  std::ofstream transcript;
  // UCI's search thread writes while the protocol thread reads and answers.
  std::mutex channelLock;
  std::ofstream gameLog;
};
