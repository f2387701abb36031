#include "graphics/OverheadDisplay.h"

#include <gtest/gtest.h>

#include "OverheadFixture.h"
#include "graphics/SightLines.h"

namespace {

// The frame SimpleTiles gives a cell's tile; the blank frame for none.
auto ShownFrame(const CMDisplay& d) {
  return [&d](int col, int row) {
    const int id = d.GetCellID(col, row);
    return id ? 100 + id : 0;
  };
}

class OverheadDisplay : public DisplayFixture {
 protected:
  // A view of w x h cells at (sx, sy) with the fixture's sets and map.
  void Open(int w, int h, int sx = 0, int sy = 0, int scale = 1) {
    ASSERT_EQ(d.Init(sx, sy, w, h, scale), 1);
    ASSERT_EQ(d.SetSets(&tiles, &frames), 1);
    ASSERT_EQ(d.SetMap(&map), 1);
  }
  std::vector<std::vector<int>> Ids() const {
    std::vector<std::vector<int>> rows(size_t(d.ViewHeight()));
    for (int r = 0; r < d.ViewHeight(); ++r)
      for (int c = 0; c < d.ViewWidth(); ++c) rows[size_t(r)].push_back(d.GetCellID(c, r));
    return rows;
  }
  CMDisplay d;
};

TEST_F(OverheadDisplay, TileMapTakesOverlayTilesOverMapTiles) {
  SimpleTiles(9);
  MakeMap(10, 8, 7);
  map.startX = 4;
  map.startY = 3;
  Open(3, 3);
  CBArray* overlay = d.CreateOverlay();
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(d.CreateOverlay(), overlay);  // one overlay per map
  ASSERT_EQ(d.SetOverlayTile(5, 2, 9), 1);
  ASSERT_EQ(d.SetOverlayTile(3, 4, 8), 1);
  EXPECT_EQ(d.SetOverlayTile(10, 0, 7), 0);
  EXPECT_EQ(d.SetOverlayTile(0, -1, 7), 0);
  ASSERT_EQ(d.CreateSTMap(), 1);
  // Map (x, y) holds 1 + (x + 10 y) % 7; view cell (c, r) shows (3 + c, 2 + r).
  EXPECT_EQ(Ids(), (std::vector<std::vector<int>>{{3, 4, 9}, {6, 7, 1}, {8, 3, 4}}));

  ASSERT_EQ(d.MoveOverlayTile(5, 2, 4, 2), 1);
  EXPECT_EQ(d.MoveOverlayTile(5, 2, 4, 8), 0);
  ASSERT_EQ(d.CreateSTMap(), 1);
  EXPECT_EQ(Ids()[0], (std::vector<int>{3, 9, 5}));

  d.SetDark(true);
  ASSERT_EQ(d.CreateSTMap(), 1);
  EXPECT_EQ(Ids(), (std::vector<std::vector<int>>(3, std::vector<int>(3, 0))));
}

TEST_F(OverheadDisplay, AttachedOverlayMustMatchTheMap) {
  SimpleTiles(3);
  MakeMap(10, 8, 3);
  Open(3, 3);
  CBArray wrongSize, wrongElement, good;
  ASSERT_EQ(wrongSize.Init(8, 10, 2), 1);
  ASSERT_EQ(wrongElement.Init(10, 8, 4), 1);
  ASSERT_EQ(good.Init(10, 8, 2), 1);
  good.Fill(0);
  EXPECT_EQ(d.AttachOverlay(&wrongSize), 0);
  EXPECT_EQ(d.AttachOverlay(&wrongElement), 0);
  EXPECT_EQ(d.GetOverlay(), nullptr);
  EXPECT_EQ(d.AttachOverlay(&good), 1);
  EXPECT_EQ(d.GetOverlay(), &good);
  good.SetU16(3, 1, 1);
  ASSERT_EQ(d.CreateSTMap(), 1);
  EXPECT_EQ(d.GetCellID(2, 2), 3);
  // The map is reloaded with another size under the display: the overlay
  // that no longer fits is not read.
  map.cells.Free();
  ASSERT_EQ(map.cells.Init(4, 4, 2), 1);
  map.cells.Fill(0);
  map.SetTile(1, 1, 2);
  ASSERT_EQ(d.CreateSTMap(), 1);
  EXPECT_EQ(d.GetCellID(2, 2), 2);
  EXPECT_EQ(d.SetOverlayTile(1, 1, 1), 0);
  d.ForgetOverlay();
  EXPECT_EQ(d.GetOverlay(), nullptr);
}

TEST_F(OverheadDisplay, SetMapFailsOnAStartOutsideTheMapAndKeepsTheOldOne) {
  SimpleTiles(3);
  MakeMap(10, 8, 3);
  map.startX = 2;
  map.startY = 5;
  Open(5, 5);
  CMap other;
  ASSERT_EQ(other.cells.Init(4, 4, 2), 1);
  other.startX = 4;
  other.startY = 0;
  EXPECT_EQ(d.SetMap(&other), 0);
  EXPECT_EQ(d.GetMap(), &map);
  EXPECT_EQ(d.ViewX(), 2);
  EXPECT_EQ(d.ViewY(), 5);
  // A new map drops the overlay and the darkness.
  d.CreateOverlay();
  d.SetDark(true);
  other.startX = 3;
  EXPECT_EQ(d.SetMap(&other), 1);
  EXPECT_EQ(d.GetOverlay(), nullptr);
  EXPECT_FALSE(d.Dark());
  EXPECT_EQ(d.ViewX(), 3);
}

// A 10 x 8 map seen by an 11 x 11 view centred on (0, 0): view cell (c, r)
// shows map position (c - 5, r - 5).
class Borders : public OverheadDisplay {
 protected:
  void SetUp() override {
    OverheadDisplay::SetUp();
    MakeMap(10, 8, 80);  // every cell its own ID 1 + x + 10 y
    Open(11, 11);
  }
  int At(int x, int y) const { return d.GetCellID(x + 5, y + 5); }
};

TEST_F(Borders, WithoutBordersOutsideIsEmpty) {
  ASSERT_EQ(d.CreateSTMap(), 1);
  EXPECT_EQ(At(0, 0), 1);
  EXPECT_EQ(At(5, 5), 56);
  for (auto [x, y] : {std::pair{-1, 0}, {-1, -1}, {0, -1}, {-5, -5}, {5, -5}})
    EXPECT_EQ(At(x, y), 0) << x << "," << y;
}

TEST_F(Borders, FillGivesEachRegionItsBordersTile) {
  // Regions N, NE, E, SE, S, SW, W, NW with fill tiles 201 to 208.
  for (int dir = 0; dir < 8; ++dir) SetBorder(dir, BorderFillFill, uint16_t(201 + dir));
  d.SetViewPos(9, 7);  // the view now reaches past the east and south edges too
  ASSERT_EQ(d.CreateSTMap(), 1);
  auto cell = [&](int x, int y) { return d.GetCellID(x - 4, y - 2); };
  EXPECT_EQ(cell(9, 7), 80);
  EXPECT_EQ(cell(10, 7), 203);  // E
  EXPECT_EQ(cell(10, 8), 204);  // SE
  EXPECT_EQ(cell(9, 8), 205);   // S
  EXPECT_EQ(cell(10, 4), 203);  // E
  d.SetViewPos(0, 0);
  ASSERT_EQ(d.CreateSTMap(), 1);
  EXPECT_EQ(At(3, -1), 201);   // N
  EXPECT_EQ(At(-1, 3), 207);   // W
  EXPECT_EQ(At(-2, -3), 208);  // NW
  EXPECT_EQ(At(5, 5), 56);
  d.SetViewPos(0, 7);
  ASSERT_EQ(d.CreateSTMap(), 1);
  EXPECT_EQ(d.GetCellID(4, 6), 206);  // SW: (-1, 8)
  d.SetViewPos(0, 0);
  // One border object may serve several edges (UDB-style sharing).
  map.borders[BorderN] = map.borders[BorderW];
  ASSERT_EQ(d.CreateSTMap(), 1);
  EXPECT_EQ(At(3, -1), 207);
}

TEST_F(Borders, WrapShowsTheOtherSideWithItsOverlay) {
  SetBorder(BorderN, BorderFillWrap);
  SetBorder(BorderNW, BorderFillWrap);
  SetBorder(BorderW, BorderFillWrap);
  d.CreateOverlay();
  d.SetOverlayTile(9, 7, 300);
  ASSERT_EQ(d.CreateSTMap(), 1);
  // Above row 0 the last rows; left of column 0 the last columns.
  EXPECT_EQ(At(0, -1), 71);
  EXPECT_EQ(At(4, -5), 35);  // y -5 -> 3
  EXPECT_EQ(At(-1, 0), 10);
  EXPECT_EQ(At(-1, -1), 300);  // (9, 7) from the overlay
  EXPECT_EQ(At(-3, 2), 28);
}

TEST_F(Borders, EchoRepeatsTheEdgeFromTheMapAloneAndLeavesCornersEmpty) {
  for (int dir = 0; dir < 8; ++dir) SetBorder(dir, BorderFillEcho);
  d.CreateOverlay();
  d.SetOverlayTile(0, 3, 300);
  d.SetOverlayTile(4, 0, 301);
  ASSERT_EQ(d.CreateSTMap(), 1);
  EXPECT_EQ(At(-1, 3), 31);  // column 0 of the same row, not the overlay's 300
  EXPECT_EQ(At(-5, 3), 31);
  EXPECT_EQ(At(4, -2), 5);   // row 0 of the same column
  EXPECT_EQ(At(0, 3), 300);  // inside, the overlay shows
  EXPECT_EQ(At(-1, -1), 0);
  EXPECT_EQ(At(-1, 5), 51);
  d.SetViewPos(9, 7);
  ASSERT_EQ(d.CreateSTMap(), 1);
  auto cell = [&](int x, int y) { return d.GetCellID(x - 4, y - 2); };
  EXPECT_EQ(cell(11, 7), 80);  // E: column 9
  EXPECT_EQ(cell(5, 9), 76);   // S: row 7
  EXPECT_EQ(cell(10, 8), 0);   // SE corner
}

TEST_F(OverheadDisplay, MapPositionsAndViewCellsAllowForWrappingEdges) {
  SimpleTiles(3);
  MakeMap(10, 8, 3);
  map.startX = 1;
  map.startY = 1;
  Open(5, 5);
  int col = -1, row = -1;
  EXPECT_EQ(d.MapPosToCell(0, 0, &col, &row), 1);
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(d.MapPosToCell(9, 1, &col, &row), 0);  // column 10: beyond the view
  SetBorder(BorderE, BorderFillWrap);
  EXPECT_EQ(d.MapPosToCell(9, 1, &col, &row), 1);  // seen across the east edge
  EXPECT_EQ(col, 0);
  EXPECT_EQ(row, 2);
  d.SetViewPos(9, 7);
  EXPECT_EQ(d.MapPosToCell(0, 0, &col, &row), 0);
  SetBorder(BorderW, BorderFillWrap);
  SetBorder(BorderN, BorderFillWrap);
  EXPECT_EQ(d.MapPosToCell(0, 0, &col, &row), 1);
  EXPECT_EQ(col, 3);
  EXPECT_EQ(row, 3);
  int x = 0, y = 0;
  EXPECT_EQ(d.CellToMapPos(2, 2, &x, &y), 1);
  EXPECT_EQ(d.CellToMapPos(3, 2, &x, &y), 0);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(d.SetViewPos(10, 0), 0);
  EXPECT_EQ(d.ViewX(), 9);
}

TEST_F(OverheadDisplay, ScrollingComesBackInFromTheOtherEdge) {
  SimpleTiles(1);
  MakeMap(10, 8, 1);
  Open(3, 3);
  EXPECT_EQ(d.ScrollView(-1, -2), 1);
  EXPECT_EQ(d.ViewX(), 9);
  EXPECT_EQ(d.ViewY(), 6);
  EXPECT_EQ(d.ScrollView(1, 2), 1);
  EXPECT_EQ(d.ViewX(), 0);
  EXPECT_EQ(d.ViewY(), 0);
  EXPECT_EQ(d.ScrollView(-35, 100), 1);  // far steps never leave the map
  EXPECT_EQ(d.ViewX(), 5);
  EXPECT_EQ(d.ViewY(), 4);
  EXPECT_EQ(d.SetViewPosFraction(0.5f, 0.5f), 1);
  EXPECT_EQ(d.ViewX(), 5);
  EXPECT_EQ(d.ViewY(), 4);
}

// ----- sight -----

class Sight : public OverheadDisplay {
 protected:
  // Tile 1 open ground, tile 2 a wall.
  void SetUp() override {
    OverheadDisplay::SetUp();
    AddFrame(101);
    AddFrame(102);
    AddTile(1, {101});
    AddTile(2, {102}, TileViewBlocked);
  }
  void View(int w, int h, const std::vector<std::pair<int, int>>& walls) {
    MakeMap(w, h, 1);
    for (auto [x, y] : walls) map.SetTile(x, y, 2);
    map.startX = int16_t(w / 2);
    map.startY = int16_t(h / 2);
    Open(w, h);
    ASSERT_EQ(d.CreateSTMap(), 1);
    ASSERT_EQ(d.CreateSFMap(), 1);
  }
};

TEST_F(Sight, AWallNextToTheCentreHidesOnlyWhatLiesBehindIt) {
  // The default 5 x 5 view with a wall just north of the centre.
  View(5, 5, {{2, 1}});
  ASSERT_EQ(d.LineOfSight(), 1);
  EXPECT_EQ(Ids(), (std::vector<std::vector<int>>{
                       {0, 0, 0, 0, 0}, {1, 1, 2, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1},
                       {1, 1, 1, 1, 1}}));
  // Hidden cells are empty all through: no tile, the blank frame.
  EXPECT_EQ(d.GetCellTile(1, 0), nullptr);
  EXPECT_EQ(d.GetCellFrame(1, 0), d.BlankFrame().GetData());

  // A wall east of the centre hides the columns beyond it.
  View(5, 5, {{3, 2}});
  ASSERT_EQ(d.LineOfSight(), 1);
  for (int r = 0; r < 5; ++r) EXPECT_EQ(d.GetCellID(4, r), 0) << r;
  EXPECT_EQ(d.GetCellID(3, 2), 2);
  EXPECT_EQ(d.GetCellID(2, 0), 1);
}

TEST_F(Sight, WallNorthOfTheCentreHidesEveryRowAboveAcrossTheView) {
  View(11, 9, {{5, 3}});
  ASSERT_EQ(d.LineOfSight(), 1);
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 11; ++c)
      EXPECT_EQ(d.GetCellID(c, r), r < 3 ? 0 : (c == 5 && r == 3 ? 2 : 1)) << c << "," << r;
}

