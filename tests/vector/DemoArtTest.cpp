// The demo scenario's first-person art and the authoring tools on it: every
// tile's frames must draw whole at every place of the view, in every phase.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "VectorTestUtil.h"
#include "vector/MVDisplay.h"

namespace {

const std::string kDemo = std::string(KORVA_TEST_DATA) + "/../demo/DATA1";

TEST(VectorDemoArt, EveryFrameDrawsWholeAtEveryDepthAndPhase) {
  VectorSets sets;
  vtest::Capture cap;
  ASSERT_TRUE(LoadVectorSetsFromDir(kDemo, &sets));
  CMVDisplay d;
  ASSERT_TRUE(d.LoadConfigFile(kDemo + "/VConfig.dat"));
  ASSERT_TRUE(d.Init(0, 0, 1));
  d.SetSets(sets.tiles.get(), sets.frames.get());
  ASSERT_TRUE(d.Render());  // the background frame
  for (uint16_t id = 1; id <= 4; ++id) {
    const VTile* tile = sets.tiles->Get(id);
    ASSERT_NE(tile, nullptr) << id;
    for (int pos = 0; pos <= 6; ++pos)
      for (int depth = 0; depth < d.Rows(); ++depth)
        for (int phase = 0; phase < 24; ++phase) {
          uint16_t frame = VTileFrame(tile, phase, pos, depth, 0);
          if (frame) {
            EXPECT_TRUE(d.RenderAtDepth(frame, depth)) << id << " " << pos << " " << depth;
          }
        }
  }
  EXPECT_EQ(cap.text, "");
}

int RunTool(const std::string& args) {
  std::string cmd = std::string(KORVA_TOOL) + " " + args + " 2>/dev/null";
  int rc = std::system(cmd.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

bool IsPng(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char sig[8] = {};
  in.read(sig, 8);
  return in && std::string(sig + 1, 3) == "PNG";
}

TEST(VectorDemoArt, ToolsRenderFramesAndViews) {
  std::string dir = vtest::MakeTempDir();
  ASSERT_EQ(RunTool("vframe2png " + kDemo + " 10 " + dir + "/f.png --scale 0.5"), 0);
  EXPECT_TRUE(IsPng(dir + "/f.png"));
  EXPECT_EQ(RunTool("vframe2png " + kDemo + " 999 " + dir + "/g.png"), 1);
  EXPECT_EQ(RunTool("vframe2png " + kDemo + " 10 " + dir + "/g.png --scale -1"), 2);

  // A game directory with the demo art and a small map.
  std::string game = dir + "/game";
  ASSERT_EQ(std::system(("mkdir -p " + game + "/DATA1 && cp " + kDemo + "/V*.dat " + game + "/DATA1/").c_str()), 0);
  CBArray map;
  map.Init(3, 4, 2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) map.SetU16(x == 1 && y > 0 ? 1 : 2, x, y);
  map.SetU16(4, 1, 1);
  ASSERT_TRUE(map.Save(game + "/DATA1/1.map"));
  for (int facing = 0; facing < 4; ++facing) {
    std::string out = dir + "/v" + std::to_string(facing) + ".png";
    EXPECT_EQ(RunTool("fpview2png --game-dir " + game + " 1 1 1 3 " + std::to_string(facing) + " " + out), 0);
    EXPECT_TRUE(IsPng(out));
  }
  EXPECT_EQ(RunTool("fpview2png --game-dir " + game + " 1 1 5 3 0 " + dir + "/x.png"), 1);  // outside
  EXPECT_EQ(RunTool("fpview2png --game-dir " + game + " 1 1 1 3 4 " + dir + "/x.png"), 2);  // facing
  EXPECT_EQ(RunTool("fpview2png --game-dir " + game + " 1 2 1 3 0 " + dir + "/x.png"), 1);  // no map
}

}  // namespace
