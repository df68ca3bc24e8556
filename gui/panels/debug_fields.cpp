#include "debug_fields.h"

#include "book/opening_book.h"
#include "driver/game.h"
#include "search/engine_player.h"

QString playStateText(int playState) {
  switch (playState) {
    case PLAYING: return QStringLiteral("playing");
    case FINISHED: return QStringLiteral("finished");
    case FORCING: return QStringLiteral("forcing");
    default: return QStringLiteral("unknown");
  }
}

QString castlingText(int rights) {
  QString text;
  if (rights & WHITE_KING_SIDE) text += QStringLiteral("00W");
  if (rights & WHITE_QUEEN_SIDE) text += QStringLiteral("000W");
  if (rights & BLACK_KING_SIDE) text += QStringLiteral("00B");
  if (rights & BLACK_QUEEN_SIDE) text += QStringLiteral("000B");
  return text;
}

QString timeText(int centiseconds) { return QString::asprintf("%.2f", centiseconds * 0.01); }

std::optional<QString> speedText(int nodes, int centiseconds) {
  if (nodes == 0 || centiseconds == 0) return std::nullopt;
  return QString::asprintf("(%.1f)", static_cast<double>(nodes) / (centiseconds * 10.0));
}

DebugFields DebugFields::of(const Game& game, const OpeningBook& book) {
  DebugFields fields;
  const CChessBoard& position = game.position;
  fields.plays = position.sideToMove == 1 ? QStringLiteral("white") : QStringLiteral("black");
  fields.enPassant = position.enPassantSquare == NO_SQUARE
                         ? QStringLiteral("none")
                         : QString::fromStdString(squareName(position.enPassantSquare));
  if (game.enginePlayer && game.enginePlayer == game.whitePlayer.get())
    fields.computerPlays = QStringLiteral("white");
  else if (game.enginePlayer && game.enginePlayer == game.blackPlayer.get())
    fields.computerPlays = QStringLiteral("black");
  else
    fields.computerPlays = QStringLiteral("none");
  fields.castling = castlingText(position.castlingRights);
  fields.state = playStateText(game.playState);
  if (const auto* engine = dynamic_cast<const EnginePlayer*>(game.enginePlayer))
    fields.evaluation = QString::asprintf("%d", static_cast<int>(engine->lastScore));
  fields.memorySize = QString::asprintf("%d", static_cast<int>(book.entryCount()));
  return fields;
}