// The eight scans from the centre that stop short of the outermost ring.
void InnerScans(CMDisplay& d) {
  const int cx = d.CentreX(), cy = d.CentreY(), W = d.ViewWidth(), H = d.ViewHeight();
  d.ScanBlock(cx, cy - 1, cx, 1);
  d.ScanBlock(cx + 1, cy - 1, W - 2, 1);
  d.ScanBlock(cx + 1, cy, W - 2, cy);
  d.ScanBlock(cx + 1, cy + 1, W - 2, H - 2);
  d.ScanBlock(cx, cy + 1, cx, H - 2);
  d.ScanBlock(cx - 1, cy + 1, 1, H - 2);
  d.ScanBlock(cx - 1, cy, 1, cy);
  d.ScanBlock(cx - 1, cy - 1, 1, 1);
}

TEST_F(Sight, FromTheCentreMatchesTheInnerScansOnViewsOf7x7AndMore) {
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (auto [w, h] : {std::pair{7, 7}, {9, 7}, {8, 10}, {25, 19}, {13, 13}})
    for (int trial = 0; trial < 40; ++trial) {
      std::vector<std::pair<int, int>> walls;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (next() % 6 == 0 && !(x == w / 2 && y == h / 2)) walls.push_back({x, y});
      View(w, h, walls);
      ASSERT_EQ(d.LineOfSight(), 1);
      const auto got = Ids();
      View(w, h, walls);
      InnerScans(d);
      ASSERT_EQ(got, Ids()) << w << "x" << h << " trial " << trial;
    }
}

