#include "driver/uci_protocol.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "base/random.h"
#include "book/opening_book.h"
#include "driver/engine_io.h"
#include "driver/game.h"
#include "driver/engine_session.h"
#include "driver/uci_moves.h"
#include "driver/uci_search.h"
#include "position/move_gen.h"
#include "search/level_elo.h"

namespace {

using Words = std::vector<std::string>;

constexpr long long MAX_MOVE_OVERHEAD = 5000;  // milliseconds

EngineIO& io() { return EngineIO::instance(); }
Game& game() { return Game::instance(); }

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// A whole decimal number, saturated at the ends of long long; false for anything else.
bool readNumber(const std::string& text, long long& value) {
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0';
}

// The number after words[at], 0 when it is missing or no number; never
// negative, and never more than a `go` limit can mean (about 31 years of
// milliseconds), so nothing computed from it overflows.
long long numberAfter(const Words& words, std::size_t at) {
  constexpr long long MAX_GO_NUMBER = 1'000'000'000'000LL;
  long long value = 0;
  if (at + 1 < words.size() && readNumber(words[at + 1], value)) return std::clamp(value, 0LL, MAX_GO_NUMBER);
  return 0;
}

// The words of the line after `word`, joined with single blanks.
std::string wordsAfter(const Words& words, const std::string& word, const std::string& until = "") {
  std::string text;
  auto it = std::find(words.begin(), words.end(), word);
  if (it == words.end()) return text;
  for (++it; it != words.end() && *it != until; ++it) text += (text.empty() ? "" : " ") + *it;
  return text;
}

class UciSession {
 public:
  explicit UciSession(EngineSession& session) : session(session), settings(session.settings), search(session.thinking) {
    newGame({});
  }

  // False when the line asks to quit. Words before the first command word are
  // skipped, as the protocol asks; a line without one is ignored.
  bool dispatch(const std::string& line);

  void quit() {
    search.stop();
    search.finish();
  }

  bool identify(const Words&, const std::string&) {
    io().sendLine("id name Kelvo 3.2");
    io().sendLine("id author the Kelvo developers");
    io().sendLine("option name OwnBook type check default true");
    io().sendLine(std::string("option name BookFile type string default ") + BOOK_FILE_NAME);
    io().sendLine("option name Skill Level type spin default " + std::to_string(SPECIFIED_LEVEL) + " min " +
                  std::to_string(WEAKEST_LEVEL) + " max " + std::to_string(TOP_LEVEL));
    io().sendLine("option name Hash type spin default " + std::to_string(DEFAULT_HASH_MEGABYTES) + " min 1 max " +
                  std::to_string(EngineSession::MAX_HASH_MEGABYTES));
    io().sendLine("option name Clear Hash type button");
    io().sendLine("option name Threads type spin default 1 min 1 max " + std::to_string(EngineSession::maxThreads()));
    io().sendLine("option name Move Overhead type spin default 0 min 0 max " + std::to_string(MAX_MOVE_OVERHEAD));
    io().sendLine("option name Ponder type check default false");
    io().sendLine("option name MultiPV type spin default 1 min 1 max " + std::to_string(EngineSession::MAX_LINES));
    io().sendLine("option name UCI_LimitStrength type check default false");
    io().sendLine("option name UCI_Elo type spin default " + std::to_string(eloOfLevel(SPECIFIED_LEVEL)) + " min " +
                  std::to_string(eloOfLevel(WEAKEST_LEVEL)) + " max " + std::to_string(eloOfLevel(TOP_LEVEL)));
    io().sendLine("option name UCI_AnalyseMode type check default false");
    io().sendLine("uciok");
    return true;
  }

 private:
  struct Command {
    const char* word;
    bool (UciSession::*handler)(const Words& arguments, const std::string& line);
  };
  static const Command COMMANDS[];

  bool isReady(const Words&, const std::string&) {
    io().sendLine("readyok");
    return true;
  }

  bool setDebug(const Words& arguments, const std::string&) {
    if (!arguments.empty()) debug = arguments[0] == "on";
    return true;
  }

  // As "new" does in the xboard loop: a fresh player, the generator seeded,
  // the initial position, the book in play again.
  bool newGame(const Words&, const std::string& = "") {
    stopSearch();
    session.newGame();
    player = session.makeEnginePlayer(&search.listener());
    // The fixed search reports its line only when posting.
    player->post = true;
    return true;
  }

  // A command that changes what is searched ends the search running first,
  // whose bestmove then still comes before anything the command answers.
  void stopSearch() {
    search.stop();
    search.finish();
  }

