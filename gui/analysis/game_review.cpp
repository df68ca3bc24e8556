#include "game_review.h"

#include <QCoreApplication>

#include "spanish_notation.h"
#include "position/move_gen.h"
#include "position/notation.h"

namespace {

int fullMoveNumber(const CChessBoard& start, std::size_t ply) {
  return 1 + static_cast<int>((ply + (start.sideToMove ? 0 : 1)) / 2);
}

// The moves of a variation's text, read from `position` up to the first word that is no legal move.
std::vector<Move> movesOfText(CChessBoard position, const std::string& text) {
  std::vector<Move> moves;
  std::string word;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != ' ' && text[i] != '\n') {
      word += text[i];
      continue;
    }
    const std::size_t letter = word.find_first_not_of("0123456789.");
    if (!word.empty() && letter != std::string::npos) {
      const Move move = parseSanQuietly(position, word.substr(letter));
      if (move.isNull()) break;
      moves.push_back(move);
      makeMove(position, move);
      position.switchSide();
    }
    word.clear();
  }
  return moves;
}

MoveMark markOfNag(int nag) {
  if (nag == NAG_INACCURACY) return MoveMark::INACCURACY;
  if (nag == NAG_MISTAKE) return MoveMark::MISTAKE;
  if (nag == NAG_BLUNDER) return MoveMark::BLUNDER;
  return MoveMark::NONE;
}

}  // namespace

std::vector<CChessBoard> positionsOfGame(const CChessBoard& start, const std::vector<Move>& moves) {
  std::vector<CChessBoard> positions{start};
  positions.reserve(moves.size() + 1);
  for (const Move& move : moves) {
    CChessBoard next = positions.back();
    if (move.isNull() || !findMove(next, move.from, move.to)) break;
    next = positions.back();
    makeMove(next, move);
    next.switchSide();
    next.lastMove = move;
    positions.push_back(next);
  }
  return positions;
}

GameReview reviewOfJudgements(const std::vector<CChessBoard>& positions,
                              const std::vector<PositionJudgement>& judgements) {
  GameReview review;
  std::vector<std::optional<WhiteScore>> played;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    review.scores.push_back(i < judgements.size() ? std::optional(judgements[i].score) : std::nullopt);
    played.push_back(i < judgements.size() ? judgements[i].playedScore : std::nullopt);
  }
  review.summary = reviewScores(review.scores, positions.empty() || positions[0].sideToMove, played);
  const std::size_t moves = review.summary.plies.size();
  review.marks.assign(moves, MoveMark::NONE);
  review.betterLines.assign(moves, {});
  for (std::size_t ply = 0; ply < moves; ++ply) {
    review.marks[ply] = review.summary.plies[ply].mark;
    if (review.marks[ply] != MoveMark::NONE && ply < judgements.size()) review.betterLines[ply] = judgements[ply].line;
  }
  fillBetterMoves(review, positions);
  return review;
}

GameReview reviewOfAnnotations(const std::vector<CChessBoard>& positions,
                               const std::vector<PgnAnnotation>& annotations) {
  GameReview review;
  bool anyEval = false;
  for (const PgnAnnotation& note : annotations) anyEval |= note.eval.has_value();
  if (!anyEval || positions.size() < 2) return review;
  // The start has no comment of its own, so the first move stays unjudged.
  review.scores.push_back(std::nullopt);
  for (std::size_t ply = 0; ply + 1 < positions.size(); ++ply)
    review.scores.push_back(ply < annotations.size() ? annotations[ply].eval : std::nullopt);
  // A mate or stalemate on the board has no evaluation written: it is known.
  MoveBuffer buffer;
  const CChessBoard& last = positions.back();
  if (!review.scores.back() && generateLegalMoves(last, buffer.moves) == 0)
    review.scores.back() = legalityContext(last).inCheck ? WhiteScore::won(!last.sideToMove) : WhiteScore::pawns(0);
  review.summary = reviewScores(review.scores, positions[0].sideToMove);
  const std::size_t moves = positions.size() - 1;
  review.marks.assign(moves, MoveMark::NONE);
  review.betterLines.assign(moves, {});
  SideSummary* sides[2] = {&review.summary.black, &review.summary.white};
  for (SideSummary* side : sides) side->inaccuracies = side->mistakes = side->blunders = 0;
  for (std::size_t ply = 0; ply < moves && ply < annotations.size(); ++ply) {
    review.marks[ply] = markOfNag(annotations[ply].nag);
    SideSummary& side = *sides[positions[ply].sideToMove ? 1 : 0];
    side.inaccuracies += review.marks[ply] == MoveMark::INACCURACY;
    side.mistakes += review.marks[ply] == MoveMark::MISTAKE;
    side.blunders += review.marks[ply] == MoveMark::BLUNDER;
    review.betterLines[ply] = movesOfText(positions[ply], annotations[ply].variationText);
  }
  fillBetterMoves(review, positions);
  return review;
}

