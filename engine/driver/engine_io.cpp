#include "driver/engine_io.h"

#include <iostream>

#include "base/random.h"

EngineIO& EngineIO::instance() {
  static EngineIO* io = new EngineIO();  // never destroyed: the logs stay usable to the very end
  return *io;
}

EngineIO::EngineIO() : output(&std::cout) {
  // Drawn before any game seeds the generator, so the number is the same on every run.
  logNumber = static_cast<int>(engineRand() / static_cast<double>(ENGINE_RAND_MAX) * 100);
}

void EngineIO::setOutput(std::ostream* stream) { output = stream ? stream : &std::cout; }

std::string EngineIO::transcriptName() const { return "deb" + std::to_string(logNumber) + ".log"; }
std::string EngineIO::gameLogName() const { return "log" + std::to_string(logNumber) + ".log"; }

void EngineIO::enableLogging() {
  loggingEnabled = true;
  // A file that cannot be created leaves its stream failed; writes are then dropped.
  transcript.open(transcriptName(), std::ios::out | std::ios::trunc);
  gameLog.open(gameLogName(), std::ios::out | std::ios::trunc);
}

bool EngineIO::readLine(std::string& line) {
  line.clear();
  if (!currentHost || !currentHost->takeCommand(line)) return false;
  // A line end written as CR LF is still only a line end.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > maxLine) line.resize(maxLine);
  std::lock_guard guard(channelLock);
  if (transcript.is_open() && !isWindowedProgram()) transcript << "< " << line << '\n' << std::flush;
  return true;
}

void EngineIO::sendLine(const std::string& text) {
  std::lock_guard guard(channelLock);
  *output << text << '\n' << std::flush;
  if (transcript.is_open()) transcript << "> " << text << '\n' << std::flush;
  if (currentHost) currentHost->lineWritten(text);
}

void EngineIO::writeDirect(const std::string& text) { *output << text << std::flush; }

void EngineIO::writeGameLog(const std::string& text, int colour) {
  if (loggingEnabled && gameLog.is_open()) gameLog << text << std::flush;
  if (currentHost) currentHost->debugText(text, colour);
}
