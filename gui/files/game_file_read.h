#pragma once
// One game of a PGN file read into memory, apart from the Game in play, so the
// reading (a long game, a comment of megabytes) can run off the window thread
// and the Game changes only when the whole game has been read.

#include <QByteArray>
#include <QString>
#include <vector>

#include "book/pgn_reader.h"
#include "position/chess_board.h"

struct GameFileRead {
  std::vector<CChessBoard> moves;  // the position after each ply
  PgnGameInfo info;
  QByteArray bytes;                // the file's bytes of this game
  QString why;                     // empty when the game was read; else why not, in Spanish

  bool ok() const { return why.isEmpty(); }
};

// Reads the game whose tags begin at `offset`, naming the file `shownName` in
// what it says. Touches nothing shared: safe on any thread.
GameFileRead readGameFile(const QString& fileName, long offset, const QString& shownName);
