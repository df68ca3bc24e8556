#pragma once
// Exercises out of reviewed games: every move a review marks as a mistake or
// a blunder, by the sides asked for, becomes the position before it with the
// move played and the better move. A PGN collection with [%eval] comments or
// NAGs (a web export) gives its marked moves the same way, game by game.

#include <QString>

#include <vector>

#include "analysis/game_review.h"
#include "exercise.h"

struct ExerciseSource {
  QString source;  // the file's path or CURRENT_GAME_SOURCE
  QString white, black, date;
};

// Which sides' moves count: the person's in a game played here, else both.
enum class ExerciseSides { White, Black, Both };

// `positions`: the start and the position after each move, as the review saw them.
std::vector<Exercise> exercisesOfReview(const std::vector<CChessBoard>& positions, const GameReview& review,
                                        ExerciseSides sides, const ExerciseSource& source);

struct CollectionExercises {
  std::vector<Exercise> exercises;
  int games = 0;         // read
  int unreadGames = 0;   // stopped at a fault (their moves before it still count)
  QString why;           // set when the file could not be read at all
};
// Every game of the PGN file, each judged by its own annotations: its NAGs,
// or its [%eval]s where it marks no move at all.
CollectionExercises exercisesOfCollection(const QString& path);
