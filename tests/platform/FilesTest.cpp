#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Frame.h"

namespace {

class FilesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "korva-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override { std::system(("chmod -R u+w '" + root_ + "'; rm -rf '" + root_ + "'").c_str()); }

  // Writes a host file (forward slashes, relative to the temporary root).
  void Put(const std::string& rel, const std::string& text) {
    std::ofstream(root_ + "/" + rel, std::ios::binary) << text;
  }
  void Dir(const std::string& rel) { ::mkdir((root_ + "/" + rel).c_str(), 0755); }
  std::string Read(const std::string& enginePath) {
    std::string text;
    EXPECT_TRUE(AReadFile(enginePath, text)) << enginePath;
    return text;
  }
  // The temporary root as an engine path with backslashes.
  std::string E(const std::string& rel) {
    std::string path = root_ + "\\" + rel;
    for (size_t i = root_.size() + 1; i < path.size(); ++i)
      if (path[i] == '/') path[i] = '\\';
    return path;
  }

  std::string root_;
};

TEST_F(FilesTest, HostPathMapsBackslashesAndFallsBackToCaseInsensitiveMatch) {
  EXPECT_EQ(HostPath("DATA1\\main.cfg"), "DATA1/main.cfg");  // nothing exists: kept as written
  Dir("Data1");
  Dir("Data1/Maps");
  Put("Data1/Maps/Map1.dat", "x");
  Put("Data1/main.cfg", "cfg");
  // Scenarios written on Windows name files in any letter case.
  EXPECT_EQ(HostPath(E("DATA1\\MAPS\\map1.DAT")), root_ + "/Data1/Maps/Map1.dat");
  EXPECT_EQ(HostPath(E("data1\\main.cfg")), root_ + "/Data1/main.cfg");
  // A new file in an existing directory: the directory resolves, the name stays.
  EXPECT_EQ(HostPath(E("DATA1\\New.dat")), root_ + "/Data1/New.dat");
  // The exact name wins over a case variant.
  Put("Data1/MAIN.CFG", "upper");
  EXPECT_EQ(Read(E("DATA1\\MAIN.CFG")), "upper");
  EXPECT_EQ(Read(E("data1\\main.cfg")), "cfg");
  // Neither spelling exact: the first case-insensitive match in byte order.
  EXPECT_EQ(Read(E("Data1\\Main.Cfg")), "upper");
}

TEST_F(FilesTest, ExistsReadWriteAndList) {
  Dir("d");
  Put("d/a.txt", "alpha\r\nbeta");
  EXPECT_TRUE(AFileExists(E("D\\A.TXT")));
  EXPECT_FALSE(AFileExists(E("d")));
  EXPECT_TRUE(ADirExists(E("D")));
  EXPECT_FALSE(ADirExists(E("d\\a.txt")));
  EXPECT_FALSE(AFileExists(""));
  EXPECT_EQ(AOpenFile("", "r"), nullptr);
  EXPECT_EQ(Read(E("d\\a.txt")), "alpha\r\nbeta");  // bytes exactly

  std::string missing = "stale";
  EXPECT_FALSE(AReadFile(E("d\\none.txt"), missing));
  EXPECT_TRUE(missing.empty());

  ASSERT_TRUE(AWriteFileAtomic(E("d\\b.txt"), std::string("one\0two", 7)));
  EXPECT_EQ(Read(E("d\\b.txt")), std::string("one\0two", 7));
  ASSERT_TRUE(AWriteFileAtomic(E("D\\B.TXT"), "replaced"));  // replaces the existing file
  EXPECT_EQ(Read(E("d\\b.txt")), "replaced");
  EXPECT_FALSE(AWriteFileAtomic(E("nodir\\x.txt"), "x"));

  Dir("d/sub");
  std::vector<std::string> names;
  ASSERT_TRUE(AListDir(E("d"), names));
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.txt", "sub"}));  // no temp files left
  EXPECT_FALSE(AListDir(E("nodir"), names));
}

