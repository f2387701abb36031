#pragma once
// A headless window with a small frame set, tile set and map for display
// tests. Frame f's pixel at column px of line l (line 0 at the bottom)
// is the window colour f * 256 + l * 16 + px, so every window pixel says
// which frame, line and column it shows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/BArraySet.h"
#include "graphics/MapSet.h"
#include "graphics/OverheadDisplay.h"
#include "graphics/TileSet.h"
#include "platform/Backend.h"
#include "platform/Frame.h"
#include "platform/HeadlessBackend.h"

inline uint32_t FramePixel(int frameID, int line, int column) {
  return uint32_t(frameID) * 256 + uint32_t(line) * 16 + uint32_t(column);
}

inline uint8_t* MakeFrame(int frameID, int w, int h) {
  auto* buffer = new uint8_t[size_t(w) * size_t(h) * 4];
  for (int l = 0; l < h; ++l)
    for (int c = 0; c < w; ++c) {
      const uint32_t v = FramePixel(frameID, l, c);
      uint8_t* p = buffer + (size_t(l) * size_t(w) + size_t(c)) * 4;
      p[0] = uint8_t(v);
      p[1] = uint8_t(v >> 8);
      p[2] = uint8_t(v >> 16);
      p[3] = 0;
    }
  return buffer;
}

class DisplayFixture : public testing::Test {
 protected:
  static constexpr int FW = 3, FH = 2;  // frames wider than high catch swapped axes

  void SetUp() override {
    ResetFrameForTests();
    std::string error;
    auto backend = CreateHeadlessBackend("", error);
    ASSERT_NE(backend, nullptr) << error;
    SetBackend(std::move(backend));
    WindowId window = NoWindow;
    ASSERT_EQ(CreateWindow(WindowCaption, false, false, 160, 120, &window), 1);
    ASSERT_EQ(frames.Init(FW, FH, 4, 64, 0), 1);
    ASSERT_EQ(tiles.Init(64, 0, 0), 1);
  }
  void TearDown() override {
    SetBackend(nullptr);
    ResetFrameForTests();
  }

  void AddFrame(int id) { ASSERT_EQ(frames.AddNext(uint16_t(id), MakeFrame(id, FW, FH)), 1); }
  // A tile showing the given frames in turn.
  CTile* AddTile(int id, std::vector<int> frameIDs, uint8_t view = TileViewUnblocked) {
    auto* tile = new CTile;
    tile->SetFrameCount(int(frameIDs.size()));
    for (size_t i = 0; i < frameIDs.size(); ++i) tile->SetFrame(int(i), uint16_t(frameIDs[i]));
    tile->view = view;
    EXPECT_EQ(tiles.AddNext(uint16_t(id), tile), 1);
    return tile;
  }
  // Tiles 1..n each with one frame of ID 100 + id.
  void SimpleTiles(int n) {
    for (int id = 1; id <= n; ++id) {
      AddFrame(100 + id);
      AddTile(id, {100 + id});
    }
  }
  // A map whose cell (x, y) holds ID 1 + (x + y * w) % period.
  void MakeMap(int w, int h, int period) {
    map.cells.Free();
    ASSERT_EQ(map.cells.Init(w, h, 2), 1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) map.SetTile(x, y, uint16_t(1 + (x + y * w) % period));
    map.startX = 0;
    map.startY = 0;
  }
  void SetBorder(int direction, uint8_t fillType, uint16_t fillTile = 0) {
    auto b = std::make_shared<MapBorder>();
    b->fillType = fillType;
    b->fillTile = fillTile;
    map.borders[direction] = b;
  }

  Canvas& Window() { return Backend()->GetCanvas(); }
  // What the window must show for a display whose cell (col, row) shows
  // frame frameOf(col, row) (0 = the blank frame).
  template <class F>
  void ExpectWindow(const CMDisplay& d, F frameOf) {
    const Canvas& c = Window();
    const int s = d.Scale();
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const int dx = x - d.ScreenX(), dy = y - d.ScreenY();
        if (dx < 0 || dy < 0 || dx >= d.ViewWidth() * FW * s || dy >= d.ViewHeight() * FH * s)
          continue;
        const int col = dx / (FW * s), row = dy / (FH * s);
        const int column = (dx / s) % FW, line = FH - 1 - (dy / s) % FH;
        const int f = frameOf(col, row);
        const uint32_t want = f ? FramePixel(f, line, column) : 0;
        ASSERT_EQ(c.At(x, y), want) << "window (" << x << ", " << y << ") cell (" << col << ", "
                                    << row << ")";
      }
  }

  CBArraySet frames;
  CTileSet tiles;
  CMap map;
};
