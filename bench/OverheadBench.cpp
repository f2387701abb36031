// The overhead view: a full redraw of a 25 x 19 view of 16 x 16 frames at
// scale 2 into an 800 x 650 window (cell by cell and through the screen
// buffer), one animation tick, and the sight rule.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "data/BArraySet.h"
#include "graphics/MapSet.h"
#include "graphics/OverheadDisplay.h"
#include "graphics/TileSet.h"
#include "platform/Backend.h"
#include "platform/Frame.h"
#include "platform/HeadlessBackend.h"

namespace {

struct Scene {
  CBArraySet frames;
  CTileSet tiles;
  CMap map;
  CMDisplay view;

  explicit Scene(bool buffer) {
    ResetFrameForTests();
    std::string error;
    SetBackend(CreateHeadlessBackend("", error));
    WindowId window = NoWindow;
    CreateWindow(WindowCaption, false, false, 800, 650, &window);
    frames.Init(16, 16, 4, 128, 0);
    for (int id = 1; id <= 64; ++id) {
      auto* f = new uint8_t[16 * 16 * 4];
      for (int i = 0; i < 16 * 16 * 4; ++i) f[i] = uint8_t(id * 37 + i);
      frames.AddNext(uint16_t(id), f);
    }
    // 32 tiles of 1 to 4 frames; every eighth one blocks sight.
    tiles.Init(64, 0, 0);
    for (int id = 1; id <= 32; ++id) {
      auto* t = new CTile;
      const int n = 1 + id % 4;
      t->SetFrameCount(n);
      for (int k = 0; k < n; ++k) t->SetFrame(k, uint16_t(1 + (id * 2 + k) % 64));
      if (id % 8 == 0) t->view = TileViewBlocked;
      tiles.AddNext(uint16_t(id), t);
    }
    map.cells.Init(64, 64, 2);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) map.SetTile(x, y, uint16_t(1 + (x * 7 + y * 3) % 31));
    map.startX = 32;
    map.startY = 32;
    view.Init(0, 0, 25, 19, 2);
    view.SetSets(&tiles, &frames);
    view.SetMap(&map);
    view.SetFSBMode(buffer);
    view.CreateOverlay();
    view.CreateSTMap();
    view.CreateSFMap();
  }
  ~Scene() {
    SetBackend(nullptr);
    ResetFrameForTests();
  }
};

void BM_OverheadRedrawCells(benchmark::State& state) {
  Scene s(false);
  for (auto _ : state) {
    s.view.CreateSTMap();
    s.view.CreateSFMap();
    benchmark::DoNotOptimize(s.view.Display());
  }
}
BENCHMARK(BM_OverheadRedrawCells);

void BM_OverheadRedrawBuffer(benchmark::State& state) {
  Scene s(true);
  for (auto _ : state) {
    s.view.CreateSTMap();
    s.view.CreateSFMap();
    s.view.RenderFSBuffer();
    benchmark::DoNotOptimize(s.view.Display());
  }
}
BENCHMARK(BM_OverheadRedrawBuffer);

void BM_OverheadAnimationTick(benchmark::State& state) {
  Scene s(true);
  int tick = 0;
  for (auto _ : state) benchmark::DoNotOptimize(s.view.AnimationTick(tick++));
}
BENCHMARK(BM_OverheadAnimationTick);

// The frame map is rebuilt each time, as a redraw does before the rule.
void BM_OverheadSightRule(benchmark::State& state) {
  Scene s(true);
  for (auto _ : state) {
    s.view.CreateSTMap();
    s.view.CreateSFMap();
    benchmark::DoNotOptimize(s.view.LineOfSight());
  }
}
BENCHMARK(BM_OverheadSightRule);

void BM_OverheadTileAndFrameMaps(benchmark::State& state) {
  Scene s(true);
  for (auto _ : state) {
    s.view.CreateSTMap();
    benchmark::DoNotOptimize(s.view.CreateSFMap());
  }
}
BENCHMARK(BM_OverheadTileAndFrameMaps);

}  // namespace
