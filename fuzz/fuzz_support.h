#pragma once
// Shared pieces of the fuzz targets: a private working directory, a position
// built from fuzz bytes, and an EngineHost that feeds a fixed list of lines.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "driver/engine_host.h"
#include "position/chess_board.h"

// The engine reads and writes files in the working directory ("pos.log",
// "_loadpgn" names), so every fuzz process moves into a fresh directory of its own.
void enterScratchDirectory();

// Reads fuzz bytes from the front of a buffer; past the end it yields zeros.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
  std::uint8_t next() { return offset < size ? data[offset++] : 0; }
  bool empty() const { return offset >= size; }
  std::string_view rest() const {
    return {reinterpret_cast<const char*>(data) + offset, size - offset};
  }

 private:
  const std::uint8_t* data;
  std::size_t size;
  std::size_t offset = 0;
};

// A position of any shape the engine may be handed through "_set", edit mode or
// "pos.log": no kings, many kings, a crowd of queens, pawns on the back ranks,
// letterless or stray piece codes. Layout of the bytes used:
//   flags (bit 0 White to move, bit 1 start from the initial position instead
//   of an empty board, bits 4..7 castling rights), en-passant byte (bit 6 set:
//   square index in the low 6 bits), count n, then n pairs (square index, piece).
CChessBoard positionFromBytes(ByteReader& bytes);

// The lines of a fuzz input, split at line ends, at most maxLines of them.
std::vector<std::string> splitLines(std::string_view text, std::size_t maxLines);

// Hands the engine a prepared list of lines, then reports end of input.
class ScriptHost : public EngineHost {
 public:
  explicit ScriptHost(std::vector<std::string> lines, bool windowed = false)
      : lines(std::move(lines)), windowed(windowed) {}

  bool takeCommand(std::string& line) override;
  void lineWritten(const std::string&) override {}
  void debugText(const std::string&, int) override {}
  void notifyHost(int code, int) override {
    if (code == SEARCH_STARTED) ++searches;
  }
  void searchStats(int, int) override {}
  bool isWindowedProgram() const override { return windowed; }

  int searches = 0;

 private:
  std::vector<std::string> lines;
  std::size_t next = 0;
  bool windowed;
};
