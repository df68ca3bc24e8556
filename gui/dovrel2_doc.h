#pragma once
// The document: one game read from a PGN file or written as its move list.
// It holds no data of its own; the game lives in the engine's Game.

#include <QObject>
#include <QString>

class Game;
class QWidget;

class CDovrel2Doc : public QObject {
  Q_OBJECT

 public:
  explicit CDovrel2Doc(Game& game, QObject* parent = nullptr) : QObject(parent), game(game) {}

  // Starts a new game and plays the first game of the file into it, as the
  // engine's "_loadpgn" does. Shows "Error loading file" when the file cannot
  // be read (the game stays) or holds no readable move (the new game stays,
  // untitled). The engine worker must be idle.
  bool openDocument(const QString& path);
  // Writes the move list text and nothing else.
  bool saveDocument(const QString& path);
  // Ctrl+N, and a new game in the engine: forgets the file name; the game stays.
  void newDocument();
  // The window its message boxes belong to.
  void setWindow(QWidget* owner) { window = owner; }

  const QString& pathName() const { return path; }
  // "name.pgn - dovrel2", or the bare title before a file is named.
  QString windowTitle() const;

 signals:
  void refreshViews();
  void titleChanged();

 private:
  Game& game;
  QString path;
  QWidget* window = nullptr;
};
