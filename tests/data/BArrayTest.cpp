#include "data/BArray.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Frame.h"
#include "text/Output.h"

namespace {

std::string MakeTempDir() {
  std::string pattern = testing::TempDir() + "barrayXXXXXX";
  char* made = mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr);
  return pattern + "/";
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A 1-byte-element array drawn from rows of characters ("row0/row1/...").
void MakeChars(CBArray& a, const std::string& rows) {
  int w = int(rows.find('/') == std::string::npos ? rows.size() : rows.find('/'));
  int h = int((rows.size() + 1) / size_t(w + 1));
  ASSERT_EQ(a.Init(w, h, 1), 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) a.GetData()[y * w + x] = uint8_t(rows[size_t(y * (w + 1) + x)]);
}

std::string Chars(const CBArray& a) {
  std::string out;
  for (int y = 0; y < a.Height(); ++y) {
    if (y) out += '/';
    out.append(reinterpret_cast<const char*>(a.ElementPtr(0, y)), size_t(a.Width()));
  }
  return out;
}

const uint8_t X = 'X';
const uint8_t B = '#';

}  // namespace

TEST(BArrayFile, SaveWritesExactBytesAndLoadsThemBack) {
  std::string dir = MakeTempDir();
  CBArray a;
  ASSERT_EQ(a.Init(2, 1, 3), 1);
  const uint8_t bytes[6] = {1, 2, 3, 0x0A, 0x20, 0xFF};
  a.CopyBytes(bytes);
  ASSERT_EQ(a.Save(dir + "a.til"), 1);
  EXPECT_EQ(ReadBytes(dir + "a.til"),
            std::string("QUORVELLIAN914 B1 V1\n1 2 3\n<Data>\n") + std::string("\x01\x02\x03\x0A\x20\xFF", 6));
  CBArray b;
  ASSERT_EQ(b.Load(dir + "a.til"), 1);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Height(), 1);
  EXPECT_EQ(b.ElementSize(), 3);
  EXPECT_EQ(std::memcmp(b.GetData(), bytes, 6), 0);
}

TEST(BArrayFile, MapCellsAreLittleEndianRowZeroFirst) {
  std::string dir = MakeTempDir();
  CBArray map;
  ASSERT_EQ(map.Init(2, 2, 2), 1);
  map.SetU16(0x0102, 0, 0);
  map.SetU16(0x0304, 1, 0);
  map.SetU16(0xA0B0, 0, 1);
  map.SetU16(7, 1, 1);
  ASSERT_EQ(map.Save(dir + "m.map"), 1);
  EXPECT_EQ(ReadBytes(dir + "m.map"), std::string("QUORVELLIAN914 B1 V1\n2 2 2\n<Data>\n") +
                                          std::string("\x02\x01\x04\x03\xB0\xA0\x07\x00", 8));
}

TEST(BArrayFile, DataStartingWithWhiteSpaceLoads) {
  CBArray map;
  ASSERT_EQ(map.Load(std::string(KORVA_TEST_DATA) + "/data/fixtures/lf_start.map"), 1);
  EXPECT_EQ(map.Width(), 2);
  EXPECT_EQ(map.GetU16(0, 0), 0x200A);
  EXPECT_EQ(map.GetU16(1, 0), 0x0A20);
  CBArray frame;
  ASSERT_EQ(frame.Load(std::string(KORVA_TEST_DATA) + "/data/fixtures/space_start.til"), 1);
  const uint8_t expected[4] = {0x20, 0x0A, 0x09, 0x00};
  EXPECT_EQ(std::memcmp(frame.GetData(), expected, 4), 0);
}

TEST(BArrayFile, ExtraHeaderWordsAreAcceptedAndSameSizeBufferReused) {
  std::string dir = MakeTempDir();
  WriteBytes(dir + "r.til", "QUORVELLIAN914 whatever else\n4 3 3\n<Data>\n" + std::string(36, 'z'));
  CBArray a;
  ASSERT_EQ(a.Init(3, 4, 3), 1);
  uint8_t* before = a.GetData();
  ASSERT_EQ(a.Load(dir + "r.til"), 1);
  EXPECT_EQ(a.GetData(), before);
  EXPECT_EQ(a.Width(), 3);
  EXPECT_EQ(a.Height(), 4);
  EXPECT_EQ(a.GetData()[35], 'z');
}

