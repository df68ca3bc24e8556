#include "book/game_tree.h"

#include <algorithm>
#include <cstdlib>

#include "book/pgn_annotation.h"
#include "book/pgn_reader.h"
#include "position/move_gen.h"
#include "position/notation.h"

namespace {

constexpr bool isBlank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr std::size_t MAX_NAGS = 8;

void play(CChessBoard& position, const Move& move) {
  makeMove(position, move);
  position.switchSide();
}

void appendComment(std::string& to, const std::string& text) {
  if (text.empty()) return;
  if (!to.empty()) to += ' ';
  to += text;
  if (to.size() > MAX_COMMENT) to.resize(MAX_COMMENT);
}

// Movetext read from a string: one reader per game.
class TreeReader {
 public:
  explicit TreeReader(const std::string& text) : text(text) {}

  void readMain(const CChessBoard& start, GameTree& tree) { readLine(start, tree.main, 0, &tree.startComment); }

 private:
  enum class Kind { End, Comment, Open, Close, Nag, Word };
  struct Token {
    Kind kind;
    std::string text;
  };

  Token next() {
    for (;;) {
      while (at < text.size() && isBlank(static_cast<unsigned char>(text[at]))) ++at;
      if (at >= text.size()) return {Kind::End, {}};
      const char c = text[at];
      // An escape line ("%" at a line's start) is for other programs alone.
      if (c == '%' && (at == 0 || text[at - 1] == '\n')) {
        skipTo('\n');
        continue;
      }
      if (c == '{' || c == ';') {
        const std::size_t begin = at + 1;
        const std::size_t close = std::min(text.find(c == '{' ? '}' : '\n', begin), text.size());
        at = std::min(close + 1, text.size());
        return {Kind::Comment, trimmed(text.substr(begin, std::min(close - begin, MAX_COMMENT)))};
      }
      ++at;
      if (c == '(') return {Kind::Open, {}};
      if (c == ')') return {Kind::Close, {}};
      const std::size_t begin = at - 1;
      while (at < text.size() && !isBlank(static_cast<unsigned char>(text[at])) && text[at] != '{' &&
             text[at] != '(' && text[at] != ')' && text[at] != ';' && at - begin < 256)
        ++at;
      std::string word = text.substr(begin, at - begin);
      if (word[0] == '$') return {Kind::Nag, word.substr(1)};
      return {Kind::Word, std::move(word)};
    }
  }

  // Past the next `closing` byte, or to the end.
  void skipTo(char closing) {
    while (at < text.size() && text[at] != closing) ++at;
    if (at < text.size()) ++at;
  }

  static std::string trimmed(const std::string& comment) {
    const std::size_t first = comment.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return comment.substr(first, comment.find_last_not_of(" \t\r\n") - first + 1);
  }

  // After a "(": up to its ")", nested ones included, without reading moves.
  void skipVariation() {
    for (int depth = 1; depth > 0;) {
      const Token token = next();
      if (token.kind == Kind::End) return;
      if (token.kind == Kind::Open) ++depth;
      if (token.kind == Kind::Close) --depth;
    }
  }

