#pragma once
// How a game ended, as the window tells it: the score, the engine's reason word
// (or the fall of a flag), and the Spanish line written after the last move.

#include <QString>

#include <optional>

#include "position/chess_board.h"

struct GameEnd {
  QString score;   // "1-0", "0-1" or "1/2-1/2"
  QString reason;  // "Checkmate", "Drawn_by_repetition", "resign", "time", "Draw agreed", ...

  // "1-0 Ganan las blancas (jaque mate)".
  QString announcement() const;
  // The reason as the saved game's comment after its last move: "Checkmate",
  // "White resigns", "Black forfeits on time", "Draw agreed".
  QString pgnComment() const;
  // "Draw", "White wins" or "Black wins", as the result boxes say it.
  QString outcome() const;

  // The end an engine's line announces: a result ("1-0 {White mates}",
  // "0-1 Checkmate") with the text in braces or else the first word after it
  // as the reason, or a bare "resign" for `sideToMove` (1 White, 0 Black).
  // Nothing for any other line. The one reading of result lines, for the
  // built-in engine as for the others.
  static std::optional<GameEnd> ofResultLine(const QString& line, int sideToMove);
  // The loser gave up ("resign", "White resigns").
  bool isResignation() const;

  // The side whose flag fell loses, unless the other side has no mating
  // material left: then the game is drawn.
  static GameEnd ofFlagFall(const CBoard& position, int flaggedSide);
  // The box of a flag fall: "Tiempo agotado\nGanan las negras".
  QString flagBoxText() const;
};

// False when `side` has nothing but its king, or its king and one bishop or
// one knight: no sequence of moves lets it mate.
bool hasMatingMaterial(const CBoard& position, int side);
// No series of legal moves can end in a mate: bare kings, a lone bishop or
// knight, or bishops all on squares of one colour. (A bishop against a knight
// is not dead: either side can still be mated.)
bool isDeadPosition(const CBoard& position);
