// SAN and coordinate readers against positions of any shape. Every text the
// engine accepts as a move is also played, as the PGN reader and the command
// loop would; every legal move written as SAN must read back to itself in
// positions that a game can reach.

#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "position/move_gen.h"
#include "position/notation.h"

namespace {

// One king each, only lettered codes, no pawn on a back rank, and the side that
// just moved not left in check: here SAN must identify every legal move.
bool isGamePosition(const CChessBoard& position) {
  int whiteKings = 0;
  int blackKings = 0;
  for (Square s : ALL_SQUARES) {
    const Piece piece = position.squares[s];
    if (piece == EMPTY) continue;
    if (pieceLetter(piece) == ' ') return false;
    if (isPawn(piece) && (rankOf(s) == 0 || rankOf(s) == 7)) return false;
    whiteKings += piece == WHITE_KING;
    blackKings += piece == BLACK_KING;
  }
  if (whiteKings != 1 || blackKings != 1) return false;
  CChessBoard scratch = position;
  return !canCaptureKing(scratch);
}

void playAndContinue(const CChessBoard& position, const Move& move) {
  CChessBoard after = position;
  makeMove(after, move);
  after.switchSide();
  generateMoves(after, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader bytes(data, size);
  const CChessBoard position = positionFromBytes(bytes);

  for (const std::string& text : splitLines(bytes.rest(), 8)) {
    CChessBoard scratch = position;
    const Move san = parseSan(scratch, text);
    if (!san.isNull()) playAndContinue(position, san);

    const Move coordinates = parseCoordinateMove(position, text);
    scratch = position;
    if (findMove(scratch, coordinates.from, coordinates.to)) playAndContinue(position, coordinates);
  }

  CChessBoard listed = position;
  generateMoves(listed, false);
  const bool gamePosition = isGamePosition(position);
  for (int i = 0; i < listed.moveCount; ++i) {
    const Move& move = listed.moves[i];
    const std::string text = moveToSan(listed, move);
    moveToCoordinates(move);
    if (!gamePosition) continue;
    CChessBoard scratch = position;
    if (!parseSan(scratch, text).sameSquares(move)) std::abort();
  }
  return 0;
}