TEST_F(FilesTest, SimpleServicesReturnOneOrZero) {
  Put("a.txt", "data");
  EXPECT_EQ(ACopyFile(E("A.TXT"), E("copy.txt")), 1);
  EXPECT_EQ(Read(E("copy.txt")), "data");
  Put("b.txt", "longer old contents");
  EXPECT_EQ(ACopyFile(E("a.txt"), E("b.txt")), 1);  // overwrite allowed
  EXPECT_EQ(Read(E("b.txt")), "data");
  EXPECT_EQ(ACopyFile(E("a.txt"), E("a.txt")), 0);  // onto itself: refused, source intact
  EXPECT_EQ(Read(E("a.txt")), "data");
  EXPECT_EQ(ACopyFile(E("none.txt"), E("c.txt")), 0);

  EXPECT_EQ(ARenameFile(E("copy.txt"), E("moved.txt")), 1);
  EXPECT_FALSE(AFileExists(E("copy.txt")));
  EXPECT_EQ(ARenameFile(E("moved.txt"), E("a.txt")), 0);  // never replaces an existing file
  EXPECT_EQ(Read(E("a.txt")), "data");
  EXPECT_EQ(ARenameFile(E("moved.txt"), E("MOVED.TXT")), 1);  // a change of case only
  EXPECT_EQ(ARenameFile(E("none"), E("x")), 0);

  EXPECT_EQ(AMakeDir(E("newdir")), 1);
  EXPECT_EQ(AMakeDir(E("newdir")), 0);
  EXPECT_EQ(AMakeDir(E("no\\such\\parent")), 0);
  EXPECT_EQ(ADeleteFile(E("A.TXT")), 1);
  EXPECT_EQ(ADeleteFile(E("a.txt")), 0);
  EXPECT_EQ(ADeleteFile(E("newdir")), 0);
}

TEST_F(FilesTest, CopyDirCopiesTreeAndMissingSourceGivesEmptyTarget) {
  Dir("src");
  Dir("src/sub");
  Put("src/one.dat", "1");
  Put("src/sub/two.dat", "2");
  SetLastErrorText("");
  ASSERT_EQ(ACopyDir(E("src"), E("dst")), 1);
  EXPECT_EQ(Read(E("dst\\one.dat")), "1");
  EXPECT_EQ(Read(E("dst\\sub\\two.dat")), "2");
  Put("src/one.dat", "new");
  ASSERT_EQ(ACopyDir(E("src"), E("dst")), 1);  // into an existing target, overwriting
  EXPECT_EQ(Read(E("dst\\one.dat")), "new");
  EXPECT_STREQ(LastErrorText(), "");

  EXPECT_EQ(ACopyDir(E("missing"), E("empty")), 1);
  std::vector<std::string> names;
  ASSERT_TRUE(AListDir(E("empty"), names));
  EXPECT_TRUE(names.empty());

  // A target inside the source is not copied into itself.
  ASSERT_EQ(ACopyDir(E("src"), E("src\\inner")), 1);
  EXPECT_EQ(Read(E("src\\inner\\sub\\two.dat")), "2");
  EXPECT_FALSE(ADirExists(E("src\\inner\\inner")));
}

TEST_F(FilesTest, CopyDirFailureIsReportedAndOtherEntriesStillCopied) {
  Dir("src");
  Put("src/a.dat", "a");
  Put("src/b.dat", "b");
  Dir("dst");
  Dir("dst/a.dat");  // a directory where the file should go: that copy fails
  SetLastErrorText("");
  EXPECT_EQ(ACopyDir(E("src"), E("dst")), 0);
  EXPECT_EQ(std::string(LastErrorText()).rfind("ERROR (ACopyDir): CopyFile system function failed: ", 0), 0u)
      << LastErrorText();
  EXPECT_EQ(Read(E("dst\\b.dat")), "b");
}

TEST_F(FilesTest, DeleteDirRemovesTreeAndKeepsReadOnlyFiles) {
  Dir("t");
  Dir("t/sub");
  Put("t/a", "a");
  Put("t/sub/b", "b");
  EXPECT_EQ(ADeleteDir(E("T")), 1);
  EXPECT_FALSE(ADirExists(E("t")));

  Dir("r");
  Put("r/keep", "k");
  Put("r/gone", "g");
  ::chmod((root_ + "/r/keep").c_str(), 0444);
  SetLastErrorText("");
  EXPECT_EQ(ADeleteDir(E("r")), 0);
  EXPECT_STREQ(LastErrorText(), "ERROR (ADeleteDir): _rmdir system function failed");
  EXPECT_TRUE(AFileExists(E("r\\keep")));
  EXPECT_FALSE(AFileExists(E("r\\gone")));

  EXPECT_EQ(ADeleteDir(E("missing")), 0);
  EXPECT_STREQ(LastErrorText(), "ERROR (ADeleteDir): _rmdir system function failed");
}

TEST(LastError, TruncatesTo511AndSystemTextIsSet) {
  SetLastErrorText(std::string(600, 'x'));
  EXPECT_EQ(std::string(LastErrorText()), std::string(511, 'x'));
  SetLastErrorText("short");
  EXPECT_STREQ(LastErrorText(), "short");

  char text[128];
  errno = ENOENT;
  GetSystemErrorText(text, sizeof text);
  EXPECT_STREQ(text, std::strerror(ENOENT));
  char tiny[8];
  errno = ENOENT;
  GetSystemErrorText(tiny, sizeof tiny);
  EXPECT_EQ(std::strlen(tiny), 7u);  // bounded by the buffer
}

}  // namespace
