#include "kelvo_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

KelvoProcess::KelvoProcess(const std::filesystem::path& workingDirectory, const std::vector<std::string>& arguments,
                           std::chrono::seconds timeLimit) {
  int toChild[2];
  int fromChild[2];
  if (pipe(toChild) != 0 || pipe(fromChild) != 0) throw std::runtime_error("pipe failed");
  pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    dup2(toChild[0], STDIN_FILENO);
    dup2(fromChild[1], STDOUT_FILENO);
    for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
    if (chdir(workingDirectory.c_str()) != 0) _exit(126);
    std::vector<std::string> words = {KELVO_PATH};
    // timeout(1) kills a hung engine; it exits with 137 then.
    if (timeLimit.count() > 0)
      words.insert(words.begin(), {"timeout", "--foreground", "-s", "KILL", std::to_string(timeLimit.count())});
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(toChild[0]);
  close(fromChild[1]);
  inputFd = toChild[1];
  output = fdopen(fromChild[0], "r");
  // A test that closes the input early must not die of SIGPIPE while writing.
  ::signal(SIGPIPE, SIG_IGN);
}

KelvoProcess::~KelvoProcess() {
  closeInput();
  if (!reaped) kill(pid, SIGKILL);
  wait();
  if (output) std::fclose(output);
}

void KelvoProcess::writeRaw(const std::string& text) {
  for (std::size_t written = 0; inputFd >= 0 && written < text.size();) {
    const ssize_t n = write(inputFd, text.data() + written, text.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
}

void KelvoProcess::closeInput() {
  if (inputFd >= 0) close(inputFd);
  inputFd = -1;
}

bool KelvoProcess::readLine(std::string& line) {
  line.clear();
  for (int c; (c = std::fgetc(output)) != EOF;) {
    if (c == '\n') return true;
    line += static_cast<char>(c);
  }
  return !line.empty();
}

void KelvoProcess::signal(int signalNumber) { kill(pid, signalNumber); }

int KelvoProcess::wait() {
  int raw = 0;
  if (!reaped && waitpid(pid, &raw, 0) == pid) status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  reaped = true;
  return status;
}

KelvoRun runKelvo(const std::filesystem::path& workingDirectory, const std::vector<std::string>& input,
                  const std::vector<std::string>& arguments, std::chrono::seconds timeLimit) {
  KelvoProcess process(workingDirectory, arguments, timeLimit);
  KelvoRun run;
  std::string text;
  for (const std::string& line : input) text += line + "\n";
  // Written from a second thread: the engine may fill the output pipe before
  // it has read all of its input.
  std::thread writer([&] {
    process.writeRaw(text);
    process.closeInput();
  });
  for (std::string line; process.readLine(line);) run.lines.push_back(line);
  writer.join();
  run.exitStatus = process.wait();
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
