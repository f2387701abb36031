// Vector frame entities drawn on small pictures, with the expected pixels
// worked out here from the coordinate rules.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "vector/VRender.h"
#include "VectorTestUtil.h"

namespace {

using vtest::Px;

constexpr uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF, kGrey = 0x404040;

struct Picture {
  CBArray target;
  RenderContext context;
  std::unique_ptr<VFrameSet> set;

  Picture(int w, int h, const std::string& vfset, const std::string& dir = "") {
    EXPECT_TRUE(target.Init(w, h, 4));
    target.Fill(0);
    EXPECT_TRUE(context.Attach(&target));
    set = LoadCreateVFrameSetFromText(dir, vfset);
    EXPECT_NE(set, nullptr);
    context.frameSet = set.get();
  }
  int Render(uint16_t id, int x, int y, float s) { return RenderVFrameByID(&context, id, x, y, s, s); }
  // Every element that is not the background colour.
  std::set<std::pair<int, int>> Painted(uint32_t background = 0) const {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < target.Height(); ++y)
      for (int x = 0; x < target.Width(); ++x)
        if (Px(target, x, y) != background) out.insert({x, y});
    return out;
  }
};

using Cells = std::set<std::pair<int, int>>;

// The line rule: stepping along the longer axis with a single-precision
// slope accumulated per step, the other coordinate rounded (r = 0.5) or
// truncated (r = 0).
Cells ExpectedLine(int x1, int y1, int x2, int y2, float r, float phase = 0.0f) {
  Cells out;
  if (std::abs(x2 - x1) < std::abs(y2 - y1)) {
    if (y1 > y2) std::swap(x1, x2), std::swap(y1, y2);
    float step = float(x2 - x1) / float(y2 - y1), x = float(x1);
    for (int y = y1; y <= y2; ++y, x += step) out.insert({int(x + step * phase + r), y});
  } else {
    if (x1 > x2) std::swap(x1, x2), std::swap(y1, y2);
    float step = x1 == x2 ? 0.0f : float(y2 - y1) / float(x2 - x1), y = float(y1);
    for (int x = x1; x <= x2; ++x, y += step) out.insert({x, int(y + step * phase + r)});
  }
  return out;
}

Cells Rect(int x1, int y1, int x2, int y2) {
  Cells out;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) out.insert({x, y});
  return out;
}

TEST(VectorRender, LineAtHalfScaleAndMirrored) {
  Picture p(32, 16, "FS: 4\nF: 1 4\nCOLOR 255 0 0\nLINE 0 0 10 0\nF: 2 4\nREV 1 0 0 0\nCOLOR 255 0 0\nLINE 0 0 10 0\n");
  ASSERT_TRUE(p.Render(1, 5, 5, 0.5f));
  EXPECT_EQ(p.Painted(), Rect(5, 5, 10, 5));
  EXPECT_EQ(Px(p.target, 5, 5), kRed);

  p.target.Fill(0);
  ASSERT_TRUE(p.Render(2, 5, 5, 0.5f));
  EXPECT_EQ(p.Painted(), Rect(10, 5, 32 - 6, 5));
}

TEST(VectorRender, LinesStepInSinglePrecision) {
  // Slopes like 1/3 and 3/7 accumulate rounding errors; the picture must
  // follow the float stepping exactly, rounded and (TYPE 1) truncated.
  struct Case {
    const char* frame;
    int x1, y1, x2, y2;
    float r;
    float scale;
  } cases[] = {
      {"LINE 0 0 30 10", 0, 0, 30, 10, 0.5f, 1.0f},
      {"LINE 2 20 9 3", 2, 20, 9, 3, 0.5f, 1.0f},
      {"TYPE 1\nLINE 0 0 30 10", 0, 0, 30, 10, 0.0f, 1.0f},
      {"LINE 0 0 14 6", 1, 1, 8, 4, 0.5f, 0.5f},  // trunc(14*0.5+1)=8, trunc(6*0.5+1)=4
      {"RA 0.5 0.5\nLINE 0 0 13 5", 1, 1, 8, 4, 0.5f, 0.5f},  // trunc(6.5+1+0.5)=8
      {"RA 0.5 0.5\nLINE 0 0 13 5", 0, 0, 13, 5, 0.5f, 1.0f},  // RA has no effect at scale 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frame);
    int origin = c.scale == 1.0f ? 0 : 1;
    Picture p(40, 24, std::string("FS: 1\nF: 1 8\n") + c.frame + "\n");
    ASSERT_TRUE(p.Render(1, origin, origin, c.scale));
    EXPECT_EQ(p.Painted(), ExpectedLine(c.x1, c.y1, c.x2, c.y2, c.r));
  }
}

