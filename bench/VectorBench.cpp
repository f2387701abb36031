// First-person view: the full picture of a corridor 12 rows deep (walls in
// both side lanes at every depth, a wall closing the centre lane at the far
// end, a brazier in between) shown at magnification 3, and one animation
// tick. The art is the demo scenario's.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/Files.h"
#include "platform/Canvas.h"
#include "text/Output.h"
#include "vector/MVDisplay.h"

namespace {

// The demo art: $KORVA_DEMO_DIR, else found from the source path or the
// working directory (the repository or its build directory).
std::string DemoDir() {
  if (const char* env = std::getenv("KORVA_DEMO_DIR")) return env;
  std::string here = __FILE__;
  size_t slash = here.find_last_of('/');
  std::string sourceDir = slash == std::string::npos ? "." : here.substr(0, slash);
  for (const std::string& dir : {sourceDir + "/../demo/DATA1", std::string("demo/DATA1"),
                                 std::string("../demo/DATA1")})
    if (AFileExists(dir + "/VFSET.dat")) return dir;
  return "demo/DATA1";
}

struct Corridor {
  VectorSets sets;
  CMVDisplay display;
  CBArray cells;
  Canvas canvas;
  bool ok = false;

  Corridor() {
    std::string messages;
    SetOutputCapture(&messages);
    const std::string dir = DemoDir();
    ok = LoadVectorSetsFromDir(dir, &sets) && display.LoadConfigFile(dir + "\\VConfig.dat") &&
         display.Init(0, 0, 3);
    SetOutputCapture(nullptr);
    if (!ok) return;
    display.SetSets(sets.tiles.get(), sets.frames.get());
    // 3 x 13 cells: walls left and right, floor in the middle, a wall at the
    // far end 11 rows ahead, a brazier 4 rows ahead.
    cells.Init(3, 13, 2);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 3; ++x) cells.SetU16(x == 1 ? 1 : 2, x, y);
    cells.SetU16(2, 1, 1);
    cells.SetU16(4, 1, 8);
    VMapSource src;
    src.cells = &cells;
    src.startX = 1;
    src.startY = 12;
    src.startFacing = 0;
    canvas.Resize(256 * 3, 128 * 3);
    display.SetOutputCanvas(&canvas);
    ok = display.SetMapSource(src) && display.FullRedraw();
  }
};

void BM_FirstPersonFullPicture(benchmark::State& state) {
  Corridor c;
  if (!c.ok) {
    state.SkipWithError("demo art did not load or draw");
    return;
  }
  for (auto _ : state) {
    int r = c.display.FullRedraw();
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_FirstPersonFullPicture)->Unit(benchmark::kMicrosecond);

void BM_FirstPersonAnimationTick(benchmark::State& state) {
  Corridor c;
  if (!c.ok) {
    state.SkipWithError("demo art did not load or draw");
    return;
  }
  unsigned tick = 0;
  for (auto _ : state) {
    int r = c.display.AnimationTick(++tick);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_FirstPersonAnimationTick)->Unit(benchmark::kMicrosecond);

void BM_FirstPersonRenderOnly(benchmark::State& state) {
  Corridor c;
  if (!c.ok) {
    state.SkipWithError("demo art did not load or draw");
    return;
  }
  for (auto _ : state) {
    int r = c.display.Render();
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_FirstPersonRenderOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
