#include "platform/LaunchOptions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

using Words = std::vector<std::string>;

TEST(LaunchOptions, SplitsCommandLinesAsTheHostBuildsThem) {
  const struct {
    const char* line;
    Words words;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"a  b\tc", {"a", "b", "c"}},
      {"\"DATA 2\\main.cfg\" x", {"DATA 2\\main.cfg", "x"}},
      {"\"\" next", {"", "next"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"pre\"fix part\"post", {"prefix partpost"}},
      {"\"unclosed text", {"unclosed text"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

TEST(LaunchOptions, ParsesEveryOption) {
  std::string dir = testing::TempDir() + "korva_launch_XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  std::string keysFile = dir + "/keys.txt";
  FILE* f = std::fopen(keysFile.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("<seed:31> abc", f);
  std::fclose(f);

  LaunchOptions o;
  std::string error;
  ASSERT_TRUE(ParseLaunchOptions(
      {"--headless", "--game-dir", "/g", "--keys-file", keysFile, "--dump", "d.txt", "--log", "l.txt",
       "--screenshot", "s.png", "--record", "r.txt", "DATA3\\main.cfg"},
      o, error))
      << error;
  EXPECT_TRUE(o.headless);
  EXPECT_EQ(o.gameDir, "/g");
  EXPECT_EQ(o.keys, "<seed:31> abc");
  EXPECT_EQ(o.seed, std::optional<uint32_t>(31));  // from the script
  EXPECT_EQ(o.dumpFile, "d.txt");
  EXPECT_EQ(o.logFile, "l.txt");
  EXPECT_EQ(o.screenshotFile, "s.png");
  EXPECT_EQ(o.recordFile, "r.txt");
  EXPECT_EQ(o.configPath, "DATA3\\main.cfg");

  ASSERT_TRUE(ParseLaunchOptions({"--seed", "4294967295", "--keys", "<seed:1> x"}, o, error));
  EXPECT_EQ(o.seed, std::optional<uint32_t>(4294967295u));  // --seed wins
  EXPECT_EQ(o.keys, "<seed:1> x");
  EXPECT_FALSE(o.headless);
  EXPECT_EQ(o.configPath, "");

  SetLaunchOptions(o);
  EXPECT_EQ(GetLaunchOptions().keys, "<seed:1> x");
}

TEST(LaunchOptions, RejectsBadCommandLines) {
  const struct {
    Words args;
    std::string error;
  } cases[] = {
      {{"--fast"}, "Unknown option --fast"},
      {{"-x"}, "Unknown option -x"},
      {{"--seed"}, "Missing value for --seed"},
      {{"--dump"}, "Missing value for --dump"},
      {{"--seed", "12x"}, "Bad seed \"12x\" (expected 0 to 4294967295)"},
      {{"--seed", "4294967296"}, "Bad seed \"4294967296\" (expected 0 to 4294967295)"},
      {{"--seed", "-1"}, "Bad seed \"-1\" (expected 0 to 4294967295)"},
      {{"--keys", "a", "--keys-file", "f"}, "Give only one of --keys and --keys-file"},
      {{"--keys-file", "/nonexistent/dir/keys.txt"}, "Could not read key file /nonexistent/dir/keys.txt"},
      {{"a.cfg", "b.cfg"}, "More than one configuration path: b.cfg"},
      {{"--log", ""}, "Empty value for --log"},
  };
  for (const auto& c : cases) {
    LaunchOptions o;
    o.configPath = "untouched";
    std::string error;
    EXPECT_FALSE(ParseLaunchOptions(c.args, o, error)) << c.error;
    EXPECT_EQ(error, "ERROR (ParseLaunchOptions): " + c.error);
    EXPECT_EQ(o.configPath, "untouched");
  }
}

}  // namespace
