// Training: the exercise store and its schedule, the check of a tried move,
// and exercises made from annotated games.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "test_positions.h"
#include "training/attempt_check.h"
#include "training/exercise_maker.h"
#include "training/exercise_store.h"

namespace {

constexpr qint64 T0 = 1'800'000'000'000;  // a fixed "now", milliseconds since the epoch

// Black to move after 1.e4 e5 2.Nf3: 2...Qg5 hangs the queen to the knight.
constexpr const char* BEFORE_QG5 = "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2";
// White to move after 2...Qg5: only 3.Nxg5 wins the queen.
constexpr const char* AFTER_QG5 = "rnb1kbnr/pppp1ppp/8/4p1q1/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3";
// White mates at once two ways: Ra8# and Rb8#.
constexpr const char* TWO_MATES = "7k/6pp/8/8/8/8/8/RR4K1 w - - 0 1";

Exercise exerciseAt(const char* fen, const char* played) {
  Exercise exercise;
  exercise.fen = fen;
  exercise.played = played;
  exercise.source = QStringLiteral("partida actual");
  exercise.dueMs = T0;
  return exercise;
}

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

SearchLimits quick() {
  SearchLimits limits;
  limits.nodes = 60000;
  return limits;
}

Move move(const char* fen, const char* uci) {
  const Move found = moveOfCoordinates(fromFen(fen), uci);
  EXPECT_FALSE(found.isNull()) << uci;
  return found;
}

}  // namespace

TEST(ExerciseStore, SchedulesSolvedLaterAndFailedAtOnceAndSurvivesARestart) {
  QTemporaryDir dir;
  const QString path = dir.filePath("sub/ejercicios.json");
  ExerciseStore store(path);
  EXPECT_EQ(store.load(T0), QString());  // no file yet: an empty store
  EXPECT_TRUE(store.add(exerciseAt(BEFORE_QG5, "d8g5")));
  EXPECT_TRUE(store.add(exerciseAt(AFTER_QG5, "b1c3")));
  EXPECT_TRUE(store.add(exerciseAt(BEFORE_QG5, "d8h4")));  // another mistake from the same position
  // The same position from another game (other counters) with the same move: no second exercise.
  Exercise again = exerciseAt("rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 7 9", "d8g5");
  EXPECT_FALSE(store.add(again));
  ASSERT_EQ(store.size(), 3u);
  EXPECT_EQ(store.pending(T0).size(), 3u);

  // Solved three times in a row: due after 1, then 3, then 7 days.
  qint64 now = T0;
  for (int days : {1, 3, 7}) {
    store.solved(0, now);
    EXPECT_EQ(store.exercises()[0].dueMs, now + days * DAY_MS);
    EXPECT_FALSE(isDue(store.exercises()[0], now + days * DAY_MS - 1));
    now += days * DAY_MS;
  }
  // A failure loses the streak: due at once, and again one day after a solve.
  store.failed(1, T0 + 10);
  EXPECT_TRUE(isDue(store.exercises()[1], T0 + 10));
  EXPECT_LT(store.exercises()[1].dueMs, store.exercises()[0].dueMs);
  // In the queue the failed one comes before one never tried, though that was due first.
  EXPECT_EQ(store.pending(T0 + 10), (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(store.solvedCount(), 1);
  ASSERT_EQ(store.save(), QString());

  ExerciseStore reread(path);
  ASSERT_EQ(reread.load(T0), QString());
  ASSERT_EQ(reread.size(), 3u);
  EXPECT_EQ(reread.exercises()[0].streak, 3);
  EXPECT_EQ(reread.exercises()[0].dueMs, store.exercises()[0].dueMs);
  EXPECT_EQ(reread.exercises()[1].failedCount, 1);
  EXPECT_EQ(reread.pending(T0 + 10), store.pending(T0 + 10));
  EXPECT_FALSE(reread.add(exerciseAt(AFTER_QG5, "b1c3")));  // still known after the restart
  reread.solved(1, T0 + 20);
  EXPECT_EQ(reread.exercises()[1].dueMs, T0 + 20 + DAY_MS);
}

TEST(ExerciseStore, AnUnreadableFileIsKeptAsideAndNeverOverwritten) {
  QTemporaryDir dir;
  const QString path = dir.filePath("ejercicios.json");
  // Cut short, of another format, of a later version, and one broken exercise.
  const QByteArray broken[] = {
      R"({"format": "dovrel2-ejercicios", "version": 1, "exercises": [)",
      R"({"something": "else"})",
      R"({"format": "dovrel2-ejercicios", "version": 9, "exercises": []})",
      R"({"format": "dovrel2-ejercicios", "version": 1, "exercises": [{"fen": "x", "played": "e2e4",)"
      R"( "source": "", "due": "0", "better": []}]})"};
  for (const QByteArray& bytes : broken) {
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
    write(path, bytes);
    ExerciseStore store(path);
    const QString message = store.load(T0);
    EXPECT_TRUE(message.contains(QStringLiteral("No se pueden leer los ejercicios"))) << message.toStdString();
    EXPECT_EQ(store.size(), 0u);
    ASSERT_FALSE(store.keptAside().isEmpty());
    EXPECT_TRUE(store.keptAside().startsWith(path + QStringLiteral(".roto-")));
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(store.keptAside())));
    EXPECT_EQ(bytesOf(store.keptAside()), bytes);
    // The store starts over; what it saves goes beside the kept file, not over it.
    EXPECT_TRUE(store.add(exerciseAt(BEFORE_QG5, "d8g5")));
    ASSERT_EQ(store.save(), QString());
    EXPECT_EQ(bytesOf(store.keptAside()), bytes);
    ExerciseStore reread(path);
    EXPECT_EQ(reread.load(T0), QString());
    EXPECT_EQ(reread.size(), 1u);
  }
}

