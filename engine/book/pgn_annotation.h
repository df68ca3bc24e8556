#pragma once
// What a reviewed game carries on a move besides the move itself, in the
// forms other programs read: a NAG ($2 a mistake, $4 a blunder, $6 an
// inaccuracy), the evaluation after the move as a [%eval 0.35] comment, and
// the better line as a variation that replaces the move.

#include <optional>
#include <string>
#include <vector>

#include "position/move.h"
#include "position/white_score.h"

constexpr int NAG_MISTAKE = 2;
constexpr int NAG_BLUNDER = 4;
constexpr int NAG_INACCURACY = 6;

struct PgnAnnotation {
  int nag = 0;                     // 0: none
  std::optional<WhiteScore> eval;  // of the position after the move
  std::vector<Move> variation;     // written: from the position before the move
  std::string variationText;       // read: the first variation's movetext as it stands in the file
};

// "0.35", "-1.20", "#4", "#-4"; a won position (mate on the board) has none: "".
std::string evalText(const WhiteScore& score);
// The [%eval ...] command of a comment's text, when it holds a readable one.
std::optional<WhiteScore> evalInComment(const std::string& comment);
// The NAG of a move's annotation mark ("?!" 6, "??" 4, "!" 1 ...), 0 for none.
int nagOfMark(const std::string& mark);
