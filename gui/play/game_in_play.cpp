#include "game_in_play.h"

#include <QMessageBox>
#include <QPushButton>

#include "board/board_geometry.h"
#include "board/dovrel_view.h"
#include "book/pgn_writer.h"
#include "common/file_saver.h"
#include "common/message_sink.h"
#include "dialogs/promoting_sel_dlg.h"
#include "dialogs/save_questions.h"
#include "driver/engine_session.h"
#include "driver/game.h"
#include "engine/command_channel.h"
#include "engine/engine_bridge.h"
#include "engine/engine_line.h"
#include "external/chess_engine.h"
#include "external/engine_turns.h"
#include "files/dovrel2_doc.h"
#include "game/draw_offer.h"
#include "game/position_clipboard.h"
#include "built_in_player.h"
#include "memory_release.h"
#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "settings/settings_file.h"
#include "search/engine_player.h"

namespace {

GameInPlay::BrowsedMove askBrowsedMove(QWidget* window) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("dovrel2"),
                  GameInPlay::tr("Esa jugada no es la que sigue en la partida.\n"
                                 "¿Empieza una variante o reemplaza el resto de la partida?\n"
                                 "La elección se recuerda para las próximas veces."),
                  QMessageBox::NoButton, window);
  QPushButton* variation = box.addButton(GameInPlay::tr("Nueva variante"), QMessageBox::AcceptRole);
  QPushButton* replace = box.addButton(GameInPlay::tr("Reemplazar el resto"), QMessageBox::DestructiveRole);
  box.setDefaultButton(variation);
  box.setEscapeButton(variation);  // the choice that loses nothing
  box.exec();
  return box.clickedButton() == replace ? GameInPlay::BrowsedMove::Replace : GameInPlay::BrowsedMove::Variation;
}

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
      browsedMoveChooser([window] { return askBrowsedMove(window); }),
      flow(objects.game),
      turns(new EngineTurns(objects.game, this)) {
  turns->setGameOver([this] { return flow.isOver(); });
  turns->setLimits([this] { return engineLimits(); });
  connect(turns, &EngineTurns::movePlayed, this, [this](const QString& move) { playEngineMove(move); });
  connect(turns, &EngineTurns::fault, this, &GameInPlay::engineFault);
  doc->setSeatNamer([this](int side) {
    const SeatedPlayer* seated = turns->playerOf(side);
    return seated ? seated->seatName() : QString();
  });
}

void GameInPlay::send(const QString& command) { channel->send(command); }

// The quick new game: a person against kelvo, as ever.
void GameInPlay::startNewGame() {
  turns->clear();
  engine->setGameLevel(0);
  flow.useUsualTimeControl();
  send(flow.newGameCommand());
}

// The side of the person's own moves in this game; before the first, the
// side kelvo does not play. kelvo answers whichever side the person leaves
// it, so its player's seat may not say (a pasted position with Black to move).
int GameInPlay::personSide() const {
  if (personMoved >= 0) return personMoved;
  return objects.game.read(personPlaysWhite) ? 1 : 0;
}

void GameInPlay::putInPlay() {
  releaseFreeMemory();  // what the game before held
  flow.restart();
  personMoved = -1;
  view->browseLive();
  awaitingFirst = true;
  view->setAwaitingFirstClick(true);
  emit statusMessage(QString());
  emit replaced();
  emit changed();
}

void GameInPlay::gameReplaced() {
  putInPlay();
  turnBoardToPerson();
  // A game that is already over when it comes in ends here, without a box.
  std::string reason;
  const int outcome = objects.game.edit([&reason](Game& game) { return game.adjudicate(reason); });
  const char* const scores[] = {"*", "1-0", "1/2-1/2", "0-1"};
  if (outcome > GAME_GOES_ON && outcome <= BLACK_WINS)
    end({QLatin1String(scores[outcome]), QString::fromStdString(reason).remove(u'.')}, QString());
  else if (const std::optional<GameEnd> dead = flow.checkMaterial())
    announce(*dead, QString());
}

void GameInPlay::turnBoardToPerson() { view->setWhiteAtBottom(personSide() == 1); }

