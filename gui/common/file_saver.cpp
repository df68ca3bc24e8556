#include "file_saver.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "disk_sync.h"
#include "driver/file_replace.h"

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
  QString reason;
  if (faultAt(SaveFault::Open, reason)) return reason;
  // A file the user may not write stays as it is, although the folder would
  // let a rename replace it.
  const QFileInfo existing(path);
  if (existing.exists() && !existing.isWritable()) return QCoreApplication::translate("FileSaver", "Permiso denegado");
  // Failing before the rename leaves the old file, as a kill there would.
  if (faultAt(SaveFault::Write, reason) || faultAt(SaveFault::Commit, reason)) return reason;
  static const SystemDiskSync sync;
  return QString::fromStdString(replaceFile(QFile::encodeName(path).toStdString(), bytes.toStdString(), &sync,
                                            FileMode::BINARY));
}

// The old file is never touched by a failed save; only one that exists is mentioned.
QString saveFailureText(const QString& path, const QString& reason) {
  const QFileInfo file(path);
  QString text = QCoreApplication::translate("FileSaver", "No se pudo guardar el archivo «%1»:\n%2.")
                     .arg(file.absoluteFilePath(), reason);
  if (file.exists()) text += QCoreApplication::translate("FileSaver", "\n\nEl archivo anterior no se ha modificado.");
  return text;
}
