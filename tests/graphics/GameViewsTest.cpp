#include "graphics/GameViews.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "OverheadFixture.h"
#include "graphics/ImageDisplay.h"
#include "text/Output.h"

namespace {

class GameViews : public DisplayFixture {
 protected:
  void SetUp() override {
    DisplayFixture::SetUp();
    SimpleTiles(9);
  }
  void Open(CMDisplay& view, int x, int y, int w, int h) {
    ASSERT_EQ(view.Init(x, y, w, h, 1), 1);
    ASSERT_EQ(view.SetSets(&tiles, &frames), 1);
    ASSERT_EQ(view.SetMap(&map), 1);
  }
  CMDisplay game;
};

// ----- FitViewToMap -----

TEST_F(GameViews, FitViewToMapCentresAsFarAsTheEdgesAllow) {
  MakeMap(40, 5, 1);
  Open(game, 0, 0, 11, 3);
  struct Case {
    int mapWidth, px, viewX, lockedCol;
  };
  for (Case c : {Case{40, 2, 5, 2}, {40, 38, 34, 9}, {40, 20, 20, 5}, {40, 0, 5, 0},
                 {8, 0, 4, 1}, {8, 7, 4, 8}, {11, 10, 5, 10}}) {
    MakeMap(c.mapWidth, 5, 1);
    int col = -1, row = -1;
    ASSERT_EQ(FitViewToMap(game, c.px, 4, &col, &row), 1) << c.mapWidth << " " << c.px;
    EXPECT_EQ(game.ViewX(), c.viewX) << c.mapWidth << " " << c.px;
    EXPECT_EQ(col, c.lockedCol) << c.mapWidth << " " << c.px;
    EXPECT_EQ(game.ViewY(), 3);  // rows: py 4 of 5 with a view of 3 -> 5 - 1 - 1
    EXPECT_EQ(row, 2);
  }
  // A party off the map cannot be shown: the result is failure.
  EXPECT_EQ(FitViewToMap(game, 50, 2, nullptr, nullptr), 0);
}

// ----- the game view's redraw -----

TEST_F(GameViews, RedrawPutsMembersAndThePlayerOnTheViewThenAppliesSight) {
  // Tile 9 is a wall.
  AddTile(20, {101}, TileViewBlocked);
  MakeMap(9, 9, 1);
  map.SetTile(4, 3, 20);
  map.startX = 4;
  map.startY = 4;
  Open(game, 0, 0, 5, 5);
  GameViewRedraw r;
  r.player = {4, 4, 7};
  r.members = {{3, 5, 8}, {8, 8, 8}};  // the second is off the view
  r.lineOfSight = true;
  ASSERT_EQ(RedrawGameView(game, r), 1);
  EXPECT_EQ(game.GetCellID(2, 2), 7);
  EXPECT_EQ(game.GetCellID(1, 3), 8);
  EXPECT_EQ(game.GetCellID(2, 1), 20);
  for (int c = 0; c < 5; ++c) EXPECT_EQ(game.GetCellID(c, 0), 0) << c;  // behind the wall
  ExpectWindow(game, [&](int col, int row) {
    const int id = game.GetCellID(col, row);
    return id == 0 ? 0 : id == 20 ? 101 : 100 + id;
  });

  // A locked screen shows the player where he stands, sight from the locked cell.
  r.screenLocked = true;
  r.player = {3, 4, 7};
  r.lockedCol = 1;
  r.lockedRow = 2;
  ASSERT_EQ(RedrawGameView(game, r), 1);
  EXPECT_EQ(game.GetCellID(1, 2), 7);
  EXPECT_EQ(game.GetCellID(2, 2), 1);

  // Without a map nothing can be drawn.
  CMDisplay empty;
  std::string out;
  SetOutputCapture(&out);
  EXPECT_EQ(RedrawGameView(empty, r), 0);
  SetOutputCapture(nullptr);
  EXPECT_EQ(out, "ERROR: Could not redraw\n");
}

// ----- the view map -----

class ViewMap : public GameViews {
 protected:
  void SetUp() override {
    GameViews::SetUp();
    MakeMap(10, 8, 9);
    map.startX = 1;
    map.startY = 1;
    Open(game, 100, 100, 5, 5);
    ASSERT_EQ(game.SetFSBMode(true), 1);
    game.CreateSTMap();
    game.CreateSFMap();
    game.RenderFSBuffer();
    ASSERT_EQ(viewMap.Init(0, 0, ViewMapSize, ViewMapSize, 1), 1);
    ASSERT_EQ(viewMap.SetSets(&tiles, &frames), 1);
    ASSERT_EQ(viewMap.SetFSBMode(true), 1);
    ASSERT_NE(game.CreateOverlay(), nullptr);
    game.SetOverlayTile(2, 2, 9);
  }
  // View-map cell of a map position: the view is centred on (5, 4).
  int Cell(int x, int y) const { return viewMap.GetCellID(x - 5 + 32, y - 4 + 32); }
  CMDisplay viewMap;
};

TEST_F(ViewMap, OpensOnTheMapsMiddleWithTheGameViewsObjects) {
  ViewMapMarker marker{6, true, 1, 1};
  ASSERT_EQ(OpenViewMap(viewMap, &map, game.GetOverlay(), &game, marker), 1);
  EXPECT_EQ(viewMap.ViewX(), 5);
  EXPECT_EQ(viewMap.ViewY(), 4);
  EXPECT_EQ(viewMap.GetOverlay(), game.GetOverlay());
  EXPECT_EQ(Cell(2, 2), 9);
  EXPECT_EQ(Cell(1, 1), 6);
  EXPECT_EQ(Cell(3, 1), 1 + (3 + 10) % 9);
  EXPECT_EQ(Cell(-1, 0), 0);
  // The game view was blanked; the view map is drawn from its buffer.
  const CBArray& gameBuffer = game.ScreenBuffer();
  for (size_t i = 0; i < gameBuffer.ByteSize(); ++i) ASSERT_EQ(gameBuffer.GetData()[i], 0) << i;
  ExpectWindow(viewMap, [&](int col, int row) {
    const int id = viewMap.GetCellID(col, row);
    return id ? 100 + id : 0;
  });

  // VMCHARTILE 0: no marker.
  marker.charTile = 0;
  ASSERT_EQ(RedrawViewMap(viewMap, marker), 1);
  EXPECT_EQ(Cell(1, 1), 1 + 11 % 9);
  // Scrolling and jumping redraw.
  ASSERT_EQ(ScrollViewMap(viewMap, -6, 0, marker), 1);
  EXPECT_EQ(viewMap.ViewX(), 9);
  ASSERT_EQ(JumpViewMap(viewMap, 0.0f, 0.0f, marker), 1);
  EXPECT_EQ(viewMap.ViewX(), 0);

  ASSERT_EQ(CloseViewMap(viewMap), 1);
  EXPECT_EQ(viewMap.GetOverlay(), nullptr);
  EXPECT_NE(game.GetOverlay(), nullptr);  // the game's overlay lives on
  ExpectWindow(viewMap, [](int, int) { return 0; });
}

TEST_F(ViewMap, AFailedOpenForgetsTheOverlayAndBlanks) {
  CBArray wrong;
  ASSERT_EQ(wrong.Init(3, 3, 2), 1);
  ASSERT_EQ(OpenViewMap(viewMap, &map, &wrong, &game, {}), 0);
  EXPECT_EQ(viewMap.GetOverlay(), nullptr);
  EXPECT_EQ(OpenViewMap(viewMap, nullptr, nullptr, &game, {}), 0);
}

TEST(ViewMapRule, AllowedByVMType) {
  EXPECT_FALSE(ViewMapAllowed(false, 0, false, false));
  EXPECT_TRUE(ViewMapAllowed(true, 0, false, false));
  EXPECT_TRUE(ViewMapAllowed(true, 1, false, false));
  EXPECT_FALSE(ViewMapAllowed(true, 2, false, false));
  EXPECT_FALSE(ViewMapAllowed(true, 0, true, false));
  EXPECT_TRUE(ViewMapAllowed(true, 0, true, true));
  EXPECT_TRUE(ViewMapAllowed(true, 1, true, false));
  EXPECT_TRUE(ViewMapAllowed(true, 2, true, false));
}

// ----- pictures -----

class Pictures : public GameViews {
 protected:
  void SetUp() override {
    GameViews::SetUp();
    char pattern[] = "/tmp/korva-image-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    std::filesystem::create_directory("DATA1");
    MakeMap(10, 10, 1);
    Open(game, 20, 20, 5, 4);  // a map area of 15 x 8 pixels
    ASSERT_EQ(game.SetFSBMode(true), 1);
    ASSERT_EQ(images.Init(0, 0, 2), 1);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(dir_);
    GameViews::TearDown();
  }
  // A picture file of w x h pixels, pixel (c, line) = FramePixel(7, line, c).
  void WritePicture(const char* name, int w, int h, int elementSize = 4) {
    CBArray picture;
    if (elementSize == 4) {
      ASSERT_EQ(picture.SetDims(w, h, 4), 1);
      ASSERT_EQ(picture.Attach(MakeFrame(7, w, h)), 1);
    } else {
      ASSERT_EQ(picture.Init(w, h, elementSize), 1);
      picture.Fill(1);
    }
    ASSERT_EQ(picture.Save(std::string("DATA1\\") + name), 1);
  }
  std::filesystem::path dir_, previous_;
  ImageDisplay images;
  CBArray picture;
};

TEST_F(Pictures, ShowImageCentresThePictureInTheMapAreasSize) {
  WritePicture("pic.til", 6, 3);
  Window().FillRect(0, 0, 160, 120, 0x777777);
  ASSERT_EQ(ShowImage(&images, game, &picture, 1, "pic.til"), 1);
  // Offsets trunc((15 - 6) / 2) = 4 and trunc((8 - 3) / 2) = 2, at scale 2.
  EXPECT_EQ(images.X(), 8);
  EXPECT_EQ(images.Y(), 4);
  const Canvas& c = Window();
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const int px = (x - 8) / 2, py = (y - 4) / 2;
      uint32_t want;
      if (x >= 8 && y >= 4 && px < 6 && py < 3) want = FramePixel(7, 2 - py, px);
      else if (x >= 20 && y >= 20 && x < 35 && y < 28) want = 0;  // the blanked game view
      else want = 0x777777;
      ASSERT_EQ(c.At(x, y), want) << x << "," << y;
    }
  ASSERT_EQ(EndImage(images, &picture), 1);
  EXPECT_EQ(Window().At(8, 4), 0u);
  EXPECT_EQ(Window().At(19, 9), 0u);
  EXPECT_EQ(Window().At(20, 4), 0x777777u);
}

