#pragma once
// Reads PGN games into a game it is given, move by move, optionally adding every
// (position, move) pair to an opening book. A game is addressed by the byte
// offset of its tag section; tag values are never read. Variations are not
// recognised: their words are read as moves of the main line.

#include <cstdio>
#include <string>
#include <unordered_map>

#include "book/replay_target.h"
#include "position/move.h"

class OpeningBook;

class PgnReader {
 public:
  PgnReader() = default;
  ~PgnReader();
  PgnReader(const PgnReader&) = delete;
  PgnReader& operator=(const PgnReader&) = delete;

  // Plays the game at `offset` into `game` (from the initial position; for a
  // book the history is cleared too). Returns the offset of the next game, or
  // 0 at the end of the file (or at a NUL byte, which ends the readable text),
  // when the file cannot be opened, or at the first word that is not a legal
  // move (the moves before it stay played). A UTF-8 byte-order mark at the
  // start of the file is skipped.
  long readGame(const std::string& path, long offset, OpeningBook* book, ReplayTarget& game);

  // The next movetext token of the open file: "" at the end of the movetext
  // (a tag section follows, or end of file), a result, "-1" when the file ends
  // inside a comment, "0-0" or "0-0-0", or a move word from its first letter on.
  std::string nextToken();
  // Consumes the tag section.
  void skipTags();
  // "0-0", "0-0-0" or "" after keeping only the word's zeros and hyphens.
  static std::string castlingToken(const std::string& word);

  // For tests: reads from an already open file (the reader takes it over).
  void attach(std::FILE* stream);

 private:
  int readChar();
  bool textEnded() const;
  void skipByteOrderMark();
  bool readWord(std::string& word);
  void close();
  Move parseBookMove(CChessBoard& position, const std::string& token);

  std::FILE* file = nullptr;
  bool nulRead = false;  // the readable text has ended
  // Book games share their openings, so the same word is read in the same
  // position thousands of times; parseSan depends on nothing but the position
  // proper and the word. Kept for the life of the reader (one book load).
  std::unordered_map<std::string, Move> bookMoves;
};
