#include "kelvo_process.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

KelvoRun runInShell(const std::filesystem::path& workingDirectory, const std::string& command) {
  KelvoRun run;
  std::FILE* output = popen(("cd '" + workingDirectory.string() + "' && " + command).c_str(), "r");
  if (!output) throw std::runtime_error("popen failed");
  std::string line;
  for (int c; (c = std::fgetc(output)) != EOF;) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    run.lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) run.lines.push_back(line);
  const int raw = pclose(output);
  run.exitStatus = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

KelvoRun runKelvo(const std::filesystem::path& workingDirectory, const std::vector<std::string>& input,
                  const std::vector<std::string>& arguments, std::chrono::seconds timeLimit) {
  // The input waits beside the working directory, which holds only the test's files.
  const TemporaryDirectory inputDirectory;
  std::string text;
  for (const std::string& line : input) text += line + "\n";
  inputDirectory.writeFile("input", text);
  // timeout(1) kills a hung engine; it exits with 137 then.
  std::string command = "exec ";
  if (timeLimit.count() > 0) command += "timeout -s KILL " + std::to_string(timeLimit.count()) + " ";
  command += "'" KELVO_PATH "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  KelvoRun run = runInShell(workingDirectory, command + " <'" + (inputDirectory.path() / "input").string() + "'");
  run.timedOut = timeLimit.count() > 0 && run.exitStatus == 128 + SIGKILL;
  return run;
}

TemporaryDirectory::TemporaryDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  directory = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
}

void TemporaryDirectory::writeFile(const std::string& name, const std::string& contents) const {
  std::ofstream(directory / name, std::ios::binary) << contents;
}

std::string TemporaryDirectory::readFile(const std::string& name) const {
  std::ostringstream contents;
  contents << std::ifstream(directory / name, std::ios::binary).rdbuf();
  return contents.str();
}

std::vector<std::string> TemporaryDirectory::filesMatching(const std::string& prefix, const std::string& suffix) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory))
    if (const std::string name = entry.path().filename().string(); name.starts_with(prefix) && name.ends_with(suffix))
      names.push_back(name);
  return names;
}
