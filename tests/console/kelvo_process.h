#pragma once
// The built kelvo as a child process in a working directory of the test's
// choosing, spoken to over pipes the way a chess interface does.

#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

class KelvoProcess {
 public:
  // A hung engine is killed after the time limit, when it is not zero.
  KelvoProcess(const std::filesystem::path& workingDirectory, const std::vector<std::string>& arguments = {},
               std::chrono::seconds timeLimit = std::chrono::seconds::zero());
  ~KelvoProcess();
  KelvoProcess(const KelvoProcess&) = delete;
  KelvoProcess& operator=(const KelvoProcess&) = delete;

  void writeRaw(const std::string& text);
  // Closes the engine's standard input: the end of input.
  void closeInput();
  // False at the end of the engine's output.
  bool readLine(std::string& line);
  void signal(int signalNumber);
  // The exit status, or -1 when the process did not exit normally.
  int wait();

 private:
  pid_t pid = -1;
  int inputFd = -1;
  std::FILE* output = nullptr;
  int status = -1;
  bool reaped = false;
};

struct KelvoRun {
  std::vector<std::string> lines;
  int exitStatus = -1;
  bool timedOut = false;  // killed at the time limit
};

// Writes the whole input (each line with its line end), closes it, and collects
// every line the engine writes until it exits, or until the time limit (when
// not zero) has passed: a hung engine is then killed.
KelvoRun runKelvo(const std::filesystem::path& workingDirectory, const std::vector<std::string>& input,
                  const std::vector<std::string>& arguments = {},
                  std::chrono::seconds timeLimit = std::chrono::seconds::zero());

// A fresh empty directory, removed with everything in it at the end.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  const std::filesystem::path& path() const { return directory; }
  void writeFile(const std::string& name, const std::string& contents) const;
  std::string readFile(const std::string& name) const;
  // Names of the files whose names start with the prefix and end with the suffix.
  std::vector<std::string> filesMatching(const std::string& prefix, const std::string& suffix) const;

 private:
  std::filesystem::path directory;
};