TEST_F(Sight, FromAnotherCellRunsToTheOuterRing) {
  // Seen from (2, 2) of a 9 x 9 view, a wall at (2, 1) hides row 0.
  View(9, 9, {{2, 1}, {8, 8}});
  ASSERT_EQ(d.LineOfSightFrom(2, 2), 1);
  for (int c = 0; c < 9; ++c) EXPECT_EQ(d.GetCellID(c, 0), 0) << c;
  EXPECT_EQ(d.GetCellID(8, 8), 2);
  EXPECT_EQ(d.LineOfSightFrom(9, 2), 0);
  EXPECT_EQ(d.LineOfSightFrom(0, -1), 0);
}

TEST_F(Sight, ViewLinesUseTheTilesShown) {
  View(9, 9, {{4, 2}});
  int result = 0;
  ASSERT_EQ(d.CheckViewLine(&result, 4, 4, 4, 0), 1);
  EXPECT_EQ(result, LineBlocked);
  ASSERT_EQ(d.CheckViewLine(&result, 4, 4, 8, 4), 1);
  EXPECT_EQ(result, LineClear);
}

// ----- frames, animation and output -----

TEST_F(OverheadDisplay, FramePhasesFollowTheTimerWithTheDivider) {
  for (int f = 1; f <= 5; ++f) AddFrame(100 + f);
  AddTile(1, {101, 102, 103});
  AddTile(2, {101, 102, 103, 104, 105});
  MakeMap(2, 1, 2);
  map.startX = 1;
  Open(2, 1);
  ASSERT_EQ(d.CreateSTMap(), 1);
  const uint8_t* frameOf[6];
  for (int f = 1; f <= 5; ++f) frameOf[f] = frames.Get(uint16_t(100 + f));
  for (int phase = 0; phase < 24; ++phase) {
    d.SetAnimPhase(phase);
    ASSERT_EQ(d.CreateSFMap(), 1);
    EXPECT_EQ(d.GetCellFrame(0, 0), frameOf[1 + phase % 3]) << phase;
    EXPECT_EQ(d.GetCellFrame(1, 0), frameOf[1 + phase % 5]) << phase;
  }
  // Phase 23 shows frame 3 of five; the next tick wraps to phase 0.
  EXPECT_EQ(d.GetCellFrame(1, 0), frameOf[4]);
  ASSERT_EQ(d.AnimationTick(7), 1);
  EXPECT_EQ(d.Phase(), 0);
  EXPECT_EQ(d.GetCellFrame(1, 0), frameOf[1]);
  ExpectWindow(d, [](int, int) { return 101; });

  EXPECT_EQ(d.SetAnimDivider(0), 0);
  ASSERT_EQ(d.SetAnimDivider(3), 1);
  std::vector<int> phases;
  for (int tick = 0; tick < 10; ++tick) {
    d.AnimationTick(tick);
    phases.push_back(d.Phase());
  }
  EXPECT_EQ(phases, (std::vector<int>{1, 1, 1, 2, 2, 2, 3, 3, 3, 4}));
  d.SetAnimate(false);
  d.AnimationTick(12);
  EXPECT_EQ(d.Phase(), 4);
  d.SetAnimPhase(-1);
  EXPECT_EQ(d.Phase(), 23);
  d.AddAnimPhase(26);
  EXPECT_EQ(d.Phase(), 1);
}

