#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <string>
#include <vector>

#include "data/BArray.h"
#include "graphics/FrameSet.h"
#include "graphics/TileSet.h"
#include "text/Output.h"

namespace {

const std::string kData1 = std::string(KORVA_TEST_DATA) + "/graphics/fixtures/DATA1";

std::string TempDir() {
  std::string pattern = testing::TempDir() + "tilesetXXXXXX";
  EXPECT_NE(mkdtemp(pattern.data()), nullptr);
  return pattern;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

void WriteFrame(const std::string& path, int w, int h) {
  CBArray a;
  ASSERT_EQ(a.Init(w, h, 4), 1);
  a.Fill(1);
  ASSERT_EQ(a.Save(path), 1);
}

}  // namespace

TEST(FrameSet, LoadsFrameRangesInOrderUpToEnd) {
  std::unique_ptr<CBArraySet> frames = LoadCreateFSFromDir(kData1, "");
  ASSERT_TRUE(frames);
  int w, h, es;
  frames->GetDims(&w, &h, &es);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(es, 4);
  EXPECT_EQ(frames->Capacity(), 8);
  // "F: 3 5", "F: 5 3" (nothing), "F: 7", "F: 3" (a second slot); "F: 9"
  // stands after END and is not loaded.
  std::vector<uint16_t> ids;
  for (int i = 0; i < frames->Capacity(); ++i) ids.push_back(frames->GetIdAt(i));
  EXPECT_EQ(ids, (std::vector<uint16_t>{3, 4, 5, 7, 3, 0, 0, 0}));
  EXPECT_EQ(frames->Get(7)[0], 7);
  EXPECT_EQ(frames->Get(3), frames->GetAt(0));
}

TEST(FrameSet, RangeEndingAt65535Terminates) {
  std::string dir = TempDir();
  WriteFile(dir + "/VMTILESET.dat", "FS: 1 1 1 4 4\nF: 65534 65535\n");
  WriteFrame(dir + "/VM65534.til", 1, 1);
  WriteFrame(dir + "/VM65535.til", 1, 1);
  std::unique_ptr<CBArraySet> frames = LoadCreateFSFromDir(dir, "VM");
  ASSERT_TRUE(frames);
  EXPECT_EQ(frames->GetIdAt(0), 65534);
  EXPECT_EQ(frames->GetIdAt(1), 65535);
  EXPECT_EQ(frames->GetIdAt(2), 0);
}

TEST(FrameSet, BadFramesAndFullSetsFailWithAnErrorLine) {
  struct Case {
    const char* tileset;
    const char* error;
  } cases[] = {
      {"FS: 1 2 1 4 4\nF: 1\n", "ERROR (LoadFrameByID): Frame %D\\1.til is 1 x 1 x 4; the set's frames are 2 x 1 x 4\n"},
      {"FS: 1 1 1 4 1\nF: 1 2\n", "ERROR (LoadFrameByID): No free frame slot for %D\\2.til\n"},
      {"FS: 1 1 1 4 4\nF: 3\n", "ERROR (LoadFrameByID): Could not load %D\\3.til\n"},
      {"FS: 1 0 1 4 4\n", "ERROR (LoadCreateFS): Invalid frame set 0 x 1 x 4, capacity 4 in %D\\TILESET.dat\n"},
      {"FS: 1 1 1\n", "ERROR (LoadCreateFS): Incomplete FS line in %D\\TILESET.dat\n"},
      {"FS:1 1 1 4 4\n", ""},  // no space after the colon: no FS line at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tileset);
    std::string dir = TempDir();
    WriteFile(dir + "/TILESET.dat", c.tileset);
    WriteFrame(dir + "/1.til", 1, 1);
    WriteFrame(dir + "/2.til", 1, 1);
    std::string out;
    SetOutputCapture(&out);
    EXPECT_FALSE(LoadCreateFSFromDir(dir, nullptr));
    SetOutputCapture(nullptr);
    std::string expected = c.error;
    if (size_t at = expected.find("%D"); at != std::string::npos) expected.replace(at, 2, dir);
    EXPECT_EQ(out, expected);
  }
}

TEST(TileSet, LoadsTileLinesWithFramesAndAttributes) {
  std::unique_ptr<CBArraySet> frames;
  std::unique_ptr<CTileSet> tiles;
  ASSERT_EQ(LoadCreateFSTSFromDir(kData1, "", &frames, &tiles), 1);
  ASSERT_TRUE(frames && tiles);
  EXPECT_EQ(tiles->Capacity(), 16);
  EXPECT_EQ(tiles->DefaultID(), 8);
  EXPECT_EQ(tiles->GetMaxID(), 12);
  struct Expect {
    uint16_t id;
    std::vector<uint16_t> frames;
    uint8_t view;
    uint16_t terrain, effect;
    const char* name;
  } expected[] = {
      {9, {10, 11, 12}, 2, 6, 3, "Deep water"},
      {8, {8}, 1, 0, 0, nullptr},
      {6, {6}, 3, 5, 0, "Field"},
      {4, {0, 5}, 1, 0, 0, nullptr},  // the first frame ID is kept even when 0
      {2, {3}, 1, 0, 0, nullptr},     // a trailing blank takes nothing from the next line
      {11, {11}, 1, 0, 0, nullptr},
      {12, {1}, 7, 300, 2, ""},       // tile lines inside comment blocks count too
  };
  for (int i = 0; i < int(std::size(expected)); ++i) {
    const Expect& e = expected[i];
    SCOPED_TRACE(e.id);
    EXPECT_EQ(tiles->GetIdAt(i), e.id);
    CTile* t = tiles->GetAt(i);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Frames(), e.frames);
    EXPECT_EQ(t->view, e.view);
    EXPECT_EQ(t->terrain, e.terrain);
    EXPECT_EQ(t->effect, e.effect);
    if (e.name) EXPECT_STREQ(t->Name(), e.name);
    else EXPECT_EQ(t->Name(), nullptr);
  }
  EXPECT_EQ(tiles->GetIdAt(7), 0);
  uint16_t frame = 0;
  ASSERT_EQ(tiles->Find(9)->GetFrame(23, &frame), 1);
  EXPECT_EQ(frame, 12);  // 23 mod 3 = 2
}

