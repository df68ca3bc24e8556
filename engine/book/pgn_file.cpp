#include "book/pgn_file.h"

#include <filesystem>

namespace {
constexpr std::size_t BLOCK = 64 * 1024;
}

bool PgnFile::isRegularFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool PgnFile::open(const std::string& path) {
  close();
  if (!isRegularFile(path)) return false;
  file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  openPath = path;
  return true;
}

void PgnFile::attach(std::FILE* stream) {
  close();
  file = stream;
  if (file) bufferStart = std::ftell(file);
  if (bufferStart < 0) bufferStart = 0;
}

void PgnFile::close() {
  if (file) std::fclose(file);
  file = nullptr;
  openPath.clear();
  bufferStart = 0;
  position = filled = 0;
  ended = nulRead = false;
}

bool PgnFile::refill() {
  if (!file) return false;
  buffer.resize(BLOCK);
  bufferStart += static_cast<long>(filled);
  position = 0;
  filled = std::fread(buffer.data(), 1, BLOCK, file);
  return filled > 0;
}

// Within the bytes already held (the reader steps back over one word at a
// time) no read is needed.
void PgnFile::seek(long offset) {
  ended = false;
  if (offset >= bufferStart && offset <= bufferStart + static_cast<long>(filled)) {
    position = static_cast<std::size_t>(offset - bufferStart);
    return;
  }
  if (!file) return;
  std::fseek(file, offset, SEEK_SET);
  bufferStart = offset;
  position = filled = 0;
}

void PgnFile::skipByteOrderMark() {
  const int first = get();
  if (first != 0xEF) {
    if (first != EOF) unget();
    return;
  }
  const int second = get();
  const int third = second == 0xBB ? get() : EOF;
  if (third != 0xBF) seek(0);
}

bool PgnFile::looksWide() {
  if (bufferStart != 0 || (position == filled && !refill())) return false;
  const auto byte = [this](std::size_t at) { return static_cast<unsigned char>(buffer[at]); };
  if (filled < 2) return false;
  const int first = byte(0), second = byte(1);
  return (first == 0xFF && second == 0xFE) || (first == 0xFE && second == 0xFF) || (first == 0) != (second == 0);
}