// A view partly outside the window, at scale 2: both draw modes give the
// pixels computed here, and they agree with each other.
TEST_F(OverheadDisplay, BufferModeAndCellModeGiveIdenticalPixels) {
  SimpleTiles(6);
  MakeMap(9, 7, 6);
  map.startX = 4;
  map.startY = 3;
  for (int scale : {1, 2, 3}) {
    Open(7, 5, 5, 7, scale);
    ASSERT_EQ(d.CreateSTMap(), 1);
    ASSERT_EQ(d.CreateSFMap(), 1);
    auto expected = ShownFrame(d);
    Window().FillRect(0, 0, 160, 120, 0x123456);
    ASSERT_EQ(d.SetFSBMode(false), 1);
    ASSERT_EQ(d.Display(), 1);
    ExpectWindow(d, expected);
    const std::vector<uint32_t> cellMode = Window().pixels;

    Window().FillRect(0, 0, 160, 120, 0x123456);
    ASSERT_EQ(d.SetFSBMode(true), 1);
    ASSERT_EQ(d.RenderFSBuffer(), 1);
    ASSERT_EQ(d.Display(), 1);
    ExpectWindow(d, expected);
    EXPECT_EQ(Window().pixels, cellMode) << "scale " << scale;
  }
  // Pixels beyond the view are untouched.
  EXPECT_EQ(Window().At(4, 6), 0x123456u);
}