TEST(TileSet, FindUsesTheDefaultAndEveryChangeClearsTheCache) {
  CTileSet set;
  ASSERT_EQ(set.Init(4, 0, 8), 1);
  CTile* eight = new CTile;
  ASSERT_EQ(set.AddNext(8, eight), 1);
  EXPECT_EQ(set.Find(99), eight);
  EXPECT_EQ(set.Find(99), eight);  // answered from the cache
  CTile* ninetyNine = new CTile;
  ASSERT_EQ(set.AddNext(99, ninetyNine), 1);
  EXPECT_EQ(set.Find(99), ninetyNine);
  ASSERT_EQ(set.Remove(99, 1), 1);
  EXPECT_EQ(set.Find(99), eight);
  CTile* replacement = new CTile;
  ASSERT_EQ(set.SetAt(0, 8, replacement), 1);  // destroys the old tile 8
  EXPECT_EQ(set.Find(99), replacement);
  set.SetDefaultID(0);
  EXPECT_EQ(set.Find(99), nullptr);
  EXPECT_EQ(set.Find(0), nullptr);

  set.SetCursor(0);
  CTile* extra = new CTile;
  EXPECT_EQ(set.AddNext(5, extra), 0);  // slot 0 is taken: refused, not leaked
  delete extra;
}

TEST(TileSet, OverlongAndBadTileLinesAreRefused) {
  std::string dir = TempDir();
  std::string frames257;
  for (int i = 1; i <= 257; ++i) frames257 += " " + std::to_string(i);
  std::string frames256;
  for (int i = 1; i <= 256; ++i) frames256 += " " + std::to_string(i);
  WriteFile(dir + "/TILESET.dat", "TS: 1 2 0\nT: 5" + frames257 + "\nT: 6" + frames256 +
                                      "\nT: 7 ; HIGH 2\nT: 8\nT: 9\n");
  std::string out;
  SetOutputCapture(&out);
  std::unique_ptr<CTileSet> tiles = LoadCreateTSFromDir(dir, "");
  SetOutputCapture(nullptr);
  ASSERT_TRUE(tiles);
  EXPECT_EQ(tiles->GetIdAt(0), 6);
  EXPECT_EQ(tiles->GetAt(0)->FrameCount(), 256);
  EXPECT_EQ(tiles->GetIdAt(1), 7);
  EXPECT_EQ(tiles->GetAt(1)->view, 1);
  EXPECT_EQ(tiles->GetAt(1)->terrain, 2);
  EXPECT_EQ(out,
            "ERROR (LoadCreateTS): Tile 5 lists 257 frames; at most 256 are allowed (" + dir + "\\TILESET.dat)\n"
            "ERROR (LoadCreateTS): Tile 7: invalid view class HIGH\n"
            "ERROR (LoadCreateTS): No free tile slot for tile 8 (" + dir + "\\TILESET.dat)\n"
            "ERROR (LoadCreateTS): No free tile slot for tile 9 (" + dir + "\\TILESET.dat)\n");
}
