// The golden data of the tests: what the move generator, the fixed 4-ply
// search, the strong search and the book loader give for a fixed set of
// inputs: a line per ten generated positions, per search and per book file. `check` recomputes the
// lines from the product code and lists those that differ from the file;
// `write` rewrites the file after a deliberate change (review the diff before
// committing it).
//   golden_data check|write movegen FILE
//   golden_data check|write search FILE
//   golden_data check|write strong FILE
//   golden_data check|write book FILE PGN_FILE_OR_FOLDER...
//   golden_data agree PGN_FILE...   the two book loaders agree (for books that change)
// The positions come from seeded random playouts and random placements, so
// the files hold only the answers.

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "book/opening_book.h"
#include "book/pgn_reader.h"
#include "driver/game.h"
#include "position/evaluation.h"
#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "position/zobrist.h"
#include "base/random.h"
#include "search/bench.h"
#include "search/engine_player.h"

namespace {

// Each line with a note shown when it differs.
struct Line {
  std::string text, note;
};
using Lines = std::vector<Line>;

struct Digest {
  std::uint64_t value = 14695981039346656037ull;  // FNV-1a
  void add(const void* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      value ^= static_cast<const unsigned char*>(data)[i];
      value *= 1099511628211ull;
    }
  }
  void add(std::int64_t number) { add(&number, sizeof number); }
  void add(const std::string& text) { add(text.data(), text.size()); }
  std::string hex() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
  }
};

CChessBoard fromFen(const std::string& fen) { return *positionFromFen(fen); }

// --- move generation ---------------------------------------------------------

// One generation of a copy of `position` with these bounds: the answer and the list.
void addGeneration(Digest& digest, const CChessBoard& position, bool pseudoOnly, int upper, int lower) {
  CChessBoard work(position);
  digest.add(generateMoves(work, pseudoOnly, upper, lower));
  digest.add(work.moveCount);
  digest.add(work.moves, sizeof(Move) * work.moveCount);
}

// Both lists, the bounded probe when asked, and whether either side could take the other's king.
std::string generationDigest(const CChessBoard& position, bool probe, int upper, int lower) {
  Digest digest;
  digest.add(boardIsOk(position));
  addGeneration(digest, position, true, NO_BOUND, NO_BOUND);
  addGeneration(digest, position, false, NO_BOUND, NO_BOUND);
  if (probe) addGeneration(digest, position, false, upper, lower);
  for (int flip = 0; flip < 2; ++flip) {
    CChessBoard side(position);
    if (flip) side.switchSide();
    digest.add(canCaptureKing(side));
  }
  return digest.hex();
}

// Ten positions a line: their digests digested, and their FENs to show when the line differs.
void addGroups(Lines& lines, const std::string& label, const std::vector<std::string>& digests,
               const std::vector<std::string>& fens) {
  for (std::size_t first = 0; first < digests.size(); first += 10) {
    Digest group;
    std::string note;
    for (std::size_t i = first; i < std::min(first + 10, digests.size()); ++i) {
      group.add(digests[i]);
      note += "\n    " + fens[i];
    }
    lines.push_back({label + " " + std::to_string(first) + " " + group.hex(), note});
  }
}