// The engine says what its commands did to the game, whoever sent them (the
// window's menus or a command typed in the command window).
void GameInPlay::gameEvent(int code, int value) {
  if (code == EngineHost::GAME_STARTED) {
    // The engine replaced the game: a file named by the document no longer holds it.
    if (value == 0)
      doc->gameRestarted();
    else
      doc->gameReplaced();
    putInPlay();
    view->setWhiteAtBottom(true);  // the person plays White
  } else if (code == EngineHost::PLIES_TAKEN_BACK) {
    flow.takenBack();
  } else if (code == EngineHost::ENGINE_TAKES_SIDE) {
    personMoved = -1;
    flow.engineThinks(value);
    // The board turns toward the person's side.
    view->setWhiteAtBottom(value == 0);
  }
}

void GameInPlay::engineLine(const QString& line) {
  const EngineBridge::LineStamp& stamp = engine->lineStamp();
  flow.follow(stamp.at, stamp.plies, stamp.sideToMove);
  followClocks();
  const int sideToMove = objects.game.read([](const Game& game) { return game.position.sideToMove; });
  const EngineLineReaction reaction = EngineLineReaction::of(line, sideToMove);
  if (reaction.end) {
    // A result after the game has ended (a move the engine made as its flag fell) changes nothing.
    end(*reaction.end, reaction.boxText);
  } else if (const std::optional<GameEnd> dead = flow.checkMaterial()) {
    announce(*dead, dead->reason + u'\n' + dead->outcome());
  } else {
    if (reaction.box != EngineLineReaction::NO_BOX)
      showMessage(reaction.box == EngineLineReaction::ERROR ? QMessageBox::Critical : QMessageBox::Information,
                  reaction.boxText, window);
    if (!reaction.command.isEmpty()) send(reaction.command);
  }
  turns->poll();
}

void GameInPlay::followClocks() {
  const int running = flow.clocks().running();
  if (const std::optional<GameEnd> fallen = flow.checkFlag()) {
    // An engine thinking on a fallen flag stops; its move, if any, is taken back below.
    if (!engine->isIdle()) objects.session.stopSearch();
    const SeatedPlayer* seated = running == ChessClocks::NOBODY ? nullptr : turns->playerOf(running);
    const QString name = seated ? seated->seatName() : QString();
    announce(*fallen, (name.isEmpty() ? QString() : tr("El motor %1 agotó su tiempo.\n").arg(name)) +
                          fallen->flagBoxText());
  }
}

void GameInPlay::end(const GameEnd& ending, const QString& boxText) {
  if (flow.isOver()) return;
  flow.finish(ending);
  announce(ending, boxText);
}

// The result goes to the engine once it waits; a move it made after the flag fell is taken back.
void GameInPlay::announce(const GameEnd& ending, const QString& boxText) {
  const int pliesAtEnd = objects.game.read([](const Game& game) { return static_cast<int>(game.history.size()); });
  doc->noteResult(ending.score, ending.pgnComment());
  turns->halt();
  emit statusMessage(ending.announcement());
  emit ended(ending);
  emit changed();
  releaseFreeMemory();
  const bool flagFall = ending.reason == QLatin1String("time");
  engine->whenIdle([this, flagFall, pliesAtEnd, score = ending.score] {
    const int plies = objects.game.read([](const Game& game) { return static_cast<int>(game.history.size()); });
    send((flagFall && plies > pliesAtEnd ? QStringLiteral("undo\n") : QString()) + QStringLiteral("result ") + score);
  });
  if (!boxText.isEmpty()) showMessage(QMessageBox::Information, boxText, window);
}

void GameInPlay::takeBack() { send(QStringLiteral("undo")); }

void GameInPlay::engineMoves() {
  if (flow.isOver()) return;
  sendOnPersonsTurn([this] {
    const int sideToMove = objects.game.read([](const Game& game) { return game.position.sideToMove; });
    send(flow.withClocks(QStringLiteral("go"), sideToMove));
  });
}

