#pragma once
// Every random decision of the game: a value from min to max inclusive,
// drawn from the game's generator.
int RandomInt(int min, int max);
