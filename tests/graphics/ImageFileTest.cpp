#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/BArray.h"
#include "data/BmpFile.h"
#include "data/PngFile.h"
#include "graphics/FrameImage.h"

namespace {

std::string TempDir() {
  std::string pattern = testing::TempDir() + "imagesXXXXXX";
  EXPECT_NE(mkdtemp(pattern.data()), nullptr);
  return pattern + "/";
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
}

// A BMP built byte by byte: header (40 bytes, or 40 plus three masks),
// then the rows exactly as given.
std::string Bmp(int w, int h, int bits, const std::string& rows, const uint32_t* masks = nullptr) {
  std::string info;
  Put32(info, 40);
  Put32(info, uint32_t(w));
  Put32(info, uint32_t(h));
  info += '\x01';
  info += '\x00';
  info += char(bits);
  info += '\x00';
  Put32(info, masks ? 3 : 0);
  for (int i = 0; i < 5; ++i) Put32(info, 0);
  if (masks)
    for (int i = 0; i < 3; ++i) Put32(info, masks[i]);
  std::string s = "BM";
  Put32(s, uint32_t(14 + info.size() + rows.size()));
  Put32(s, 0);
  Put32(s, uint32_t(14 + info.size()));
  return s + info + rows;
}

// Bottom-up 3x2, 24-bit: each row is 9 bytes plus 3 bytes of padding.
const std::string kBottomUp24 = std::string(
    "\x01\x02\x03" "\x04\x05\x06" "\x07\x08\x09" "\0\0\0"  // bottom row
    "\x10\x20\x30" "\x40\x50\x60" "\x70\x80\x90" "\0\0\0", 24);
const std::vector<uint32_t> kBottomUp24Pixels = {0x302010, 0x605040, 0x908070,
                                                 0x030201, 0x060504, 0x090807};

int RunTool(const std::string& args) {
  return std::system((std::string("\"") + KORVA_TOOL + "\" " + args + " 2>/dev/null").c_str());
}

}  // namespace

TEST(BmpFile, ReadsBottomUpAndTopDownRows) {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  ASSERT_TRUE(DecodeBmp(Bmp(3, 2, 24, kBottomUp24), &w, &h, &px));
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(px, kBottomUp24Pixels);

  std::string rows32("\x01\x02\x03\xFF" "\x04\x05\x06\xFF"   // top row
                     "\x07\x08\x09\xFF" "\x0A\x0B\x0C\xFF", 16);
  ASSERT_TRUE(DecodeBmp(Bmp(2, -2, 32, rows32), &w, &h, &px));
  EXPECT_EQ(h, 2);
  EXPECT_EQ(px, (std::vector<uint32_t>{0x030201, 0x060504, 0x090807, 0x0C0B0A}));

  // Bit fields with red in the lowest byte.
  const uint32_t masks[3] = {0x000000FF, 0x0000FF00, 0x00FF0000};
  ASSERT_TRUE(DecodeBmp(Bmp(1, 1, 32, std::string("\x11\x22\x33\x00", 4), masks), &w, &h, &px));
  EXPECT_EQ(px, (std::vector<uint32_t>{0x112233}));
}

TEST(BmpFile, RefusesWhatItCannotRead) {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  std::string error;
  EXPECT_FALSE(DecodeBmp(Bmp(3, 2, 24, kBottomUp24.substr(0, 20)), &w, &h, &px, &error));
  EXPECT_EQ(error, "BMP pixel data is shorter than its header claims");
  EXPECT_FALSE(DecodeBmp(Bmp(3, 2, 8, kBottomUp24), &w, &h, &px, &error));
  EXPECT_EQ(error, "unsupported BMP depth 8 (24 or 32 bits needed)");
  EXPECT_FALSE(DecodeBmp(Bmp(100000, 1, 24, kBottomUp24), &w, &h, &px, &error));
  EXPECT_FALSE(DecodeBmp("BM", &w, &h, &px, &error));
}

TEST(PngFile, WritesAndReadsPixelsExactly) {
  std::string dir = TempDir();
  std::vector<uint32_t> px = {0x000000, 0xFFFFFF, 0x123456, 0xABCDEF, 0x010203, 0xFE0080};
  ASSERT_TRUE(WritePng(dir + "a.png", 3, 2, px.data()));
  EXPECT_EQ(ReadBytes(dir + "a.png").substr(1, 3), "PNG");
  int w = 0, h = 0;
  std::vector<uint32_t> back;
  ASSERT_TRUE(ReadPng(dir + "a.png", &w, &h, &back));
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(back, px);
  std::string error;
  EXPECT_FALSE(DecodePng("\x89PNG\r\n\x1a\n garbage", &w, &h, &back, &error));
  EXPECT_FALSE(error.empty());
}

TEST(ImageTools, BmpToFrameToPngRoundTripsPixelExact) {
  std::string dir = TempDir();
  std::ofstream(dir + "in.bmp", std::ios::binary) << Bmp(3, 2, 24, kBottomUp24);
  ASSERT_EQ(RunTool("image2til \"" + dir + "in.bmp\" \"" + dir + "a.til\""), 0);
  // Frame rows are stored bottom row first, components blue, green, red, 0:
  // the same order as the BMP's bottom-up rows.
  std::string til = ReadBytes(dir + "a.til");
  EXPECT_EQ(til, std::string("QUORVELLIAN914 B1 V1\n2 3 4\n<Data>\n") +
                     std::string("\x01\x02\x03\0\x04\x05\x06\0\x07\x08\x09\0"
                                 "\x10\x20\x30\0\x40\x50\x60\0\x70\x80\x90\0", 24));

  ASSERT_EQ(RunTool("til2png \"" + dir + "a.til\" \"" + dir + "a.png\""), 0);
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  ASSERT_TRUE(ReadPng(dir + "a.png", &w, &h, &px));
  EXPECT_EQ(px, kBottomUp24Pixels);

  ASSERT_EQ(RunTool("image2til \"" + dir + "a.png\" \"" + dir + "b.til\""), 0);
  EXPECT_EQ(ReadBytes(dir + "b.til"), til);

  EXPECT_NE(RunTool("image2til \"" + dir + "a.til\" \"" + dir + "c.til\""), 0);
  EXPECT_NE(RunTool("til2png \"" + dir + "missing.til\" \"" + dir + "c.png\""), 0);
  EXPECT_NE(RunTool("til2png"), 0);
}
