// Any file as a PGN: loaded as the opening book (every game, as at start-up)
// and as "_loadpgn" loads it (the first game, after a new game). The book must
// then answer a probe of the position the games left, legal moves only, and
// a loaded game never starts from a position the set-up check refuses. The
// game's tree is written back, and the whole input read as one movetext.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "book/opening_book.h"
#include "book/game_tree.h"
#include "book/pgn_reader.h"
#include "book/pgn_writer.h"
#include "driver/game.h"
#include "fuzz_support.h"
#include "position/setup_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  enterScratchDirectory();
  const char* const path = "input.pgn";
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  OpeningBook book;
  Game& game = Game::instance();
  book.loadBook(path, game);
  book.probeLegalMoves(game.position);

  game.startNewGame();
  PgnReader reader;
  PgnGameInfo info;
  reader.readGame(path, 0, nullptr, game, &info);
  book.probeLegalMoves(game.position);
  if (checkSetup(info.start) != SetupFault::NONE) std::abort();
  PgnMoves moves = pgnMovesOfHistory(game.history);
  moves.tree = info.tree;
  if (writePgnGame(info.tags, moves, "*").empty()) std::abort();
  const GameTree tree = parseGameTree(info.start, std::string(reinterpret_cast<const char*>(data), size));
  if (tree.main.moves.size() > MAX_TREE_MOVES) std::abort();
  return 0;
}
