#include "game_in_play.h"

#include "command_channel.h"
#include "driver/engine_io.h"
#include "dovrel2_doc.h"
#include "dovrel_view.h"
#include "draw_offer.h"
#include "driver/game.h"
#include "engine_bridge.h"
#include "engine_line.h"
#include "message_sink.h"
#include "promoting_sel_dlg.h"
#include "save_questions.h"
#include "search/engine_player.h"

namespace {

// The person's side: the one the engine does not play; with no engine
// player, the side to move.
bool personPlaysWhite(const Game& game) {
  if (game.enginePlayer) return game.enginePlayer != game.whitePlayer.get();
  return game.position.sideToMove != 0;
}

}  // namespace

GameInPlay::GameInPlay(EngineObjects objects, EngineBridge* engine, CommandChannel* channel, CDovrel2Doc* doc,
                     CDovrelView* view, QWidget* window)
    : QObject(window),
      objects(objects),
      engine(engine),
      channel(channel),
      doc(doc),
      view(view),
      window(window),
      promotionChooser([window] { return CPromotingSelDlg::ask(window); }),
      flow(objects.game) {}

void GameInPlay::send(const QString& command) { channel->send(command); }

void GameInPlay::startNewGame() { send(flow.newGameCommand()); }

void GameInPlay::gameOpened() {
  flow.restart();
  emit changed();
}

void GameInPlay::commandsTaken(const QStringList& lines) {
  for (const QString& line : lines) {
    // The engine replaces the game: a file named by the document no longer holds it.
    const QString word = line.trimmed().section(u' ', 0, 0);
    if (word == QLatin1String("new")) doc->gameRestarted();
    if (word == QLatin1String("_loadpgn")) doc->gameReplaced();
    flow.commandTaken(line.trimmed());
  }
}

void GameInPlay::engineLine(const QString& line) {
  doc->noteEngineLine(line);
  const EngineBridge::LineStamp& stamp = engine->lineStamp();
  flow.follow(stamp.at, stamp.plies, stamp.sideToMove);
  followClocks();
  const int sideToMove = objects.game.read([](const Game& game) { return game.position.sideToMove; });
  const EngineLineReaction reaction = EngineLineReaction::of(line, sideToMove);
  if (reaction.end) {
    // A result after the game has ended (a move the engine made as its flag fell) changes nothing.
    if (!flow.isOver()) endGame(*reaction.end, reaction.boxText);
  } else if (const std::optional<GameEnd> dead = flow.checkMaterial()) {
    endGame(*dead, dead->reason + u'\n' + dead->outcome());
  } else {
    if (reaction.box != EngineLineReaction::NO_BOX)
      showMessage(reaction.box == EngineLineReaction::ERROR ? QMessageBox::Critical : QMessageBox::Information,
                  reaction.boxText, window);
    if (!reaction.command.isEmpty()) send(reaction.command);
  }
}

void GameInPlay::followClocks() {
  if (const std::optional<GameEnd> end = flow.checkFlag()) {
    // An engine thinking on a fallen flag stops; its move, if any, is taken back below.
    objects.io.stopRequested = !engine->isIdle();
    endGame(*end, end->flagBoxText());
  }
}

// The result goes to the engine once it waits; a move it made after the flag fell is taken back.
void GameInPlay::endGame(const GameEnd& end, const QString& boxText) {
  const int pliesAtEnd = objects.game.read([](const Game& game) { return static_cast<int>(game.history.size()); });
  flow.finish(end);
  emit statusMessage(end.announcement());
  emit changed();
  const bool flagFall = end.reason == QLatin1String("time");
  engine->whenIdle([this, flagFall, pliesAtEnd, score = end.score] {
    const int plies = objects.game.read([](const Game& game) { return static_cast<int>(game.history.size()); });
    send((flagFall && plies > pliesAtEnd ? QStringLiteral("undo\n") : QString()) + QStringLiteral("result ") + score);
  });
  showMessage(QMessageBox::Information, boxText, window);
}

void GameInPlay::engineMoves() {
  if (flow.isOver()) return;
  sendOnPersonsTurn([this] {
    const int sideToMove = objects.game.read([](const Game& game) { return game.position.sideToMove; });
    send(flow.withClocks(QStringLiteral("go"), sideToMove));
  });
}

