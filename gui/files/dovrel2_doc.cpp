#include "dovrel2_doc.h"

#include <algorithm>

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryFile>

#include "book/pgn_reader.h"
#include "book/pgn_writer.h"
#include "common/file_saver.h"
#include "common/message_sink.h"
#include "driver/game.h"
#include "game/position_clipboard.h"
#include "game_file_read.h"
#include "position/fen.h"
#include "position/notation.h"

namespace {

const char* const ENGINE_NAME = "Kelvo 3.0";

std::string keyOf(const PgnMoves& game) {
  std::string key = positionToFen(game.start);
  for (const Move& move : game.moves) key += ' ' + moveToCoordinates(move) + std::to_string(move.promotion);
  return key;
}

std::string emptyGameKey() {
  PgnMoves empty;
  empty.start.setupInitialPosition();
  return keyOf(empty);
}

std::string personName() {
  for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
    const QString name = qEnvironmentVariable(variable);
    if (!name.isEmpty()) return name.toStdString();
  }
  return "Jugador";
}

std::vector<PgnTag> newGameTags() {
  return {{"Event", "Partida de dovrel2"},
          {"Site", QSysInfo::machineHostName().toStdString()},
          {"Date", QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")).toStdString()},
          {"Round", "-"}};
}

void setTag(std::vector<PgnTag>& tags, const std::string& name, const std::string& value) {
  for (PgnTag& tag : tags)
    if (tag.name == name) {
      tag.value = value;
      return;
    }
  tags.push_back({name, value});
}

bool sameFile(const QString& a, const QString& b) {
  return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

CDovrel2Doc::CDovrel2Doc(Game& game, QObject* parent)
    : QObject(parent), game(game), tags(newGameTags()), savedKey(emptyGameKey()) {}

std::string CDovrel2Doc::gameKey() const {
  return keyOf(game.read([](const Game& g) { return pgnMovesOfHistory(g.history); }));
}

bool CDovrel2Doc::isModified() const { return gameKey() != savedKey || reviewUnsaved || treeUnsaved; }

const GameTree& CDovrel2Doc::gameTree() const {
  followMainLine(tree, game.read([](const Game& g) { return pgnMovesOfHistory(g.history).moves; }));
  return tree;
}

std::optional<TreeStep> CDovrel2Doc::playInTree(const TreePath& at, const Move& move) {
  gameTree();
  std::optional<TreeStep> step = ::playInTree(tree, at, move);
  if (step && step->added) {
    treeUnsaved = true;
    emit titleChanged();
  }
  return step;
}

GameFileRead CDovrel2Doc::readForOpening(const QString& fileName, long offset) {
  return readGameFile(fileName, offset, QFileInfo(fileName).absoluteFilePath());
}

bool CDovrel2Doc::openDocument(const QString& fileName, long offset) {
  return openRead(fileName, offset, readForOpening(fileName, offset));
}

bool CDovrel2Doc::openRead(const QString& fileName, long offset, const GameFileRead& read) {
  bool moreFollow = false;
  if (!takeGame(read, moreFollow)) return false;
  path = fileName;
  namesFromPlayers = false;
  gameOffset = offset;
  moreGames = moreFollow || offset > 0;
  emit titleChanged();
  emit refreshViews();
  return true;
}

bool CDovrel2Doc::pasteGame(const QString& text) {
  std::string why;
  const std::string pgn = pastedGameText(text.toStdString(), why);
  if (pgn.empty()) {
    showMessage(QMessageBox::Warning, tr("No se puede pegar\n\n") + QString::fromStdString(why), window);
    return false;
  }
  QTemporaryFile file;
  if (!file.open() || file.write(QByteArray::fromStdString(pgn)) != static_cast<qint64>(pgn.size()) || !file.flush()) {
    showMessage(QMessageBox::Warning, tr("No se puede pegar: %1.").arg(file.errorString()), window);
    return false;
  }
  bool moreFollow = false;
  if (!takeGame(readGameFile(file.fileName(), 0, tr("portapapeles")), moreFollow)) return false;
  path.clear();
  namesFromPlayers = false;
  gameOffset = 0;
  moreGames = false;
  savedKey.clear();  // nothing holds it yet
  emit titleChanged();
  emit refreshViews();
  return true;
}

bool CDovrel2Doc::takeGame(const GameFileRead& read, bool& moreFollow) {
  if (!read.ok()) {
    showMessage(QMessageBox::Warning, tr("Error loading file\n\n") + read.why, window);
    return false;
  }
  const PgnGameInfo& info = read.info;
  game.edit([&](Game& edited) {
    edited.startNewGame();
    CChessBoard start = info.start;
    start.lastMove = Move();
    start.parent = start.child = nullptr;
    edited.history.assign(1, start);
    edited.history.insert(edited.history.end(), read.moves.begin(), read.moves.end());
    edited.position = edited.history.back();
    for (const PgnTag& tag : info.tags)
      if (tag.name == "FEN") edited.startCounters = fenCounters(tag.value);
  });
  tags = info.tags;
  savedKey = gameKey();
  fileResult = {savedKey, info.result, {}};
  engineResult = {};
  tree = info.tree;
  treeUnsaved = false;
  // Only a reviewed game (one with evaluations) keeps its notes, to be shown as
  // its marks and replaced by a new review; the tree keeps every game's.
  bool reviewed = false;
  for (const PgnAnnotation& note : info.annotations) reviewed |= note.eval.has_value();
  review = {savedKey, reviewed ? info.annotations : std::vector<PgnAnnotation>()};
  reviewUnsaved = false;
  gameBytes = read.bytes;
  moreFollow = info.moreGames;
  return true;
}

std::vector<PgnTag> CDovrel2Doc::tagsToWrite() const {
  std::vector<PgnTag> written = tags;
  if (namesFromPlayers) {
    const auto [engineWhite, engineBlack] = game.read([](const Game& g) {
      const bool any = g.enginePlayer != nullptr;
      return std::pair{any && g.enginePlayer == g.whitePlayer.get(), any && g.enginePlayer == g.blackPlayer.get()};
    });
    auto name = [this](int side, bool kelvo) {
      const QString seated = seatNamer ? seatNamer(side) : QString();
      return !seated.isEmpty() ? seated.toStdString() : kelvo ? std::string(ENGINE_NAME) : personName();
    };
    setTag(written, "White", name(1, engineWhite));
    setTag(written, "Black", name(0, engineBlack));
  }
  return written;
}

// A review changes the file when it changes a mark or an evaluation; the
// better lines follow from them.
void CDovrel2Doc::setReviewNotes(std::vector<PgnAnnotation> notes) {
  const std::string key = gameKey();
  const PgnAnnotation none;
  bool same = review.key == key;
  for (std::size_t i = 0; same && i < std::max(notes.size(), review.notes.size()); ++i) {
    const PgnAnnotation& was = i < review.notes.size() ? review.notes[i] : none;
    const PgnAnnotation& is = i < notes.size() ? notes[i] : none;
    same = was.nag == is.nag && was.eval == is.eval;
  }
  review = {key, std::move(notes)};
  if (same) return;
  reviewUnsaved = true;
  emit titleChanged();
}

const std::vector<PgnAnnotation>* CDovrel2Doc::reviewNotes() const {
  return review.key == gameKey() && !review.notes.empty() ? &review.notes : nullptr;
}

std::string CDovrel2Doc::pgnText() const {
  PgnMoves moves = game.read([](const Game& g) {
    PgnMoves read = pgnMovesOfHistory(g.history);
    read.startCounters = g.startCounters;
    return read;
  });
  const std::string key = keyOf(moves);
  if (review.key == key) moves.annotations = review.notes;
  moves.tree = gameTree();
  Result result{key, "*", {}};
  if (engineResult.key == key)
    result = engineResult;
  else if (fileResult.key == key && !fileResult.token.empty())
    result = fileResult;
  else if (!moves.moves.empty()) {
    std::string reason;
    const int outcome = game.edit([&reason](Game& g) { return g.adjudicate(reason); });
    const char* const tokens[] = {"*", "1-0", "1/2-1/2", "0-1"};
    if (outcome >= GAME_GOES_ON && outcome <= BLACK_WINS) result = {key, tokens[outcome], reason};
  }
  return writePgnGame(tagsToWrite(), moves, result.token, result.reason);
}

void CDovrel2Doc::saved(const QString& fileName, const QByteArray& bytes, bool collection) {
  path = fileName;
  savedKey = gameKey();
  reviewUnsaved = treeUnsaved = false;
  gameBytes = bytes;
  moreGames = collection;
  if (!collection) gameOffset = 0;
  emit titleChanged();
  emit refreshViews();
}

// Every other game of the file keeps its bytes; the file must still begin
// with the bytes this game was read from, or someone else changed it.
bool CDovrel2Doc::replaceInCollection(const std::string& text) {
  QFile file(path);
  QString reason;
  QByteArray whole;
  if (!file.open(QIODevice::ReadOnly))
    reason = file.errorString();
  else if ((whole = file.readAll()).mid(gameOffset, gameBytes.size()) != gameBytes)
    reason = tr("el archivo ha cambiado desde que se abrió");
  const QByteArray game = QByteArray::fromStdString(text) + '\n';
  if (reason.isEmpty())
    reason = writeFileWhole(path, whole.left(gameOffset) + game + whole.mid(gameOffset + gameBytes.size()));
  if (!reason.isEmpty()) {
    showMessage(QMessageBox::Critical, saveFailureText(path, reason), window);
    return false;
  }
  saved(path, game, true);
  return true;
}

bool CDovrel2Doc::saveDocument(const QString& fileName) {
  const std::string text = pgnText();
  if (isCollection() && sameFile(fileName, path)) return replaceInCollection(text);
  const QByteArray bytes = QByteArray::fromStdString(text);
  // The game's own file must still hold what it was read from or last
  // written as: another program may have put something else there since.
  QString reason;
  if (!path.isEmpty() && sameFile(fileName, path)) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && (file.size() != gameBytes.size() || file.readAll() != gameBytes))
      reason = tr("el archivo ha cambiado desde que se abrió");
  }
  if (reason.isEmpty()) reason = writeFileWhole(fileName, bytes);
  if (!reason.isEmpty()) {
    showMessage(QMessageBox::Critical, saveFailureText(fileName, reason), window);
    return false;
  }
  saved(fileName, bytes, false);
  return true;
}

