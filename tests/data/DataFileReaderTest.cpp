#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "data/DataFile.h"
#include "text/Output.h"

namespace {

// Every printed line, for checking error lines.
class Captured {
 public:
  Captured() { SetOutputCapture(&text_); }
  ~Captured() { SetOutputCapture(nullptr); }
  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); }

 private:
  std::string text_;
};

// The loader loop: every keyword with the rest of its line ("-" for none).
std::vector<std::string> Dump(DataFileReader& reader) {
  std::vector<std::string> out;
  for (const char* key = reader.NextKeyword(); key != nullptr; key = reader.NextKeyword()) {
    const char* rest = reader.ReadRestOfLine();
    out.push_back(std::string(key) + "=" + (rest ? rest : "-"));
    reader.SkipLine();
    if (out.size() > 100) break;  // a reader that never ends fails here, not by hanging
  }
  return out;
}

std::vector<std::string> DumpText(const std::string& text) {
  DataFileReader reader;
  reader.OpenText(text);
  return Dump(reader);
}

using Lines = std::vector<std::string>;

TEST(DataFileReader, LineEndsOfEveryKindReadAlike) {
  struct Case {
    const char* file;
    Lines expected;
  };
  // A file ending in a newline yields one empty keyword before the end; a
  // lone CR is not a line end, so a CR-only file is one header line.
  const Case cases[] = {
      {"lf.dat", {"A= 1", "B= two words", "C= 3", "=-"}},
      {"crlf.dat", {"A= 1", "B= two words", "C= 3", "=-"}},
      {"nofinal.dat", {"A= 1", "B= two words", "C= 3"}},
      {"nofinal-crlf.dat", {"A= 1", "B= two words", "C= 3"}},
      {"cr.dat", {}},
      {"empty.dat", {"=-"}},
  };
  for (const Case& c : cases) {
    DataFileReader reader;
    ASSERT_TRUE(reader.Open(std::string(KORVA_TEST_DATA) + "/data/fixtures/lineends/" + c.file)) << c.file;
    EXPECT_EQ(Dump(reader), c.expected) << c.file;
    EXPECT_EQ(reader.NextKeyword(), nullptr) << c.file;  // stays at the end
  }
  TextDataFile raw;
  ASSERT_TRUE(raw.Open(std::string(KORVA_TEST_DATA) + "/data/fixtures/lineends/nofinal-crlf.dat"));
  std::string line;
  Lines lines;
  while (raw.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(lines, (Lines{"QUORVELLIAN914 DATA V1", "", "A 1", "B two words", "# c", "C 3"}));

  DataFileReader missing;
  EXPECT_FALSE(missing.Open(std::string(KORVA_TEST_DATA) + "/data/fixtures/lineends/none.dat"));
  EXPECT_FALSE(missing.Open(""));
}

TEST(DataFileReader, CommentsHeaderAndBlocks) {
  EXPECT_EQ(DumpText("QUORVELLIAN914 DATA V1\n# only comments\n/* block */"), Lines{});
  EXPECT_EQ(DumpText("#LIST: 5\nLIST:5\n  QUORVELLIAN914 anything\nLIST: 2"), (Lines{"LIST:5=-", "LIST:= 2"}));
  // The block opened by "/* ... */" on one line stays open until a line begins with "*/".
  EXPECT_EQ(DumpText("/* start */\nHIDDEN 1\n  */ rest ignored\nSHOWN 2"), (Lines{"SHOWN= 2"}));
  // Markers count only as whole first tokens; blocks do not nest.
  EXPECT_EQ(DumpText("/*x 1\nA /*\n/*\n/*\nB 2\n*/\nC 3"), (Lines{"/*x= 1", "A= /*", "C= 3"}));
  // Keywords are case-sensitive whole tokens and tabs separate them.
  EXPECT_EQ(DumpText("Key\tvalue"), (Lines{"Key=\tvalue"}));
}

TEST(DataFileReader, ValueReaders) {
  DataFileReader reader;
  reader.OpenText("K  word\nK\tword\nK\nK one two\nK  -1 70000 -5 x\n");
  ASSERT_STREQ(reader.NextKeyword(), "K");
  EXPECT_STREQ(reader.ReadWord(), "word");  // two spaces
  reader.SkipLine();
  ASSERT_STREQ(reader.NextKeyword(), "K");
  EXPECT_EQ(reader.ReadWord(), nullptr);  // a tab is not a space
  EXPECT_STREQ(reader.ReadWordLoose(), "\tword");
  reader.SkipLine();
  ASSERT_STREQ(reader.NextKeyword(), "K");
  EXPECT_EQ(reader.ReadWord(), nullptr);  // nothing on the line
  EXPECT_EQ(reader.ReadRestOfLine(), nullptr);
  reader.SkipLine();
  ASSERT_STREQ(reader.NextKeyword(), "K");
  EXPECT_STREQ(reader.ReadWord(), "one");
  EXPECT_STREQ(reader.ReadWordLoose(), "two");
  EXPECT_EQ(reader.ReadWord(), nullptr);
  reader.SkipLine();
  ASSERT_STREQ(reader.NextKeyword(), "K");
  uint16_t u = 0;
  int16_t s = 0;
  uint8_t b = 0;
  EXPECT_TRUE(reader.ReadU16(&u));
  EXPECT_EQ(u, 65535);  // "-1" wraps for an unsigned field
  EXPECT_TRUE(reader.ReadS16(&s));
  EXPECT_EQ(s, 4464);  // 70000 cut to 16 bits
  EXPECT_TRUE(reader.ReadByte(&b));
  EXPECT_EQ(b, 251);  // low 8 bits of 65531
  int i = 7;
  EXPECT_FALSE(reader.ReadInt(&i));
  EXPECT_EQ(i, 7);
  EXPECT_STREQ(reader.ReadWordLoose(), "x");  // the failed number left the word
  reader.SkipLine();
  EXPECT_STREQ(reader.NextKeyword(), "");
  EXPECT_EQ(reader.NextKeyword(), nullptr);
}

TEST(DataFileReader, NumbersSkipNewlinesAndSaturate) {
  TextDataFile file;
  file.OpenText("\n\n  12\n-x 5 99999999999 -99999999999 +7");
  int v = 0;
  EXPECT_TRUE(ReadInt(&file, &v));
  EXPECT_EQ(v, 12);
  EXPECT_FALSE(ReadInt(&file, &v));  // the sign is consumed, the x is not
  EXPECT_STREQ(ReadWordLoose(&file), "x");
  EXPECT_TRUE(ReadInt(&file, &v));
  EXPECT_EQ(v, 5);
  EXPECT_TRUE(ReadInt(&file, &v));
  EXPECT_EQ(v, INT32_MAX);
  EXPECT_TRUE(ReadInt(&file, &v));
  EXPECT_EQ(v, INT32_MIN);
  EXPECT_TRUE(ReadInt(&file, &v));
  EXPECT_EQ(v, 7);
  EXPECT_TRUE(file.AtEnd());  // the number ran into the end of the file
  EXPECT_FALSE(ReadInt(&file, &v));
}

TEST(DataFileReader, QuotedAndWordStrings) {
  struct Case {
    const char* text;
    const char* expected;  // null: none
  };
  const Case cases[] = {
      {" \"A name\" rest", "A name"},
      {"  \"<NULL>\"", nullptr},
      {" \"\"", nullptr},
      {"\"no space\"", nullptr},
      {" unquoted", nullptr},
      {" \"two\nlines\"", "two\nlines"},
      {" \"unterminated", "unterminated"},
  };
  for (const Case& c : cases) {
    TextDataFile file;
    file.OpenText(c.text);
    char* s = ReadQuotedString(&file);
    if (c.expected == nullptr) {
      EXPECT_EQ(s, nullptr) << c.text;
    } else {
      ASSERT_NE(s, nullptr) << c.text;
      EXPECT_STREQ(s, c.expected);
    }
    FreeString(s);
  }
  TextDataFile file;
  file.OpenText(" word next\n");
  char* w = ReadWordString(&file);
  ASSERT_NE(w, nullptr);
  EXPECT_STREQ(w, "word");
  FreeString(w);
  EXPECT_EQ(w, nullptr);
  EXPECT_STREQ(ReadToSemicolon(&file), " next");
}

TEST(DataFileReader, FindKeywordLineHonoursComments) {
  TextDataFile file;
  file.OpenText("#LIST: 1\n# LIST: 2\n/*\nLIST: 3\n*/\nLIST:4\nX LIST: 5\nLIST: 6\nLIST: 7\n");
  ASSERT_TRUE(FindKeywordLine(&file, "LIST:"));
  int n = 0;
  ASSERT_TRUE(ReadInt(&file, &n));
  EXPECT_EQ(n, 6);
  ASSERT_TRUE(FindKeywordLine(&file, "LIST:"));  // no rewind: goes on from here
  ASSERT_TRUE(ReadInt(&file, &n));
  EXPECT_EQ(n, 7);
  EXPECT_FALSE(FindKeywordLine(&file, "LIST:"));
  EXPECT_FALSE(FindKeywordLine(nullptr, "LIST:"));
}

TEST(DataFileReader, ReadKeyValueMatchesKeyLiterallyAndRewinds) {
  TextDataFile file;
  file.OpenText(" FS: blank\nFS:1 2\nFS: 1 2\nFS: 3\n%s%n: format\n");
  std::string value = "old";
  EXPECT_TRUE(ReadKeyValue(&file, "FS", value));
  EXPECT_EQ(value, "1 2");
  EXPECT_EQ(file.Tell(), 0u);
  EXPECT_FALSE(file.AtEnd());
  EXPECT_FALSE(ReadKeyValue(&file, "GS", value));
  EXPECT_EQ(value, "");
  EXPECT_EQ(file.Tell(), 0u);
  // A key with format characters is plain text.
  EXPECT_TRUE(ReadKeyValue(&file, "%s%n", value));
  EXPECT_EQ(value, "format");
  EXPECT_FALSE(ReadKeyValue(&file, "%d", value));
}

TEST(DataFileReader, IncludeOneLevel) {
  std::string dir = testing::TempDir() + "korva-include-XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  std::ofstream(dir + "/inner.dat") << "IN1 a\nINCLUDE: deeper.dat\nIN2 b\n";
  std::ofstream(dir + "/deeper.dat") << "DEEP 1\n";
  std::ofstream(dir + "/noheader.dat") << "FIRST x";

  Captured out;
  DataFileReader reader;
  reader.OpenText("A 1\nINCLUDE: inner.dat trailing\nB 2\nINCLUDE: missing.dat\nC 3\nINCLUDE: noheader.dat\nD 4");
  Lines seen;
  for (const char* key = reader.NextKeyword(); key; key = reader.NextKeyword()) {
    if (std::string(key) == "INCLUDE:") {
      const char* name = reader.ReadWord();
      reader.Include(JoinPath(name ? name : "", dir));
    } else {
      const char* rest = reader.ReadRestOfLine();
      seen.push_back(std::string(key) + "=" + (rest ? rest : "-"));
    }
    reader.SkipLine();
  }
  // The included file ends with a newline: one empty keyword, then back to
  // the line after the include. Its first line is kept even without a header.
  EXPECT_EQ(seen, (Lines{"A= 1", "IN1= a", "IN2= b", "=-", "B= 2", "C= 3", "FIRST= x", "D= 4"}));
  EXPECT_EQ(out.Text(),
            "ERROR (Include): Cannot include from an include\n"
            "ERROR (Include): Could not open file " +
                dir + "\\missing.dat\n");
  // A name from a file is printed as text, never used as a format.
  out.Clear();
  DataFileReader other;
  other.OpenText("X\n");
  EXPECT_FALSE(other.Include(dir + "\\%s%n%d.dat"));
  EXPECT_EQ(out.Text(), "ERROR (Include): Could not open file " + dir + "\\%s%n%d.dat\n");
  std::system(("rm -rf '" + dir + "'").c_str());
}

TEST(DataFileReader, ListCounts) {
  Captured out;
  DataFileReader reader;
  reader.OpenText("# LIST: 9\nLIST: 3\nLIST: -2\nLIST: 99999999\nLIST: x\n");
  auto pointers = reader.ReadListAsPointerList(false);
  ASSERT_NE(pointers, nullptr);
  EXPECT_EQ(pointers->GetCount(), 3);
  EXPECT_EQ(pointers->CountUsed(), 0);
  EXPECT_EQ(reader.ReadListAsIntList(false), nullptr);  // negative: refused
  EXPECT_EQ(out.Text(), "ERROR (ReadListAsIntList): Invalid list size -2\n");
  IntList ints;
  ints.Init(2);
  ints.Set(0, 5);
  EXPECT_FALSE(reader.ResizeIntList(&ints, false));  // too large: refused
  EXPECT_EQ(ints.Count(), 2);
  EXPECT_TRUE(reader.ResizeIntList(&ints, false));  // no number, not strict
  EXPECT_FALSE(reader.ResizeIntList(&ints, true));  // no LIST: left, strict
  EXPECT_TRUE(reader.ResizeIntList(nullptr, true));

  reader.OpenText("LIST: 4\n");
  ASSERT_TRUE(reader.ResizeIntList(&ints, true));
  EXPECT_EQ(ints.Count(), 4);
  EXPECT_EQ(ints.Get(0), 0);
  reader.OpenText(" 2");
  auto direct = reader.ReadListAsIntList(true);
  ASSERT_NE(direct, nullptr);
  EXPECT_EQ(direct->Count(), 2);
}

TEST(DataFileReader, OverLongLinesAreCutNotOverflowed) {
  Captured out;
  const std::string longKey(5000, 'K');
  const std::string longValue(9000, 'v');
  DataFileReader reader;
  reader.OpenText(longKey + " " + longValue + "\nNEXT  " + longValue + "\nLAST 1\n");
  const char* key = reader.NextKeyword();
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(std::string(key), std::string(511, 'K'));
  const char* rest = reader.ReadRestOfLine();
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(std::string(rest), " " + std::string(2046, 'v'));
  reader.SkipLine();
  ASSERT_STREQ(reader.NextKeyword(), "NEXT");
  EXPECT_EQ(std::string(reader.ReadWord()), std::string(2047, 'v'));
  EXPECT_EQ(reader.ReadWord(), nullptr);  // the whole word was consumed
  reader.SkipLine();
  EXPECT_STREQ(reader.NextKeyword(), "LAST");
  EXPECT_EQ(out.Text(),
            "ERROR (DataFileReader): Text longer than 511 characters cut\n"
            "ERROR (DataFileReader): Text longer than 2047 characters cut\n"
            "ERROR (DataFileReader): Text longer than 2047 characters cut\n");
}

TEST(DataFileReader, BinaryGarbageEnds) {
  std::string garbage;
  uint32_t x = 12345;
  for (int i = 0; i < 20000; ++i) {
    x = x * 1103515245u + 12345u;
    garbage.push_back(static_cast<char>(x >> 16));
  }
  Captured out;
  DataFileReader reader;
  reader.OpenText(garbage);
  int count = 0;
  while (const char* key = reader.NextKeyword()) {
    uint16_t u;
    reader.ReadU16(&u);
    reader.ReadWord();
    char* q = ReadQuotedString(reader.File());
    FreeString(q);
    reader.SkipLine();
    ASSERT_LT(++count, 100000);
    (void)key;
  }
  EXPECT_TRUE(reader.AtEnd());
}

}  // namespace
