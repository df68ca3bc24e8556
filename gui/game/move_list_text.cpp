#include "move_list_text.h"

#include <cctype>
#include <cstdio>

#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"

std::string plainMoveText(const Move& move) {
  std::string text;
  if (!isPawn(move.piece)) text += static_cast<char>(std::toupper(static_cast<unsigned char>(pieceLetter(move.piece))));
  if (move.captured != EMPTY) {
    if (isPawn(move.piece)) text += squareName(move.from)[0];
    text += 'x';
  }
  text += squareName(move.to);
  if (isQueen(move.promotion)) text += "=Q";
  if (isCastlingMove(move)) text = fileOf(move.to) == 6 ? "0-0" : "0-0-0";
  return text;
}

namespace {

// Every character written is in the Basic Multilingual Plane: one UTF-16 unit
// for each byte that does not continue a character.
int utf16Length(const std::string& text) {
  int units = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++units;
  return units;
}

}  // namespace

std::string moveListText(const std::vector<CChessBoard>& history, std::vector<MoveSpan>* spans, MoveNotation notation) {
  std::string text;
  int shown = 0;  // the text's length in UTF-16 units
  const auto write = [&](const std::string& part) {
    text += part;
    shown += utf16Length(part);
  };
  for (std::size_t i = 0; i < history.size(); ++i) {
    const CChessBoard& entry = history[i];
    if (entry.lastMove.isNull()) continue;
    const std::string move = i == 0 ? notatedSan(plainMoveText(entry.lastMove), notation)
                                    : notatedMove(history[i - 1], entry.lastMove, notation, true);
    if (entry.sideToMove == 0) {
      char number[16];
      std::snprintf(number, sizeof number, "%d", static_cast<int>(i / 2 + 1));
      write(number);
      write(".");
    } else {
      write(" ");
    }
    if (spans) spans->push_back({static_cast<int>(i), shown, utf16Length(move)});
    write(move);
    if (entry.sideToMove != 0) write(" \n");
  }
  return text;
}

