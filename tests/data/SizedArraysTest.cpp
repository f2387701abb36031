#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data/DataFile.h"
#include "text/Output.h"

namespace {

struct Capture {
  std::string text;
  Capture() { SetOutputCapture(&text); }
  ~Capture() { SetOutputCapture(nullptr); }
};

using Words = std::vector<uint16_t>;

TEST(SizedArrays, WordArraySizeLimitsAndOverflow) {
  struct Case {
    const char* line;
    int16_t limit;
    bool ok;
    Words words;
    const char* message;
  };
  const Case cases[] = {
      {" 3 1 2 3", 10, true, {1, 2, 3}, ""},
      {" 9 1", 10, true, {1, 0, 0, 0, 0, 0, 0, 0, 0}, ""},  // unfilled entries are 0
      {" 10 1", 10, false, {}, "ERROR (ReadSizedWordArray): Invalid list size 10\n"},
      {" 0", 10, false, {}, "ERROR (ReadSizedWordArray): Invalid list size 0\n"},
      {" -3 1", 10, false, {}, "ERROR (ReadSizedWordArray): Invalid list size -3\n"},
      {" x", 10, false, {}, "ERROR (ReadSizedWordArray): Invalid list size 0\n"},
      {" 3 1 2 3 4 5", 10, true, {1, 2, 3}, "ERROR (ReadSizedWordArray): Allocation size 3 too small\n"},
      {" 2 -1 abc", 10, true, {65535, 0}, ""},  // signed input, non-numeric word is 0
      {" 2 1\t2", 10, true, {1, 0}, ""},        // "1\t2" converts as 1
  };
  for (const Case& c : cases) {
    Capture out;
    TextDataFile file;
    file.OpenText(std::string(c.line) + "\nNEXT 5\n");
    Words words{42};
    int16_t count = -1;
    EXPECT_EQ(ReadSizedWordArray(&file, &words, &count, c.limit), c.ok) << c.line;
    EXPECT_EQ(words, c.words) << c.line;
    EXPECT_EQ(count, static_cast<int16_t>(c.words.size())) << c.line;
    EXPECT_EQ(out.text, c.message) << c.line;
  }
  Capture out;
  EXPECT_FALSE(ReadSizedWordArray(nullptr, nullptr, nullptr, 10));
  EXPECT_EQ(out.text, "ERROR (ReadSizedWordArray): Missing or invalid parameter(s)\n");
}

TEST(SizedArrays, ByteArrayMessages) {
  Capture out;
  TextDataFile file;
  file.OpenText(" 2 300 7 8");
  std::vector<uint8_t> bytes;
  int16_t count = 0;
  EXPECT_TRUE(ReadSizedByteArray(&file, &bytes, &count, 5));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{44, 7}));
  EXPECT_EQ(out.text, "ERROR (ReadSizedByteArray): Allocation size 2 too small\n");
}

TEST(SizedArrays, SwArraysAndLists) {
  Capture out;
  TextDataFile file;
  file.OpenText(" 7\n 4 1 2\n 0\n 2 1 2 3\n");
  auto list = LoadCreateWListSWOpenFile(&file, 3);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Vector(), (Words{7, 0, 0}));
  SkipLine(&file);

  Words words;
  uint16_t count = 0, read = 0;
  EXPECT_TRUE(ReadSizedWordArraySW(&file, &words, 0, &count, &read));
  EXPECT_EQ(words, (Words{1, 2, 0, 0}));
  EXPECT_EQ(count, 4);
  EXPECT_EQ(read, 2);
  SkipLine(&file);
  EXPECT_FALSE(ReadSizedWordArraySW(&file, &words, 0, &count, &read));
  EXPECT_EQ(out.text, "ERROR (ReadSizedWordArraySW): Invalid list size 0\n");
  SkipLine(&file);
  out.text.clear();
  EXPECT_TRUE(ReadSizedWordArraySW(&file, &words, 0, nullptr, nullptr));
  EXPECT_EQ(out.text, "ERROR (ReadSizedWordArraySW): Allocation size 2 too small\n");
}

TEST(SizedArrays, ValueOnlyArraysAndByteLists) {
  Capture out;
  TextDataFile file;
  file.OpenText(" 5 6 7\n 1 2 3 4\n");
  Words words;
  int count = 0;
  EXPECT_TRUE(LoadCreateWORDArrayOpenFile(&file, 10, &words, &count));
  EXPECT_EQ(words, (Words{5, 6, 7}));
  EXPECT_EQ(count, 3);
  SkipLine(&file);
  auto list = LoadCreateWORDListOpenFile(&file, 2);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Vector(), (Words{1, 2}));
  EXPECT_EQ(out.text, "ERROR (LoadCreateWORDArrayOpenFile): Array exceeds max size (2)\n");
  out.text.clear();
  EXPECT_FALSE(LoadCreateWORDArrayOpenFile(&file, 0, &words, &count));
  EXPECT_EQ(out.text, "ERROR (LoadCreateWORDArrayOpenFile): Max size out of range (0)\n");

  struct Case {
    const char* line;
    bool ok;
    std::vector<uint8_t> bytes;
    const char* message;
  };
  const Case cases[] = {
      {" 3 1 2", true, {1, 2, 0}, ""},
      {" 2 1 2 3", false, {}, "ERROR (LoadCreateBListExOpenFile): List exceeds declared size\n"},
      {" 256 1", false, {}, "ERROR (LoadCreateBListExOpenFile): Size out of range (256)\n"},
      {" 0", false, {}, "ERROR (LoadCreateBListExOpenFile): Size out of range (0)\n"},
  };
  for (const Case& c : cases) {
    out.text.clear();
    TextDataFile f;
    f.OpenText(c.line);
    std::unique_ptr<ByteList> bytes;
    EXPECT_EQ(LoadCreateBListExOpenFile(&f, &bytes), c.ok) << c.line;
    if (c.ok) {
      ASSERT_NE(bytes, nullptr);
      EXPECT_EQ(bytes->Vector(), c.bytes);
    } else {
      EXPECT_EQ(bytes, nullptr);
    }
    EXPECT_EQ(out.text, c.message) << c.line;
  }
}

TEST(SizedArrays, WrittenArraysReadBack) {
  Capture out;
  char* buffer = nullptr;
  size_t size = 0;
  FILE* mem = open_memstream(&buffer, &size);
  const uint16_t words[] = {1, 65535, 300};
  EXPECT_TRUE(WriteSizedWordArray(mem, words, 3));
  WordList list(2);
  list.Set(0, 9);
  list.Set(1, 40000);
  EXPECT_TRUE(WriteSizedWordArraySW(mem, &list, "MOVES: %d "));
  WordList empty;
  EXPECT_TRUE(WriteSizedWordArraySW(mem, &empty, "NOTHING "));
  EXPECT_FALSE(WriteSizedWordArray(mem, words, 0));
  std::fclose(mem);
  const std::string written(buffer, size);
  std::free(buffer);
  EXPECT_EQ(written, "3 1 65535 300 \nMOVES: %d 9 40000 \n");
  EXPECT_EQ(out.text, "ERROR (WriteSizedWordArray): Missing or invalid parameter(s)\n");

  TextDataFile file;
  file.OpenText(" " + written);
  Words back;
  int16_t count = 0;
  ASSERT_TRUE(ReadSizedWordArray(&file, &back, &count, 10));
  EXPECT_EQ(back, (Words{1, 65535, 300}));
}

}  // namespace