  // position startpos|fen FEN [moves M...]: a bad FEN leaves the position as
  // it was; the moves are played up to the first illegal one.
  bool setPosition(const Words& arguments, const std::string&) {
    stopSearch();
    CChessBoard start;
    FenCounters counters;
    if (!arguments.empty() && arguments[0] == "startpos") {
      start.setupInitialPosition();
      // The initial position with no moves starts a game, even without "ucinewgame".
      if (std::find(arguments.begin(), arguments.end(), "moves") == arguments.end()) session.book.giveBack();
    } else if (!arguments.empty() && arguments[0] == "fen") {
      const SetupReading setup = readSetup(wordsAfter(arguments, "fen", "moves"));
      if (!setup.readable) return complain("bad position");
      if (!setup.position) return complain("unplayable position: " + setup.fault);
      start = *setup.position;
      counters = setup.counters;
    } else {
      return complain("no position");
    }
    const std::string moves = wordsAfter(arguments, "moves");
    session.setUpPosition(start, counters);
    game().edit([&](Game& g) {
      std::istringstream in(moves);
      for (std::string text; in >> text;) {
        const Move move = readUciMove(g.position, text);
        if (move.isNull()) {
          complain("illegal move " + text);
          break;
        }
        g.playMove(move);
      }
    });
    return true;
  }

  bool go(const Words& arguments, const std::string&) {
    stopSearch();
    const CChessBoard position = game().read([](const Game& g) { return g.position; });
    const bool white = position.sideToMove == 1;
    SearchLimits limits;
    bool hold = false;
    bool pondering = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      const std::string& word = arguments[i];
      const long long number = numberAfter(arguments, i);
      if (word == "depth") limits.depth = static_cast<int>(std::min(number, 1000LL));
      if (word == "movetime") limits.moveTime = number;
      if (word == (white ? "wtime" : "btime")) limits.timeLeft = number;
      if (word == (white ? "btime" : "wtime")) limits.opponentTime = number;
      if (word == (white ? "winc" : "binc")) limits.increment = number;
      if (word == "movestogo") limits.movesToGo = static_cast<int>(std::min(number, 1000LL));
      if (word == "nodes") limits.nodes = number;
      if (word == "mate") limits.mate = static_cast<int>(std::min(number, 1000LL));
      if (word == "infinite") limits.infinite = hold = true;
      if (word == "ponder") hold = pondering = true;
      if (word == "searchmoves")
        for (std::size_t k = i + 1; k < arguments.size(); ++k) {
          const Move move = readUciMove(position, arguments[k]);
          if (move.isNull()) break;
          limits.searchMoves.push_back(move);
        }
    }
    // An analysis (infinite, or any go of an analysing interface) is the
    // strongest search without the book; a go without any limit runs until stopped.
    const bool unlimited =
        limits.depth == 0 && limits.moveTime == 0 && limits.timeLeft < 0 && limits.nodes == 0 && limits.mate == 0;
    const bool analysis = limits.infinite || settings.analyseMode;
    if (settings.analyseMode && unlimited) limits.infinite = hold = true;
    if (analysis) limits.progressEvery = EngineSession::PROGRESS_MILLISECONDS;
    limits.multiPv = settings.lines;
    limits.moveOverhead = settings.moveOverhead;
    session.setAnalysing(analysis);
    EngineSession::StopToken stop = session.beginSearch();
    player->limits = limits;
    session.prepare(*player, position);
    player->level = analysis ? TOP_LEVEL : settings.moveLevel(settings.limitStrength ? engineRand() : 0);
    // The fixed search plays the bare clock; anything more it cannot honour
    // is searched by the strong search at the level's strength.
    player->strongAtFixedLevel = limits.depth > 0 || limits.nodes > 0 || limits.moveTime > 0 || limits.mate > 0 ||
                                 !limits.searchMoves.empty() || limits.multiPv > 1 || pondering;
    player->bookAllowed = settings.ownBook;
    // Pondering searches until the predicted move is played, then as long as
    // the limits of this go allow.
    if (pondering) player->limits.infinite = true;
    search.start(*player, position, std::move(stop), hold, pondering ? &limits : nullptr);
    return true;
  }

  // The search ends within moments; waiting for its bestmove keeps it
  // before the answer to whatever the interface sends next.
  bool stop(const Words&, const std::string&) {
    stopSearch();
    return true;
  }

  bool ponderHit(const Words&, const std::string&) {
    search.ponderHit();
    return true;
  }

  bool quitCommand(const Words&, const std::string&) { return false; }

