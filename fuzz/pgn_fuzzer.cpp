// Any file as a PGN: loaded as the opening book (every game, as at start-up)
// and as "_loadpgn" loads it (the first game, after a new game). The book must
// then answer a probe of the position the games left, legal moves only.

#include <cstdio>
#include <string>

#include "book/opening_book.h"
#include "book/pgn_reader.h"
#include "driver/game.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  enterScratchDirectory();
  const char* const path = "input.pgn";
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  OpeningBook book;
  book.loadBook(path);
  Game& game = Game::instance();
  book.probeLegalMoves(game.position);

  game.startNewGame();
  PgnReader reader;
  reader.readGame(path, 0, nullptr);
  book.probeLegalMoves(game.position);
  return 0;
}
