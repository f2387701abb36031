// Setting up the first-person engine of a game from a scenario directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "VectorTestUtil.h"
#include "vector/FirstPersonEngine.h"

namespace {

TEST(VectorEngine, CreatedFromTheScenarioAndPlaced) {
  std::string dir = vtest::MakeTempDir();
  std::string demo = std::string(KORVA_TEST_DATA) + "/../demo/DATA1";
  ASSERT_EQ(std::system(("mkdir " + dir + "/DATA7 && cp " + demo + "/V*.dat " + dir + "/DATA7/").c_str()), 0);
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  int askedW = 0, askedH = 0;
  auto place = [&](int w, int h, int* x, int* y) {
    askedW = w;
    askedH = h;
    *x = 40;
    *y = 8;
    return true;
  };
  auto engine = CreateFirstPersonEngine(7, 2, 3, place);
  vtest::Capture cap;
  auto missing = CreateFirstPersonEngine(8, 2, 1, place);
  auto refused = CreateFirstPersonEngine(7, 2, 1, [](int, int, int*, int*) { return false; });
  ASSERT_EQ(chdir(old), 0);
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(askedW, 512);
  EXPECT_EQ(askedH, 256);
  EXPECT_EQ(engine->display.ScreenX(), 40);
  EXPECT_EQ(engine->display.Scale(), 2);
  EXPECT_EQ(engine->display.BackgroundType(), VBackFrame);
  EXPECT_EQ(engine->display.TileSet(), engine->sets.tiles.get());
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(cap.text, "ERROR: Could not create FP engine\nERROR: Could not create FP engine\n");
}

}  // namespace
