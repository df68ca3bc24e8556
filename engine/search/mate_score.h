#pragma once
// The strong search's scores: centipawns from the side to move's point of
// view, a mate MATE_VALUE less the plies from the root to it, so that a
// nearer mate scores higher. No line is longer than MAX_PLY, so every score
// beyond MATE_BOUND is a mate.

constexpr int MATE_VALUE = 30000;
constexpr int MAX_PLY = 128;
constexpr int MATE_BOUND = MATE_VALUE - MAX_PLY;