TEST(VectorRender, PhasedLineShiftsAlongTheMinorAxis) {
  Picture p(40, 24, "FS: 1\nF: 1 4\nCLINE 0 0 20 5 -RT 1 -RAM 2.5\n");
  ASSERT_TRUE(p.Render(1, 0, 2, 1.0f));
  EXPECT_EQ(p.Painted(), ExpectedLine(0, 2, 20, 7, 0.0f, 2.5f));
}

TEST(VectorRender, BoxAndOffsetAndEntityScale) {
  Picture p(20, 20, "FS: 1\nF: 1 8\nOFFSET 3 2\nSCALE 2 1\nBOX 1 1 3 4\n");
  ASSERT_TRUE(p.Render(1, 1, 1, 1.0f));
  // X = trunc(x * 2 + 1 + 3), Y = trunc(y * 1 + 1 + 2)
  EXPECT_EQ(p.Painted(), Rect(6, 4, 10, 7));
}

TEST(VectorRender, FillsRunToTheBoundaryColour) {
  // A boundary line at y = 12, then a vertical fill from y = 4 towards it;
  // TYPE 1 turns the fill towards row 0 (the edge stops it).
  Picture p(16, 16,
            "FS: 3\nF: 1 8\nLINE 2 12 9 12\nVFILL 2 4 9 4\n"
            "F: 2 8\nTYPE 1\nVFILL 2 4 9 4\n"
            "F: 3 8\nLINE 10 0 10 15\nHFILL 3 2 3 6\n");
  ASSERT_TRUE(p.Render(1, 0, 0, 1.0f));
  EXPECT_EQ(p.Painted(), Rect(2, 4, 9, 12));
  p.target.Fill(0);
  ASSERT_TRUE(p.Render(2, 0, 0, 1.0f));
  EXPECT_EQ(p.Painted(), Rect(2, 0, 9, 4));
  p.target.Fill(0);
  ASSERT_TRUE(p.Render(3, 0, 0, 1.0f));
  Cells want = Rect(10, 0, 10, 15), fill = Rect(3, 2, 9, 6);
  want.insert(fill.begin(), fill.end());
  EXPECT_EQ(p.Painted(), want);
}

TEST(VectorRender, HorizontalFillFromAVerticalLine) {
  // Boundaries at x = 2 and x = 12; mode 2 fills both ways, 1 left, else right.
  const char* base = "FS: 1\nF: 1 8\nLINE 2 0 2 9\nLINE 12 0 12 9\nHFILLFVL 6 3 5 ";
  struct Case {
    int mode;
    int x1, x2;
  } cases[] = {{2, 3, 11}, {1, 3, 6}, {0, 6, 11}, {7, 6, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Picture p(16, 10, std::string(base) + std::to_string(c.mode) + "\n");
    ASSERT_TRUE(p.Render(1, 0, 0, 1.0f));
    Cells want = Rect(2, 0, 2, 9), b = Rect(12, 0, 12, 9), fill = Rect(c.x1, 3, c.x2, 5);
    want.insert(b.begin(), b.end());
    want.insert(fill.begin(), fill.end());
    EXPECT_EQ(p.Painted(), want);
  }
}

TEST(VectorRender, DrawingOutsideThePictureFailsWithoutWriting) {
  Picture p(10, 10, "FS: 1\nF: 1 4\nLINE 0 0 3 0\nLINE 0 0 30 0\nLINE 5 5 6 6\n");
  EXPECT_FALSE(p.Render(1, 0, 0, 1.0f));
  EXPECT_EQ(p.Painted(), Rect(0, 0, 3, 0));  // drawn before the failure stays
  // A huge scale or origin cannot overflow the coordinate arithmetic.
  EXPECT_FALSE(p.Render(1, 2000000000, 0, 1.0f));
  EXPECT_FALSE(p.Render(1, 0, 0, 1.0e30f));
}

// A 3 x 2 image: row 0 red, black, white; row 1 black, grey, red.
std::string WriteImage(const std::string& dir, const char* name) {
  CBArray img;
  img.Init(3, 2, 4);
  img.Fill(0);
  vtest::FillRgb(img, 0);
  auto set = [&](int x, int y, uint32_t rgb) {
    uint8_t px[4] = {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16), 0};
    img.SetElement(px, x, y);
  };
  set(0, 0, kRed);
  set(2, 0, kWhite);
  set(1, 1, 0x808080);
  set(2, 1, kRed);
  EXPECT_TRUE(img.Save(dir + "/" + name));
  return dir;
}