// Random playouts from positions full of castling, en passant, promotions and
// checks, with mating moves preferred so that mates turn up; then arbitrary
// placements as the square-setting commands make them: several kings,
// letterless codes, pawns on the back ranks, stray rights and en-passant squares.
Lines movegenLines() {
  const char* starts[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "8/2p5/3p4/KP5r/1R3p2/4P1k1/6P1/8 w - - 0 1",
      "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
      "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
      "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
      "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
      "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 1",
  };
  constexpr int POSITIONS = 5000;
  std::vector<std::string> digests;
  std::vector<std::string> fens;
  std::mt19937 rng(20261206);
  bool keysAgree = true;  // the hash key kept move by move is the one computed afresh
  for (int round = 0; static_cast<int>(digests.size()) < POSITIONS; ++round) {
    CChessBoard position = fromFen(starts[round % std::size(starts)]);
    for (int ply = 0; ply < 300 && static_cast<int>(digests.size()) < POSITIONS; ++ply) {
      int upper = NO_BOUND, lower = NO_BOUND;
      const bool probe = rng() % 4 == 0;
      if (probe) {  // the search's probe, either bound or both
        const int base = evaluate(position);
        upper = rng() % 3 == 0 ? NO_BOUND : base + static_cast<int>(rng() % 200) - 60;
        lower = rng() % 3 == 0 ? NO_BOUND : base - static_cast<int>(rng() % 200) + 60;
      }
      digests.push_back(generationDigest(position, probe, upper, lower));
      fens.push_back(positionToFen(position));
      CChessBoard legal(position);
      if (generateMoves(legal, false) == 0) break;
      int index = static_cast<int>(rng() % legal.moveCount);
      for (int i = 0; i < legal.moveCount; ++i)
        if (legal.moves[i].checkState == CHECKMATE && rng() % 3 == 0) index = i;
      CChessBoard next;
      createChild(next, legal, index);
      keysAgree = keysAgree && keyAfterMove(position, positionKey(position), next, legal.moves[index]) == positionKey(next);
      position = next;
      position.parent = nullptr;
    }
  }
  const int codes[] = {0,  1,  2,  3,  4,  5,  6,  7,  8, 9,  15, 16, 17, 23,
                       24, 25, 26, 27, 28, 29, 30, 31, 4, 28, 4,  28, 8,  16};
  Lines lines;
  addGroups(lines, "playouts", digests, fens);
  lines.push_back({keysAgree ? "playout keys agree" : "playout keys differ", ""});
  digests.clear();
  fens.clear();
  std::mt19937 placements(7);
  for (int round = 0; round < POSITIONS; ++round) {
    CChessBoard position;
    position.clearSquares();
    for (int i = 2 + static_cast<int>(placements() % 14); i > 0; --i)
      position.squares[ALL_SQUARES[placements() % 64]] = static_cast<Piece>(codes[placements() % std::size(codes)]);
    position.sideToMove = static_cast<std::uint8_t>(placements() % 2);
    position.castlingRights = static_cast<std::uint8_t>(placements() % 16);
    position.enPassantSquare = placements() % 3 == 0 ? ALL_SQUARES[placements() % 64] : NO_SQUARE;
    const int bound = placements() % 2 ? NO_BOUND : static_cast<int>(placements() % 2000) - 1000;
    digests.push_back(generationDigest(position, true, bound, NO_BOUND));
    fens.push_back(positionToFen(position) + " (codes not shown)");
  }
  addGroups(lines, "placements", digests, fens);
  return lines;
}

// --- the fixed search ----------------------------------------------------------

// Move, score, nodes, line length and remembered cutoff move of one search by
// `player`, which keeps its cutoff move from search to search.
std::string searchLine(EnginePlayer& player, const CChessBoard& position, std::atomic<bool>* stop = nullptr) {
  const Move move = player.runSearch(position);
  std::ostringstream line;
  line << moveToCoordinates(move) << " " << player.lastScore << " " << player.nodeCount << " "
       << player.lastLineLength() << " " << moveToCoordinates(player.lastCutMove);
  if (stop) line << (*stop ? " stop kept" : " stop cleared");
  return line.str();
}