  // A line from `position` until its ")" (or, for the main line, its result
  // or the end). `startComment`: where a comment before the first move goes.
  void readLine(CChessBoard position, TreeLine& line, int depth, std::string* startComment) {
    CChessBoard before = position;  // before the line's last move: its variations start there
    std::string pending;            // a comment waiting for the next move
    bool afterVariation = false;
    bool dead = false;  // an unreadable move: the rest of this line is skipped
    const auto finish = [&] {
      if (!pending.empty() && !line.moves.empty()) appendComment(line.moves.back().after, pending);
    };
    for (;;) {
      Token token = next();
      switch (token.kind) {
        case Kind::End: return finish();
        case Kind::Close:
          if (depth > 0) return finish();
          break;  // a ")" that closes nothing
        case Kind::Comment:
          if (dead) break;
          if (line.moves.empty() && startComment)
            appendComment(*startComment, token.text);
          else if (line.moves.empty() || afterVariation)
            appendComment(pending, token.text);
          else
            appendComment(line.moves.back().after, token.text);
          break;
        case Kind::Nag:
          addNag(line, dead, std::atoi(token.text.c_str()));
          break;
        case Kind::Open:
          if (dead || line.moves.empty() || depth + 1 > MAX_VARIATION_DEPTH || moves >= MAX_TREE_MOVES) {
            skipVariation();
          } else {
            TreeLine variation;
            readLine(before, variation, depth + 1, nullptr);
            if (!variation.moves.empty()) line.moves.back().variations.push_back(std::move(variation));
            afterVariation = true;
          }
          break;
        case Kind::Word: {
          std::string& word = token.text;
          if (word == "1-0" || word == "0-1" || word == "1/2-1/2" || word == "*") {
            if (depth == 0) return finish();
            break;
          }
          // A move number, alone or glued to its move (12.e4, 12...Nf6).
          std::size_t digits = 0;
          while (digits < word.size() && word[digits] >= '0' && word[digits] <= '9') ++digits;
          if (digits > 0 && digits < word.size() && word[digits] == '.') {
            while (digits < word.size() && word[digits] == '.') ++digits;
            word.erase(0, digits);
          } else if (digits == word.size()) {
            break;
          }
          std::size_t markStart = word.size();
          while (markStart > 0 && (word[markStart - 1] == '!' || word[markStart - 1] == '?')) --markStart;
          const int markNag = nagOfMark(word.substr(markStart));
          word.resize(markStart);
          if (word.empty() || word.find_first_not_of('.') == std::string::npos) {
            addNag(line, dead, markNag);
            break;
          }
          if (dead) break;
          if (std::string castling = PgnReader::castlingToken(word); !castling.empty() && word.size() <= 6) word = castling;
          const Move move = moves < MAX_TREE_MOVES ? parseSanQuietly(position, word) : Move();
          if (move.isNull()) {
            if (depth == 0) return finish();
            dead = true;
            break;
          }
          ++moves;
          TreeMove& added = line.moves.emplace_back();
          added.move = move;
          added.before = std::move(pending);
          pending.clear();
          if (markNag) added.nags.push_back(markNag);
          before = position;
          play(position, move);
          afterVariation = false;
          break;
        }
      }
    }
  }

  static void addNag(TreeLine& line, bool dead, int nag) {
    if (dead || line.moves.empty() || nag <= 0 || nag > 255) return;
    std::vector<int>& nags = line.moves.back().nags;
    for (int known : nags)
      if (known == nag) return;
    if (nags.size() < MAX_NAGS) nags.push_back(nag);
  }

  const std::string& text;
  std::size_t at = 0;
  std::size_t moves = 0;
};

// The line holding the node at `path` (all but its last index), or null.
template <class Tree, class Line>
Line* lineOf(Tree& tree, const TreePath& path) {
  Line* line = &tree.main;
  for (std::size_t j = 0; j + 1 < path.size(); j += 2) {
    const int move = path[j], variation = path[j + 1];
    if (move < 0 || static_cast<std::size_t>(move) >= line->moves.size()) return nullptr;
    auto& variations = line->moves[static_cast<std::size_t>(move)].variations;
    if (variation < 0 || static_cast<std::size_t>(variation) >= variations.size()) return nullptr;
    line = &variations[static_cast<std::size_t>(variation)];
  }
  return line;
}

}  // namespace

namespace {

bool lineAnnotated(const TreeLine& line) {
  for (const TreeMove& move : line.moves)
    if (!move.before.empty() || !move.after.empty() || !move.nags.empty() || !move.variations.empty()) return true;
  return false;
}

}  // namespace

bool GameTree::annotated() const { return !startComment.empty() || lineAnnotated(main); }

GameTree parseGameTree(const CChessBoard& start, const std::string& movetext) {
  GameTree tree;
  if (movetext.size() > MAX_TREE_TEXT) return tree;
  TreeReader(movetext).readMain(start, tree);
  return tree;
}

const TreeMove* treeMoveAt(const GameTree& tree, const TreePath& path) {
  const TreeLine* line = lineOf<const GameTree, const TreeLine>(tree, path);
  if (!line || path.empty() || path.size() % 2 == 0) return nullptr;
  const int index = path.back();
  return index >= 0 && static_cast<std::size_t>(index) < line->moves.size() ? &line->moves[static_cast<std::size_t>(index)]
                                                                             : nullptr;
}

TreeMove* treeMoveAt(GameTree& tree, const TreePath& path) {
  return const_cast<TreeMove*>(treeMoveAt(static_cast<const GameTree&>(tree), path));
}

