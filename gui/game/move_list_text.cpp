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

std::string moveListText(const std::vector<CChessBoard>& history, std::vector<MoveSpan>* spans) {
  std::string text;
  for (std::size_t i = 0; i < history.size(); ++i) {
    const CChessBoard& entry = history[i];
    if (entry.lastMove.isNull()) continue;
    std::string move;
    if (i == 0) {
      move = plainMoveText(entry.lastMove);
    } else {
      CChessBoard before = history[i - 1];
      generateMoves(before, false);
      move = moveToSan(before, entry.lastMove);
    }
    if (entry.sideToMove == 0) {
      char number[16];
      std::snprintf(number, sizeof number, "%d", static_cast<int>(i / 2 + 1));
      text += number;
      text += '.';
    } else {
      text += ' ';
    }
    if (spans) spans->push_back({static_cast<int>(i), static_cast<int>(text.size()), static_cast<int>(move.size())});
    text += move;
    if (entry.sideToMove != 0) text += " \n";
  }
  return text;
}

const std::string& MoveListCache::textOf(const std::vector<CChessBoard>& history, std::vector<MoveSpan>& spansOut) {
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
  if (!made || now != moves || first != start) {
    spans.clear();
    text = moveListText(history, &spans);
    moves = std::move(now);
    start = std::move(first);
    made = true;
  }
  spansOut = spans;
  return text;
}
