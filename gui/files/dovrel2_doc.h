#pragma once
// The document: one game read from a PGN file or written to one. The game
// itself lives in the engine's Game; the document keeps what the file said
// about it (its tags and result, the bytes it came from) and the game as last
// read or written, which tells whether it has changed since.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "book/game_tree.h"
#include "book/pgn_tag.h"

class Game;
struct GameFileRead;
class QWidget;

class CDovrel2Doc : public QObject {
  Q_OBJECT

 public:
  explicit CDovrel2Doc(Game& game, QObject* parent = nullptr);

  // Reads the first game of the file as PGN: its tags are kept, a FEN tag
  // sets up its start, its comments, NAGs and variations are kept. All or
  // nothing: a file that cannot be read, or a word that is no legal move,
  // leaves the game and the document as they were and says why, with the
  // file's name and the line. The engine worker must be idle.
  // `offset` picks a game of a collection by where its tags begin.
  bool openDocument(const QString& path, long offset = 0);
  // The same in two steps, so the reading can run on another thread: the
  // read touches nothing of the document, openRead takes its game.
  static GameFileRead readForOpening(const QString& path, long offset);
  bool openRead(const QString& path, long offset, const GameFileRead& read);
  // Pegar FEN/PGN: a game or a position from text, as from an unnamed file;
  // text that is neither says why and changes nothing.
  bool pasteGame(const QString& text);
  // Writes the game as standard PGN, whole or not at all; a failure is shown
  // and changes nothing. The file the game was read from, when it holds other
  // games too, keeps them: only this game's bytes are replaced.
  bool saveDocument(const QString& path);
  // Ctrl+N: forgets the file name; the game stays.
  void newDocument();
  // The engine starts a new game: no file, nothing to save yet, today's date.
  void gameRestarted();
  // The pasted start of a game set up with its seats: the PGN names who sits there.
  void nameSeatedPlayers() { namesFromPlayers = true; }
  // The engine loaded a game of its own accord ("_loadpgn"): no file, unsaved.
  void gameReplaced();
  // Result lines and resignations, for the saved game's result.
  void noteEngineLine(const QString& line);
  // The game as it stands has ended: its result and the reason, which saving
  // writes as a comment after the last move.
  void noteResult(const QString& score, const QString& reason);
  // A result was given for the game as it stands: a mate, a resignation, a draw.
  bool resultGiven() const { return !engineResult.token.empty() && engineResult.key == gameKey(); }
  // Who sits at a side (1 White, 0 Black) when it is no person and not kelvo,
  // for the saved game's names; empty for the usual ones.
  void setSeatNamer(std::function<QString(int side)> namer) { seatNamer = std::move(namer); }
  // The window its message boxes belong to.
  void setWindow(QWidget* owner) { window = owner; }

  const QString& pathName() const { return path; }
  bool isModified() const;
  // The file holds other games besides this one.
  bool isCollection() const { return !path.isEmpty() && moreGames; }
  // "name.pgn[*] - dovrel2", or "dovrel2[*]" before a file is named; the
  // window shows the mark while the game has unsaved changes.
  QString windowTitle() const;
  // What saving writes.
  std::string pgnText() const;
  // A review of the game as it stands, written with it as NAGs, [%eval]
  // comments and variations; the one read from the file comes back here.
  void setReviewNotes(std::vector<PgnAnnotation> notes);
  // The notes for the game as it stands, or none when the moves changed since.
  const std::vector<PgnAnnotation>* reviewNotes() const;
  // The game's comments, NAGs and variations, along its main line as it
  // stands: moves added keep the annotations of those before them, a
  // take-back keeps those of the moves that remain.
  const GameTree& gameTree() const;
  // A move played after the tree's node at `path` (a legal one there): a step
  // to the node it leads to, or a new variation, which changes the document.
  // None when `path` leads nowhere or the move would extend the main line.
  std::optional<TreeStep> playInTree(const TreePath& path, const Move& move);

 signals:
  void refreshViews();
  void titleChanged();

 private:
  // The game as its start and moves, comparable.
  std::string gameKey() const;
  // Puts a game read from a file into the Game, or shows why it could not be
  // read; the game's bytes go to gameBytes.
  bool takeGame(const GameFileRead& read, bool& moreFollow);
  std::vector<PgnTag> tagsToWrite() const;
  bool replaceInCollection(const std::string& text);
  void saved(const QString& fileName, const QByteArray& bytes, bool collection);

  Game& game;
  QString path;
  QWidget* window = nullptr;
  std::vector<PgnTag> tags;
  std::function<QString(int side)> seatNamer;
  bool namesFromPlayers = true;  // a game played here: White and Black are who played it
  std::string savedKey;          // the game as last read, written or started
  struct Result {
    std::string key, token, reason;
  } fileResult, engineResult;    // a result holds for the game it was given for
  struct Notes {
    std::string key;
    std::vector<PgnAnnotation> notes;
  } review;                      // like a result, notes hold for the game they were made for
  bool reviewUnsaved = false;    // a review made since the game was last read or written
  mutable GameTree tree;         // its main line follows the game's when asked for
  bool treeUnsaved = false;      // a variation added since the game was last read or written
  QByteArray gameBytes;          // the file's bytes this game was read from or written as
  bool moreGames = false;
  long gameOffset = 0;           // where gameBytes begin in the file
};