TEST(VectorRender, ImagesKeepBlackTransparentScaleAndMirror) {
  std::string dir = WriteImage(vtest::MakeTempDir(), "pic.til");
  Picture p(12, 8,
            "FS: 3\nF: 1 4\nOFFSET 2 1\nIMAGE pic.til\n"
            "F: 2 4\nTYPE 1\nIMAGE pic.til\n"
            "F: 3 4\nIMAGEREF 1 2\n",
            dir);
  vtest::FillRgb(p.target, kGrey);
  ASSERT_TRUE(p.Render(1, 1, 1, 2.0f));
  // Position: trunc(2 * offset) + origin = (5, 3); each element a 2 x 2 block.
  EXPECT_EQ(Px(p.target, 5, 3), kRed);
  EXPECT_EQ(Px(p.target, 6, 4), kRed);
  EXPECT_EQ(Px(p.target, 7, 3), kGrey);  // black element: left as it was
  EXPECT_EQ(Px(p.target, 9, 4), kWhite);
  EXPECT_EQ(Px(p.target, 7, 5), 0x808080);
  EXPECT_EQ(Px(p.target, 9, 6), kRed);
  EXPECT_EQ(Px(p.target, 5, 5), kGrey);
  EXPECT_EQ(p.Painted(kGrey).size(), 16u);

  vtest::FillRgb(p.target, kGrey);
  ASSERT_TRUE(p.Render(2, 0, 0, 1.0f));  // mirrored left to right
  EXPECT_EQ(Px(p.target, 0, 0), kWhite);
  EXPECT_EQ(Px(p.target, 2, 0), kRed);
  EXPECT_EQ(Px(p.target, 0, 1), kRed);
  EXPECT_EQ(Px(p.target, 2, 1), kGrey);

  vtest::FillRgb(p.target, kGrey);
  ASSERT_TRUE(p.Render(3, 0, 0, 1.0f));  // entity 2 of frame 1 is the image
  EXPECT_EQ(Px(p.target, 0, 0), kRed);
  // An image half outside the picture is clipped.
  ASSERT_TRUE(p.Render(3, 10, 7, 4.0f));
  EXPECT_EQ(Px(p.target, 11, 7), kRed);
}

TEST(VectorRender, ImageRefToANonImageFails) {
  Picture p(8, 8, "FS: 1\nF: 1 4\nLINE 0 0 1 1\nIMAGEREF 0 1\n");
  EXPECT_FALSE(p.Render(1, 0, 0, 1.0f));
}

TEST(VectorRender, PixelsAreDotsOfTheScaledSizeClippedToThePicture) {
  Picture p(16, 16, "FS: 1\nF: 1 4\nOFFSET 1 0\nPIXELS 3 0 0\n 2 1\n 7 7\n");
  ASSERT_TRUE(p.Render(1, 2, 3, 2.0f));
  // base (trunc(2 * 1) + 2, 3); dots 2 x 2 at base + (2px, 2py).
  Cells want = Rect(4, 3, 5, 4), b = Rect(8, 5, 9, 6);
  want.insert(b.begin(), b.end());
  EXPECT_EQ(p.Painted(), want);  // the third dot, at (18, 17), lies outside
}

