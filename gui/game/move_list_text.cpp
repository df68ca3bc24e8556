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
