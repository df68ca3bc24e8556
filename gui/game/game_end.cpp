#include "game_end.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

const QString WHITE_WINS = QStringLiteral("1-0");
const QString BLACK_WINS = QStringLiteral("0-1");
const QString DRAW = QStringLiteral("1/2-1/2");

QString spanishOutcome(const QString& score) {
  if (score == WHITE_WINS) return QCoreApplication::translate("GameEnd", "Ganan las blancas");
  if (score == BLACK_WINS) return QCoreApplication::translate("GameEnd", "Ganan las negras");
  if (score == QLatin1String("*")) return QCoreApplication::translate("GameEnd", "Sin resultado");
  return QCoreApplication::translate("GameEnd", "Tablas");
}

// Reasons are matched by their first word: the old lines end "Insufficient material.".
// Any other reason is shown as it is, translated when it is one of the window's own.
QString spanishReason(const QString& reason) {
  static const std::pair<const char*, const char*> REASONS[] = {
      {"Checkmate", QT_TRANSLATE_NOOP("GameEnd", "jaque mate")},
      {"Stalemate", QT_TRANSLATE_NOOP("GameEnd", "rey ahogado")},
      {"Drawn_by_repetition", QT_TRANSLATE_NOOP("GameEnd", "triple repetición")},
      {"Insufficient", QT_TRANSLATE_NOOP("GameEnd", "material insuficiente")},
      {"Fifty", QT_TRANSLATE_NOOP("GameEnd", "regla de los cincuenta movimientos")},
      {"resign", QT_TRANSLATE_NOOP("GameEnd", "abandono")},
      {"Draw", QT_TRANSLATE_NOOP("GameEnd", "tablas acordadas")},
      {"time", QT_TRANSLATE_NOOP("GameEnd", "tiempo agotado")}};
  const QString word = reason.section(u' ', 0, 0);
  for (const auto& [english, spanish] : REASONS)
    if (word == QLatin1String(english)) return QCoreApplication::translate("GameEnd", spanish);
  return QCoreApplication::translate("GameEnd", reason.toUtf8().constData());
}

}  // namespace

QString GameEnd::announcement() const {
  const QString why = spanishReason(reason);
  return score + u' ' + spanishOutcome(score) + (why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why));
}

QString GameEnd::pgnComment() const {
  const bool whiteWins = score == WHITE_WINS;
  if (reason == QLatin1String("resign") && score != DRAW)
    return whiteWins ? QStringLiteral("Black resigns") : QStringLiteral("White resigns");
  if (reason == QLatin1String("time")) {
    if (score == DRAW) return QStringLiteral("Time forfeit, no mating material left");
    return whiteWins ? QStringLiteral("Black forfeits on time") : QStringLiteral("White forfeits on time");
  }
  return reason;
}

QString GameEnd::outcome() const {
  if (score == WHITE_WINS) return QCoreApplication::translate("GameEnd", "White wins");
  if (score == BLACK_WINS) return QCoreApplication::translate("GameEnd", "Black wins");
  return QCoreApplication::translate("GameEnd", "Draw");
}

GameEnd GameEnd::ofFlagFall(const CBoard& position, int flaggedSide) {
  if (!hasMatingMaterial(position, 1 - flaggedSide)) return {DRAW, QStringLiteral("time")};
  return {flaggedSide ? BLACK_WINS : WHITE_WINS, QStringLiteral("time")};
}

QString GameEnd::flagBoxText() const {
  return QCoreApplication::translate("GameEnd", "Tiempo agotado") + u'\n' + spanishOutcome(score);
}

bool isDeadPosition(const CBoard& position) {
  int minors = 0;
  int bishopColours = 0;  // bit 0: a bishop on a dark square, bit 1: on a light one
  bool knights = false;
  for (Square s : ALL_SQUARES) {
    const Piece piece = position.squares[s];
    if (piece == EMPTY || isKing(piece)) continue;
    if (!isBishop(piece) && !isKnight(piece)) return false;
    ++minors;
    if (isKnight(piece)) knights = true;
    else bishopColours |= (rankOf(s) + fileOf(s)) % 2 == 0 ? 1 : 2;
  }
  return minors <= 1 || (!knights && bishopColours != 3);
}

bool hasMatingMaterial(const CBoard& position, int side) {
  int minors = 0;
  for (Square s : ALL_SQUARES) {
    const Piece piece = position.squares[s];
    if (piece == EMPTY || !belongsTo(piece, side) || isKing(piece)) continue;
    if (!isBishop(piece) && !isKnight(piece)) return true;
    ++minors;
  }
  return minors >= 2;
}

std::optional<GameEnd> GameEnd::ofResultLine(const QString& line, int sideToMove) {
  const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
  const QString first = words.value(0);
  if (first == QLatin1String("resign") && words.size() == 1)
    return GameEnd{sideToMove ? BLACK_WINS : WHITE_WINS, QStringLiteral("resign")};
  if (first != WHITE_WINS && first != BLACK_WINS && first != DRAW) return std::nullopt;
  const qsizetype open = line.indexOf(u'{');
  const qsizetype close = line.indexOf(u'}', open + 1);
  if (open >= 0 && close > open) return GameEnd{first, line.mid(open + 1, close - open - 1).trimmed()};
  return GameEnd{first, words.value(1)};
}

bool GameEnd::isResignation() const { return reason == QLatin1String("resign") || reason.endsWith(QLatin1String(" resigns")); }
