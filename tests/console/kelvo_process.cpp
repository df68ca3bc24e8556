#include "kelvo_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

KelvoProcess::KelvoProcess(const std::filesystem::path& workingDirectory, const std::vector<std::string>& arguments) {
  int toChild[2];
  int fromChild[2];
  if (pipe(toChild) != 0 || pipe(fromChild) != 0) throw std::runtime_error("pipe failed");
  pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    dup2(toChild[0], STDIN_FILENO);
    dup2(fromChild[1], STDOUT_FILENO);
    close(toChild[0]);
    close(toChild[1]);
    close(fromChild[0]);
    close(fromChild[1]);
    if (chdir(workingDirectory.c_str()) != 0) _exit(126);
    std::vector<char*> argv;
    std::string program = KELVO_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(toChild[0]);
  close(fromChild[1]);
  inputFd = toChild[1];
  output = fdopen(fromChild[0], "r");
  // A test that closes the input early must not die of SIGPIPE while writing.
  std::signal(SIGPIPE, SIG_IGN);
}

KelvoProcess::~KelvoProcess() {
  closeInput();
  if (!reaped && pid > 0) {
    kill(pid, SIGKILL);
    wait();
  }
  if (output) std::fclose(output);
}

void KelvoProcess::writeRaw(const std::string& text) {
  std::size_t written = 0;
  while (inputFd >= 0 && written < text.size()) {
    const ssize_t n = write(inputFd, text.data() + written, text.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
}

void KelvoProcess::writeLine(const std::string& line) { writeRaw(line + "\n"); }

void KelvoProcess::closeInput() {
  if (inputFd >= 0) close(inputFd);
  inputFd = -1;
}

bool KelvoProcess::readLine(std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(output)) != EOF) {
    if (c == '\n') return true;
    line += static_cast<char>(c);
  }
  return !line.empty();
}

void KelvoProcess::signal(int signalNumber) { kill(pid, signalNumber); }

int KelvoProcess::wait() {
  if (!reaped) {
    int raw = 0;
    if (waitpid(pid, &raw, 0) == pid) status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    reaped = true;
  }
  return status;
}

KelvoRun runKelvo(const std::filesystem::path& workingDirectory, const std::vector<std::string>& input,
                  const std::vector<std::string>& arguments) {
  KelvoProcess process(workingDirectory, arguments);
  std::string text;
  for (const std::string& line : input) text += line + "\n";
  // Written from a second thread: the engine may fill the output pipe before
  // it has read all of its input.
  std::thread writer([&] {
    process.writeRaw(text);
    process.closeInput();
  });
  KelvoRun run;
  std::string line;
  while (process.readLine(line)) run.lines.push_back(line);
  writer.join();
  run.exitStatus = process.wait();
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
  std::ifstream file(directory / name, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

bool TemporaryDirectory::exists(const std::string& name) const { return std::filesystem::exists(directory / name); }

std::vector<std::string> TemporaryDirectory::filesMatching(const std::string& prefix, const std::string& suffix) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    const std::string name = entry.path().filename().string();
    if (name.size() >= prefix.size() + suffix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      names.push_back(name);
  }
  return names;
}