// A command waits for an engine busy only with a job (a new player's book);
// on the engine's own turn it is refused while the engine works on a command,
// so a click made while it thinks never becomes a move played after it. The
// engine's seat may be the side to move and still be the person's to play (a
// pasted position with Black to move): that click must not be lost to a job.
void GameInPlay::sendOnPersonsTurn(const std::function<void()>& sendIt) {
  const bool personsTurn = objects.game.read([](const Game& game) {
    const Player* mover = game.position.sideToMove ? game.whitePlayer.get() : game.blackPlayer.get();
    return mover != game.enginePlayer;
  });
  if (!personsTurn && engine->handlesCommand()) return;
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
  // An engine's turn is the engine's. A browsed position is the person's to
  // annotate at any time.
  const bool onBrowsed = browsing();
  if (!onBrowsed && (flow.isOver() || turns->isEnginesTurn())) return;
  if (awaitingFirst) {
    fromSquare = square;
    awaitingFirst = false;
    view->setFromSquare(fromSquare);
    view->setAwaitingFirstClick(false);
    emit changed();
    return;
  }
  toSquare = square;
  awaitingFirst = true;
  view->setAwaitingFirstClick(true);
  if (onBrowsed) {
    playWhileBrowsing(fromSquare, toSquare);
    emit changed();
    return;
  }
  QString move = QString::fromStdString(squareName(fromSquare) + squareName(toSquare));
  Piece origin = EMPTY;
  if (isValidSquare(fromSquare))
    origin = objects.game.read([this](const Game& game) { return game.position.squares[fromSquare]; });
  if ((origin == WHITE_PAWN && rankOf(fromSquare) == 6) || (origin == BLACK_PAWN && rankOf(fromSquare) == 1))
    move += CPromotingSelDlg::suffix(promotionChooser());
  sendPersonMove(move, fromSquare, toSquare);
  emit changed();
}

// When the engine answers, it is told both clocks first. A move that leaves
// neither side mating material ends the game: the engine only records it
// ("force"), so no answer comes after the end.
void GameInPlay::sendPersonMove(const QString& move, int from, int to) {
  sendOnPersonsTurn([this, move, from, to] {
    const auto [sideToMove, engineAnswers, ends] = objects.game.read([from, to](const Game& game) {
      CChessBoard scratch = game.position;
      const Move* legal = isValidSquare(from) && isValidSquare(to) ? findMove(scratch, from, to) : nullptr;
      const CBoard after = legal ? positionAfter(static_cast<const CBoard&>(game.position), *legal) : CBoard();
      const bool dead = legal && isDeadPosition(after);
      return std::tuple{game.position.sideToMove, game.enginePlayer != nullptr, dead};
    });
    if (engineAnswers && !turns->hasProposingPlayer()) personMoved = sideToMove;
    if (ends && engineAnswers)
      send(QStringLiteral("force\n") + move);
    else
      send(engineAnswers ? flow.withClocks(move, 1 - sideToMove) : move);
  });
}

bool GameInPlay::browsing() const {
  return view->showsVariation() || effectiveBrowseIndex(view->browseIndex(), historySize()) != -1;
}

bool GameInPlay::engineGameRunning() const {
  return turns->hasProposingPlayer() || !engine->isIdle() || (personMoved >= 0 && !flow.isOver());
}

int GameInPlay::treeOffset() const {
  return historySize() - static_cast<int>(doc->gameTree().main.moves.size());
}

TreePath GameInPlay::shownNode() const {
  if (view->showsVariation()) return variationNode;
  const int entries = historySize();
  int entry = effectiveBrowseIndex(view->browseIndex(), entries);
  if (entry == -1) entry = entries - 1;
  const int index = entry - treeOffset();
  return index >= 0 ? TreePath{index} : TreePath{};
}

GameInPlay::BrowsedMove GameInPlay::browsedMoveChoice() {
  SettingsFile file;
  const QString kept = file.text(ini::DOVREL, ini::BROWSED_MOVE, QString());
  if (kept == QLatin1String("Variation")) return BrowsedMove::Variation;
  if (kept == QLatin1String("Replace")) return BrowsedMove::Replace;
  const BrowsedMove chosen = browsedMoveChooser();
  file.setText(ini::DOVREL, ini::BROWSED_MOVE,
               chosen == BrowsedMove::Replace ? QStringLiteral("Replace") : QStringLiteral("Variation"));
  QString reason;
  if (!file.save(&reason))
    showMessage(QMessageBox::Warning, saveFailureText(QString::fromLatin1(SettingsFile::FILE_NAME), reason), window);
  return chosen;
}

