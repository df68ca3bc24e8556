#include "file_saver.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

struct Fault {
  SaveFault stage = SaveFault::None;
  QString reason;
};

Fault& injected() {
  static Fault fault;
  return fault;
}

// The injected fault, if it is this stage's (it fires once).
bool faultAt(SaveFault stage, QString& reason) {
  if (injected().stage != stage) return false;
  reason = injected().reason;
  injected() = {};
  return true;
}

}  // namespace

void injectSaveFault(SaveFault stage, const QString& reason) { injected() = {stage, reason}; }

QString writeFileWhole(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  QString reason;
  if (faultAt(SaveFault::Open, reason)) return reason;
  // A file the user may not write stays as it is, although the folder would
  // let a rename replace it.
  const QFileInfo existing(path);
  if (existing.exists() && !existing.isWritable()) return QStringLiteral("Permiso denegado");
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  // Returning before commit drops the temporary file.
  // Flushed here, because commit (Qt 6.4) renames the temporary file over the
  // old one even when its own flush failed: a full disk would leave it empty.
  if (file.write(bytes) != bytes.size() || !file.flush()) return file.errorString();
  if (faultAt(SaveFault::Write, reason) || faultAt(SaveFault::Commit, reason)) return reason;
  if (!file.commit()) return file.errorString();
  return {};
}

QString saveFailureText(const QString& path, const QString& reason) {
  return QStringLiteral("No se pudo guardar el archivo «%1»:\n%2.\n\nEl archivo anterior no se ha modificado.")
      .arg(QFileInfo(path).absoluteFilePath(), reason);
}
