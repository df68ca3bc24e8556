// The board picture reader: any text, read directly and as "_readpos" reads
// "pos.log". Whatever was read must survive a write and a second read unchanged.

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string>

#include "driver/commands.h"
#include "driver/engine_io.h"
#include "fuzz_support.h"
#include "position/move_gen.h"

namespace {

void checkRoundTrip(const CChessBoard& position) {
  std::stringstream picture;
  position.writePicture(picture);
  CChessBoard again;
  again.clearSquares();
  again.readPicture(picture);
  for (Square s : ALL_SQUARES)
    if (again.squares[s] != position.squares[s]) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  enterScratchDirectory();
  const std::string text(reinterpret_cast<const char*>(data), size);

  CChessBoard position;
  position.setupInitialPosition();
  std::istringstream in(text);
  position.readPicture(in);
  checkRoundTrip(position);
  generateMoves(position, false);

  std::FILE* file = std::fopen("pos.log", "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  static std::ostream discard(nullptr);
  ScriptHost host({});
  EngineIO& io = EngineIO::instance();
  io.setHost(&host);
  io.setOutput(&discard);
  for (const char* line : {"new", "force", "_readpos", "_showlegal", "_writepos", "_readpos", "e2e4"})
    dispatchCommand(line);
  io.setHost(nullptr);
  return 0;
}