// On the person's turn a command waits for an engine still busy with a new
// player's book; on the engine's own turn it is lost like any command, so a
// click made while the engine thinks never becomes a move played after it.
void GameInPlay::sendOnPersonsTurn(const std::function<void()>& sendIt) {
  const bool personsTurn = objects.game.read([](const Game& game) {
    const Player* mover = game.position.sideToMove ? game.whitePlayer.get() : game.blackPlayer.get();
    return mover != game.enginePlayer;
  });
  if (!personsTurn) {
    sendIt();
    return;
  }
  // One waiting command at a time, and none once the game has ended meanwhile.
  if (commandWaiting) return;
  commandWaiting = true;
  engine->whenIdle([this, sendIt] {
    commandWaiting = false;
    if (!flow.isOver()) sendIt();
  });
}

void GameInPlay::squareClicked(int square) {
  // A finished game takes no more moves; Nueva (or Atras) goes on from there.
  if (flow.isOver()) return;
  if (awaitingFirst) {
    fromSquare = square;
    awaitingFirst = false;
    view->setFromSquare(fromSquare);
    view->setAwaitingFirstClick(false);
    emit changed();
    return;
  }
  toSquare = square;
  QString move = QString::fromStdString(squareName(fromSquare) + squareName(toSquare));
  Piece origin = EMPTY;
  if (isValidSquare(fromSquare))
    origin = objects.game.read([this](const Game& game) { return game.position.squares[fromSquare]; });
  if ((origin == WHITE_PAWN && rankOf(fromSquare) == 6) || (origin == BLACK_PAWN && rankOf(fromSquare) == 1))
    move += CPromotingSelDlg::suffix(promotionChooser());
  // When the engine answers, it is told both clocks first.
  sendOnPersonsTurn([this, move] {
    const auto [sideToMove, engineAnswers] = objects.game.read(
        [](const Game& game) { return std::pair{game.position.sideToMove, game.enginePlayer != nullptr}; });
    send(engineAnswers ? flow.withClocks(move, 1 - sideToMove) : move);
  });
  awaitingFirst = true;
  view->setAwaitingFirstClick(true);
  emit changed();
}

void GameInPlay::pickCancelled() {
  awaitingFirst = true;
  view->setAwaitingFirstClick(true);
}

// The pasted game replaces the Game: only while the engine waits.
void GameInPlay::paste(const QString& text) {
  engine->whenIdle([this, text] {
    if (doc->pasteGame(text)) view->browseLive();
  });
}

bool GameInPlay::gameIsOver() {
  if (!doc->resultGiven()) return false;
  showMessage(QMessageBox::Information, QStringLiteral("La partida ya ha terminado."), window);
  return true;
}

void GameInPlay::resign() {
  if (gameIsOver() || !askBeforeResigning(window)) return;
  const bool white = objects.game.read(personPlaysWhite);
  const QString line = white ? QStringLiteral("0-1 {White resigns}") : QStringLiteral("1-0 {Black resigns}");
  doc->noteEngineLine(line);
  send(QStringLiteral("result ") + line);
  emit statusMessage(white ? QStringLiteral("Las blancas abandonan: ganan las negras.")
                           : QStringLiteral("Las negras abandonan: ganan las blancas."));
}

void GameInPlay::offerDraw() {
  if (gameIsOver()) return;
  const auto [hasEngine, accepts] = objects.game.read([](const Game& game) {
    const auto* player = dynamic_cast<const EnginePlayer*>(game.enginePlayer);
    if (!player) return std::pair{false, false};
    return std::pair{true, engineAcceptsDraw(player->lastScore, game.enginePlayer == game.whitePlayer.get())};
  });
  if (!hasEngine) {
    showMessage(QMessageBox::Information, QStringLiteral("No hay motor al que ofrecer tablas."), window);
    return;
  }
  if (!accepts) {
    showMessage(QMessageBox::Information, QStringLiteral("El motor rechaza las tablas y sigue jugando."), window);
    return;
  }
  const QString line = QStringLiteral("1/2-1/2 {Draw agreed}");
  doc->noteEngineLine(line);
  send(QStringLiteral("result ") + line);
  showMessage(QMessageBox::Information, QStringLiteral("El motor acepta las tablas."), window);
}
