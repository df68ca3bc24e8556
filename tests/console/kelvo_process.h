#pragma once
// The built kelvo as a child process in a working directory of the test's
// choosing, its input read from a file and its output collected by line.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

struct KelvoRun {
  std::vector<std::string> lines;
  int exitStatus = -1;    // -1 when the process did not exit normally
  bool timedOut = false;  // killed at the time limit
};

// Runs a shell command in the directory and collects what it writes.
KelvoRun runInShell(const std::filesystem::path& workingDirectory, const std::string& command);

// Runs kelvo on the whole input (each line with its line end), until it exits
// or, when not zero, the time limit has passed: a hung engine is then killed.
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
