#include "spanish_notation.h"

#include <QCoreApplication>

#include <cstdlib>
#include <string_view>

#include "book/pgn_writer.h"
#include "position/move_gen.h"

namespace {

// The letters of king, queen, rook, bishop and knight in the window's language.
QChar spanishLetter(char english) {
  const QString letters = QCoreApplication::translate("SpanishNotation", "RDTAC", "piece letters of K, Q, R, B, N");
  const std::size_t piece = std::string_view("KQRBN").find(english);
  return piece < static_cast<std::size_t>(letters.size()) ? letters[static_cast<qsizetype>(piece)]
                                                          : QChar::fromLatin1(english);
}

}  // namespace

QString spanishSan(const CChessBoard& position, const Move& move) {
  const std::string english = standardSan(position, move);
  QString text;
  for (char c : english) text += spanishLetter(c);
  // Castling's O is a letter too, but no piece.
  if (english.rfind("O-O", 0) == 0) return QString::fromStdString(english);
  return text;
}

QString spanishLine(CChessBoard position, int moveNumber, const std::vector<Move>& line) {
  QString text;
  for (const Move& move : line) {
    CChessBoard legal = position;
    if (move.isNull() || !findMove(legal, move.from, move.to)) break;
    if (!text.isEmpty()) text += u' ';
    if (position.sideToMove)
      text += QString::number(moveNumber) + u'.';
    else if (text.isEmpty())
      text += QString::number(moveNumber) + QStringLiteral("...");
    text += spanishSan(position, move);
    if (!position.sideToMove) ++moveNumber;
    makeMove(position, move);
    position.switchSide();
  }
  return text;
}

QString scoreText(const WhiteScore& score) {
  if (score.isWon()) return score.centipawns > 0 ? QStringLiteral("1-0") : QStringLiteral("0-1");
  if (score.mate != 0) return u'#' + QString::number(score.mate);
  // Rounded to a tenth, halves away from zero, and no sign on a level score.
  const int tenths = (std::abs(score.centipawns) + 5) / 10;
  const QString magnitude = QString::number(tenths / 10) + u'.' + QString::number(tenths % 10);
  if (tenths == 0) return magnitude;
  return (score.centipawns > 0 ? u'+' : u'-') + magnitude;
}