TEST(VectorRender, DotPatterns) {
  Picture p(16, 16,
            "FS: 2\nF: 1 4\nPPATBOX 5 3 1 0 -FAST\nF: 2 4\nPPATBOX 3 2 1 0 -OFFSET 1 0\n");
  ASSERT_TRUE(p.Render(1, 2, 2, 1.0f));
  Cells want;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; x += 2) want.insert({2 + x, 2 + y});
  EXPECT_EQ(p.Painted(), want);
  p.target.Fill(0);
  ASSERT_TRUE(p.Render(2, 0, 0, 2.0f));  // scaled: column 1 only, 2 x 2 blocks
  EXPECT_EQ(p.Painted(), Rect(2, 0, 3, 3));
}

TEST(VectorRender, ConditionalBlocksByScale) {
  const char* vf =
      "FS: 1\nF: 1 8\nCSCALE 0.5 0.5\nCOLOR 255 0 0\nCELSE\nCOLOR 0 0 255\nCEND\nBOX 0 0 0 0\n";
  struct Case {
    float scale;
    uint32_t colour;
  } cases[] = {{1.0f, kRed}, {0.5f, kRed}, {0.25f, 0x0000FF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale);
    Picture p(4, 4, vf);
    ASSERT_TRUE(p.Render(1, 1, 1, c.scale));
    EXPECT_EQ(Px(p.target, 1, 1), c.colour);
  }
}

TEST(VectorRender, NestedFramesResetStateAndStopAtTheDepthLimit) {
  // Frame 1 draws frame 2 (red), then a box in the reset (white) colour.
  Picture p(8, 8, "FS: 3\nF: 1 4\nCOLOR 0 255 0\nFRAME 2\nBOX 1 1 1 1\nF: 2 2\nCOLOR 255 0 0\nBOX 0 0 0 0\nF: 3 2\nFRAME 3\n");
  ASSERT_TRUE(p.Render(1, 2, 2, 1.0f));
  EXPECT_EQ(Px(p.target, 2, 2), kRed);
  EXPECT_EQ(Px(p.target, 3, 3), kWhite);
  EXPECT_FALSE(p.Render(3, 0, 0, 1.0f));  // includes itself

  // A chain of n frames, each drawing the next; the last paints a dot.
  for (int n : {32, 33}) {
    std::string vf = "FS: 40\n";
    for (int i = 1; i < n; ++i) vf += "F: " + std::to_string(i) + " 1\nFRAME " + std::to_string(i + 1) + "\n";
    vf += "F: " + std::to_string(n) + " 1\nBOX 0 0 0 0\n";
    Picture chain(2, 2, vf);
    EXPECT_EQ(chain.Render(1, 0, 0, 1.0f), n == 32 ? 1 : 0) << n;
    EXPECT_EQ(Px(chain.target, 0, 0), n == 32 ? kWhite : 0u);
  }

  // Frames that each draw the next one twice would take 2^31 renders; the
  // render gives up after its step budget instead of hanging.
  std::string vf = "FS: 40\n";
  for (int i = 1; i < 32; ++i)
    vf += "F: " + std::to_string(i) + " 2\nFRAME " + std::to_string(i + 1) + "\nFRAME " +
          std::to_string(i + 1) + "\n";
  vf += "F: 32 1\nBOX 0 0 0 0\n";
  Picture doubling(2, 2, vf);
  EXPECT_FALSE(doubling.Render(1, 0, 0, 1.0f));
  EXPECT_TRUE(doubling.Render(20, 0, 0, 1.0f));  // 2^12 renders are fine
}

TEST(VectorRender, DebugEntitiesPrintTheState) {
  vtest::Capture cap;
  Picture p(16, 16, "FS: 1\nF: 1 4\nDBGON\nLINE 1 2 3 4\nDBG\n");
  ASSERT_TRUE(p.Render(1, 2, 0, 1.0f));
  EXPECT_NE(cap.text.find("*** LINE:  E#2  TP: 3 2 5 4\n"), std::string::npos);
  EXPECT_NE(cap.text.find("*** DBG: E#3\n"), std::string::npos);
  EXPECT_NE(cap.text.find("X: ST 2  SC 1  ESC 1  OS 0  EOS 2\n"), std::string::npos);
}

}  // namespace