TEST(AttemptCheck, AcceptsEveryMoveAsGoodAsTheBestAndNeverThePlayedOne) {
  // Two equal best moves: both accepted, unless one of them is the move played.
  const CChessBoard mates = fromFen(TWO_MATES);
  const Move played = move(TWO_MATES, "g1f2");
  for (const char* tried : {"a1a8", "b1b8"}) {
    const AttemptVerdict verdict = checkAttempt(mates, move(TWO_MATES, tried), played, quick());
    EXPECT_TRUE(verdict.solved) << tried;
    EXPECT_EQ(verdict.loss, 0.0) << tried;
    ASSERT_FALSE(verdict.triedLine.empty());
    EXPECT_EQ(coordinatesOf(verdict.triedLine.front()), tried);
  }
  EXPECT_FALSE(checkAttempt(mates, move(TWO_MATES, "a1a8"), move(TWO_MATES, "a1a8"), quick()).solved);

  // The mistake again, or another that hangs the queen: refused, with the line that punishes it.
  const CChessBoard black = fromFen(BEFORE_QG5);
  const Move qg5 = move(BEFORE_QG5, "d8g5");
  AttemptVerdict verdict = checkAttempt(black, qg5, qg5, quick());
  EXPECT_FALSE(verdict.solved);
  verdict = checkAttempt(black, move(BEFORE_QG5, "d8h4"), qg5, quick());
  EXPECT_FALSE(verdict.solved);
  EXPECT_GT(verdict.loss, 0.15);
  ASSERT_GE(verdict.triedLine.size(), 2u);
  EXPECT_EQ(coordinatesOf(verdict.triedLine[1]), "f3h4");
  EXPECT_TRUE(checkAttempt(black, move(BEFORE_QG5, "b8c6"), qg5, quick()).solved);

  // One move wins the queen: it alone solves.
  const CChessBoard white = fromFen(AFTER_QG5);
  const Move nc3 = move(AFTER_QG5, "b1c3");
  EXPECT_TRUE(checkAttempt(white, move(AFTER_QG5, "f3g5"), nc3, quick()).solved);
  for (const char* tried : {"b1c3", "d2d3", "h2h4"})
    EXPECT_FALSE(checkAttempt(white, move(AFTER_QG5, tried), nc3, quick()).solved) << tried;
}

