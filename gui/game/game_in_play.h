#pragma once
// The window's game in play: the entries that move it on or end it (a
// person's move, the engine's lines, Nueva, an opened or pasted game,
// Mueve!, Abandonar, Ofrecer tablas, a fallen flag) and what they leave: the
// clocks and the game's end, kept in `flow`. The frame wires menus and
// panels to these entries and redraws on `changed`.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

#include "engine_list.h"
#include "engine_objects.h"
#include "game_flow.h"
#include "new_game_dlg.h"
#include "search/search_limits.h"

class CDovrel2Doc;
class CDovrelView;
class CommandChannel;
class EngineBridge;
class EngineTurns;
class QWidget;

class GameInPlay : public QObject {
  Q_OBJECT

 public:
  GameInPlay(EngineObjects objects, EngineBridge* engine, CommandChannel* channel, CDovrel2Doc* doc,
            CDovrelView* view, QWidget* window);

  // Promotion choice; tests replace the dialog.
  void setPromotionChooser(std::function<int()> chooser) { promotionChooser = std::move(chooser); }

  // Board clicks: the first picks the origin, the second sends the move.
  void squareClicked(int square);
  // The person dropped the picked piece back.
  void pickCancelled();
  bool awaitingFirstClick() const { return awaitingFirst; }
  // Nueva (and start-up).
  void startNewGame();
  // Mueve!: the engine takes the side to move, the person the other side.
  void engineMoves();
  // Nueva partida's game: each side a person, kelvo or an engine of `engines`.
  void startGame(const NewGameDlg::Choices& chosen, const EngineList& engines);
  // Detener: the engines stop and the game ends without a result.
  void stopGame();
  EngineTurns* engineTurns() const { return turns; }
  void resign();
  void offerDraw();
  // Pegar: the clipboard's game or position replaces the game.
  void paste(const QString& text);
  // The document holds a game read from a file.
  void gameOpened();
  // The engine is taking these command lines / wrote this line.
  void commandsTaken(const QStringList& lines);
  void engineLine(const QString& line);
  // The clocks' tick: a fallen flag ends the game.
  void followClocks();

  GameFlow& gameFlow() { return flow; }
  const GameFlow& gameFlow() const { return flow; }

 signals:
  // Redraw: the game, its end or the move entry changed.
  void changed();
  void statusMessage(const QString& text);

 private:
  void endGame(const GameEnd& end, const QString& boxText);
  // A game that has ended (a result given) is neither resigned nor drawn again.
  bool gameIsOver();
  void sendOnPersonsTurn(const std::function<void()>& send);
  void send(const QString& command);
  // kelvo is to move for its seat: "go" once it waits, if still so.
  void builtInToMove();
  // An external engine's move goes to kelvo like a person's.
  void playEngineMove(const QString& move);
  // An external engine failed: a game under way is its loss, else only told.
  void engineFault(int side, const QString& reason, bool gameBegan);
  SearchLimits engineLimits() const;

  EngineObjects objects;
  EngineBridge* engine;
  CommandChannel* channel;
  CDovrel2Doc* doc;
  CDovrelView* view;
  QWidget* window;
  std::function<int()> promotionChooser;
  GameFlow flow;
  EngineTurns* turns;
  bool commandWaiting = false;  // a person's command waits for the engine
  bool awaitingFirst = true;
  int fromSquare = 0;
  int toSquare = 0;
};
