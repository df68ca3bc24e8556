#include "exercise_maker.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "files/game_file_read.h"
#include "position/fen.h"

namespace {

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(ExerciseMaker)
};

QString tagValue(const std::vector<PgnTag>& tags, const char* name) {
  for (const PgnTag& tag : tags)
    if (tag.name == name) return QString::fromStdString(tag.value);
  return {};
}

}  // namespace

std::vector<Exercise> exercisesOfReview(const std::vector<CChessBoard>& positions, const GameReview& review,
                                        ExerciseSides sides, const ExerciseSource& source) {
  std::vector<Exercise> made;
  if (positions.empty()) return made;
  const int firstNumber = 1;
  const bool whiteStarts = positions[0].sideToMove != 0;
  for (std::size_t ply = 0; ply < review.marks.size() && ply + 1 < positions.size(); ++ply) {
    const MoveMark mark = review.marks[ply];
    if (mark != MoveMark::MISTAKE && mark != MoveMark::BLUNDER) continue;
    const CChessBoard& before = positions[ply];
    const bool white = before.sideToMove != 0;
    if ((sides == ExerciseSides::White && !white) || (sides == ExerciseSides::Black && white)) continue;
    Exercise exercise;
    exercise.moveNumber = firstNumber + static_cast<int>((ply + (whiteStarts ? 0 : 1)) / 2);
    exercise.fen = positionToFen(before, {0, exercise.moveNumber});
    exercise.played = coordinatesOf(positions[ply + 1].lastMove);
    // The review keeps one better line per move: its first move is the best.
    if (ply < review.betterLines.size() && !review.betterLines[ply].empty()) {
      const Move& best = review.betterLines[ply].front();
      if (!best.sameSquares(positions[ply + 1].lastMove) || best.promotion != positions[ply + 1].lastMove.promotion)
        exercise.better.push_back(coordinatesOf(best));
    }
    exercise.mark = mark;
    exercise.source = source.source;
    exercise.white = source.white;
    exercise.black = source.black;
    exercise.date = source.date;
    made.push_back(std::move(exercise));
  }
  return made;
}

CollectionExercises exercisesOfCollection(const QString& path) {
  CollectionExercises result;
  const QString shown = QFileInfo(path).fileName();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    result.why = Texts::tr("No se puede leer el archivo «%1»: %2.").arg(shown, file.errorString());
    return result;
  }
  const qint64 size = file.size();
  file.close();
  long offset = 0;
  while (offset < size) {
    const GameFileRead read = readGameFile(path, offset, shown);
    const long end = read.info.end;
    if (!read.ok() && read.info.tags.empty() && read.moves.empty()) {
      if (result.games == 0) result.why = read.why;
      else ++result.unreadGames;
      break;
    }
    ++result.games;
    if (!read.ok()) ++result.unreadGames;
    std::vector<Move> moves;
    for (const CChessBoard& position : read.moves)
      if (!position.lastMove.isNull()) moves.push_back(position.lastMove);
    const std::vector<CChessBoard> positions = positionsOfGame(read.info.start, moves);
    GameReview review = reviewOfAnnotations(positions, read.info.annotations);
    // A file that marks no move at all is judged by its evaluations; one that
    // marks some has said what it thinks of the others.
    const bool marked = std::any_of(review.marks.begin(), review.marks.end(),
                                    [](MoveMark mark) { return mark != MoveMark::NONE; });
    for (std::size_t ply = 0; !marked && ply < review.marks.size() && ply < review.summary.plies.size(); ++ply)
      review.marks[ply] = review.summary.plies[ply].mark;
    const ExerciseSource source{path, tagValue(read.info.tags, "White"), tagValue(read.info.tags, "Black"),
                                tagValue(read.info.tags, "Date")};
    for (Exercise& exercise : exercisesOfReview(positions, review, ExerciseSides::Both, source))
      result.exercises.push_back(std::move(exercise));
    if (!read.info.moreGames || end <= offset) break;
    offset = end;
  }
  return result;
}