TEST_F(OverheadDisplay, DrawingClipsToTheWindow) {
  SimpleTiles(2);
  MakeMap(6, 6, 2);
  for (bool buffer : {false, true})
    for (auto [x, y] : {std::pair{150, 110}, {-20, -9}, {-21, -7}, {1000000, 5}, {-2000000000, -2000000000}}) {
      ASSERT_EQ(d.Init(x, y, 6, 6, 4), 1);
      ASSERT_EQ(d.SetSets(&tiles, &frames), 1);
      ASSERT_EQ(d.SetMap(&map), 1);
      ASSERT_EQ(d.SetFSBMode(buffer), 1);
      ASSERT_EQ(d.CreateSTMap(), 1);
      ASSERT_EQ(d.CreateSFMap(), 1);
      ASSERT_EQ(d.RenderFSBuffer(), 1);
      ASSERT_EQ(d.Display(), 1);
      ExpectWindow(d, ShownFrame(d));
      ASSERT_EQ(d.Blank(), 1);
      ExpectWindow(d, [](int, int) { return 0; });
    }
}

TEST_F(OverheadDisplay, DrawingIsReportedToTheWindowsWatches) {
  SimpleTiles(2);
  MakeMap(6, 6, 2);
  Open(2, 2, 10, 20);
  ASSERT_EQ(d.CreateSTMap(), 1);
  ASSERT_EQ(d.CreateSFMap(), 1);
  CanvasWatch inside, beside;
  inside.Follow(&Window(), 10 + 2 * FW - 1, 20, 1, 1);
  beside.Follow(&Window(), 10 + 2 * FW, 20, 8, 8);
  inside.Clear();
  beside.Clear();
  ASSERT_EQ(d.Display(), 1);
  EXPECT_TRUE(inside.Damaged());
  EXPECT_FALSE(beside.Damaged());
}