void CDovrel2Doc::newDocument() {
  path.clear();
  gameOffset = 0;
  moreGames = false;
  emit titleChanged();
}

void CDovrel2Doc::gameRestarted() {
  tags = newGameTags();
  namesFromPlayers = true;
  savedKey = emptyGameKey();
  fileResult = engineResult = {};
  review = {};
  reviewUnsaved = false;
  tree = {};
  treeUnsaved = false;
  newDocument();
}

void CDovrel2Doc::gameReplaced() {
  gameRestarted();
  savedKey.clear();
}

// "1-0 {Checkmate}", the older "1-0 Checkmate", or the bare "resign" of the
// side to move.
void CDovrel2Doc::noteEngineLine(const QString& line) {
  const QString first = line.section(u' ', 0, 0);
  QString reason = line.section(u' ', 1).trimmed();
  reason.remove(u'{').remove(u'}');
  if (first == QLatin1String("resign")) {
    const bool whiteResigns = game.read([](const Game& g) { return g.position.sideToMove != 0; });
    noteResult(QLatin1String(whiteResigns ? "0-1" : "1-0"),
               QLatin1String(whiteResigns ? "White resigns" : "Black resigns"));
  } else if (first == QLatin1String("1-0") || first == QLatin1String("0-1") || first == QLatin1String("1/2-1/2")) {
    noteResult(first, reason);
  }
}

void CDovrel2Doc::noteResult(const QString& score, const QString& reason) {
  engineResult = {gameKey(), score.toStdString(), reason.toStdString()};
}

QString CDovrel2Doc::windowTitle() const {
  const QString title = QStringLiteral("dovrel2");
  if (path.isEmpty()) return title + QStringLiteral("[*]");
  return QFileInfo(path).fileName() + QStringLiteral("[*] - ") + title;
}
