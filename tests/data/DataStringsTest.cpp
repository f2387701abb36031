#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>

#include "data/DataFile.h"
#include "text/Output.h"

namespace {

TEST(DataStrings, OwnedStrings) {
  EXPECT_EQ(AllocString(nullptr), nullptr);
  char* s = AllocString("abc");
  ASSERT_NE(s, nullptr);
  char* before = s;
  ASSERT_EQ(UpdateAllocString(&s, "xyz"), 1);
  EXPECT_EQ(s, before);  // same length: in place
  EXPECT_STREQ(s, "xyz");
  ASSERT_EQ(UpdateAllocString(&s, "longer"), 1);
  EXPECT_STREQ(s, "longer");
  char* none = nullptr;
  ASSERT_EQ(UpdateAllocString(&none, "new"), 1);
  EXPECT_STREQ(none, "new");
  std::string out;
  SetOutputCapture(&out);
  EXPECT_EQ(UpdateAllocString(nullptr, "x"), 0);
  EXPECT_EQ(UpdateAllocString(&s, nullptr), 0);
  SetOutputCapture(nullptr);
  EXPECT_EQ(out,
            "ERROR (UpdateAllocString): Missing parameter(s)\n"
            "ERROR (UpdateAllocString): Missing parameter(s)\n");
  FreeString(s);
  FreeString(none);
}

TEST(DataStrings, PathsAndExtensions) {
  EXPECT_EQ(ScenarioDir(3), "DATA3");
  EXPECT_EQ(ScenarioFile(65535, "map1.dat"), "DATA65535\\map1.dat");
  EXPECT_EQ(JoinPath("name.dat", "DATA1"), "DATA1\\name.dat");
  EXPECT_EQ(JoinPath("DATA2\\x.dat", "DATA1"), "DATA2\\x.dat");
  EXPECT_EQ(JoinPath("sub\\", "DATA1"), "sub\\");
  EXPECT_STREQ(GetExtension("a.b.til"), "til");
  EXPECT_EQ(GetExtension("noext"), nullptr);
  EXPECT_EQ(StripExtension("a.b.til", 100), "a.b");
  EXPECT_EQ(StripExtension("noext", 100), "noext");
  EXPECT_EQ(StripExtension("abcdef.x", 3), "abc");
}

TEST(DataStrings, FilesAndDirWalker) {
  std::string dir = testing::TempDir() + "korva-walk-XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  std::ofstream(dir + "/b.dat") << "12345";
  std::ofstream(dir + "/a.dat") << "";
  ::mkdir((dir + "/Sub").c_str(), 0755);

  EXPECT_TRUE(FileExists(dir + "\\B.DAT"));
  EXPECT_TRUE(FileExists(dir + "\\sub"));
  EXPECT_FALSE(FileExists(dir + "\\c.dat"));
  int64_t size = -1;
  EXPECT_TRUE(GetFileSize(&size, dir + "\\b.dat"));
  EXPECT_EQ(size, 5);
  EXPECT_FALSE(GetFileSize(&size, dir + "\\c.dat"));
  EXPECT_EQ(OpenFile("", "r"), nullptr);

  DirWalker walker;
  ASSERT_TRUE(walker.Begin(dir));
  std::string files;
  while (const char* name = walker.NextFile()) files += std::string(name) + ";";
  EXPECT_EQ(files, "a.dat;b.dat;");
  ASSERT_TRUE(walker.Begin(dir));
  const char* sub = walker.NextSubDir();
  ASSERT_NE(sub, nullptr);
  EXPECT_STREQ(sub, "Sub");
  EXPECT_EQ(walker.NextSubDir(), nullptr);
  EXPECT_FALSE(walker.Begin(dir + "\\missing"));
  EXPECT_EQ(walker.NextFile(), nullptr);
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
