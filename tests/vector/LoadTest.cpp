// Loading vector frame and tile sets: what the lines build, and failures
// that drop the whole set with the loader's messages.
#include <gtest/gtest.h>

#include <string>

#include "VectorTestUtil.h"
#include "vector/VRender.h"
#include "vector/VTile.h"

namespace {

TEST(VectorLoad, FrameSetBuildsEntitiesInSlotOrder) {
  auto set = LoadCreateVFrameSetFromText("",
      "QUORVELLIAN914 DATA V1\n# comment\nFS: 2\nF: 7 12\nCOLOR 1 2 3\nREV 1 0 1 0\n"
      "SCALE 0.5 2\nCLINE 1 2 3 4 -RAM 0.5 -RT 1\nPPATBOX 4 5 1 2 -FAST -OFFSET 3 1\n"
      "HFILLFVL 1 2 3\nPIXELS 2 1 2\n3 4\nUNKNOWN 1 2\nCEND\nFRAME 9\nIMAGEREF 3 4\n");
  ASSERT_NE(set, nullptr);
  VFrame* f = set->Get(7);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Capacity(), 12);
  EXPECT_EQ(f->CountUsed(), 10);
  EXPECT_EQ(f->At(1)->type, VEColor);
  EXPECT_EQ(f->At(1)->rgb[2], 3);
  EXPECT_EQ(f->At(2)->b, VRevX1 | VRevX2);
  EXPECT_EQ(f->At(3)->f[1], 2.0f);
  EXPECT_EQ(f->At(4)->b, 1);
  EXPECT_EQ(f->At(4)->f[0], 0.5f);
  EXPECT_EQ(f->At(5)->b, 1);
  EXPECT_EQ(f->At(5)->rgb[2], 3);
  EXPECT_EQ(f->At(6)->b, 0);  // HFILLFVL without a mode
  EXPECT_EQ(f->At(7)->points, (std::vector<int16_t>{1, 2, 3, 4}));
  EXPECT_EQ(f->At(8)->type, VECEnd);
  EXPECT_EQ(f->At(9)->u[0], 9);
  EXPECT_EQ(f->At(10)->u[1], 4);
}

TEST(VectorLoad, FrameSetCursorWrapsAndReplaces) {
  auto set = LoadCreateVFrameSetFromText("", "FS: 2\nF: 1 1\nF: 2 1\nF: 3 1\n");
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(set->Get(1), nullptr);
  EXPECT_NE(set->Get(2), nullptr);
  EXPECT_NE(set->Get(3), nullptr);
  EXPECT_TRUE(DeleteVFrame(set.get(), 2));
  EXPECT_FALSE(DeleteVFrame(set.get(), 2));
  EXPECT_FALSE(DeleteVFrame(set.get(), 0));
}

