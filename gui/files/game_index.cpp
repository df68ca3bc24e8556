#include "game_index.h"

#include <QFile>
#include <QStringDecoder>

namespace {

bool isResult(QByteArrayView word) {
  return word == "1-0" || word == "0-1" || word == "1/2-1/2" || word == "*";
}

// The movetext of the game being read: comments and variations may span lines.
struct MovetextState {
  int commentDepth = 0;  // inside { }
  int variationDepth = 0;
  int plies = 0;
  bool started = false;
  bool ended = false;  // a result token closed the game
};

// Counts the move words of one movetext line at the main line's level.
void scanMovetext(QByteArrayView line, MovetextState& state, QString& result) {
  auto endWord = [&](QByteArrayView word) {
    if (word.isEmpty()) return;
    if (isResult(word)) {
      state.ended = true;
      if (result.isEmpty()) result = QString::fromLatin1(word);
    } else if (state.variationDepth == 0 && word[0] != '$') {
      // "12." or "12..." alone, or glued to its move as in "12.Nf3".
      qsizetype i = 0;
      while (i < word.size() && word[i] >= '0' && word[i] <= '9') ++i;
      if (i > 0 && i < word.size() && word[i] == '.') {
        while (i < word.size() && word[i] == '.') ++i;
      } else {
        i = 0;
      }
      if (i < word.size()) ++state.plies;
    }
  };
  qsizetype start = 0;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (state.commentDepth > 0) {
      if (c == '}') state.commentDepth = 0;
      start = i + 1;
      continue;
    }
    if (c == ';') {
      endWord(line.sliced(start, i - start));
      return;
    }
    if (c == '{' || c == '(' || c == ')' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      endWord(line.sliced(start, i - start));
      start = i + 1;
      if (c == '{') state.commentDepth = 1;
      if (c == '(') ++state.variationDepth;
      if (c == ')' && state.variationDepth > 0) --state.variationDepth;
      continue;
    }
    state.started = true;
  }
  endWord(line.sliced(start));
}

// [Name "Value"] with the value's escapes undone.
bool readTag(QByteArrayView line, QByteArray& name, QByteArray& value) {
  const qsizetype open = line.indexOf('"');
  const qsizetype start = line.indexOf('[');
  if (start < 0 || open < 0) return false;
  name = line.sliced(start + 1, open - start - 1).trimmed().toByteArray();
  value.clear();
  for (qsizetype i = open + 1; i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    value += line[i];
  }
  return true;
}

}  // namespace

QString pgnText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

int indexGames(QIODevice& in, const std::function<void(QVector<GameIndexEntry>)>& deliver, int batchSize,
               int maxGames, const std::atomic<bool>* stop) {
  QVector<GameIndexEntry> batch;
  GameIndexEntry entry;
  MovetextState movetext;
  bool inGame = false;
  int games = 0;
  auto finish = [&] {
    if (!inGame) return;
    entry.moves = (movetext.plies + 1) / 2;
    batch.push_back(std::move(entry));
    inGame = false;
    if (batch.size() >= batchSize && deliver) deliver(std::exchange(batch, {}));
  };
  auto begin = [&](qint64 offset) {
    finish();
    entry = GameIndexEntry();
    entry.offset = offset;
    entry.number = ++games;
    movetext = MovetextState();
    inGame = true;
  };
  QByteArray name, value, block;
  qint64 offset = in.pos();  // of the next line
  qsizetype at = 0;          // of that line in block
  bool firstLine = offset == 0;
  // Lines are cut from large blocks: one read per megabyte, not one per line.
  // A line longer than MAX_LINE (a file that is one long word) is cut there:
  // no tag is that long, and the block stays bounded.
  constexpr qsizetype BLOCK = 1 << 20, MAX_LINE = 1 << 20;
  auto nextLine = [&](QByteArrayView& line) {
    qsizetype end = block.indexOf('\n', at);
    while (end < 0 && !in.atEnd() && block.size() - at < MAX_LINE) {
      const qsizetype searched = block.size() - at;
      block.remove(0, at);
      at = 0;
      block += in.read(BLOCK);
      end = block.indexOf('\n', searched);
    }
    if (end < 0 || end - at >= MAX_LINE) end = std::min(block.size(), at + MAX_LINE) - 1;
    if (at > end) return false;
    line = QByteArrayView(block).sliced(at, end + 1 - at);
    at = end + 1;
    return true;
  };
  QByteArrayView line;
  while (!(stop && *stop) && nextLine(line)) {
    const qint64 lineOffset = offset;
    offset += line.size();
    if (firstLine && line.startsWith("\xEF\xBB\xBF")) line = line.sliced(3);
    firstLine = false;
    const QByteArrayView trimmed = line.trimmed();
    if (trimmed.isEmpty() || (movetext.commentDepth == 0 && trimmed.startsWith('%'))) continue;
    if (movetext.commentDepth == 0 && trimmed.startsWith('[')) {
      if (!inGame || movetext.started || movetext.ended) {
        if (maxGames >= 0 && games >= maxGames) break;
        begin(games == 0 ? 0 : lineOffset);
      }
      if (!readTag(trimmed, name, value)) continue;
      const QString text = pgnText(value);
      if (name == "Event") entry.event = text;
      else if (name == "White") entry.white = text;
      else if (name == "Black") entry.black = text;
      else if (name == "Result") entry.result = text;
      else if (name == "Date") entry.date = text;
      else if (name == "ECO") entry.eco = text;
      else if (name == "Opening") entry.opening = text;
      continue;
    }
    if (!inGame || (movetext.ended && movetext.commentDepth == 0)) {
      if (maxGames >= 0 && games >= maxGames) break;
      begin(games == 0 ? 0 : lineOffset);
    }
    scanMovetext(line, movetext, entry.result);
  }
  finish();
  if (!batch.isEmpty() && deliver) deliver(std::move(batch));
  return games;
}

bool holdsSeveralGames(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return indexGames(file, {}, 1, 2) >= 2;
}