// The bench suite (openings, endings, mates and stalemates for both sides),
// the same after a stop request, several playouts searched by one player each,
// and odd set-up positions: few pieces anywhere, pawns on the back ranks,
// missing or extra kings, the side not to move in check, stray codes.
Lines searchLines() {
  Lines lines;
  std::vector<std::string> named = benchPositions();
  named.push_back("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3");  // mated
  named.push_back("6rk/8/8/8/8/6p1/4PP2/4RKN1 b - - 0 1");  // a pawn mates
  for (const std::string& fen : named) {
    EnginePlayer player;
    lines.push_back({fen + " " + searchLine(player, fromFen(fen)), ""});
  }
  for (const std::string& fen : {named[0], named[2]}) {
    std::atomic<bool> stop{true};
    SearchContext context;
    context.stopRequest = &stop;
    EnginePlayer player(context);
    lines.push_back({fen + " after a stop request: " + searchLine(player, fromFen(fen), &stop), ""});
  }
  std::mt19937 random(20261206);
  for (int playout = 0; playout < 30; ++playout) {
    CChessBoard position = fromFen(named[0]);
    EnginePlayer player;
    for (int search = 0; search < 10; ++search) {
      for (int plies = 1 + static_cast<int>(random() % 6); plies > 0; --plies) {
        CChessBoard legal = position;
        if (generateMoves(legal, false) == 0) break;
        makeMove(position, legal.moves[random() % legal.moveCount]);
        position.switchSide();
      }
      CChessBoard legal = position;
      if (generateMoves(legal, false) == 0) break;
      lines.push_back({positionToFen(position) + " " + searchLine(player, position), ""});
    }
  }
  std::mt19937 odd(7);
  bool strongLegal = true;
  const Piece codes[] = {WHITE_ROOK, WHITE_KNIGHT, WHITE_BISHOP, WHITE_QUEEN, WHITE_KING, WHITE_PAWN, BLACK_ROOK,
                         BLACK_KNIGHT, BLACK_BISHOP, BLACK_QUEEN, BLACK_KING, BLACK_PAWN, 5, 6, 7, 29, 30, 31,
                         12, 20, 100};
  for (int n = 0; n < 400; ++n) {
    CChessBoard position;
    position.clearSquares();
    const int kings = static_cast<int>(odd() % 4);  // 0: none, 3: an extra one
    if (kings & 1) position.squares[ALL_SQUARES[odd() % 64]] = WHITE_KING;
    if (kings & 2) position.squares[ALL_SQUARES[odd() % 64]] = BLACK_KING;
    if (kings == 3 && odd() % 2) position.squares[ALL_SQUARES[odd() % 64]] = WHITE_KING;
    for (int i = 2 + static_cast<int>(odd() % 14); i > 0; --i) {
      const Piece code = codes[odd() % (n % 3 == 0 ? std::size(codes) : 12)];
      const Square square = ALL_SQUARES[odd() % 64];
      if (!isKing(position.squares[square])) position.squares[square] = code;
    }
    position.sideToMove = static_cast<std::uint8_t>(odd() % 2);
    position.castlingRights = static_cast<std::uint8_t>(odd() % 16);
    position.enPassantSquare = odd() % 3 == 0 ? ALL_SQUARES[24 + odd() % 16] : NO_SQUARE;
    EnginePlayer player;
    lines.push_back({"set-up " + std::to_string(n) + " " + searchLine(player, position), positionToFen(position)});
    // The strong search plays a legal move there too, or resigns only without one.
    player.level = TOP_LEVEL;
    player.limits.depth = 4;
    const Move strong = player.chooseMove(position);
    CChessBoard legal = position;
    const bool anyMove = generateMoves(legal, false) > 0;
    if (strong.sameSquares(RESIGN_MOVE) ? anyMove : !isLegalMove(position, strong)) strongLegal = false;
  }
  lines.push_back({strongLegal ? "strong search legal on every set-up" : "strong search illegal on a set-up", ""});
  return lines;
}

// --- the strong search -------------------------------------------------------

// The bench suite's lines ("N FEN move M score S nodes K") at one level and
// depth, then their node total: any change to what the strong search finds,
// or to the tree it walks to find it, changes a line.
void addBenchLines(Lines& lines, int level, int depth) {
  std::ostringstream out;
  runBench("", out, level, depth);
  std::istringstream text(out.str());
  const std::string label = "level " + std::to_string(level) + " depth " + std::to_string(depth) + ": ";
  for (std::string line; std::getline(text, line);) {
    if (line.empty()) continue;
    if (line.rfind("Nodes searched", 0) == 0)
      lines.push_back({label + "total " + line.substr(line.find(':') + 2), ""});
    else if (std::isdigit(static_cast<unsigned char>(line[0])))
      lines.push_back({label + line, ""});
  }
}

// One thread, fixed depths, so every line is reproducible: the suite at the
// top level to depth 8 (the figure `kelvo bench --level 10 --depth 8` gives),
// the levels that stop at their own depth, the chance levels from a fixed
// seed, and games of self-play in which each player keeps its table and
// history from move to move and is handed the game's positions.
Lines strongLines() {
  Lines lines;
  addBenchLines(lines, TOP_LEVEL, 8);
  addBenchLines(lines, 5, 8);
  for (int level = 1; level <= 3; ++level) {
    engineSrand(20261208 + level);
    addBenchLines(lines, level, 0);
  }
  const std::vector<std::string>& suite = benchPositions();
  for (const std::string& fen : {suite[0], suite[7], suite[20]}) {
    EnginePlayer players[2];
    for (EnginePlayer& player : players) {
      player.level = TOP_LEVEL;
      player.limits.depth = 6;
    }
    // The game keeps the record of its positions and hands it to each search.
    Game game;
    game.position = fromFen(fen);
    game.restartHistory();
    for (int ply = 0; ply < 30; ++ply) {
      const CChessBoard position = game.position;
      EnginePlayer& player = players[position.sideToMove ? 0 : 1];
      player.gameKeys = game.repetitionKeys();
      const Move move = player.chooseMove(position);
      if (move.sameSquares(RESIGN_MOVE)) break;
      lines.push_back({"self-play " + fen + " ply " + std::to_string(ply) + " " + moveToCoordinates(move) + " " +
                           std::to_string(player.lastScore) + " " + std::to_string(player.nodeCount),
                       ""});
      game.playMove(move);
    }
  }
  return lines;
}