TEST_F(Pictures, LargePicturesStandAtTheOriginAndOthersAreRefused) {
  WritePicture("big.til", 20, 9);
  ASSERT_EQ(ShowImage(&images, game, &picture, 1, "big.til"), 1);
  EXPECT_EQ(images.X(), 0);
  EXPECT_EQ(images.Y(), 0);
  EXPECT_EQ(picture.Width(), 20);

  WritePicture("map.til", 4, 4, 2);
  std::string out;
  SetOutputCapture(&out);
  EXPECT_EQ(ShowImage(&images, game, &picture, 1, "map.til"), 0);
  EXPECT_EQ(ShowImage(&images, game, &picture, 1, "missing.til"), 0);
  EXPECT_EQ(ShowImage(nullptr, game, &picture, 1, "big.til"), 0);
  SetOutputCapture(nullptr);
  EXPECT_EQ(out, "ERROR (ShowImage): DATA1\\map.til does not hold 4-byte pixels\n");
  EXPECT_EQ(picture.Width(), 20);  // the shown picture is kept

  CBArray twoByte;
  ASSERT_EQ(twoByte.Init(2, 2, 2), 1);
  EXPECT_EQ(images.SetImage(&twoByte), 0);
  EXPECT_EQ(images.Image(), &picture);
}

}  // namespace
