#pragma once
// The engine's pseudo-random generator. Its range 0..32767 is part of the
// behaviour (the book's index arithmetic divides by 32767), so it does not
// depend on the C library's RAND_MAX: a linear congruential generator with
// 15-bit output, seeded at each new game.

#include <cstdint>

constexpr int ENGINE_RAND_MAX = 32767;

void engineSrand(std::uint32_t seed);
int engineRand();  // 0..32767
