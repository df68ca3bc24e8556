#pragma once
// The one owner of the window's play state: which game is in play, whether
// the board shows it live or a browsed ply (a view offset, never a state of
// the game), whether and how it has ended, the two clocks, and who plays
// which side. Every way into it goes through here:
//   - moves: squareClicked (a person's), engineLine (the engine's lines);
//   - a game put in play: startNewGame (Nueva), gameReplaced (Abrir in all
//     its forms, Pegar), gameEvent (a new game, a take-back, the engine
//     taking a side, as the engine reports them), takeBack (Atras),
//     engineMoves (Mueve!);
//   - endings: resign, offerDraw, the engine's result lines, insufficient
//     material, followClocks (a fallen flag) - all of them through end(),
//     the one place that ends a game: clocks stopped, result noted for
//     saving and Copiar PGN, shown in the move list and the status bar.
// A game put in play is shown live, with fresh clocks and no end, and an
// opened or pasted game that is already over is ended at once.
// Others listen to the signals; none of them decides a result itself.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

#include "book/game_tree.h"
#include "engine/engine_objects.h"
#include "external/engine_list.h"
#include "external/new_game_dlg.h"
#include "game/game_flow.h"
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
  static constexpr int PAGE_PLIES = 10;

  GameInPlay(EngineObjects objects, EngineBridge* engine, CommandChannel* channel, CDovrel2Doc* doc,
             CDovrelView* view, QWidget* window);

  // Promotion choice; tests replace the dialog.
  void setPromotionChooser(std::function<int()> chooser) { promotionChooser = std::move(chooser); }

  // Board clicks: the first picks the origin, the second sends the move.
  void squareClicked(int square);
  // The person dropped the picked piece back.
  void pickCancelled();
  bool awaitingFirstClick() const { return awaitingFirst; }
  void startNewGame();
  // The document holds a new game (opened or pasted); the engine worker is idle.
  void gameReplaced();
  // Abrir or Pegar put a game in play: no seats of an earlier game stay.
  void gameOpened();
  // Pegar: the clipboard's game or position replaces the game.
  void paste(const QString& text);
  void takeBack();
  void engineMoves();
  // Nueva partida's game: each side a person, kelvo or an engine of `engines`.
  void startGame(const NewGameDlg::Choices& chosen, const EngineList& engines);
  // Detener: the engines stop and the game ends without a result.
  void stopGame();
  EngineTurns* engineTurns() const { return turns; }
  void resign();
  void offerDraw();
  // What the engine's commands did to the game (EngineHost's codes) / a line it wrote.
  void gameEvent(int code, int value);
  void engineLine(const QString& line);
  // The clocks' tick: a fallen flag ends the game.
  void followClocks();
  // Ends the game (once): a box with `boxText` unless it is empty.
  void end(const GameEnd& end, const QString& boxText);

  // Browsing: by plies from the shown position (the first entry at most), to
  // an entry, or back to the live position. Inside a variation a ply goes
  // along the variation.
  void browseBy(int plies);
  void browseTo(int entry);
  void browseLive();
  // Shows a node of the game's tree: a main-line ply or a variation's move.
  void browseNode(const TreePath& path);
  // The node shown: empty at the start (or live with no moves).
  TreePath shownNode() const;

  // A move played while browsing that is new there: a variation, or (asked
  // once, then as kelvo.ini says) the rest of the game replaced by it.
  enum class BrowsedMove { Variation, Replace };
  // The question's box; tests replace it.
  void setBrowsedMoveChooser(std::function<BrowsedMove()> chooser) { browsedMoveChooser = std::move(chooser); }

  bool isOver() const { return flow.isOver(); }
  GameFlow& gameFlow() { return flow; }
  const GameFlow& gameFlow() const { return flow; }
  // 1 when the person plays White, 0 Black.
  int personSide() const;

 signals:
  // Redraw: the game, its end, the shown ply or the move entry changed.
  void changed();
  // Another game is in play (new, opened or pasted).
  void replaced();
  void ended(const GameEnd& end);
  void statusMessage(const QString& text);

 private:
  // A game that has ended is neither resigned nor drawn again.
  bool refuseWhenOver();
  // Everything an ending does but stopping the clocks, which `flow` has done.
  void announce(const GameEnd& end, const QString& boxText);
  int historySize() const;
  void sendOnPersonsTurn(const std::function<void()>& send);
  void send(const QString& command);
  // Live, fresh clocks, no end, nothing picked, the board toward the person.
  void putInPlay();
  void turnBoardToPerson();
  // kelvo is to move at its seat: "go" once it waits, if still so.
  void builtInToMove();
  // An external engine's move goes to kelvo like a person's.
  void playEngineMove(const QString& move);
  // An external engine failed: a game under way is its loss, else only told.
  void engineFault(int side, const QString& reason, bool gameBegan);
  SearchLimits engineLimits() const;
  // The person's move, as played on the live board.
  void sendPersonMove(const QString& move, int from, int to);
  // A move made on a browsed position: a step along the tree, a new
  // variation, or the game's rest replaced. Never touches a game the engines play.
  void playWhileBrowsing(int from, int to);
  bool browsing() const;
  // An engine plays or has played in the game as it goes on.
  bool engineGameRunning() const;
  BrowsedMove browsedMoveChoice();
  // Main-line tree index k is history entry k + treeOffset().
  int treeOffset() const;

  EngineObjects objects;
  EngineBridge* engine;
  CommandChannel* channel;
  CDovrel2Doc* doc;
  CDovrelView* view;
  QWidget* window;
  std::function<int()> promotionChooser;
  std::function<BrowsedMove()> browsedMoveChooser;
  TreePath variationNode;  // while the view shows a variation's position
  GameFlow flow;
  EngineTurns* turns;
  bool commandWaiting = false;  // a person's command waits for the engine
  int personMoved = -1;         // the side the person has moved in this game; -1: none yet
  bool awaitingFirst = true;
  int fromSquare = 0;
  int toSquare = 0;
};
