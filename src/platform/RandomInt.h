#pragma once
// Every random decision of the game: min + r mod (max - min + 1) with r the
// next value of the game's generator (platform/Random.h).
int RandomInt(int min, int max);