TEST(VectorLoad, FrameSetFailuresDropTheWholeSet) {
  const std::string failed = "ERROR (LoadCreateVFrameSet): Failed\n";
  struct Case {
    const char* text;
    std::string messages;
  } cases[] = {
      {"F: 1 5\nFS: 2\n", failed},
      {"FS: 2\nLINE 0 0 1 1\n", failed},
      {"FS: -1\n", failed},
      {"FS: 1\nF: 1 0\n", failed},
      {"FS: 1\nF: 1 1\nLINE 0 0 1 1\nLINE 0 0 1 1\n", failed},
      {"FS: 1\nF: 1 4\nLINE 0 0 1\n", failed},
      {"FS: 1\nF: 1 4\nHFILLFVL 0 0\n", failed},
      {"FS: 1\nF: 1 4\nCOLOR 1 2\n", failed},
      {"FS: 1\nF: 1 4\nSCALE 1\n", failed},
      {"FS: 1\nF: 1 4\nPIXELS 2 1 1\n", failed},
      {"FS: 1\nF: 1 4\nPIXELS -1\n", failed},
      {"FS: 1\nF: 1 4\nIMAGE missing.til\n", failed},
      {"FS: 1\nF: 1 4\nCLINE 0 0 1 1 -XX\n",
       "ERROR (LoadCreateVFrameSet/CLINE): Invalid option: -XX\n" + failed},
      {"FS: 1\nF: 1 4\nCLINE 0 0 1 1 -RAM\n",
       "ERROR (LoadCreateVFrameSet/CLINE/RAM): Missing param\n" + failed},
      {"FS: 1\nF: 1 4\nCLINE 0 0 1 1 -RT\n",
       "ERROR (LoadCreateVFrameSet/CLINE/RT): Missing param\n" + failed},
      {"FS: 1\nF: 1 4\nPPATBOX 1 1 0 0 -OFFSET\n",
       "ERROR (LoadCreateVFrameSet/PPATBOX/OFFSET): Missing param X\n" + failed},
      {"FS: 1\nF: 1 4\nPPATBOX 1 1 0 0 -OFFSET 1\n",
       "ERROR (LoadCreateVFrameSet/PPATBOX/OFFSET): Missing param Y\n" + failed},
      {"FS: 1\nF: 1 4\nPPATBOX 1 1 0 0 -SLOW\n",
       "ERROR (LoadCreateVFrameSet/PPATBOX): Invalid option: -SLOW\n" + failed},
      {"FS: 1\nF: 1 4\nICCOLOR 1 2 3\n", failed},  // no current image
      {"FS: 1\nF: 1 4\nIMAGEREFCOPY 5 1\n", "ERROR (IMAGEREFCOPY): Could not get frame 5\n" + failed},
      {"FS: 1\nF: 1 4\nIMAGEREFCOPY 1 1\n", "ERROR (IMAGEREFCOPY): Could not get image 1\n" + failed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    vtest::Capture cap;
    EXPECT_EQ(LoadCreateVFrameSetFromText("", c.text), nullptr);
    EXPECT_EQ(cap.text, c.messages);
  }
}

TEST(VectorLoad, MissingFileGivesNoSetAndNoMessage) {
  vtest::Capture cap;
  EXPECT_EQ(LoadCreateVFrameSet(vtest::MakeTempDir(), "VFSET.dat"), nullptr);
  EXPECT_EQ(LoadCreateVTileSet(vtest::MakeTempDir(), "VTSET.dat"), nullptr);
  EXPECT_EQ(cap.text, "");
}

TEST(VectorLoad, ImageEditsAtLoadTime) {
  std::string dir = vtest::MakeTempDir();
  CBArray img;
  img.Init(6, 4, 4);
  img.Fill(0);
  ASSERT_TRUE(img.Save(dir + "/a.til"));
  CBArray other;
  other.Init(2, 2, 4);
  vtest::FillRgb(other, 0x0000FF);
  ASSERT_TRUE(other.Save(dir + "/b.til"));
  auto set = LoadCreateVFrameSetFromText(dir,
      "FS: 2\nF: 1 4\nIMAGE a.til\nICCOLOR 255 0 0\nICIMAGEBOX 0 0 1 1\n"
      "ICIMAGELINE 0 3 5 3\nICCOLOR 0 255 0\nICREPIMAGECOLOR 255 0 0\n"
      "ICCOPYIMAGE b.til 4 0 0 0 1 1\nF: 2 4\nIMAGEREFCOPY 1 1\nICCOLOR 9 9 9\nICIMAGEBOX 5 0 5 0\n");
  ASSERT_NE(set, nullptr);
  CBArray* a = GetFrameImage(set->Get(1), 1);
  CBArray* copy = GetFrameImage(set->Get(2), 1);
  ASSERT_TRUE(a && copy);
  EXPECT_EQ(vtest::Px(*a, 1, 1), 0x00FF00u);  // red box recoloured green
  EXPECT_EQ(vtest::Px(*a, 3, 3), 0x00FF00u);
  EXPECT_EQ(vtest::Px(*a, 2, 1), 0u);
  EXPECT_EQ(vtest::Px(*a, 5, 1), 0x0000FFu);  // copied region
  EXPECT_EQ(vtest::Px(*a, 5, 0), 0x0000FFu);  // the copy's edit leaves the source alone
  EXPECT_EQ(vtest::Px(*copy, 5, 0), 0x090909u);
  EXPECT_EQ(vtest::Px(*copy, 1, 1), 0x00FF00u);

  vtest::Capture cap;
  EXPECT_EQ(LoadCreateVFrameSetFromText(dir, "FS: 1\nF: 1 4\nIMAGE a.til\nICIMAGEBOX 0 0 6 1\n"),
            nullptr);
  EXPECT_EQ(cap.text, "ERROR (ICIMAGEBOX): Failed\nERROR (LoadCreateVFrameSet): Failed\n");
}

TEST(VectorLoad, CopyAndRecolourFrames) {
  auto set = LoadCreateVFrameSetFromText("", "FS: 2\nF: 1 3\nCOLOR 1 2 3\nLINE 0 0 1 1\nCOLOR 4 5 6\n");
  ASSERT_NE(set, nullptr);
  VFrame copy;
  ASSERT_TRUE(InitByCopyVFrame(set->Get(1), &copy));
  EXPECT_EQ(copy.CountUsed(), 3);
  const uint8_t from[3] = {1, 2, 3}, to[3] = {7, 8, 9};
  ASSERT_TRUE(ReplaceVFColor(&copy, from, to));
  EXPECT_EQ(copy.At(1)->rgb[0], 7);
  EXPECT_EQ(copy.At(3)->rgb[0], 4);
  EXPECT_EQ(set->Get(1)->At(1)->rgb[0], 1);
  vtest::Capture cap;
  EXPECT_FALSE(InitByCopyVFrame(set->Get(1), &copy));
  EXPECT_FALSE(ReplaceVFColor(nullptr, from, to));
  EXPECT_EQ(cap.text,
            "ERROR (InitByCopyVFrame): Frame already initialized\n"
            "ERROR (ReplaceVFColor): Missing param(s)\n");
}

TEST(VectorLoad, TileSetRowsAndRemaps) {
  auto set = LoadCreateVTileSetFromText(
      "TS: 4\nT: 5 7 2 BLOCKED LAND 3 \"Stone wall\"\nP: 3 30 31\nP: 0 10\n"
      "T: 6 7 2 UNBLOCKED 9 0\nP: 3 30 31\nCDEF: 1 POS\nC: 0 POS 3 DIS 2-4 DIR N\n"
      "T: 7 7 2 CLEAR WATER 0\nP: 0 1 2\nP: 3 30 31\nCDEF: 2 EMPTY\nC: 0 POS 3 DIS 2-4 DIR N\n"
      "C: 3 DIR E W POS 3 DIS 5 JUNK\n");
  ASSERT_NE(set, nullptr);
  const VTile* wall = set->Get(5);
  ASSERT_NE(wall, nullptr);
  EXPECT_EQ(wall->name, "Stone wall");
  EXPECT_EQ(wall->view, 2);
  EXPECT_EQ(wall->terrain, 5);
  EXPECT_EQ(wall->effect, 3);
  EXPECT_TRUE(wall->Blocks());
  EXPECT_EQ(VTileFrame(wall, 0, 3, 1, 0), 30);
  EXPECT_EQ(VTileFrame(wall, 5, 3, 1, 0), 31);
  EXPECT_EQ(VTileFrame(wall, 2, 0, 1, 0), 10);
  EXPECT_EQ(VTileFrame(wall, 3, 0, 1, 0), 0);
  EXPECT_EQ(VTileFrame(wall, 0, 7, 1, 0), 0);  // beyond the rows

  const VTile* pos = set->Get(6);  // unmatched positions use their own row
  EXPECT_EQ(pos->terrain, 9);
  EXPECT_FALSE(pos->Blocks());
  EXPECT_EQ(VTileFrame(pos, 0, 3, 3, 0), 0);   // row 0 is empty
  EXPECT_EQ(VTileFrame(pos, 0, 3, 5, 0), 30);  // out of range: row 3
  EXPECT_EQ(VTileFrame(pos, 1, 3, 3, 1), 31);  // facing east: row 3

  const VTile* empty = set->Get(7);  // unmatched positions give nothing
  EXPECT_EQ(VTileFrame(empty, 0, 3, 3, 0), 1);
  EXPECT_EQ(VTileFrame(empty, 1, 3, 4, 0), 2);
  EXPECT_EQ(VTileFrame(empty, 0, 3, 5, 0), 0);
  EXPECT_EQ(VTileFrame(empty, 0, 3, 5, 1), 30);  // second entry: exact 5, E or W
  EXPECT_EQ(VTileFrame(empty, 0, 3, 5, 3), 30);
  EXPECT_EQ(VTileFrame(empty, 0, 3, 5, 2), 0);
  EXPECT_EQ(empty->remaps[1].distanceMode, 1);
}

TEST(VectorLoad, TileSetFailuresDropTheWholeSet) {
  const std::string failed = "ERROR (LoadCreateVTileSet): Failed\n";
  struct Case {
    const char* text;
    std::string messages;
  } cases[] = {
      {"T: 1 1 1 BLOCKED LAND 0\nTS: 2\n", failed},
      {"TS: 2\nP: 0 1\n", failed},
      {"TS: 2\nCDEF: 1\n", failed},
      {"TS: 2\nC: 0 POS 1\n", failed},
      {"TS: 2\nT: 1 1 1 BLOCKED LAND\n", failed},
      {"TS: 2\nT: 1 2 2 BLOCKED LAND 0\nP: 0 1 2 3\n",
       "ERROR (LoadCreateVTileSet): Column 2 outside the tile's 2 columns\n" + failed},
      {"TS: 2\nT: 1 2 2 BLOCKED LAND 0\nP: 2 1\n",
       "ERROR (LoadCreateVTileSet): Row 2 outside the tile's 2 rows\n" + failed},
      {"TS: 2\nT: 1 2 2 BLOCKED LAND 0\nP: -1 1\n",
       "ERROR (LoadCreateVTileSet): Row -1 outside the tile's 2 rows\n" + failed},
      {"TS: 2\nT: 1 -2 2 BLOCKED LAND 0\n",
       "ERROR (LoadCreateVTileSet): Tile 1: invalid grid size -2 x 2\n" + failed},
      {"TS: 2\nT: 1 2 100000 BLOCKED LAND 0\n",
       "ERROR (LoadCreateVTileSet): Tile 1: invalid grid size 2 x 100000\n" + failed},
      {"TS: 2\nT: 1 2 2 BLOCKED LAND 0\nCDEF: -3\n",
       "ERROR (LoadCreateVTileSet): Invalid remap count -3\n" + failed},
      {"TS: 2\nT: 1 2 2 BLOCKED LAND 0\nCDEF: 1 SOME\n", failed},
      {"TS: 2\nT: 1 2 2 BLOCKED LAND 0\nCDEF: 1\nC: 0\nC: 1\n", failed},
      {"TS: 2\nT: 1 2 2 BLOCKED LAND 0\nCDEF: 1\nC: 0 POS\n", failed},
      {"TS: 2\nT: 1 2 2 BLOCKED LAND 0\nCDEF: 1\nC: 0 DIS x\n", failed},
      {"TS: -2\n", "ERROR (LoadCreateVTileSet): Invalid set size -2\n" + failed},
      {"", failed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    vtest::Capture cap;
    EXPECT_EQ(LoadCreateVTileSetFromText(c.text), nullptr);
    EXPECT_EQ(cap.text, c.messages);
  }
}

}  // namespace

namespace {

TEST(VectorLoad, LargeCountsInShortFilesStayCheap) {
  // Frame slots take memory only when filled: 20000 frames of the largest
  // capacity load at once.
  std::string frames = "FS: 65536\n";
  for (int i = 1; i <= 20000; ++i) frames += "F: " + std::to_string(i) + " 65535\n";
  frames += "LINE 0 0 1 1\n";
  auto set = LoadCreateVFrameSetFromText("", frames);
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(set->Get(20000)->Capacity(), 65535);
  EXPECT_EQ(set->Get(20000)->StoredCount(), 1);
  EXPECT_EQ(set->Get(20000)->At(65535)->type, VEEmpty);

  // Tile grids are real memory: a file may create 4M cells in all.
  std::string tiles = "TS: 65536\n";
  for (int i = 1; i <= 100; ++i) tiles += "T: " + std::to_string(i) + " 256 256 1 1 0\n";
  vtest::Capture cap;
  EXPECT_EQ(LoadCreateVTileSetFromText(tiles), nullptr);
  EXPECT_EQ(cap.text,
            "ERROR (LoadCreateVTileSet): More than 4194304 grid cells and remap entries\n"
            "ERROR (LoadCreateVTileSet): Failed\n");
}

}  // namespace