namespace {

std::optional<CChessBoard> positionAt(const CChessBoard& start, const GameTree& tree, const TreePath& path,
                                      bool beforeLast) {
  CChessBoard position = start;
  if (path.empty()) return position;
  if (!treeMoveAt(tree, path)) return std::nullopt;
  const TreeLine* line = &tree.main;
  for (std::size_t j = 0; j < path.size(); j += 2) {
    const auto move = static_cast<std::size_t>(path[j]);
    // A variation stands in for its move: it starts before it.
    const std::size_t played = j + 1 < path.size() || beforeLast ? move : move + 1;
    for (std::size_t i = 0; i < played; ++i) play(position, line->moves[i].move);
    if (j + 1 < path.size()) line = &line->moves[move].variations[static_cast<std::size_t>(path[j + 1])];
  }
  return position;
}

}  // namespace

std::optional<CChessBoard> treePosition(const CChessBoard& start, const GameTree& tree, const TreePath& path) {
  return positionAt(start, tree, path, false);
}

std::optional<CChessBoard> treePositionBefore(const CChessBoard& start, const GameTree& tree, const TreePath& path) {
  if (path.empty()) return std::nullopt;
  return positionAt(start, tree, path, true);
}

std::optional<TreePath> previousNode(const TreePath& path) {
  if (path.empty()) return std::nullopt;
  TreePath previous = path;
  if (previous.back() > 0) {
    --previous.back();
    return previous;
  }
  if (previous.size() == 1) return TreePath{};
  // A variation's first move follows what its branching move follows.
  previous.resize(previous.size() - 2);
  return previousNode(previous);
}

std::optional<TreePath> nextNode(const GameTree& tree, const TreePath& path) {
  TreePath next = path.empty() ? TreePath{0} : path;
  if (!path.empty()) ++next.back();
  if (!treeMoveAt(tree, next)) return std::nullopt;
  return next;
}

std::optional<TreeStep> playInTree(GameTree& tree, const TreePath& path, const Move& move) {
  if (!path.empty() && !treeMoveAt(tree, path)) return std::nullopt;
  TreeLine* line = lineOf<GameTree, TreeLine>(tree, path);
  TreePath prefix = path;
  const std::size_t next = path.empty() ? 0 : static_cast<std::size_t>(path.back()) + 1;
  if (!prefix.empty()) prefix.pop_back();
  auto to = [&prefix](std::initializer_list<int> tail) {
    TreePath reached = prefix;
    reached.insert(reached.end(), tail);
    return reached;
  };
  if (next >= line->moves.size()) {
    if (line == &tree.main) return std::nullopt;
    line->moves.push_back(TreeMove{move, {}, {}, {}, {}});
    return TreeStep{to({static_cast<int>(next)}), true};
  }
  TreeMove& following = line->moves[next];
  if (sameMove(following.move, move)) return TreeStep{to({static_cast<int>(next)}), false};
  for (std::size_t v = 0; v < following.variations.size(); ++v)
    if (!following.variations[v].moves.empty() && sameMove(following.variations[v].moves[0].move, move))
      return TreeStep{to({static_cast<int>(next), static_cast<int>(v), 0}), false};
  TreeLine variation;
  variation.moves.push_back(TreeMove{move, {}, {}, {}, {}});
  following.variations.push_back(std::move(variation));
  return TreeStep{to({static_cast<int>(next), static_cast<int>(following.variations.size() - 1), 0}), true};
}

void followMainLine(GameTree& tree, const std::vector<Move>& moves) {
  std::vector<TreeMove>& line = tree.main.moves;
  std::size_t shared = 0;
  while (shared < line.size() && shared < moves.size() && sameMove(line[shared].move, moves[shared])) ++shared;
  line.resize(shared);
  for (std::size_t i = shared; i < moves.size(); ++i) line.push_back(TreeMove{moves[i], {}, {}, {}, {}});
}

std::string nagSign(int nag) {
  static const char* const signs[] = {"",   "!",   "?",   "!!",  "??",  "!?",  "?!", "", "", "",
                                      "=",  "",    "",    "~",   "+=",  "=+",  "+/-", "-/+", "+-", "-+"};
  if (nag <= 0) return "";
  if (static_cast<std::size_t>(nag) < std::size(signs) && signs[nag][0]) return signs[nag];
  if (nag == 146) return "N";
  return '$' + std::to_string(nag);
}
