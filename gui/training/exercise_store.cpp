#include "exercise_store.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <algorithm>
#include <numeric>
#include <set>

#include "common/file_saver.h"

namespace {

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(ExerciseStore)
};

constexpr const char* FORMAT_NAME = "dovrel2-ejercicios";

// Why the bytes are no store, or empty.
QString readExercises(const QByteArray& bytes, std::vector<Exercise>& into) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError)
    return Texts::tr("no es JSON válido (%1, en el byte %2)").arg(error.errorString()).arg(error.offset);
  const QJsonObject root = document.object();
  if (root.value(QLatin1String("format")).toString() != QLatin1String(FORMAT_NAME))
    return Texts::tr("no es un archivo de ejercicios");
  const int version = root.value(QLatin1String("version")).toInt(0);
  if (version < 1 || version > ExerciseStore::FORMAT_VERSION)
    return Texts::tr("es de la versión %1, que este programa no conoce").arg(version);
  const QJsonArray list = root.value(QLatin1String("exercises")).toArray();
  for (qsizetype i = 0; i < list.size(); ++i) {
    std::optional<Exercise> exercise = Exercise::fromJson(list[i].toObject());
    if (!exercise) return Texts::tr("el ejercicio %1 está dañado").arg(i + 1);
    into.push_back(std::move(*exercise));
  }
  return {};
}

}  // namespace

ExerciseStore::ExerciseStore(QString path) : filePath(std::move(path)) {}

QString ExerciseStore::defaultPath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QLatin1String(FILE_NAME));
}

QString ExerciseStore::load(qint64 nowMs) {
  items.clear();
  asidePath.clear();
  writable = true;
  QFile file(filePath);
  if (!file.exists()) return {};
  QString why;
  std::vector<Exercise> read;
  if (!file.open(QIODevice::ReadOnly))
    why = file.errorString();
  else
    why = readExercises(file.readAll(), read);
  file.close();
  if (why.isEmpty()) {
    items = std::move(read);
    return {};
  }
  // Kept as it is under another name: the player or a later version may still want it.
  const QString stamp = QDateTime::fromMSecsSinceEpoch(nowMs).toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString aside = filePath + QStringLiteral(".roto-") + stamp;
  for (int n = 2; QFileInfo::exists(aside); ++n) aside = filePath + QStringLiteral(".roto-%1-%2").arg(stamp).arg(n);
  if (QFile::rename(filePath, aside)) {
    asidePath = aside;
    return Texts::tr("No se pueden leer los ejercicios de «%1»: %2. El archivo se ha guardado aparte como «%3» "
                     "y se empieza sin ejercicios.")
        .arg(QDir::toNativeSeparators(filePath), why, QDir::toNativeSeparators(aside));
  }
  writable = false;
  return Texts::tr("No se pueden leer los ejercicios de «%1»: %2. No se ha podido apartar, así que no se "
                   "escribirá encima: los ejercicios de esta sesión no se guardarán.")
      .arg(QDir::toNativeSeparators(filePath), why);
}

QString ExerciseStore::save() const {
  if (!writable)
    return Texts::tr("Los ejercicios no se guardan: «%1» no se pudo leer ni apartar.")
        .arg(QDir::toNativeSeparators(filePath));
  QJsonArray list;
  for (const Exercise& exercise : items) list.append(exercise.toJson());
  const QJsonObject root{{"format", FORMAT_NAME}, {"version", FORMAT_VERSION}, {"exercises", list}};
  QDir().mkpath(QFileInfo(filePath).absolutePath());
  const QString why = writeFileWhole(filePath, QJsonDocument(root).toJson(QJsonDocument::Indented));
  return why.isEmpty() ? QString() : saveFailureText(filePath, why);
}

bool ExerciseStore::add(Exercise exercise) {
  const std::string key = exercise.key();
  if (std::any_of(items.begin(), items.end(), [&key](const Exercise& other) { return other.key() == key; }))
    return false;
  items.push_back(std::move(exercise));
  return true;
}

std::vector<std::size_t> ExerciseStore::pending(qint64 nowMs) const {
  std::vector<std::size_t> due;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (isDue(items[i], nowMs)) due.push_back(i);
  // Failed ones first, as a review of what went wrong comes before anything new; then the longest waiting.
  auto owed = [this](std::size_t i) { return items[i].streak == 0 && items[i].failedCount > 0; };
  std::stable_sort(due.begin(), due.end(), [&](std::size_t a, std::size_t b) {
    if (owed(a) != owed(b)) return owed(a);
    return items[a].dueMs < items[b].dueMs;
  });
  return due;
}

int ExerciseStore::solvedCount() const {
  return static_cast<int>(std::count_if(items.begin(), items.end(), [](const Exercise& e) { return e.streak > 0; }));
}
