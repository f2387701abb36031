#pragma once
// The game's one pseudo-random generator: a 15-bit linear congruential
// generator (s = s * 214013 + 2531011, r = (s >> 16) & 0x7FFF), so that a seed
// gives the same game on every machine.
#include <cstdint>

void SeedRandom(uint32_t seed);
// The next value, 0 to 32767.
int NextRandom15();
