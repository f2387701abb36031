// The first-person view: view cells by facing, the drawing order of a view
// (recorded by the fixture frames themselves: each prints its ID and origin
// through DBG), darkness, edges, animation and the configuration file.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "VectorTestUtil.h"
#include "vector/MVDisplay.h"

namespace {

const std::string kOrderDir = std::string(KORVA_TEST_DATA) + "/vector/fixtures/order";

// (frame ID, depth) pairs from the DBG lines; the depth from the origin
// (0, 64, 96, 112 for depths 0..3 with the default geometry).
std::vector<std::pair<int, int>> DrawLog(const std::string& text) {
  std::vector<std::pair<int, int>> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("X: ST ", 0) != 0) continue;
    std::istringstream f(line.substr(6));
    int origin = 0, offset = 0;
    std::string sc, scv, esc, escv, os;
    f >> origin >> sc >> scv >> esc >> escv >> os >> offset;
    int depth = origin == 0 ? 0 : origin == 64 ? 1 : origin == 96 ? 2 : origin == 112 ? 3 : -1;
    out.push_back({offset, depth});
  }
  return out;
}

struct View {
  VectorSets sets;
  CMVDisplay display;
  CBArray cells;

  View() {
    EXPECT_TRUE(LoadVectorSetsFromDir(kOrderDir, &sets));
    EXPECT_TRUE(display.LoadConfigFile(kOrderDir + "/VConfig.dat"));
    EXPECT_TRUE(display.Init(0, 0, 1));
    display.SetSets(sets.tiles.get(), sets.frames.get());
    cells.Init(9, 9, 2);
    cells.Fill(0);
  }
};

TEST(VectorDisplay, ViewCellsFollowTheFacing) {
  View v;
  v.cells.Free();
  v.cells.Init(20, 20, 2);
  v.cells.Fill(0);
  VMapSource src;
  src.cells = &v.cells;
  src.startX = 10;
  src.startY = 5;
  ASSERT_TRUE(v.display.SetMapSource(src));
  EXPECT_EQ(v.display.Facing(), 0);  // no facing given: north
  struct Case {
    int facing, lane, depth, x, y;
  } cases[] = {{1, 0, 2, 12, 4}, {0, 0, 2, 9, 3}, {2, 0, 2, 11, 7}, {3, 0, 2, 8, 6}, {3, 2, 0, 10, 4}};
  for (const Case& c : cases) {
    ASSERT_TRUE(v.display.SetViewPos(10, 5, c.facing));
    int x, y;
    v.display.ViewCellToMap(c.lane, c.depth, &x, &y);
    EXPECT_EQ(x, c.x) << c.facing;
    EXPECT_EQ(y, c.y) << c.facing;
  }
  EXPECT_TRUE(v.display.SetViewPos(3, 3, 255));
  EXPECT_EQ(v.display.Facing(), 3);
  EXPECT_FALSE(v.display.SetViewPos(3, 3, 4));
  EXPECT_FALSE(v.display.SetViewPos(20, 3, 0));
}

TEST(VectorDisplay, DrawOrderForEachFacing) {
  // The view ahead, lane by depth (W wall, F floor); a chest overlay stands
  // on the centre cell at depth 2.
  const char* layout[3] = {"WFWW", "FFFW", "FFFF"};
  const std::vector<std::pair<int, int>> expected = {
      {1, 0},                                     // background
      {11, 2}, {13, 1}, {21, 1}, {11, 0}, {15, 0},  // left lane, far to near
      {24, 2}, {22, 2}, {26, 2}, {24, 1}, {22, 1}, {26, 1}, {24, 0}, {22, 0}, {26, 0},  // right
      {10, 3}, {20, 2}, {30, 2}, {20, 1}, {20, 0}};  // centre: tile, then overlay
  for (int facing = 0; facing < 4; ++facing) {
    SCOPED_TRACE(facing);
    View v;
    VMapSource src;
    src.cells = &v.cells;
    src.startX = src.startY = 4;
    src.startFacing = uint8_t(facing);
    ASSERT_TRUE(v.display.SetMapSource(src));
    CBArray* overlay = v.display.CreateOverlay();
    ASSERT_NE(overlay, nullptr);
    for (int l = 0; l < 3; ++l)
      for (int d = 0; d < 4; ++d) {
        // Map cell of view cell (l, d), worked out per facing.
        int x = facing == 0 ? 3 + l : facing == 1 ? 4 + d : facing == 2 ? 5 - l : 4 - d;
        int y = facing == 0 ? 4 - d : facing == 1 ? 3 + l : facing == 2 ? 4 + d : 5 - l;
        v.cells.SetU16(layout[l][d] == 'W' ? 2 : 1, x, y);
        if (l == 1 && d == 2) {
          ASSERT_TRUE(v.display.SetOverlayTile(x, y, 3));
        }
      }
    ASSERT_TRUE(v.display.CreateVTMap());
    vtest::Capture cap;
    ASSERT_TRUE(v.display.Render());
    EXPECT_EQ(DrawLog(cap.text), expected);
  }
}

