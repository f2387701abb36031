#pragma once
// The first-person engine of a running game: the scenario's vector frame
// and tile sets and the display that draws them. The controller creates it
// when a game is set up and frees it with the game.
#include <functional>
#include <memory>

#include "vector/MVDisplay.h"
#include "vector/VTile.h"

struct CFirstPersonEngine {
  VectorSets sets;
  CMVDisplay display;
};

// Places a picture of w x h window pixels; false when it cannot.
using FirstPersonPlacement = std::function<bool(int w, int h, int* x, int* y)>;

// Loads "DATA<n>\VFSET.dat" and "VTSET.dat", reads "VConfig.dat", places the
// picture (magnified by scale) with `place`, initialises the display with
// the sets and sets the animation divider (values < 1 keep 1). Any failure
// prints "ERROR: Could not create FP engine" and gives none.
std::unique_ptr<CFirstPersonEngine> CreateFirstPersonEngine(int scenario, int scale,
                                                            int animDivider,
                                                            const FirstPersonPlacement& place);

// The debug benchmark screen "*** CMVDisplay Benchmarks ***" on the current
// output and key input.
int RunMVDisplayBenchmarks(CMVDisplay* display);