void GameInPlay::playWhileBrowsing(int from, int to) {
  const CChessBoard shown = view->shownPosition();
  CChessBoard scratch = shown;
  const Move* legal = isValidSquare(from) && isValidSquare(to) ? findMove(scratch, from, to) : nullptr;
  if (!legal) return;
  std::string coordinates = squareName(from) + squareName(to);
  if (legal->promotion != EMPTY) coordinates += CPromotingSelDlg::suffix(promotionChooser()).toStdString();
  const Move move = coordinates.size() > 4 ? parseCoordinateMove(shown, coordinates) : *legal;
  const TreePath at = shownNode();
  GameTree trial = doc->gameTree();
  const std::optional<TreeStep> known = playInTree(trial, at, move);
  if (known && !known->added) return browseNode(known->path);
  // Only a game no engine plays gives up its rest, and only on its main line.
  if (onMainLine(at) && !engineGameRunning() && browsedMoveChoice() == BrowsedMove::Replace) {
    const int entry = (at.empty() ? -1 : at[0]) + treeOffset();
    engine->whenIdle([this, entry, coordinates, from, to] {
      objects.game.edit([entry](Game& game) {
        while (static_cast<int>(game.history.size()) > entry + 1 && game.undoPly()) {
        }
      });
      flow.takenBack();
      view->browseLive();
      sendPersonMove(QString::fromStdString(coordinates), from, to);
      emit changed();
    });
    return;
  }
  if (const std::optional<TreeStep> step = doc->playInTree(at, move)) browseNode(step->path);
}

void GameInPlay::browseNode(const TreePath& path) {
  if (onMainLine(path)) return browseTo((path.empty() ? -1 : path[0]) + treeOffset());
  const CChessBoard start = objects.game.read([](const Game& game) { return pgnMovesOfHistory(game.history).start; });
  const std::optional<CChessBoard> position = treePosition(start, doc->gameTree(), path);
  if (!position) return;
  // The board browses at the entry the variation branches from.
  view->browseVariation(path[0] - 1 + treeOffset(), *position);
  variationNode = path;
  emit changed();
}

void GameInPlay::pickCancelled() {
  awaitingFirst = true;
  view->setAwaitingFirstClick(true);
}

int GameInPlay::historySize() const {
  return objects.game.read([](const Game& game) { return static_cast<int>(game.history.size()); });
}

void GameInPlay::browseBy(int plies) {
  if (view->showsVariation()) {
    std::optional<TreePath> reached = variationNode;
    const GameTree& tree = doc->gameTree();
    for (int step = 0; step < std::abs(plies) && reached; ++step) {
      std::optional<TreePath> next = plies < 0 ? previousNode(*reached) : nextNode(tree, *reached);
      if (!next) break;
      reached = next;
    }
    return browseNode(*reached);
  }
  const int entries = historySize();
  int shown = effectiveBrowseIndex(view->browseIndex(), entries);
  if (shown == -1) shown = entries - 1;
  browseTo(std::max(0, shown + plies));
}

void GameInPlay::browseTo(int entry) {
  view->browseTo(entry);
  emit changed();
}

void GameInPlay::browseLive() {
  view->browseLive();
  emit changed();
}

// The pasted game replaces the Game: only while the engine waits.
void GameInPlay::paste(const QString& text) {
  engine->whenIdle([this, text] {
    if (doc->pasteGame(text)) gameOpened();
  });
}

// An opened or pasted game is the person's against kelvo, as a quick new game
// is: the seats, level and clock of a game set up before it are gone.
void GameInPlay::gameOpened() {
  turns->clear();
  turns->halt();
  engine->setGameLevel(0);
  flow.useUsualTimeControl();
  gameReplaced();
}

bool GameInPlay::refuseWhenOver() {
  if (!flow.isOver() && !doc->resultGiven()) return false;
  showMessage(QMessageBox::Information, tr("La partida ya ha terminado."), window);
  return true;
}

void GameInPlay::resign() {
  if (refuseWhenOver() || !askBeforeResigning(window)) return;
  const bool white = personSide() == 1;
  // The person has just said so: the move list and the status bar show it, no box.
  end({QLatin1String(white ? "0-1" : "1-0"), QStringLiteral("resign")}, QString());
}

void GameInPlay::offerDraw() {
  if (refuseWhenOver()) return;
  const auto [hasEngine, accepts] = objects.game.read([](const Game& game) {
    const auto* player = dynamic_cast<const EnginePlayer*>(game.enginePlayer);
    if (!player) return std::pair{false, false};
    return std::pair{true, engineAcceptsDraw(player->lastScore, game.enginePlayer == game.whitePlayer.get())};
  });
  if (!hasEngine) {
    showMessage(QMessageBox::Information, tr("No hay motor al que ofrecer tablas."), window);
    return;
  }
  if (!accepts) {
    showMessage(QMessageBox::Information, tr("El motor rechaza las tablas y sigue jugando."), window);
    return;
  }
  end({QStringLiteral("1/2-1/2"), QStringLiteral("Draw agreed")}, tr("El motor acepta las tablas."));
}