TEST(VectorDisplay, BlockingCellsLimitTheView) {
  View v;
  VMapSource src;
  src.cells = &v.cells;
  src.startX = src.startY = 4;
  ASSERT_TRUE(v.display.SetMapSource(src));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) v.cells.SetU16(1, x, y);
  v.cells.SetU16(2, 4, 3);  // a wall directly ahead
  v.cells.SetU16(2, 3, 2);  // a left wall at depth 2 beside open floor at depth 1
  ASSERT_TRUE(v.display.CreateVTMap());
  vtest::Capture cap;
  ASSERT_TRUE(v.display.Render());
  // Only depths 1 and 0 are drawn: the wall's front face ahead; in the side
  // lanes the depth-1 cells lie at the far limit, so only their side faces
  // show at depth 0.
  EXPECT_EQ(DrawLog(cap.text), (std::vector<std::pair<int, int>>{{1, 0},
                                                                 {23, 0},
                                                                 {21, 0},
                                                                 {25, 0},
                                                                 {24, 0},
                                                                 {22, 0},
                                                                 {26, 0},
                                                                 {10, 1},
                                                                 {20, 0}}));

  // With the blocking cell two ahead, the left wall at depth 2 shows its side
  // face at depth 1.
  v.cells.SetU16(1, 4, 3);
  v.cells.SetU16(2, 4, 2);
  ASSERT_TRUE(v.display.CreateVTMap());
  cap.text.clear();
  ASSERT_TRUE(v.display.Render());
  auto log = DrawLog(cap.text);
  EXPECT_NE(std::find(log.begin(), log.end(), std::make_pair(13, 1)), log.end());
}

TEST(VectorDisplay, DarknessShowsOnlyTheBackground) {
  View v;
  VMapSource src;
  src.cells = &v.cells;
  src.startX = src.startY = 4;
  ASSERT_TRUE(v.display.SetMapSource(src));
  v.cells.SetU16(2, 4, 3);
  ASSERT_TRUE(v.display.CreateVTMap());
  v.display.SetDark(true);
  v.cells.SetU16(1, 4, 3);
  ASSERT_TRUE(v.display.CreateVTMap());  // changes nothing while dark
  EXPECT_EQ(v.display.ViewTile(1, 1), 2);
  vtest::Capture cap;
  ASSERT_TRUE(v.display.Render());
  EXPECT_EQ(DrawLog(cap.text), (std::vector<std::pair<int, int>>{{1, 0}}));
}

TEST(VectorDisplay, CellsBeyondTheMapEdgeComeFromItsBorders) {
  View v;
  CMap map;
  map.cells.Init(3, 3, 2);
  for (int i = 0; i < 9; ++i) map.cells.SetU16(uint16_t(10 + i), i % 3, i / 3);
  map.startX = 1;
  map.startY = 0;
  map.startFacing = 0;
  auto fill = std::make_shared<MapBorder>();
  fill->fillType = BorderFillFill;
  fill->fillTile = 99;
  auto wrap = std::make_shared<MapBorder>();
  wrap->fillType = BorderFillWrap;
  auto echo = std::make_shared<MapBorder>();
  echo->fillType = BorderFillEcho;
  map.borders[BorderN] = wrap;
  map.borders[BorderNW] = fill;
  map.borders[BorderNE] = echo;
  ASSERT_TRUE(v.display.SetMap(&map));
  ASSERT_TRUE(v.display.CreateOverlay());
  ASSERT_TRUE(v.display.SetOverlayTile(1, 2, 7));
  ASSERT_TRUE(v.display.CreateVTMap());
  EXPECT_EQ(v.display.ViewTile(1, 0), 11);
  EXPECT_EQ(v.display.ViewTile(1, 1), 17);    // wrapped to (1, 2)
  EXPECT_EQ(v.display.ViewOverlay(1, 1), 7);  // with its overlay
  EXPECT_EQ(v.display.ViewTile(0, 1), 16);    // (0, -1) wraps to (0, 2)
  v.display.SetViewPos(0, 0, 255);
  ASSERT_TRUE(v.display.CreateVTMap());
  EXPECT_EQ(v.display.ViewTile(0, 1), 99);  // north-west: fill
  EXPECT_EQ(v.display.ViewTile(0, 0), 0);   // west: no border
  v.display.SetViewPos(2, 0, 255);
  ASSERT_TRUE(v.display.CreateVTMap());
  EXPECT_EQ(v.display.ViewTile(2, 1), 0);  // north-east echo: a corner gives 0
}

