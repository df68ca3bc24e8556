#pragma once
// Every file the desktop app writes for the user (games, kelvo.ini) is written
// whole or not at all, as the engine writes its own (replaceFile): into a
// temporary file of its own in the same folder, synced, then renamed over the
// old one. A symbolic link keeps pointing at its file, which is the one
// replaced, with its permissions. On any failure the old file is untouched
// and the caller gets the system's reason.

#include <QByteArray>
#include <QString>

// Empty on success, else why the file could not be written.
QString writeFileWhole(const QString& path, const QByteArray& bytes);

// The Spanish message for a failed write of `path`.
QString saveFailureText(const QString& path, const QString& reason);

// Tests make one stage fail as the system would: opening the temporary file,
// writing it, or committing it (the program dying between the write and the
// rename leaves the same old file).
enum class SaveFault { None, Open, Write, Commit };
void injectSaveFault(SaveFault stage, const QString& reason = QStringLiteral("No queda espacio en el dispositivo"));
