// Any file as a PGN: loaded as the opening book (every game, as at start-up)
// and as "_loadpgn" loads it (the first game, after a new game). The book must
// then answer a probe of the position the games left, legal moves only, and
// a loaded game never starts from a position the set-up check refuses.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "book/opening_book.h"
#include "book/pgn_reader.h"
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
  return 0;
}
