#include "fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string scratchDirectory;

void removeScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(scratchDirectory, ignored);
}

}  // namespace

void enterScratchDirectory() {
  if (!scratchDirectory.empty()) return;
  std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-fuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  scratchDirectory = pattern;
  std::filesystem::current_path(scratchDirectory);
  std::atexit(removeScratchDirectory);
}

namespace {

// Mostly the codes of the piece table; now and then a letterless kind code or
// any byte at all, as "_set" can store.
Piece pieceFromByte(std::uint8_t b) {
  static constexpr Piece TABLE[] = {WHITE_ROOK, WHITE_KNIGHT, WHITE_BISHOP, WHITE_QUEEN, WHITE_KING, WHITE_PAWN,
                                    BLACK_ROOK, BLACK_KNIGHT, BLACK_BISHOP, BLACK_QUEEN, BLACK_KING, BLACK_PAWN,
                                    EMPTY};
  constexpr unsigned TABLE_SIZE = sizeof TABLE;
  if (b < 0xF0) return TABLE[b % TABLE_SIZE];
  static constexpr Piece ODD[] = {5, 6, 7, 29, 30, 31, 9, 23, 32, 100, 127, 128, 200, 254};
  return ODD[(b - 0xF0) % sizeof ODD];
}

}  // namespace

CChessBoard positionFromBytes(ByteReader& bytes) {
  CChessBoard position;
  const std::uint8_t flags = bytes.next();
  if (flags & 2) {
    position.setupInitialPosition();
  } else {
    position.clearSquares();
  }
  position.sideToMove = flags & 1;
  position.castlingRights = flags >> 4;
  const std::uint8_t ep = bytes.next();
  position.enPassantSquare = (ep & 64) ? ALL_SQUARES[ep & 63] : NO_SQUARE;
  const int count = bytes.next();
  for (int i = 0; i < count && !bytes.empty(); ++i) {
    const Square square = ALL_SQUARES[bytes.next() & 63];
    position.squares[square] = pieceFromByte(bytes.next());
  }
  return position;
}

std::vector<std::string> splitLines(std::string_view text, std::size_t maxLines) {
  std::vector<std::string> lines;
  while (!text.empty() && lines.size() < maxLines) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool ScriptHost::takeCommand(std::string& line) {
  if (next >= lines.size()) return false;
  line = lines[next++];
  return true;
}