TEST(VectorDisplay, DepthPlacementAndAnimation) {
  std::string dir = vtest::MakeTempDir();
  // Frame 5 paints its origin; tile 1 animates between frames 5 and 6.
  auto frames = LoadCreateVFrameSetFromText(dir, "FS: 2\nF: 5 1\nBOX 0 0 0 0\nF: 6 2\nCOLOR 255 0 0\nBOX 0 0 0 0\n");
  auto tiles = LoadCreateVTileSetFromText("TS: 1\nT: 1 1 2 UNBLOCKED 0 0\nP: 0 5 6\n");
  ASSERT_TRUE(frames && tiles);
  CMVDisplay d;
  d.SetBackground(VBackNone, 0);
  ASSERT_TRUE(d.Init(2, 1, 2));
  d.SetSets(tiles.get(), frames.get());
  ASSERT_TRUE(d.RenderAtDepth(5, 3));
  EXPECT_EQ(vtest::Px(*d.Target(), 112, 56), 0xFFFFFFu);
  CBArray cells;
  cells.Init(1, 1, 2);
  cells.SetU16(1, 0, 0);
  VMapSource src;
  src.cells = &cells;
  ASSERT_TRUE(d.SetMapSource(src));
  Canvas canvas;
  canvas.Resize(520, 260);
  d.SetOutputCanvas(&canvas);
  CanvasWatch watch;  // what the display draws is reported
  watch.Follow(&canvas, 2, 255, 1, 1);
  watch.Clear();
  ASSERT_TRUE(d.FullRedraw());
  EXPECT_TRUE(watch.Damaged());
  EXPECT_EQ(vtest::Px(*d.Target(), 0, 0), 0xFFFFFFu);
  // Row 0 of the picture is the bottom row on the canvas, magnified by 2.
  EXPECT_EQ(canvas.At(2, 1 + 255), 0xFFFFFFu);
  EXPECT_EQ(canvas.At(3, 1 + 254), 0xFFFFFFu);
  ASSERT_TRUE(d.SetAnimDivider(2));
  EXPECT_FALSE(d.SetAnimDivider(0));
  ASSERT_TRUE(d.AnimationTick(1));  // not a multiple of the divider
  EXPECT_EQ(d.Phase(), 0);
  ASSERT_TRUE(d.AnimationTick(2));
  EXPECT_EQ(d.Phase(), 1);
  EXPECT_EQ(vtest::Px(*d.Target(), 0, 0), 0xFF0000u);
  EXPECT_EQ(canvas.At(2, 1 + 255), 0xFF0000u);
  d.SetAnimPhase(23);
  ASSERT_TRUE(d.AnimationTick(4));
  EXPECT_EQ(d.Phase(), 0);
  d.SetAnimate(false);
  ASSERT_TRUE(d.AnimationTick(4));
  EXPECT_EQ(d.Phase(), 0);
}

TEST(VectorDisplay, BorderLinesBackground) {
  CMVDisplay d;
  ASSERT_TRUE(d.LoadConfigText("SIZE: 8 6\n"));
  ASSERT_TRUE(d.Init(0, 0, 1));
  ASSERT_TRUE(d.Render());
  const CBArray& t = *d.Target();
  EXPECT_EQ(vtest::Px(t, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(vtest::Px(t, 7, 5), 0xFFFFFFu);
  EXPECT_EQ(vtest::Px(t, 0, 1), 0x1FBF00u);
  EXPECT_EQ(vtest::Px(t, 0, 4), 0x1FBF00u);
  EXPECT_EQ(vtest::Px(t, 7, 3), 0x9F00FFu);
  EXPECT_EQ(vtest::Px(t, 3, 3), 0u);
}

TEST(VectorDisplay, ConfigurationValuesAreChecked) {
  struct Case {
    const char* text;
    bool ok;
    int width, rows, rootX, sideX, bgType, bgValue;
  } cases[] = {
      {"SIZE: 100 50\nROWS: 6\nROFFSET: 3 4\nSIDE: 30 10\nBORDER: TILE 4\n", true, 100, 6, 3, 30, 3, 4},
      {"BORDER: 7\n", true, 256, 12, 0, 64, 2, 7},
      {"BORDER: FRAME 0\n", true, 256, 12, 0, 64, 1, 0},
      {"BORDER: NONE\n", true, 256, 12, 0, 64, 1, 0},
      {"ROWS: 6\nSIZE: 0 5\nROWS: 7\n", false, 256, 6, 0, 64, 0, 0},
      {"SIZE: 100000 5\n", false, 256, 12, 0, 64, 0, 0},
      {"ROFFSET: -1 0\n", false, 256, 12, 0, 64, 0, 0},
      {"SIDE: 5\n", false, 256, 12, 0, 64, 0, 0},
      {"ROWS: 0\n", false, 256, 12, 0, 64, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CMVDisplay d;
    vtest::Capture cap;
    EXPECT_EQ(d.LoadConfigText(c.text), c.ok ? 1 : 0);
    EXPECT_EQ(cap.text, c.ok ? "" : "ERROR (LoadCVMDisplayConfig): Failed\n");
    EXPECT_EQ(d.Width(), c.width);
    EXPECT_EQ(d.Rows(), c.rows);
    EXPECT_EQ(d.RootX(), c.rootX);
    EXPECT_EQ(d.SideX(), c.sideX);
    EXPECT_EQ(d.BackgroundType(), c.bgType);
    EXPECT_EQ(d.BackgroundValue(), c.bgValue);
  }
}

}  // namespace
