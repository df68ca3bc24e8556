#include "spanish_notation.h"

#include <cstdlib>

#include "position/move_gen.h"

QString notatedLine(CChessBoard position, int moveNumber, const std::vector<Move>& line, MoveNotation notation) {
  QString text;
  for (const Move& move : line) {
    CChessBoard legal = position;
    if (move.isNull() || !findMove(legal, move.from, move.to)) break;
    if (!text.isEmpty()) text += u' ';
    if (position.sideToMove)
      text += QString::number(moveNumber) + u'.';
    else if (text.isEmpty())
      text += QString::number(moveNumber) + QStringLiteral("...");
    text += QString::fromStdString(notatedMove(position, move, notation));
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
