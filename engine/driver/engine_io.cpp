#include "driver/engine_io.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
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

std::string EngineIO::enableLogging() {
  if (!transcript.is_open() || !gameLog.is_open()) {
    std::error_code error;
    while (std::filesystem::exists(transcriptName(), error) || std::filesystem::exists(gameLogName(), error))
      ++logNumber;
    errno = 0;
    if (!transcript.is_open()) transcript.open(transcriptName(), std::ios::out | std::ios::trunc);
    if (!gameLog.is_open()) gameLog.open(gameLogName(), std::ios::out | std::ios::trunc);
    if (!transcript.is_open() || !gameLog.is_open()) {
      const std::string name = transcript.is_open() ? gameLogName() : transcriptName();
      return name + ": " + (errno ? std::strerror(errno) : "cannot be created");
    }
  }
  loggingEnabled = true;
  return "";
}

bool EngineIO::readLine(std::string& line) {
  line.clear();
  if (!currentHost || !currentHost->takeCommand(line)) return false;
  // A line end written as CR LF is still only a line end.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > maxLine) line.resize(maxLine);
  std::lock_guard guard(channelLock);
  if (loggingEnabled && transcript.is_open() && !isWindowedProgram()) transcript << "< " << line << '\n' << std::flush;
  return true;
}

void EngineIO::sendLine(const std::string& text) {
  std::lock_guard guard(channelLock);
  *output << text << '\n' << std::flush;
  if (loggingEnabled && transcript.is_open()) transcript << "> " << text << '\n' << std::flush;
  if (currentHost) currentHost->lineWritten(text);
}

void EngineIO::writeDirect(const std::string& text) { *output << text << std::flush; }

void EngineIO::writeGameLog(const std::string& text, int colour) {
  if (loggingEnabled && gameLog.is_open()) gameLog << text << std::flush;
  if (currentHost) currentHost->debugText(text, colour);
}