TEST_F(OverheadDisplay, ChangingTheViewSizeRecreatesTheScreenBuffer) {
  SimpleTiles(2);
  MakeMap(20, 20, 2);
  Open(3, 3);
  ASSERT_EQ(d.SetFSBMode(true), 1);
  EXPECT_EQ(d.ScreenBuffer().Width(), 3 * FW);
  EXPECT_EQ(d.ScreenBuffer().Height(), 3 * FH);
  ASSERT_EQ(d.Init(-1, -1, 9, 7, -1), 1);
  EXPECT_EQ(d.ScreenBuffer().Width(), 9 * FW);
  EXPECT_EQ(d.ScreenBuffer().Height(), 7 * FH);
  EXPECT_EQ(d.CentreX(), 4);
  EXPECT_EQ(d.CentreY(), 3);
  ASSERT_EQ(d.CreateSTMap(), 1);
  ASSERT_EQ(d.CreateSFMap(), 1);
  ASSERT_EQ(d.RenderFSBuffer(), 1);
  ASSERT_EQ(d.Display(), 1);
  ExpectWindow(d, ShownFrame(d));
  // A frame set of another frame size brings a new buffer and blank frame.
  CBArraySet big;
  ASSERT_EQ(big.Init(4, 4, 4, 4, 0), 1);
  ASSERT_EQ(d.SetSets(nullptr, &big), 1);
  EXPECT_EQ(d.ScreenBuffer().Width(), 9 * 4);
  EXPECT_EQ(d.BlankFrame().Width(), 4);
  // Frames must have 4-byte pixels.
  CBArraySet narrow;
  ASSERT_EQ(narrow.Init(4, 4, 2, 4, 0), 1);
  EXPECT_EQ(d.SetSets(nullptr, &narrow), 0);
  EXPECT_EQ(d.GetFrameSet(), &big);
}

TEST_F(OverheadDisplay, ChangedSetsNeverLeaveStaleFramesOrTiles) {
  SimpleTiles(3);
  MakeMap(3, 1, 3);
  map.startX = 1;
  Open(3, 1);
  ASSERT_EQ(d.CreateSTMap(), 1);
  ASSERT_EQ(d.CreateSFMap(), 1);
  // Frame 102 (tile 2) is deleted: the cell shows the blank frame.
  ASSERT_EQ(frames.Remove(102, 1), 1);
  EXPECT_EQ(d.GetCellFrame(1, 0), d.BlankFrame().GetData());
  EXPECT_EQ(d.GetCellTile(1, 0), tiles.Find(2));
  ASSERT_EQ(d.Display(), 1);
  ExpectWindow(d, [](int col, int) { return col == 1 ? 0 : 101 + col; });
  // Tile 3 is replaced by one showing frame 101.
  auto* replacement = new CTile;
  replacement->SetFrameCount(1);
  replacement->SetFrame(0, 101);
  ASSERT_EQ(tiles.SetAt(tiles.FindIndex(3), 3, replacement), 1);
  EXPECT_EQ(d.GetCellTile(2, 0), replacement);
  ASSERT_EQ(d.SetFSBMode(true), 1);
  ASSERT_EQ(d.RenderFSBuffer(), 1);
  ASSERT_EQ(d.Display(), 1);
  ExpectWindow(d, [](int col, int) { return col == 1 ? 0 : 101; });
  // Tile 1 removed with no default tile: an empty cell.
  ASSERT_EQ(tiles.Remove(1, 1), 1);
  EXPECT_EQ(d.GetCellTile(0, 0), nullptr);
  EXPECT_EQ(d.GetCellFrame(0, 0), d.BlankFrame().GetData());
}