  // setoption name NAME [value VALUE]: names in any case; out-of-range
  // numbers are clamped, unknown names and unreadable values ignored.
  bool setOption(const Words& arguments, const std::string& line) {
    stopSearch();
    const std::string name = lowerCase(wordsAfter(arguments, "name", "value"));
    // The value keeps its inner blanks: a path may hold several.
    std::string value;
    if (const std::size_t at = line.find(" value "); at != std::string::npos) value = line.substr(at + 7);
    while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back()))) value.pop_back();
    while (!value.empty() && std::isspace(static_cast<unsigned char>(value.front()))) value.erase(0, 1);
    long long number = 0;
    if (name == "ownbook" && readFlag(value, settings.ownBook)) {
    } else if (name == "skill level" && readNumber(value, number)) {
      session.setLevel(number);
    } else if (name == "uci_elo" && readNumber(value, number)) {
      settings.elo =
          static_cast<int>(std::clamp<long long>(number, eloOfLevel(WEAKEST_LEVEL), eloOfLevel(TOP_LEVEL)));
    } else if (name == "uci_limitstrength" && readFlag(value, settings.limitStrength)) {
    } else if (name == "uci_analysemode" && readFlag(value, settings.analyseMode)) {
    } else if (name == "ponder") {
      // Pondering is the interface's to ask for with "go ponder".
    } else if (name == "hash" && readNumber(value, number)) {
      session.setHashMegabytes(number);
    } else if (name == "clear hash") {
      session.clearHash();
    } else if (name == "move overhead" && readNumber(value, number)) {
      settings.moveOverhead = std::clamp<long long>(number, 0, MAX_MOVE_OVERHEAD);
    } else if (name == "threads" && readNumber(value, number)) {
      session.setThreads(number);
    } else if (name == "multipv" && readNumber(value, number)) {
      session.setLines(number);
    } else if (name == "bookfile") {
      loadBook(value);
    } else {
      complain("unknown option " + name);
    }
    return true;
  }

  // The book of another file replaces the loaded one; a file that cannot be
  // read (or "<empty>") leaves no book. Interfaces send every option at
  // start, so the file already loaded is not read again. The user named the
  // file, so a refused or cut one is reported even without "debug on".
  void loadBook(const std::string& path) {
    if (path == bookPath) return;
    bookPath = path;
    if (const std::string stop = session.loadBookFile(path); !stop.empty())
      io().sendLine("info string BookFile " + path + ": " + stop);
  }

  // With "debug on" the engine says what it ignored.
  bool complain(const std::string& what) {
    if (debug) io().sendLine("info string " + what);
    return true;
  }

  static bool readFlag(const std::string& value, bool& flag) {
    if (lowerCase(value) != "true" && lowerCase(value) != "false") return false;
    flag = lowerCase(value) == "true";
    return true;
  }

  EngineSession& session;
  SessionSettings& settings;
  UciSearch search;
  std::unique_ptr<EnginePlayer> player;
  std::string bookPath = BOOK_FILE_NAME;
  bool debug = false;
};

const UciSession::Command UciSession::COMMANDS[] = {
    {"uci", &UciSession::identify},       {"isready", &UciSession::isReady},   {"debug", &UciSession::setDebug},
    {"ucinewgame", &UciSession::newGame}, {"position", &UciSession::setPosition}, {"go", &UciSession::go},
    {"stop", &UciSession::stop},          {"ponderhit", &UciSession::ponderHit}, {"quit", &UciSession::quitCommand},
    {"setoption", &UciSession::setOption},
};

bool UciSession::dispatch(const std::string& line) {
  std::istringstream in(line);
  Words words;
  for (std::string word; in >> word;) words.push_back(word);
  for (std::size_t first = 0; first < words.size(); ++first) {
    for (const Command& command : COMMANDS) {
      if (words[first] != command.word) continue;
      const Words arguments(words.begin() + static_cast<long>(first) + 1, words.end());
      return (this->*command.handler)(arguments, line);
    }
  }
  if (debug && !words.empty()) io().sendLine("info string unknown command " + line);
  return true;
}

}  // namespace

bool isUciCommand(const std::string& line) {
  std::istringstream in(line);
  std::string word, more;
  return in >> word && word == "uci" && !(in >> more);
}

int runUci() {
  io().maxLine = EngineIO::MAX_UCI_LINE;
  UciSession session(processSession());
  session.identify({}, "uci");
  for (std::string line; io().readLine(line);)
    if (!session.dispatch(line)) break;
  session.quit();
  return 0;
}