TEST(ExerciseMaker, MarkedMovesOfACollectionBecomeExercises) {
  QTemporaryDir dir;
  const QString path = dir.filePath("export.pgn");
  // Game 1 marks its moves: an inaccuracy (no exercise), a blunder with its
  // better line, a mistake by White without one. Game 2 marks nothing but has
  // evaluations: its blunder is found from them. Game 3 has neither.
  write(path,
        "[White \"Ana\"]\n[Black \"Luis\"]\n[Date \"2024.05.01\"]\n\n"
        "1. e4 {[%eval 0.3]} e5 {[%eval 0.3]} 2. Nf3 {[%eval 0.3]} a6 $6 {[%eval 0.7]}\n"
        "3. Nxe5 {[%eval 0.8]} Qg5 $4 {[%eval 5.0]} (3... d6 4. Nf3) 4. Nc3 $2 {[%eval 0.5]} d6 {[%eval 0.6]} 1-0\n\n"
        "[White \"Eva\"]\n[Black \"Juan\"]\n\n"
        "1. e4 {[%eval 0.3]} e5 {[%eval 0.3]} 2. Nf3 {[%eval 0.3]} Qg5 {[%eval 9.0]} 3. Nxg5 {[%eval 9.1]} 1-0\n\n"
        "[White \"Sin\"]\n[Black \"Notas\"]\n\n1. e4 e5 2. Nf3 Qg5 *\n");
  const CollectionExercises made = exercisesOfCollection(path);
  EXPECT_EQ(made.why, QString());
  EXPECT_EQ(made.games, 3);
  ASSERT_EQ(made.exercises.size(), 3u);

  const Exercise& blunder = made.exercises[0];
  EXPECT_FALSE(blunder.whiteToMove());
  EXPECT_EQ(blunder.played, "d8g5");
  EXPECT_EQ(blunder.better, std::vector<std::string>{"d7d6"});
  EXPECT_EQ(blunder.mark, MoveMark::BLUNDER);
  EXPECT_EQ(blunder.moveNumber, 3);
  EXPECT_EQ(blunder.source, path);
  EXPECT_EQ(blunder.white, QStringLiteral("Ana"));
  EXPECT_EQ(blunder.black, QStringLiteral("Luis"));
  EXPECT_EQ(blunder.date, QStringLiteral("2024.05.01"));
  ASSERT_TRUE(blunder.position());
  EXPECT_EQ(blunder.fen.substr(0, blunder.fen.find(' ')), "rnbqkbnr/1ppp1ppp/p7/4N3/4P3/8/PPPP1PPP/RNBQKB1R");

  const Exercise& mistake = made.exercises[1];
  EXPECT_TRUE(mistake.whiteToMove());
  EXPECT_EQ(mistake.played, "b1c3");
  EXPECT_TRUE(mistake.better.empty());
  EXPECT_EQ(mistake.mark, MoveMark::MISTAKE);
  EXPECT_EQ(mistake.moveNumber, 4);

  const Exercise& fromEvals = made.exercises[2];
  EXPECT_EQ(fromEvals.played, "d8g5");
  EXPECT_EQ(fromEvals.white, QStringLiteral("Eva"));
  EXPECT_EQ(fromEvals.key(), exerciseAt(BEFORE_QG5, "d8g5").key());

  // A played game's review: only the person's side, when asked.
  const std::vector<CChessBoard> positions = positionsOfGame(
      fromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"),
      {move("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "f2f3"),
       move("rnbqkbnr/pppppppp/8/8/8/5P2/PPPPP1PP/RNBQKBNR b KQkq - 0 1", "e7e5"),
       move("rnbqkbnr/pppp1ppp/8/4p3/8/5P2/PPPPP1PP/RNBQKBNR w KQkq - 0 2", "g2g4")});
  GameReview review;
  review.marks = {MoveMark::MISTAKE, MoveMark::NONE, MoveMark::BLUNDER};
  review.betterLines = {{move("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2e4")}, {}, {}};
  const ExerciseSource here{QStringLiteral("partida actual"), {}, {}, {}};
  EXPECT_EQ(exercisesOfReview(positions, review, ExerciseSides::White, here).size(), 2u);
  EXPECT_EQ(exercisesOfReview(positions, review, ExerciseSides::Black, here).size(), 0u);
  EXPECT_EQ(exercisesOfReview(positions, review, ExerciseSides::White, here)[0].better,
            std::vector<std::string>{"e2e4"});
}
