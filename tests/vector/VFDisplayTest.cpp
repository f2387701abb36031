// The Vector Frame Display: configuration and what one picture draws.
#include <gtest/gtest.h>

#include <string>

#include "VectorTestUtil.h"
#include "vector/VFDisplay.h"

namespace {

// Frames that report their ID (as their offset) and origin through DBG.
std::unique_ptr<VFrameSet> RecordingFrames() {
  std::string text = "FS: 10\n";
  for (int id = 11; id <= 17; ++id)
    text += "F: " + std::to_string(id) + " 2\nOFFSET " + std::to_string(id) + " 0\nDBG\n";
  return LoadCreateVFrameSetFromText("", text);
}

std::string Draws(const std::string& log) {
  std::string out;
  size_t at = 0;
  while ((at = log.find("X: ST ", at)) != std::string::npos) {
    at += 6;
    size_t end = log.find('\n', at);
    std::string line = log.substr(at, end - at);
    std::string origin = line.substr(0, line.find(' '));
    std::string id = line.substr(line.find("OS ") + 3);
    id = id.substr(0, id.find(' '));
    out += id + "@" + origin + " ";
  }
  return out;
}

TEST(VectorFrameDisplay, PictureDrawsWallsThenTestFrames) {
  auto frames = RecordingFrames();
  ASSERT_NE(frames, nullptr);
  VFDisplayConfig c;
  ASSERT_TRUE(ReadVFDisplayConfigText(
      "DIST: 2\nLWALLID: 11 12\nRWALLID: 13 14\nCWALLID: 15\nTESTFRID: 16\nBORDER: 17\n"
      "ROFFSET: 0 0\n",
      &c));
  EXPECT_EQ(c.testFrom, 1);
  CBArray picture;
  {
    vtest::Capture cap;
    ASSERT_TRUE(DrawVFDisplayPicture(c, *frames, 0, c.testFrame, &picture));
    EXPECT_EQ(Draws(cap.text), "17@0 11@0 11@64 12@64 13@0 13@64 14@64 15@96 16@64 ");
  }
  EXPECT_EQ(picture.Width(), 258);
  // A shift of one moves the walls and the single test distance one deeper.
  c.showRight = 0;
  vtest::Capture cap;
  ASSERT_TRUE(DrawVFDisplayPicture(c, *frames, 1, 16, &picture));
  EXPECT_EQ(Draws(cap.text), "17@0 11@0 11@64 11@96 12@96 15@112 16@96 ");
}

TEST(VectorFrameDisplay, ConfigurationChecksTheOrigin) {
  VFDisplayConfig c;
  vtest::Capture cap;
  ASSERT_TRUE(ReadVFDisplayConfigText("SIZE: 100 50\nROFFSET: 100 -3\nTESTFRDIST: 3 1\n", &c));
  EXPECT_EQ(cap.text,
            "ERROR: Invalid X offset of 100, resetting to 0\n"
            "ERROR: Invalid Y offset of -3, resetting to 0\n");
  EXPECT_EQ(c.rootX, 0);
  EXPECT_EQ(c.testTo, 3);
  EXPECT_EQ(c.magnification, 3);
}

TEST(VectorFrameDisplay, DrawsOnACanvasAtTheMagnifiedPosition) {
  std::string dir = vtest::MakeTempDir();
  FILE* f = std::fopen((dir + "/VFSET.dat").c_str(), "w");
  std::fputs("FS: 1\nF: 1 2\nCOLOR 255 0 0\nBOX 0 0 3 3\n", f);
  std::fclose(f);
  f = std::fopen((dir + "/VFDisplay.cfg").c_str(), "w");
  std::fputs("SIZE: 8 8\nPOS: 2 1\nROFFSET: 0 0\nCWALLID: 1\nDIST: 0\nBORDER: 1\n", f);
  std::fclose(f);
  Canvas canvas;
  canvas.Resize(64, 64);
  ASSERT_TRUE(VFDisplayDraw(dir, 0, &canvas));
  // Picture at (6, 3), magnified 3; its bottom row 0 is canvas row 3 + 21.
  EXPECT_EQ(canvas.At(6, 3 + 23), 0xFF0000u);
  EXPECT_EQ(canvas.At(6 + 11, 3 + 12), 0xFF0000u);
  EXPECT_EQ(canvas.At(6 + 12, 3 + 23), 0u);
  EXPECT_FALSE(VFDisplayDraw(vtest::MakeTempDir(), 0, &canvas));  // no frames
}

}  // namespace
