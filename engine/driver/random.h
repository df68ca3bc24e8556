#pragma once
// The engine's pseudo-random generator. Its range 0..32767 is part of the
// behaviour (the book's index arithmetic divides by 32767), so it does not
// depend on the C library's RAND_MAX. Seeded at each new game with the time in
// seconds: games started a second apart must still draw unrelated numbers, so
// the generator is splitmix64, whose every output is a full mix of its state,
// reduced to its top 15 bits.

#include <cstdint>

constexpr int ENGINE_RAND_MAX = 32767;

void engineSrand(std::uint32_t seed);
int engineRand();  // 0..32767