// kelvo takes its seat through the protocol ("go" when its side is to move);
// an external engine gets its own process. Without kelvo in the game, kelvo
// only keeps and judges it ("force").
void GameInPlay::startGame(const NewGameDlg::Choices& chosen, const EngineList& engines) {
  turns->clear();
  turns->halt();
  engine->setGameLevel(0);
  flow.setGameTimeControl(chosen.timeControl);
  bool builtInPlays = false;
  for (int side : {1, 0}) {
    const NewGameDlg::Seat& seat = side ? chosen.white : chosen.black;
    if (seat.engine < 0 || seat.engine >= engines.engines().size()) continue;
    EngineConfig config = engines.engines()[seat.engine];
    if (config.isBuiltIn()) {
      builtInPlays = true;
      engine->setGameLevel(std::max(seat.level, 0));
      turns->seat(side, std::make_unique<BuiltInPlayer>([this] { builtInToMove(); }));
      continue;
    }
    // The strength most UCI engines declare; an engine without it ignores it.
    if (config.protocol == EngineProtocol::Uci && seat.level >= 0)
      config.optionValues.insert(QStringLiteral("Skill Level"), QString::number(seat.level));
    turns->seat(side, ChessEngine::create(config));
  }
  QString fen = chosen.start == NewGameDlg::Start::Fen ? chosen.fen : QString();
  if (chosen.start == NewGameDlg::Start::Shown) {
    const FenCounters counters = objects.game.read([this](const Game& game) {
      return fenCountersAt(game.history, view->browseIndex(), game.startCounters);
    });
    fen = QString::fromStdString(positionToFen(view->shownPosition(), counters));
  }
  send(flow.newGameCommand() + (builtInPlays || !fen.isEmpty() ? QString() : QStringLiteral("\nforce")));
  engine->whenIdle([this, fen, builtInPlays] {
    if (!fen.isEmpty()) {
      if (doc->pasteGame(fen)) {
        doc->nameSeatedPlayers();
        gameReplaced();
      } else
        flow.restart();
      if (!builtInPlays) send(QStringLiteral("force"));
    }
    engine->whenIdle([this] { turns->begin(); });
  });
}

void GameInPlay::stopGame() {
  if (!turns->hasProposingPlayer() || flow.isOver()) return;
  turns->halt();
  if (!engine->isIdle()) objects.session.stopSearch();
  // The reason stays as the saved game's comment says it; the move list translates it.
  end({QStringLiteral("*"), QStringLiteral(QT_TRANSLATE_NOOP("GameEnd", "Partida detenida"))}, tr("Partida detenida."));
}

void GameInPlay::builtInToMove() {
  engine->whenIdle([this] {
    const int side = objects.game.read([](const Game& game) { return game.position.sideToMove; });
    const SeatedPlayer* seated = turns->playerOf(side);
    if (!flow.isOver() && seated && seated->playsIntoTheGame()) engineMoves();
  });
}

// When kelvo answers, it is told both clocks first.
void GameInPlay::playEngineMove(const QString& move) {
  engine->whenIdle([this, move] {
    if (flow.isOver()) return;
    const auto [sideToMove, kelvoAnswers] = objects.game.read(
        [](const Game& game) { return std::pair{game.position.sideToMove, game.enginePlayer != nullptr}; });
    send(kelvoAnswers ? flow.withClocks(move, 1 - sideToMove) : move);
  });
}

SearchLimits GameInPlay::engineLimits() const {
  SearchLimits limits;
  const ChessClocks& clocks = flow.clocks();
  if (!clocks.control().timed) {
    limits.moveTime = 2000;  // an untimed game: a steady pace for the engine
    return limits;
  }
  const qint64 now = flow.now();
  const int side = objects.game.read([](const Game& game) { return game.position.sideToMove; });
  limits.timeLeft = clocks.remaining(side, now);
  limits.opponentTime = clocks.remaining(1 - side, now);
  limits.increment = clocks.control().incrementMilliseconds();
  return limits;
}

void GameInPlay::engineFault(int side, const QString& reason, bool gameBegan) {
  if (!gameBegan || flow.isOver()) {
    showMessage(QMessageBox::Warning, reason + tr("\nSu lado queda para una persona."), window);
    return;
  }
  const QString score = side ? QStringLiteral("0-1") : QStringLiteral("1-0");
  end({score, reason},
          reason + u'\n' + (side ? tr("Ganan las negras") : tr("Ganan las blancas")));
}