// --- the book loader -----------------------------------------------------------

// The one-pass loader against the game reader adding every move it reads: the
// same games, and the same entries in the same order.
bool loadsAlike(const std::string& path) {
  OpeningBook onePass, gameByGame;
  Game game;
  const int games = onePass.loadBook(path, game);
  PgnReader reader;
  int read = 0;
  for (long offset = 0;;) {
    ++read;
    const long next = reader.readGame(path, offset, &gameByGame, game);
    if (next <= offset) break;
    offset = next;
  }
  const std::vector<BookEntry> a = onePass.entryList(), b = gameByGame.entryList();
  return games == read && a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), sizeof(BookEntry) * a.size()) == 0);
}

// Games read, entries, their digest in book order, what probing the squares
// of each entry answers (once per position), the last game as the Game holds it afterwards, and the
// first game as the game reader ("_loadpgn", Abrir) leaves it.
std::string bookLine(const std::filesystem::path& file) {
  OpeningBook book;
  Game game;
  const int games = book.loadBook(file.string(), game);
  const std::vector<BookEntry> entries = book.entryList();
  Digest stored, probed, history;
  stored.add(entries.data(), sizeof(BookEntry) * entries.size());
  std::set<std::string> probedSquares;
  for (const BookEntry& entry : entries) {
    if (!probedSquares.emplace(reinterpret_cast<const char*>(entry.squares), sizeof entry.squares).second) continue;
    CChessBoard position;
    for (int i = 0; i < 64; ++i) position.squares[ALL_SQUARES[i]] = entry.squares[i];
    const std::vector<Move> moves = book.probeBook(position);
    probed.add(moves.data(), sizeof(Move) * moves.size());
  }
  for (const CChessBoard& position : game.history) history.add(positionToFen(position));
  std::ostringstream line;
  line << file.filename().string() << " games " << games << " entries " << entries.size() << " " << stored.hex()
       << " probes " << probed.hex() << " history " << game.history.size() << " " << history.hex() << " "
       << positionToFen(game.position);
  PgnReader reader;
  Game first;
  const long next = reader.readGame(file.string(), 0, nullptr, first);
  line << " first game " << next << " " << positionToFen(first.position)
       << (loadsAlike(file.string()) ? " loads alike" : " loads differ");
  return line.str();
}

Lines bookLines(const std::vector<std::string>& inputs) {
  Lines lines;
  for (const std::string& input : inputs) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(input)) {
      for (const auto& entry : std::filesystem::directory_iterator(input)) files.push_back(entry.path());
      std::sort(files.begin(), files.end());
    } else if (std::filesystem::exists(input)) {
      files.push_back(input);
    }
    for (const auto& file : files) lines.push_back({bookLine(file), ""});
  }
  return lines;
}

std::vector<std::string> readLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "agree") {
    int differ = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
      const bool readable = static_cast<bool>(std::ifstream(args[i]));
      const bool alike = readable && loadsAlike(args[i]);
      std::cout << args[i] << (alike ? ": loads alike\n" : readable ? ": the two loaders differ\n" : ": unreadable\n");
      differ += !alike;
    }
    return differ ? 1 : 0;
  }
  if (args.size() < 3 || (args[0] != "check" && args[0] != "write")) {
    std::cerr << "usage: golden_data check|write movegen|search|strong|book FILE [PGN...]\n";
    return 2;
  }
  const std::string& set = args[1];
  const std::string& path = args[2];
  Lines lines;
  if (set == "movegen")
    lines = movegenLines();
  else if (set == "search")
    lines = searchLines();
  else if (set == "strong")
    lines = strongLines();
  else if (set == "book")
    lines = bookLines({args.begin() + 3, args.end()});
  else
    return 2;

  if (args[0] == "write") {
    std::ofstream out(path, std::ios::binary);
    for (const Line& line : lines) out << line.text << '\n';
    std::cout << path << ": " << lines.size() << " lines written\n";
    return out ? 0 : 1;
  }
  const std::vector<std::string> expected = readLines(path);
  int differences = 0;
  for (std::size_t i = 0; i < std::max(lines.size(), expected.size()); ++i) {
    const std::string want = i < expected.size() ? expected[i] : "(no line)";
    const Line got = i < lines.size() ? lines[i] : Line{"(no line)", ""};
    if (want == got.text) continue;
    if (++differences <= 10)
      std::cout << path << ":" << i + 1 << "\n  expected " << want << "\n  now      " << got.text << got.note << "\n";
  }
  std::cout << differences << " of " << expected.size() << " lines differ\n";
  return differences ? 1 : 0;
}