void fillBetterMoves(GameReview& review, const std::vector<CChessBoard>& positions) {
  // A move without a line keeps the text it has.
  review.betterMoves.resize(review.marks.size());
  for (std::size_t ply = 0; ply < review.marks.size() && ply < positions.size() && ply < review.betterLines.size(); ++ply)
    if (!review.betterLines[ply].empty())
      review.betterMoves[ply] = notatedLine(positions[ply], fullMoveNumber(positions[0], ply),
                                            {review.betterLines[ply].front()});
}

std::vector<PgnAnnotation> annotationsOfReview(const GameReview& review) {
  std::vector<PgnAnnotation> notes(review.marks.size());
  for (std::size_t ply = 0; ply < notes.size(); ++ply) {
    if (ply + 1 < review.scores.size()) notes[ply].eval = review.scores[ply + 1];
    const MoveMark mark = review.marks[ply];
    notes[ply].nag = mark == MoveMark::INACCURACY ? NAG_INACCURACY
                     : mark == MoveMark::MISTAKE  ? NAG_MISTAKE
                     : mark == MoveMark::BLUNDER  ? NAG_BLUNDER
                                                  : 0;
    if (mark != MoveMark::NONE) notes[ply].variation = review.betterLines[ply];
  }
  return notes;
}

QString markSign(MoveMark mark) {
  switch (mark) {
    case MoveMark::INACCURACY: return QStringLiteral("?!");
    case MoveMark::MISTAKE: return QStringLiteral("?");
    case MoveMark::BLUNDER: return QStringLiteral("??");
    default: return QString();
  }
}

QString markName(MoveMark mark) {
  switch (mark) {
    case MoveMark::INACCURACY: return QCoreApplication::translate("GameReview", "Imprecisión");
    case MoveMark::MISTAKE: return QCoreApplication::translate("GameReview", "Error");
    case MoveMark::BLUNDER: return QCoreApplication::translate("GameReview", "Error grave");
    default: return QString();
  }
}

QString summaryText(const SideSummary& side) {
  auto count = [](int n, const char* one, const char* many) {
    return QString::number(n) + u' ' + QCoreApplication::translate("GameReview", n == 1 ? one : many);
  };
  QString text = side.judgedMoves
                     ? QCoreApplication::translate("GameReview", "Precisión %1 %").arg(qRound(side.accuracy))
                     : QCoreApplication::translate("GameReview", "Precisión -");
  return text + QStringLiteral(" · ") +
         count(side.inaccuracies, QT_TRANSLATE_NOOP("GameReview", "imprecisión"),
               QT_TRANSLATE_NOOP("GameReview", "imprecisiones")) +
         QStringLiteral(", ") +
         count(side.mistakes, QT_TRANSLATE_NOOP("GameReview", "error"), QT_TRANSLATE_NOOP("GameReview", "errores")) +
         QStringLiteral(", ") +
         count(side.blunders, QT_TRANSLATE_NOOP("GameReview", "error grave"),
               QT_TRANSLATE_NOOP("GameReview", "errores graves"));
}