TEST(BArrayFile, BadFilesFailWithTheirMessageAndLeaveTheArrayUnchanged) {
  std::string dir = MakeTempDir();
  struct Case {
    const char* name;
    std::string bytes;
    const char* error;
  } cases[] = {
      {"empty", "", "CBArray::Load: Failed to load file type header"},
      {"magic", "QUORVELLIAN915 B1 V1\n1 1 1\n<Data>\nx", "CBArray::Load: Incorrect header"},
      {"numbers", "QUORVELLIAN914 B1 V1\n1 x 1\n<Data>\nx", "CBArray::Load: Failed to load data header"},
      {"zero", "QUORVELLIAN914 B1 V1\n0 1 1\n<Data>\n", "CBArray::Load: Failed to load data header"},
      {"negative", "QUORVELLIAN914 B1 V1\n-1 1 1\n<Data>\nx", "CBArray::Load: Failed to load data header"},
      {"overflow", "QUORVELLIAN914 B1 V1\n65536 65536 4\n<Data>\n", "CBArray::Load: Failed to resize memory"},
      {"wrap32", "QUORVELLIAN914 B1 V1\n4294967295 4294967295 4294967295\n<Data>\n",
       "CBArray::Load: Failed to resize memory"},
      {"notag", "QUORVELLIAN914 B1 V1\n1 1 1\nData\n", "CBArray::Load: Failed to find data tag"},
      {"short", "QUORVELLIAN914 B1 V1\n2 2 4\n<Data>\n1234567", "CBArray::Load: Failed to load byte data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir + c.name, c.bytes);
    CBArray a;
    MakeChars(a, "ab/cd");
    uint8_t* before = a.GetData();
    EXPECT_EQ(a.Load(dir + c.name), 0);
    EXPECT_STREQ(LastErrorText(), c.error);
    EXPECT_EQ(a.GetData(), before);
    EXPECT_EQ(Chars(a), "ab/cd");
    EXPECT_EQ(a.ElementSize(), 1);
  }
  CBArray a;
  EXPECT_EQ(a.Load(""), 0);
  EXPECT_STREQ(LastErrorText(), "CBArray::Load: Empty string invalid file name");
  EXPECT_EQ(a.Load(dir + "missing"), 0);
  EXPECT_EQ(std::string(LastErrorText()), "CBArray::Load: Failed to open file \"" + dir + "missing\"");
}

TEST(BArrayRaster, PlotLineIsTheSameInBothDirections) {
  for (bool reverse : {false, true}) {
    CBArray a;
    MakeChars(a, "..../....");
    if (reverse) ASSERT_EQ(a.PlotLine(&X, 3, 1, 0, 0), 1);
    else ASSERT_EQ(a.PlotLine(&X, 0, 0, 3, 1), 1);
    EXPECT_EQ(Chars(a), "XX../..XX");
  }
  CBArray a;
  MakeChars(a, "..../....");
  EXPECT_EQ(a.PlotLine(&X, 0, 0, 4, 1), 0);
  EXPECT_EQ(Chars(a), "..../....");
}

TEST(BArrayRaster, PhasedLineIsClippedToTheArray) {
  CBArray a;
  MakeChars(a, "..../..../....");
  // Minor step 1 per column: phase 1 shifts every element one row down, the
  // last one out of the array.
  ASSERT_EQ(a.PlotLinePhased(&X, 0, 0, 2, 2, 0, 1.0f), 1);
  EXPECT_EQ(Chars(a), "..../X.../.X..");
  ASSERT_EQ(a.PlotLinePhased(&X, 0, 0, 2, 2, 0, -1000000.0f), 1);
  EXPECT_EQ(Chars(a), "..../X.../.X..");
}

TEST(BArrayRaster, BoundaryFills) {
  CBArray a;
  MakeChars(a, "...../...../..#../...../...../.....");
  ASSERT_EQ(a.FillToBoundaryV(&X, &B, 2, 5, 2, 5, 1, 0), 1);
  EXPECT_EQ(Chars(a), "...../...../..#../..X../..X../..X..");

  CBArray rows;
  MakeChars(rows, "#...#./.#....");
  ASSERT_EQ(rows.FillRowsToBoundary(&X, &B, 2, 0, 1, 2), 1);
  EXPECT_EQ(Chars(rows), "#XXX#./.#XXXX");
  CBArray left;
  MakeChars(left, "#...#.");
  ASSERT_EQ(left.FillRowsToBoundary(&X, &B, 3, 0, 0, 1), 1);
  EXPECT_EQ(Chars(left), "#XXX#.");
}

TEST(BArrayRaster, BlitScaledClipsAndSkipsTheKey) {
  CBArray src;
  MakeChars(src, "ab/c.");
  CBArray dst;
  MakeChars(dst, "..../..../....");
  const uint8_t key = '.';
  // Scale 2 at (-1, 1): each element becomes a 2x2 block; the left half of
  // column 0 and the rows below the array are cut off.
  ASSERT_EQ(dst.BlitScaled(src, -1, 1, 2.0f, 2.0f, &key, 0), 1);
  EXPECT_EQ(Chars(dst), "..../abb./abb.");
  CBArray mirrored;
  MakeChars(mirrored, "..../....");
  ASSERT_EQ(mirrored.BlitScaled(src, 2, 0, 1.0f, 1.0f, nullptr, 1), 1);
  EXPECT_EQ(Chars(mirrored), "..ba/...c");
  ASSERT_EQ(mirrored.BlitScaled(src, 1 << 30, 1 << 30, 1000.0f, 1000.0f, nullptr, 0), 1);
  CBArray wide;
  ASSERT_EQ(wide.Init(1, 1, 2), 1);
  EXPECT_EQ(mirrored.BlitScaled(wide, 0, 0, 1.0f, 1.0f, nullptr, 0), 0);
}

TEST(BArrayRaster, CopyRegionChecksTheSourceAndClipsTheTarget) {
  CBArray src;
  MakeChars(src, "abc/def");
  CBArray dst;
  MakeChars(dst, "..../....");
  ASSERT_EQ(dst.CopyRegion(src, -1, 1, 2, 1, 0, 0), 1);
  EXPECT_EQ(Chars(dst), "..../bc..");
  EXPECT_EQ(dst.CopyRegion(src, 0, 0, 0, 0, 3, 1), 0);
  EXPECT_EQ(dst.CopyRegion(src, 0, 0, -1, 0, 1, 1), 0);
  ASSERT_EQ(dst.CopyRegion(src, 3, 1, 0, 0, 2, 1), 1);
  EXPECT_EQ(Chars(dst), "..../bc.a");
}

TEST(BArrayRaster, DotsAndRects) {
  CBArray a;
  MakeChars(a, "...../...../.....");
  ASSERT_EQ(a.DrawDots(0, 0, 5, 3, &X, 1, 1, 1, 0), 1);
  EXPECT_EQ(Chars(a), ".X.X./...../.X.X.");
  EXPECT_EQ(a.DrawDots(1, 0, 5, 3, &X, 0, 0, 0, 0), 0);
  CBArray s;
  MakeChars(s, "..../..../..../....");
  ASSERT_EQ(s.DrawDotsScaled(0, 0, 2, 2, &X, 0, 0, 1, 0, 2.0f, 2.0f), 1);
  EXPECT_EQ(Chars(s), "..XX/..XX/..XX/..XX");
  EXPECT_EQ(s.DrawDotsScaled(1, 0, 2, 2, &X, 0, 0, 0, 0, 2.0f, 2.0f), 0);
  CBArray r;
  MakeChars(r, "..../..../....");
  ASSERT_EQ(r.FillRect(&X, 2, 1, 1, 2), 1);
  EXPECT_EQ(Chars(r), "..../.XX./.XX.");
  EXPECT_EQ(r.FillRect(&B, 0, 0, 4, 0), 0);
  ASSERT_EQ(r.DrawHLine(&B, 0, 3, 0), 1);
  ASSERT_EQ(r.DrawVLine(&B, 3, 1, 2), 1);
  EXPECT_EQ(Chars(r), "####/.XX#/.XX#");
  const uint8_t from = 'X', to = 'o';
  ASSERT_EQ(r.ReplaceColour(&from, &to), 1);
  EXPECT_EQ(Chars(r), "####/.oo#/.oo#");
}

TEST(BArrayRaster, MirrorTypes) {
  struct Case {
    int type;
    const char* before;
    const char* after;
  } cases[] = {
      {2, "abc", "cba"},       {6, "ab/cd", "dc/ba"},  {4, "ab/cd", "cd/ab"},
      {1, "ab/cd", "ac/bd"},   {3, "ab/cd", "bd/ac"},  {5, "ab/cd", "ca/db"},
      {7, "ab/cd", "db/ca"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    CBArray a;
    MakeChars(a, c.before);
    ASSERT_EQ(a.Mirror(c.type), 1);
    EXPECT_EQ(Chars(a), c.after);
  }
  std::string out;
  SetOutputCapture(&out);
  CBArray a;
  MakeChars(a, "abc/def");
  EXPECT_EQ(a.Mirror(3), 0);
  EXPECT_EQ(a.Mirror(8), 0);
  SetOutputCapture(nullptr);
  EXPECT_EQ(Chars(a), "abc/def");
  EXPECT_EQ(out,
            "ERROR (CBArray::Mirror): Type 3 needs a square array, not 3 x 2\n"
            "ERROR (CBArray::Mirror): Invalid mirror type 8\n");
}

TEST(BArrayColour, AdjustmentClampsWithoutWrapping) {
  CBArray a;
  ASSERT_EQ(a.Init(2, 1, 4), 1);
  const uint8_t px[8] = {255, 100, 10, 0, 1, 2, 3, 0};
  a.CopyBytes(px);
  // 255 * 257 = 65535, which a 16-bit intermediate would turn into -1.
  const float factors[4] = {257.0f, 0.5f, -1.0f, 1.0f};
  const uint8_t key[4] = {1, 2, 3, 0};
  ASSERT_EQ(CBAAdjustAllColors(&a, 1, factors, 4, key), 1);
  const uint8_t expected[8] = {255, 50, 0, 0, 1, 2, 3, 0};
  EXPECT_EQ(std::memcmp(a.GetData(), expected, 8), 0);

  const float add[3] = {-20.0f, 200.0f, 100000.0f};
  const uint8_t lower[3] = {240, 0, 0};
  ASSERT_EQ(CBAAdjustAllColorsEx(&a, 0, add, 3, nullptr, lower), 1);
  const uint8_t expectedEx[8] = {240, 250, 255, 0, 240, 202, 255, 0};
  EXPECT_EQ(std::memcmp(a.GetData(), expectedEx, 8), 0);

  std::string out;
  SetOutputCapture(&out);
  CBArray empty;
  EXPECT_EQ(CBAAdjustAllColors(&empty, 1, factors, 4, nullptr), 0);
  EXPECT_EQ(CBAAdjustAllColors(&a, 1, nullptr, 4, nullptr), 0);
  SetOutputCapture(nullptr);
  EXPECT_EQ(out,
            "ERROR (CBAAdjustAllColors): Could not get array\n"
            "ERROR (CBAAdjustAllColors): Missing param(s)\n");
}

TEST(BArrayColour, GreyscaleRoundsAvoidsTheKeyAndClamps) {
  CBArray a;
  ASSERT_EQ(a.Init(3, 1, 4), 1);
  const uint8_t px[12] = {10, 20, 31, 9, 200, 220, 250, 9, 5, 5, 5, 9};
  a.CopyBytes(px);
  const float weights[4] = {1, 1, 1, -1};
  ASSERT_EQ(CBASetGreyscale(&a, weights, 4, 5), 1);
  const uint8_t expected[12] = {20, 20, 20, 9, 223, 223, 223, 9, 5, 5, 5, 9};
  EXPECT_EQ(std::memcmp(a.GetData(), expected, 12), 0);
  a.CopyBytes(px);
  ASSERT_EQ(CBASetGreyscale(&a, weights, 4, 20), 1);
  EXPECT_EQ(a.GetData()[0], 21);
  const float heavy[3] = {2, 2, 2};
  ASSERT_EQ(CBASetGreyscale(&a, heavy, 3, 0), 1);
  EXPECT_EQ(a.GetData()[4], 255);  // 2 * 223 would wrap to 190 as a byte
}

TEST(BArrayStorage, InitOnAnArrayWithABufferKeepsItsDimensions) {
  CBArray a;
  ASSERT_EQ(a.Init(4, 3, 4), 1);
  EXPECT_EQ(a.Init(100, 100, 4), 0);
  int w = 0, h = 0, es = 0;
  a.GetDims(&w, &h, &es);
  EXPECT_EQ(w, 4);
  EXPECT_EQ(h, 3);
  EXPECT_EQ(es, 4);
  EXPECT_EQ(a.ByteSize(), 48u);
}
