#pragma once
// A PGN file read byte by byte through one large buffer, addressed by byte
// offsets. The reader walks a book of ten thousand games with one open and a
// few dozen block reads instead of one open and a locked getc per byte.
//
// The file is read in binary mode, so an offset is the byte count on every
// platform and a carriage return is just another blank.

#include <cstdio>
#include <string>
#include <vector>

class PgnFile {
 public:
  PgnFile() = default;
  ~PgnFile() { close(); }
  PgnFile(const PgnFile&) = delete;
  PgnFile& operator=(const PgnFile&) = delete;

  bool open(const std::string& path);
  // Takes over a file that is already open (tests).
  void attach(std::FILE* stream);
  void close();
  bool isOpen() const { return file != nullptr; }
  const std::string& path() const { return openPath; }

  // The next byte (0..255), or EOF at the end of the file.
  int get() {
    if (position == filled && !refill()) {
      ended = true;
      return EOF;
    }
    return static_cast<unsigned char>(buffer[position++]);
  }
  // Steps back over the byte the last get returned.
  void unget() {
    if (position > 0) --position;
    ended = false;
  }
  long tell() const { return bufferStart + static_cast<long>(position); }
  void seek(long offset);
  // Did a get reach the end of the file since the last seek?
  bool atEnd() const { return ended; }

 private:
  bool refill();

  std::FILE* file = nullptr;
  std::string openPath;
  std::vector<char> buffer;
  long bufferStart = 0;       // file offset of buffer[0]
  std::size_t position = 0;   // next byte in the buffer
  std::size_t filled = 0;     // bytes held
  bool ended = false;
};
