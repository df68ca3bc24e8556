#pragma once
// What an engine writes is untrusted text: a line may be endless, hold
// control characters (escape sequences, BEL, NUL) or a "move" of a megabyte.
// These bounds are applied before any of it is stored, shown or saved.

#include <QByteArray>
#include <QString>

namespace engine_text {

// A line longer than this is cut there and the rest of it dropped; UCI
// engines write at most a few kilobytes, kelvo takes 64 KB.
inline constexpr qsizetype MAX_LINE_BYTES = 64 * 1024;
// The longest move text a driver can mean: "e7e8=Q+" as SAN, "O-O-O+".
inline constexpr qsizetype MAX_MOVE_CHARS = 12;
// Names the engine gives itself and options, as lists and the PGN show them.
inline constexpr qsizetype MAX_NAME_CHARS = 64;

// The line with every control character (C0, DEL, C1) turned into a blank,
// so words stay apart and nothing reaches a terminal, a widget or a file raw.
QString printable(QString text);

// At most `chars` characters of the printable text, an ellipsis marking a cut.
QString excerpt(const QString& text, qsizetype chars);

// "«e2e5»", or the start of a long text quoted, for a message.
QString quotedMove(const QString& move);

// Whether the text holds a line break or another control character, which
// would split one command into several on the way to the engine.
bool hasControl(const QString& text);

// Cuts complete lines out of `pending` (the bytes read so far); a line over
// MAX_LINE_BYTES is cut and its rest skipped up to its end. `skipping` says
// whether the bytes still to come belong to such a line.
class LineSplitter {
 public:
  // The next whole line (without its end), or false when none is complete.
  bool next(QByteArray& pending, QByteArray& line);

 private:
  bool skipping = false;
};

}  // namespace engine_text
