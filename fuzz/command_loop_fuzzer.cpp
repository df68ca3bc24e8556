// Arbitrary bytes as command lines through the engine's own dispatcher, in
// the console's and the desktop worker's flavour. The fixed-depth search has no
// time limit: an input may run one search only when bits 2..4 of its first
// byte are set, so most inputs run fast. Once the search budget is spent the
// game is put in force mode before every line and "go" and "hint" are skipped;
// every other command still runs, but for the commands that choose a level, and analysis.
// The table may be resized once an input: each resize to a gigabyte takes
// over a second under the sanitizers, which any engine would take too.

#include <algorithm>
#include <cctype>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

#include "driver/commands.h"
#include "driver/engine_io.h"
#include "driver/game.h"
#include "fuzz_support.h"

namespace {

constexpr std::size_t MAX_LINES = 48;
constexpr std::uint8_t SEARCH_MODE = 0x1C;

// Split as the dispatcher splits.
std::string firstWord(const std::string& line) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  return word;
}

// Files for "_loadpgn" to find in the scratch directory. Names with a "/" are
// kept inside it: the engine would read /dev/zero for ever, as any program would.
void prepareFiles() {
  std::ofstream("game.pgn") << "[Event \"x\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 {comment} 4. Ba4 Nf6 5. 0-0 1-0\n";
  std::ofstream("empty.pgn");
}

std::string confineFileName(const std::string& line) {
  if (firstWord(line) != "_loadpgn" || line.find('/') == std::string::npos) return line;
  return "_loadpgn game.pgn";
}

bool resizesTheTable(const std::string& word, std::string line) {
  if (word == "memory") return true;
  if (word != "setoption") return false;
  std::transform(line.begin(), line.end(), line.begin(), [](unsigned char c) { return std::tolower(c); });
  return line.find("hash") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::ostream discard(nullptr);
  static bool prepared = false;
  if (!prepared) {
    enterScratchDirectory();
    prepareFiles();
    prepared = true;
  }
  if (size == 0) return 0;

  const std::uint8_t mode = data[0];
  std::vector<std::string> lines =
      splitLines({reinterpret_cast<const char*>(data) + 1, size - 1}, MAX_LINES);
  for (std::string& line : lines) line = confineFileName(line);
  ScriptHost host(std::move(lines), mode & 1);

  EngineIO& io = EngineIO::instance();
  io.setHost(&host);
  io.setOutput(&discard);
  Game& game = Game::instance();
  dispatchCommand("new");
  if (mode & 2) {
    // The state start-up leaves without a book: no players, no pieces.
    game.makeHumansOnly();
    game.position.clearSquares();
    game.restartHistory();
  }

  const int maxSearches = (mode & SEARCH_MODE) == SEARCH_MODE ? 1 : 0;
  bool resized = false;
  std::string line;
  while (io.readLine(line)) {
    const std::string word = firstWord(line);
    // The level stays the fixed search's, and analysis (a search after every
    // change of the position) is left out: both would outlast the time limit.
    // "Skill" and "sd" choose a level too, and it outlives the input: the next
    // input's search would be the strong one.
    if (word == "option" || word == "analyze" || word == "Skill" || word == "sd") continue;
    if (resizesTheTable(word, line)) {
      if (resized) continue;
      resized = true;
    }
    if (host.searches >= maxSearches) {
      game.makeHumansOnly();
      if (word == "go" || word == "hint") continue;
    }
    if (!dispatchCommand(line)) break;
  }
  io.setHost(nullptr);
  return 0;
}
