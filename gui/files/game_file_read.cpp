#include "game_file_read.h"

#include <QCoreApplication>
#include <QFile>

#include "driver/game.h"

namespace {

// What the reader says, in the window's language.
struct Texts {
  Q_DECLARE_TR_FUNCTIONS(GameFileRead)
};

QString setupFaultInSpanish(SetupFault fault) {
  switch (fault) {
    case SetupFault::NONE: break;
    case SetupFault::WHITE_KINGS: return Texts::tr("las blancas no tienen exactamente un rey");
    case SetupFault::BLACK_KINGS: return Texts::tr("las negras no tienen exactamente un rey");
    case SetupFault::PAWN_ON_END_RANK: return Texts::tr("hay un peón en la primera o la última fila");
    case SetupFault::KING_CAPTURABLE: return Texts::tr("el bando que mueve puede capturar el rey");
  }
  return {};
}

// A word of the file as the message shows it: a run-on word may be megabytes long.
QString shownWord(const std::string& word) {
  constexpr int MAX_SHOWN = 40;
  const QString text = QString::fromStdString(word);
  return text.size() <= MAX_SHOWN ? text : text.left(MAX_SHOWN) + QStringLiteral("…");
}

// Why the reader could not read the game, or empty when it could.
QString readFailureText(const PgnGameInfo& info, const QString& file) {
  const QString where = Texts::tr("«%1», línea %2: ").arg(file).arg(info.errorLine);
  const QString word = shownWord(info.errorWord);
  switch (info.fault) {
    case PgnFault::NONE: break;
    case PgnFault::NOT_REGULAR_FILE:
      return Texts::tr("«%1» no es un archivo normal (es una carpeta, una tubería o un dispositivo).").arg(file);
    case PgnFault::WIDE_TEXT:
      return Texts::tr("«%1» está escrito en UTF-16: guárdelo como UTF-8 para abrirlo.").arg(file);
    case PgnFault::ILLEGAL_MOVE: return where + Texts::tr("«%1» no es una jugada legal en esa posición.").arg(word);
    case PgnFault::PLY_LIMIT:
      return where + Texts::tr("la partida pasa de %1 medias jugadas, el máximo que se lee.").arg(MAX_GAME_PLIES);
    case PgnFault::OPEN_COMMENT: return where + Texts::tr("un comentario «{» que no se cierra.");
    case PgnFault::OPEN_VARIATION: return where + Texts::tr("una variante «(» que no se cierra.");
    case PgnFault::BAD_FEN: return where + Texts::tr("la etiqueta FEN «%1» no es una posición FEN.").arg(word);
    case PgnFault::UNPLAYABLE_FEN:
      return where + Texts::tr("la etiqueta FEN «%1» no es una posición legal: %2.")
                         .arg(word, setupFaultInSpanish(info.setupFault));
  }
  if (!info.opened) return Texts::tr("No se puede leer el archivo «%1».").arg(file);
  return {};
}

}  // namespace

GameFileRead readGameFile(const QString& fileName, long offset, const QString& shownName) {
  GameFileRead read;
  Game scratch;
  PgnReader reader;
  // The reader refuses a folder, a pipe or a device itself, saying so.
  reader.readGame(QFile::encodeName(fileName).toStdString(), offset, nullptr, scratch, &read.info);
  read.why = readFailureText(read.info, shownName);
  if (read.ok() && read.info.tags.empty() && scratch.history.empty() && read.info.result.empty())
    read.why = Texts::tr("«%1» no contiene ninguna partida.").arg(shownName);
  QFile bytes(fileName);
  if (read.ok() && (!bytes.open(QIODevice::ReadOnly) || !bytes.seek(offset)))
    read.why = Texts::tr("No se puede leer el archivo «%1»: %2.").arg(shownName, bytes.errorString());
  if (!read.ok()) return read;
  read.moves = std::move(scratch.history);
  read.bytes = bytes.read(read.info.end - offset);
  return read;
}
