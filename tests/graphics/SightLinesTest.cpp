#include "graphics/SightLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "graphics/MapSet.h"
#include "graphics/TileSet.h"

namespace {

const uint16_t kFloor = 1, kWall = 2;

struct World {
  CMap map;
  CTileSet tiles;
  World(int w, int h, bool wrapEastWest = false, bool wrapNorthSouth = false) {
    EXPECT_EQ(map.cells.Init(w, h, 2), 1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) map.SetTile(x, y, kFloor);
    EXPECT_EQ(tiles.Init(4, 0, 0), 1);
    auto floor = new CTile, wall = new CTile;
    wall->view = TileViewBlocked;
    tiles.AddNext(kFloor, floor);
    tiles.AddNext(kWall, wall);
    auto wrap = std::make_shared<MapBorder>();
    wrap->fillType = BorderFillWrap;
    if (wrapEastWest) map.borders[BorderE] = map.borders[BorderW] = wrap;
    if (wrapNorthSouth) map.borders[BorderN] = map.borders[BorderS] = wrap;
  }
  int Line(int x1, int y1, int x2, int y2) {
    int result = 0;
    EXPECT_EQ(CheckMapLine(&result, map, tiles, x1, y1, x2, y2), 1);
    return result;
  }
};

}  // namespace

TEST(SightLines, CellDistance) {
  EXPECT_EQ(CellDistance(3, 1), 3);
  EXPECT_EQ(CellDistance(1, 3), 3);
  EXPECT_EQ(CellDistance(4, 4), 6);
  EXPECT_EQ(CellDistance(0, 5), 5);
}

TEST(SightLines, EndCellsNeverBlock) {
  World w(6, 6);
  w.map.SetTile(3, 3, kWall);
  EXPECT_EQ(w.Line(0, 3, 3, 3), LineClear);    // the wall is the target
  EXPECT_EQ(w.Line(0, 3, 4, 3), LineBlocked);  // the wall is on the way
  EXPECT_EQ(w.Line(3, 3, 3, 3), LineClear);
  EXPECT_EQ(w.Line(3, 3, 4, 4), LineClear);
  EXPECT_EQ(w.Line(4, 4, 2, 2), LineBlocked);
}

TEST(SightLines, SinglePrecisionStepsPickTheCell) {
  // From (0, 0) to (12, 2) the ninth step lands on y = 1.5: single-precision
  // accumulation stays just below it (cell (9, 1)), double precision reaches
  // it (cell (9, 2)).
  float fy = 0;
  double dy = 0;
  for (int i = 0; i < 9; ++i) fy += 2.0f / 12.0f, dy += 2.0 / 12.0;
  ASSERT_EQ(int(fy + 0.5f), 1);
  ASSERT_EQ(int(dy + 0.5), 2);

  World onFloatCell(13, 3);
  onFloatCell.map.SetTile(9, 1, kWall);
  EXPECT_EQ(onFloatCell.Line(0, 0, 12, 2), LineBlocked);
  World onDoubleCell(13, 3);
  onDoubleCell.map.SetTile(9, 2, kWall);
  EXPECT_EQ(onDoubleCell.Line(0, 0, 12, 2), LineClear);
}

TEST(SightLines, WrapEdgesTakeTheShortWayRound) {
  // On a 20-wide map with WRAP east and west borders, (1, 5) to (18, 5)
  // goes west over the edge and tests (0, 5) and (19, 5) only.
  for (int blocked : {0, 19, 10, 2}) {
    SCOPED_TRACE(blocked);
    World wrapping(20, 10, true);
    wrapping.map.SetTile(blocked, 5, kWall);
    EXPECT_EQ(wrapping.Line(1, 5, 18, 5), blocked == 0 || blocked == 19 ? LineBlocked : LineClear);
    World plain(20, 10);
    plain.map.SetTile(blocked, 5, kWall);
    EXPECT_EQ(plain.Line(1, 5, 18, 5), blocked >= 2 && blocked <= 17 ? LineBlocked : LineClear);
  }
  // North-south wrapping: (3, 1) to (3, 8) on a 10-high map passes rows 0 and 9.
  World ns(6, 10, false, true);
  ns.map.SetTile(3, 9, kWall);
  EXPECT_EQ(ns.Line(3, 1, 3, 8), LineBlocked);
  ns.map.SetTile(3, 9, kFloor);
  ns.map.SetTile(3, 5, kWall);
  EXPECT_EQ(ns.Line(3, 1, 3, 8), LineClear);
}

TEST(SightLines, LinesLeavingTheMapAreBlocked) {
  // A line aimed beyond the map edge: the cells past the edge block it.
  World w(5, 5);
  EXPECT_EQ(w.Line(2, 2, 2, 7), LineBlocked);
  EXPECT_EQ(w.Line(2, 2, 8, 2), LineBlocked);
  EXPECT_EQ(w.Line(2, 2, 2, 5), LineClear);  // only the end cell is outside
}

TEST(SightLines, ViewLineUsesTheShownTiles) {
  auto wallAt = [](int col, int row) {
    return [col, row](int c, int r) -> uint8_t {
      return c == col && r == row ? TileViewBlocked : TileViewUnblocked;
    };
  };
  int result = 0;
  ASSERT_EQ(CheckViewLine(&result, 2, 2, 2, 5, wallAt(2, 4)), 1);
  EXPECT_EQ(result, LineBlocked);
  CheckViewLine(&result, 2, 2, 2, 4, wallAt(2, 4));
  EXPECT_EQ(result, LineClear);
  CheckViewLine(&result, 0, 0, 12, 2, wallAt(9, 1));
  EXPECT_EQ(result, LineBlocked);
  CheckViewLine(&result, 0, 0, 0, 0, wallAt(0, 0));
  EXPECT_EQ(result, LineClear);
}
