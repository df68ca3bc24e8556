#pragma once
// Reads PGN games into a game it is given, move by move, or walks a whole file
// into an opening book. A game is addressed by the byte offset of its tag
// section.
//
// A loaded game (readGame) is read as PGN defines it: its tags are kept, a FEN
// tag sets up its start and the main line is read to its end; with its info
// asked for, its comments, NAGs and variations come as a tree too. The book's walk reads the
// movetext word by word as it always has (tag values unread, no variations),
// so a book gives the same entries whatever its annotations.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "book/opening_book.h"
#include "book/opening_names.h"
#include "book/pgn_file.h"
#include "book/pgn_tag.h"
#include "book/replay_target.h"
#include "position/chess_board.h"

// Every ply keeps a whole position in the history, so a file holding one endless
// game would exhaust memory. No game reaches this length (the 75-move and
// fivefold-repetition rules end every game sooner); a longer one is cut here.
inline constexpr int MAX_GAME_PLIES = 20000;

class PgnReader {
 public:
  PgnReader() = default;
  PgnReader(const PgnReader&) = delete;
  PgnReader& operator=(const PgnReader&) = delete;

  // Plays the game at `offset` into `game` (from the initial position; for a
  // book the history is cleared too). Returns the offset of the next game, or
  // 0 at the end of the file (or at a NUL byte, which ends the readable text),
  // when the file cannot be opened, or at the first word that is not a legal
  // move (the moves before it stay played). A UTF-8 byte-order mark at the
  // start of the file is skipped. `info`, when given, receives the tags, the
  // start, the result, where the game ends and where reading failed.
  long readGame(const std::string& path, long offset, OpeningBook* book, ReplayTarget& game,
                PgnGameInfo* info = nullptr);

  // Adds the game at `offset` to the book without replaying it anywhere; the
  // same entries as readGame. The file stays open for the next game, and the plies
  // this game shares with the previous one are not parsed or made again.
  // With `names`, a game read to its end names its last position after its
  // ECO and Opening tags.
  long readBookGame(const std::string& path, long offset, OpeningBook& book, OpeningNames* names = nullptr);
  // The moves of the last game readBookGame read, up to where it stopped.
  std::vector<Move> bookGameMoves() const;

  // The next movetext token of the open file: "" at the end of the movetext
  // (a tag section follows, or end of file), a result, "-1" when the file ends
  // inside a comment, "0-0" or "0-0-0", or a move word from its first letter on.
  std::string nextToken();
  // Consumes the tag section.
  void skipTags();
  // "0-0", "0-0-0" or "" after keeping only the word's zeros and hyphens.
  static std::string castlingToken(const std::string& word);

  // The next move word of a loaded game's movetext: comments, NAGs,
  // variations and move numbers skipped, annotation marks cut off; "" at the
  // end of the movetext, a result or "*", "-1" when the file ends inside a
  // comment or variation.
  std::string nextGameToken();

  // For tests: reads from an already open file (the reader takes it over).
  void attach(std::FILE* stream);

 private:
  bool readWord(std::string& word);
  void readTags(OpeningName* name);
  void readTagPairs(std::vector<PgnTag>& tags);
  // With `kept`, the bytes passed over (up to a bounded length) are kept there.
  bool skipPast(int closing, std::string* kept = nullptr);
  bool skipVariation(std::string* kept = nullptr);
  // A comment, NAG or variation read after the last move played goes to its annotation.
  PgnAnnotation* noting();
  static void keepTag(const std::string& tag, OpeningName& name);
  bool openAt(const std::string& path, long offset);
  void readTree(long movetextStart, const CChessBoard& start, const std::vector<Move>& moves, GameTree& tree);
  // After the movetext: the offset of the next game, or 0 at the end of the file.
  long nextGameOffset();

  // The last book game, ply by ply: the word, the book entry it made (the
  // position before the move and the move), that position's hash, and the
  // position after the move.
  struct BookLine {
    std::vector<std::string> tokens;
    std::vector<BookEntry> entries;
    std::vector<std::uint64_t> hashes;
    std::vector<CBoard> after;
    void truncate(std::size_t plies);
  };

  PgnFile file;
  BookLine line;
  std::size_t bookLineLength = 0;  // plies of the line that belong to the last game
  CChessBoard scratch;             // the SAN parser reads a whole position
  long tokenStart = 0;             // offset of the word nextGameToken returned last
  // While a loaded game is read with its info asked for: where the moves' annotations go.
  std::vector<PgnAnnotation>* annotations = nullptr;
  int markNag = 0;                 // the NAG of the mark cut off the word returned last
  char unclosed = 0;               // "{" or "(" when nextGameToken returned "-1"
};
