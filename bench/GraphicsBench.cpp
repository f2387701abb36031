#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "graphics/MapSet.h"
#include "graphics/SightLines.h"
#include "graphics/TileSet.h"

namespace {

struct LineCase {
  int x1, y1, x2, y2;
};

// 10,000 map line tests of length 20 on a 64 x 64 map with scattered walls
// and wrapping east and west edges.
void BM_CheckMapLine10000(benchmark::State& state) {
  CMap map;
  map.cells.Init(64, 64, 2);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) map.SetTile(x, y, (x * 7 + y * 13) % 29 == 0 ? 2 : 1);
  auto wrap = std::make_shared<MapBorder>();
  wrap->fillType = BorderFillWrap;
  map.borders[BorderE] = map.borders[BorderW] = wrap;
  CTileSet tiles;
  tiles.Init(4, 0, 0);
  auto wall = new CTile;
  wall->view = TileViewBlocked;
  tiles.AddNext(1, new CTile);
  tiles.AddNext(2, wall);

  std::vector<LineCase> lines;
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 16) & 0x7FFF);
  };
  for (int i = 0; i < 10000; ++i) {
    int x1 = next() % 64, y1 = 20 + next() % 24;
    int dir = next() % 8, side = next() % 21;
    // Length 20 (the larger of |dx| and |dy|), in all directions.
    int dx = dir < 4 ? 20 : side - 10, dy = dir < 4 ? side - 10 : 20;
    if (dir & 1) dx = -dx;
    if (dir & 2) dy = -dy;
    lines.push_back({x1, y1, x1 + dx, y1 + dy});
  }
  int blocked = 0;
  for (auto _ : state) {
    for (const LineCase& l : lines) {
      int result;
      CheckMapLine(&result, map, tiles, l.x1, l.y1, l.x2, l.y2);
      blocked += result == LineBlocked;
    }
    benchmark::DoNotOptimize(blocked);
  }
}
BENCHMARK(BM_CheckMapLine10000)->Unit(benchmark::kMicrosecond);

}  // namespace
