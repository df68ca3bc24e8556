#pragma once
// Ofrecer tablas: the engine takes a draw when its last search saw itself
// clearly worse; level or better it plays on.

// Centipawns from the engine's side: at or below this it accepts.
constexpr int DRAW_ACCEPT_SCORE = -50;

// `whiteScore` is the engine player's last score (White's point of view).
constexpr bool engineAcceptsDraw(int whiteScore, bool engineIsWhite) {
  return (engineIsWhite ? whiteScore : -whiteScore) <= DRAW_ACCEPT_SCORE;
}