namespace {

// A comment as the list shows it: commands ([%clk 0:03:00]) are for programs.
std::string shownComment(const std::string& comment) {
  std::string text;
  for (std::size_t i = 0; i < comment.size(); ++i) {
    if (comment.compare(i, 2, "[%") == 0) {
      const std::size_t end = comment.find(']', i);
      if (end != std::string::npos) {
        i = end;
        continue;
      }
    }
    const char c = comment[i] == '\n' || comment[i] == '\r' || comment[i] == '\t' ? ' ' : comment[i];
    if (c != ' ' || (!text.empty() && text.back() != ' ')) text += c;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text.empty() ? text : '{' + text + '}';
}

bool reviewMarks(int nag) { return nag == NAG_MISTAKE || nag == NAG_BLUNDER || nag == NAG_INACCURACY; }

class TreeText {
 public:
  TreeText(std::vector<MoveSpan>* spans, std::vector<TreePath>* nodes, MoveNotation notation)
      : spans(spans), nodes(nodes), notation(notation) {}

  void write(const std::string& part) {
    text += part;
    shown += utf16Length(part);
  }
  // A word of a line: a blank before it unless the line has just begun.
  void word(const std::string& part) {
    if (!part.empty() && !text.empty() && text.back() != '\n' && text.back() != '(' && text.back() != ' ')
      write(" ");
    write(part);
  }
  void move(const std::string& san, int entry, const TreePath* path) {
    if (spans) {
      int node = -1;
      if (path && nodes) {
        node = static_cast<int>(nodes->size());
        nodes->push_back(*path);
      }
      spans->push_back({path ? VARIATION_ENTRY : entry, shown, utf16Length(san), node});
    }
    write(san);
  }
  void signs(const std::vector<int>& nags, bool skipReviewMarks) {
    for (int nag : nags) {
      if (skipReviewMarks && reviewMarks(nag)) continue;
      const std::string sign = nagSign(nag);
      if (nag <= 6)
        write(sign);
      else
        word(sign);
    }
  }

  // A variation's moves, nested ones in parentheses within it.
  void line(CChessBoard position, int number, const TreeLine& moves, TreePath path) {
    bool numberBlack = true;
    for (std::size_t i = 0; i < moves.moves.size(); ++i) {
      const TreeMove& node = moves.moves[i];
      CChessBoard legal = position;
      if (node.move.isNull() || !findMove(legal, node.move.from, node.move.to)) return;
      if (const std::string before = shownComment(node.before); !before.empty()) {
        word(before);
        numberBlack = true;
      }
      if (position.sideToMove)
        word(std::to_string(number) + '.');
      else if (numberBlack)
        word(std::to_string(number) + "...");
      path.push_back(static_cast<int>(i));
      if (text.back() != '.' && text.back() != '(') write(" ");
      move(notatedMove(position, node.move, notation, true), VARIATION_ENTRY, &path);
      signs(node.nags, false);
      numberBlack = false;
      if (const std::string after = shownComment(node.after); !after.empty()) {
        word(after);
        numberBlack = true;
      }
      for (std::size_t v = 0; v < node.variations.size(); ++v) {
        TreePath inner = path;
        inner.back() = static_cast<int>(i);
        inner.push_back(static_cast<int>(v));
        word("(");
        line(position, number, node.variations[v], inner);
        write(")");
        numberBlack = true;
      }
      path.pop_back();
      if (!position.sideToMove) ++number;
      makeMove(position, node.move);
      position.switchSide();
    }
  }

  std::string text;
  int shown = 0;

 private:
  std::vector<MoveSpan>* spans;
  std::vector<TreePath>* nodes;
  MoveNotation notation;
};

}  // namespace

std::string treeMoveListText(const std::vector<CChessBoard>& history, const GameTree& tree,
                             const std::vector<PgnAnnotation>* review, std::vector<MoveSpan>* spans,
                             std::vector<TreePath>* nodes, MoveNotation notation) {
  const int offset = static_cast<int>(history.size()) - static_cast<int>(tree.main.moves.size());
  if (!tree.annotated() || offset < 0) return moveListText(history, spans, notation);
  TreeText list(spans, nodes, notation);
  if (const std::string start = shownComment(tree.startComment); !start.empty()) list.write(start + '\n');
  bool numberBlack = false;  // after a comment or a variation
  for (std::size_t i = 0; i < history.size(); ++i) {
    const CChessBoard& entry = history[i];
    if (entry.lastMove.isNull()) continue;
    const int index = static_cast<int>(i) - offset;
    const TreeMove* node = index >= 0 ? &tree.main.moves[static_cast<std::size_t>(index)] : nullptr;
    const bool white = entry.sideToMove == 0;
    const int number = static_cast<int>(white ? i / 2 + 1 : (i + 1) / 2);
    if (const std::string before = node ? shownComment(node->before) : ""; !before.empty()) {
      list.word(before);
      numberBlack = true;
    }
    if (white)
      list.word(std::to_string(number) + '.');
    else if (numberBlack)
      list.word(std::to_string(number) + "...");
    else
      list.write(" ");
    list.move(i == 0 ? notatedSan(plainMoveText(entry.lastMove), notation)
                     : notatedMove(history[i - 1], entry.lastMove, notation, true),
              static_cast<int>(i), nullptr);
    numberBlack = false;
    if (node) {
      const PgnAnnotation* note =
          review && static_cast<std::size_t>(index) < review->size() ? &(*review)[static_cast<std::size_t>(index)] : nullptr;
      list.signs(node->nags, note && note->nag != 0);
      if (const std::string after = shownComment(node->after); !after.empty()) {
        list.word(after);
        numberBlack = true;
      }
      bool shownLines = false;
      for (std::size_t v = 0; v < node->variations.size() && i > 0; ++v) {
        // The review's better line is its verdict's to show.
        const TreeLine& line = node->variations[v];
        if (note && ((v == 0 && !note->variationText.empty()) ||
                     (!note->variation.empty() && sameMove(line.moves[0].move, note->variation[0]))))
          continue;
        list.write("\n  (");
        list.line(history[i - 1], number, line, {index, static_cast<int>(v)});
        list.write(")");
        numberBlack = shownLines = true;
      }
      if (shownLines && white) list.write("\n");
    }
    if (!white) list.write(" \n");
  }
  return list.text;
}

const std::string& MoveListCache::textOf(const std::vector<CChessBoard>& history, std::vector<MoveSpan>& spansOut,
                                         MoveNotation shownIn) {
  std::vector<std::uint64_t> now;
  now.reserve(history.size());
  for (const CChessBoard& entry : history) {
    const Move& move = entry.lastMove;
    now.push_back(std::uint64_t{static_cast<std::uint8_t>(move.from)} | std::uint64_t{static_cast<std::uint8_t>(move.to)} << 8 |
                  std::uint64_t{static_cast<std::uint8_t>(move.promotion)} << 16 |
                  std::uint64_t{static_cast<std::uint8_t>(move.piece)} << 24 |
                  std::uint64_t{static_cast<std::uint8_t>(entry.sideToMove)} << 32);
  }
  std::string first = history.empty() ? std::string() : positionToFen(history.front());
  if (!made || now != moves || first != start || shownIn != notation) {
    spans.clear();
    text = moveListText(history, &spans, shownIn);
    notation = shownIn;
    moves = std::move(now);
    start = std::move(first);
    made = true;
  }
  spansOut = spans;
  return text;
}