TEST_F(OverheadDisplay, ReplacedSetsMayBeFreedAtOnce) {
  // A frame set swapped in by a script, then freed when the old graphics
  // come back: the display must not draw from it.
  auto swapped = std::make_unique<CBArraySet>();
  ASSERT_EQ(swapped->Init(FW, FH, 4, 4, 0), 1);
  ASSERT_EQ(swapped->AddNext(101, MakeFrame(55, FW, FH)), 1);
  SimpleTiles(1);
  MakeMap(3, 3, 1);
  ASSERT_EQ(d.Init(0, 0, 3, 3, 1), 1);
  ASSERT_EQ(d.SetSets(&tiles, swapped.get()), 1);
  ASSERT_EQ(d.SetMap(&map), 1);
  ASSERT_EQ(d.CreateSTMap(), 1);
  ASSERT_EQ(d.CreateSFMap(), 1);
  EXPECT_EQ(d.GetCellFrame(1, 1), swapped->Get(101));
  ASSERT_EQ(d.SetSets(nullptr, &frames), 1);
  swapped.reset();
  ASSERT_EQ(d.Display(), 1);
  ExpectWindow(d, [](int, int) { return 0; });  // empty until the next frame map
  ASSERT_EQ(d.CreateSFMap(), 1);
  ASSERT_EQ(d.Display(), 1);
  ExpectWindow(d, ShownFrame(d));
  // A set of another frame size replaces the blank frame the cells showed.
  auto big = std::make_unique<CBArraySet>();
  ASSERT_EQ(big->Init(5, 5, 4, 4, 0), 1);
  ASSERT_EQ(d.SetSets(nullptr, big.get()), 1);
  EXPECT_EQ(d.GetCellFrame(0, 0), d.BlankFrame().GetData());
  ASSERT_EQ(d.Display(), 1);
}

TEST_F(OverheadDisplay, APatchDrawsItsTilesOverTheFrameMap) {
  SimpleTiles(2);
  AddFrame(150);
  AddFrame(151);
  MakeMap(5, 5, 1);
  map.startX = 2;
  map.startY = 2;
  Open(5, 5);
  CTile effect, ghost;
  effect.SetFrameCount(2);
  effect.SetFrame(0, 150);
  effect.SetFrame(1, 151);
  ghost.SetFrameCount(1);
  ghost.SetFrame(0, 150);
  ghost.view = TileViewPatchOnly;
  CTile* patch[] = {&effect, nullptr, &ghost, &effect};
  EXPECT_EQ(d.SetPatch(patch, 3, 3, 4, 5, nullptr), 0);  // must fit the view
  ASSERT_EQ(d.SetPatch(patch, 1, 1, 2, 2, nullptr), 1);
  ASSERT_EQ(d.CreateSTMap(), 1);
  ASSERT_EQ(d.AnimationTick(0), 1);  // phase 1
  EXPECT_EQ(d.GetCellFrame(1, 1), frames.Get(151));
  EXPECT_EQ(d.GetCellTile(1, 1), &effect);
  EXPECT_EQ(d.GetCellFrame(2, 1), frames.Get(101));
  EXPECT_EQ(d.GetCellFrame(1, 2), frames.Get(150));
  EXPECT_EQ(d.GetCellTile(1, 2), nullptr);
  ExpectWindow(d, [](int col, int row) {
    if (col == 1 && row == 1) return 151;
    if (col == 2 && row == 2) return 151;
    if (col == 1 && row == 2) return 150;
    return 101;
  });
  ASSERT_EQ(d.SetPatch(nullptr, 0, 0, 0, 0, nullptr), 1);
  ASSERT_EQ(d.CreateSFMap(), 1);
  EXPECT_EQ(d.GetCellFrame(1, 1), frames.Get(101));
}

}  // namespace
