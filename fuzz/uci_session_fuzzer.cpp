// Arbitrary bytes as the lines of a UCI session, through runUci (the answer
// to "uci" already given): positions, searches and their stops, options,
// new games, bad words anywhere. Every "go" gets a node limit (from the first
// byte: 64 << (bits 0..2)) after its own words, so it ends on its own; the
// next line then waits for the search to end, up to a moment, so it runs
// whole and its reports and bestmove are written. With bit 3 set the first
// "go" keeps its words alone: the fixed search, or the clock's, until the
// next command stops it. Each input starts from the default options; the
// table may be resized once an input, as in the command-loop target, and
// book files stay in the scratch directory.

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "book/opening_book.h"
#include "driver/engine_io.h"
#include "driver/engine_session.h"
#include "driver/uci_protocol.h"
#include "fuzz_support.h"

namespace {

constexpr std::size_t MAX_LINES = 48;
constexpr std::uint8_t BARE_GO = 0x08;
// Longer than any capped search takes under the sanitizers; a held search
// (infinite, ponder) is not waited for.
constexpr auto BESTMOVE_WAIT = std::chrono::milliseconds(500);

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The command word as the session finds it: the first word it knows.
std::string commandWord(const std::string& line, std::vector<std::string>& words) {
  static const char* const COMMANDS[] = {"uci",  "isready", "debug",     "ucinewgame", "position",
                                         "go",   "stop",    "ponderhit", "quit",       "setoption"};
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  for (const std::string& word : words)
    for (const char* command : COMMANDS)
      if (word == command) return word;
  return "";
}

bool contains(const std::vector<std::string>& words, const char* word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// Feeds the lines; after a search that ends on its own, waits for it (its
// bestmove written) before the next line.
class UciScriptHost : public EngineHost {
 public:
  UciScriptHost(std::vector<std::string> lines, std::vector<bool> waitAfter, const ThinkingThread& thinking)
      : lines(std::move(lines)), waitAfter(std::move(waitAfter)), thinking(thinking) {}

  bool takeCommand(std::string& line) override {
    if (next >= lines.size()) return false;
    if (next > 0 && waitAfter[next - 1]) {
      const auto deadline = std::chrono::steady_clock::now() + BESTMOVE_WAIT;
      while (thinking.busy() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    line = lines[next++];
    return true;
  }
  void lineWritten(const std::string&) override {}
  void debugText(const std::string&, int) override {}
  void notifyHost(int, int) override {}
  void searchStats(int, int) override {}
  bool isWindowedProgram() const override { return false; }

 private:
  std::vector<std::string> lines;
  std::vector<bool> waitAfter;  // per line: a capped "go" that ends on its own
  const ThinkingThread& thinking;
  std::size_t next = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::ostream discard(nullptr);
  static bool prepared = false;
  if (!prepared) {
    enterScratchDirectory();
    std::ofstream("game.pgn") << "[Event \"x\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 {comment} 4. Ba4 Nf6 5. O-O 1-0\n";
    prepared = true;
  }
  if (size == 0) return 0;

  const std::uint8_t mode = data[0];
  const std::string nodeCap = " nodes " + std::to_string(64 << (mode & 7));
  std::vector<std::string> lines = splitLines({reinterpret_cast<const char*>(data) + 1, size - 1}, MAX_LINES);
  std::vector<bool> waitAfter(lines.size(), false);
  bool bareGoLeft = mode & BARE_GO;
  bool resized = false;
  std::vector<std::string> kept;
  for (std::string& line : lines) {
    std::vector<std::string> words;
    const std::string command = commandWord(line, words);
    const std::string lower = lowerCase(line);
    if (command == "setoption" && lower.find("hash") != std::string::npos) {
      if (resized) continue;
      resized = true;
    }
    // A path outside the scratch directory could name a device that never ends.
    if (command == "setoption" && lower.find("bookfile") != std::string::npos && line.find('/') != std::string::npos)
      line = "setoption name BookFile value game.pgn";
    if (command == "go") {
      if (bareGoLeft) {
        bareGoLeft = false;
      } else {
        line += nodeCap;
        waitAfter[kept.size()] = !contains(words, "infinite") && !contains(words, "ponder");
      }
    }
    kept.push_back(line);
  }
  waitAfter.resize(kept.size());

  // The options every input starts from: no state carries over.
  EngineSession& session = processSession();
  session.settings = SessionSettings();
  session.setHashMegabytes(DEFAULT_HASH_MEGABYTES);
  session.setThreads(1);
  session.loadBookFile(BOOK_FILE_NAME);

  UciScriptHost host(std::move(kept), std::move(waitAfter), session.thinking);
  EngineIO& io = EngineIO::instance();
  io.setHost(&host);
  io.setOutput(&discard);
  runUci();
  io.setHost(nullptr);
  return 0;
}
