#pragma once
// A PGN file read byte by byte through one large buffer, addressed by byte
// offsets. The reader walks a book of ten thousand games with one open and a
// few dozen block reads instead of one open and a locked getc per byte.
//
// The file is read in binary mode, so an offset is the byte count on every
// platform and a carriage return is just another blank.
//
// A NUL byte cannot occur in PGN text: it ends the readable text for good, as
// the end of the file does, and what was read before it stays read. NULs are
// neither blank nor text, so without this the tag skipper would never stop on
// a device that yields nothing else (/dev/zero).

#include <cstdio>
#include <string>
#include <vector>

class PgnFile {
 public:
  PgnFile() = default;
  ~PgnFile() { close(); }
  PgnFile(const PgnFile&) = delete;
  PgnFile& operator=(const PgnFile&) = delete;

  // Only a regular file (or a link to one) is opened: a pipe or a device
  // would block in the open or never end, and a folder holds no text.
  bool open(const std::string& path);
  static bool isRegularFile(const std::string& path);
  // Does the text start as UTF-16 does (a byte-order mark, or a NUL in one of
  // its first two bytes)? Call before the first get.
  bool looksWide();
  // Takes over a file that is already open (tests).
  void attach(std::FILE* stream);
  void close();
  bool isOpen() const { return file != nullptr; }
  const std::string& path() const { return openPath; }

  // The next byte (1..255), or EOF at the end of the text.
  int get() {
    if (nulRead || (position == filled && !refill())) {
      ended = true;
      return EOF;
    }
    const int c = static_cast<unsigned char>(buffer[position++]);
    if (c != 0) return c;
    nulRead = ended = true;
    return EOF;
  }
  // Steps back over the byte the last get returned.
  void unget() {
    if (position > 0) --position;
    ended = false;
  }
  // Reads on while `part(byte)` holds and appends what it reads to `text`,
  // when given, up to `limit` bytes in all. The byte that ends the run (a NUL
  // always does) is left unread. Runs are copied a block at a time rather
  // than byte by byte: words and tag values are most of a book.
  template <class Part>
  void readRun(Part&& part, std::string* text = nullptr, std::size_t limit = std::string::npos) {
    while (!nulRead && (!text || text->size() < limit)) {
      if (position == filled && !refill()) return;
      const char* const begin = buffer.data() + position;
      const char* const end = buffer.data() + filled;
      const char* stop = begin;
      const std::size_t room = text ? limit - text->size() : filled - position;
      while (stop < end && static_cast<std::size_t>(stop - begin) < room && *stop != '\0' &&
             part(static_cast<unsigned char>(*stop)))
        ++stop;
      if (text) text->append(begin, stop);
      position += static_cast<std::size_t>(stop - begin);
      if (stop < end) return;  // a byte that ends the run, or the limit
    }
  }
  long tell() const { return bufferStart + static_cast<long>(position); }
  void seek(long offset);
  // Did a get reach the end of the text since the last seek (or a NUL ever)?
  bool atEnd() const { return ended || nulRead; }
  // Many editors start a UTF-8 file with a byte-order mark; read as text it
  // would glue itself to the first tag and empty the whole book.
  void skipByteOrderMark();

 private:
  bool refill();

  std::FILE* file = nullptr;
  std::string openPath;
  std::vector<char> buffer;
  long bufferStart = 0;       // file offset of buffer[0]
  std::size_t position = 0;   // next byte in the buffer
  std::size_t filled = 0;     // bytes held
  bool ended = false;
  bool nulRead = false;
};
