#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ui/MainConfig.h"

namespace fs = std::filesystem;

namespace {
// A scenario directory DATA<n> inside a fresh temporary directory, which the
// test makes current so that engine paths resolve inside it.
class MainConfigTest : public testing::Test {
 protected:
  void SetUp() override {
    old_ = fs::current_path();
    root_ = fs::temp_directory_path() / ("korva_cfg_" + std::to_string(::getpid()) + "_" +
                                         testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "DATA1");
    fs::current_path(root_);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(root_);
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(root_ / "DATA1" / name, std::ios::binary) << text;
  }
  fs::path old_, root_;
};
}  // namespace

TEST_F(MainConfigTest, KeywordsAndTheirLimits) {
  Write("main.cfg",
        "QUORVELLIAN914 DATA V1\r\n"
        "# a comment line\r\n"
        "WINDOWSIZE: 0 700\r\n"
        "SCREENSIZE: 0 9\r\n"
        "TDSIZE: 70 -3\r\n"
        "TDBUFFER: 70000\r\n"
        "TDPOS: 10 20\r\n"
        "SCALE: 3\r\n"
        "SCALERATIO: 0.5 0.25\r\n"
        "TIMER: 250\r\n"
        "TIMERCOUNTMAX: 0\r\n"
        "DATASET: 4\r\n"
        "TITLE: The Long Road\r\n"
        "INPUTMODE: INSERT\r\n"
        "FONT: \"Courier New\" 13 700\r\n"
        "FONTGCW\r\n"
        "WINDOW: FULL\r\n"
        "PDISP: 0\r\n"
        "TDNOAUTO\r\n"
        "UNKNOWN: 1\r\n");
  MainConfig c;
  ASSERT_EQ(ReadMainConfigFile(c, "DATA1\\main.cfg", 1), 1);
  EXPECT_EQ(c.windowWidth, 800);
  EXPECT_EQ(c.windowHeight, 700);
  EXPECT_EQ(c.mapColumns, 5);
  EXPECT_EQ(c.mapRows, 5);
  EXPECT_EQ(c.tdColumns, 70);
  EXPECT_EQ(c.tdRows, 25);     // a size of 0 or less is ignored
  EXPECT_EQ(c.tdBuffer, 100);  // above 65535 is ignored
  EXPECT_EQ(c.tdX, 10);
  EXPECT_EQ(c.tdY, 20);
  EXPECT_EQ(c.scale, 3);
  EXPECT_FLOAT_EQ(c.scaleRatioX, 0.5f);
  EXPECT_FLOAT_EQ(c.scaleRatioY, 0.25f);
  EXPECT_EQ(c.timerPeriod, 250);
  EXPECT_EQ(c.timerCountMax, 0);
  EXPECT_EQ(c.scenarioNumber, 4);
  EXPECT_EQ(c.title.value_or(""), "The Long Road");
  EXPECT_EQ(c.inputMode, 3);
  ASSERT_TRUE(c.font);
  EXPECT_EQ(c.font->face, "Courier New");
  EXPECT_EQ(c.font->height, 13);
  EXPECT_EQ(c.font->weight, 700);
  EXPECT_EQ(c.font->flags, 1);
  EXPECT_TRUE(c.fullScreen);
  EXPECT_FALSE(c.partyDisplayWanted);
  EXPECT_FALSE(c.tdAutoPlace);
}

TEST_F(MainConfigTest, ValueNeedsABlankAfterTheColon) {
  Write("main.cfg", "TITLE:NoBlank\nSCALE:4\n");
  MainConfig c;
  ASSERT_EQ(ReadMainConfigFile(c, "DATA1\\main.cfg", 1), 1);
  EXPECT_EQ(c.title.value_or("none"), "");  // the key is read with an empty value
  EXPECT_EQ(c.scale, 1);
}

TEST_F(MainConfigTest, BlockCommentsAndIncludes) {
  Write("main.cfg",
        "/* start of a block\nSCALE: 9\n*/ end\nINCLUDE: more.cfg\nTIMER: 300\n");
  Write("more.cfg", "SCALE: 2\nTITLE: <NULL>\n");
  MainConfig c;
  c.title = "old";
  ASSERT_EQ(ReadMainConfigFile(c, "DATA1\\main.cfg", 1), 1);
  EXPECT_EQ(c.scale, 2);
  EXPECT_FALSE(c.title);
  EXPECT_EQ(c.timerPeriod, 300);
}

TEST_F(MainConfigTest, NestedOrMissingIncludeStopsWithValuesKept) {
  Write("main.cfg", "SCALE: 2\nINCLUDE: a.cfg\nTIMER: 300\n");
  Write("a.cfg", "SCALE: 3\nINCLUDE: b.cfg\n");
  Write("b.cfg", "SCALE: 4\n");
  MainConfig c;
  EXPECT_EQ(ReadMainConfigFile(c, "DATA1\\main.cfg", 1), 0);
  EXPECT_EQ(c.scale, 3);
  EXPECT_EQ(c.timerPeriod, 1000);

  Write("main.cfg", "SCALE: 2\nINCLUDE: missing.cfg\nTIMER: 300\n");
  MainConfig d;
  EXPECT_EQ(ReadMainConfigFile(d, "DATA1\\main.cfg", 1), 0);
  EXPECT_EQ(d.scale, 2);
}

TEST_F(MainConfigTest, MissingFileAndGarbage) {
  MainConfig c;
  EXPECT_EQ(ReadMainConfigFile(c, "DATA1\\main.cfg", 1), 0);
  std::string garbage(100000, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 251);
  Write("main.cfg", garbage);
  EXPECT_EQ(ReadMainConfigFile(c, "DATA1\\main.cfg", 1), 1);
}

TEST(MainConfigReset, KeepsWindowAndDisplayValues) {
  MainConfig c;
  c.windowWidth = 1024;
  c.scale = 4;
  c.mapColumns = 9;
  c.title = "x";
  c.timerCountMax = 5;
  c.Reset();
  EXPECT_EQ(c.windowWidth, 1024);
  EXPECT_EQ(c.timerCountMax, 5);
  EXPECT_EQ(c.scale, 1);
  EXPECT_EQ(c.mapColumns, 5);
  EXPECT_FALSE(c.title);
}
