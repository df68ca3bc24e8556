#include "engine_text.h"

#include <algorithm>

namespace engine_text {

namespace {

bool isControl(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x20 || (u >= 0x7f && u < 0xa0);
}

}  // namespace

QString printable(QString text) {
  for (QChar& c : text)
    if (isControl(c)) c = u' ';
  return text;
}

QString excerpt(const QString& text, qsizetype chars) {
  if (text.size() <= chars) return printable(text);
  return printable(text.left(chars)) + QChar(0x2026);
}

QString quotedMove(const QString& move) {
  return QChar(0xab) + excerpt(move, MAX_MOVE_CHARS + 8) + QChar(0xbb);
}

bool hasControl(const QString& text) { return std::any_of(text.cbegin(), text.cend(), isControl); }

bool LineSplitter::next(QByteArray& pending, QByteArray& line) {
  for (;;) {
    const qsizetype end = pending.indexOf('\n');
    if (skipping) {
      // The rest of a cut line: dropped as it comes.
      if (end < 0) {
        pending.clear();
        return false;
      }
      pending.remove(0, end + 1);
      skipping = false;
      continue;
    }
    if (end >= 0 && end <= MAX_LINE_BYTES) {
      line = pending.left(end);
      pending.remove(0, end + 1);
      return true;
    }
    if (pending.size() <= MAX_LINE_BYTES) return false;
    // Too long: the start is the line, the rest waits for its end.
    line = pending.left(MAX_LINE_BYTES);
    pending.remove(0, MAX_LINE_BYTES);
    skipping = true;
    return true;
  }
}

}  // namespace engine_text
