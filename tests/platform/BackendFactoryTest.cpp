#include "platform/BackendFactory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/Cp1252.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::string text;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return text;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) text.append(buffer, n);
  std::fclose(f);
  return text;
}

std::vector<KeyScriptEvent> KeysOf(const std::string& script) {
  std::vector<KeyScriptEvent> events, keys;
  std::string error;
  EXPECT_TRUE(ParseKeyScript(script, events, error)) << error;
  for (const KeyScriptEvent& e : events) {
    if (e.kind == KeyScriptEvent::Kind::Key || e.kind == KeyScriptEvent::Kind::Close) keys.push_back(e);
  }
  return keys;
}

// A headless run with --record writes a script that replays the same keys.
TEST(BackendFactory, HeadlessRunRecordsAReplayableScript) {
  std::string dir = testing::TempDir() + "korva_factory_XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  LaunchOptions options;
  options.headless = true;
  options.keys = "<seed:8> \"Go!\" <wait:120> <C-v> <S-F3> <KP5> <close>";
  options.recordFile = dir + "/rec.txt";
  std::string error;
  {
    uint32_t seed = 0;
    auto backend = CreateBackend(options, HeadlessHooks{}, seed, error);
    ASSERT_NE(backend, nullptr) << error;
    EXPECT_EQ(seed, 8u);
    ASSERT_TRUE(backend->CreateMainWindow("x", false, 8, 8));
    WindowMessage m;
    while (backend->GetMessage(m, true) && m.message != msg::Quit) {
    }
  }
  std::string recorded = ReadFile(options.recordFile);
  EXPECT_EQ(recorded.rfind("<seed:8>\n", 0), 0u) << recorded;
  EXPECT_NE(recorded.find("<wait:120> <C-v>"), std::string::npos) << recorded;
  EXPECT_EQ(KeysOf(recorded), KeysOf(options.keys));
}

TEST(BackendFactory, ReportsWhatCannotBeBuilt) {
  LaunchOptions options;
  options.headless = true;
  options.keys = "<bogus>";
  std::string error;
  uint32_t seed = 0;
  EXPECT_EQ(CreateBackend(options, HeadlessHooks{}, seed, error), nullptr);
  EXPECT_EQ(error, "ERROR (ParseKeyScript): Unknown key <bogus> at character 1");

  options.keys = "a";
  options.recordFile = "/nonexistent/dir/rec.txt";
  EXPECT_EQ(CreateBackend(options, HeadlessHooks{}, seed, error), nullptr);
  EXPECT_EQ(error, "ERROR (KeyRecorder): Could not create record file /nonexistent/dir/rec.txt");
}

TEST(BackendFactory, SeedComesFromTheOptionsTheScriptOrTheClock) {
  const struct {
    std::optional<uint32_t> optionSeed;
    const char* keys;
    uint32_t seed;
  } cases[] = {{5, "<seed:9> a", 5}, {std::nullopt, "<seed:9> a", 9}, {std::nullopt, "a", 0}};
  for (const auto& c : cases) {
    LaunchOptions options;
    options.headless = true;
    options.seed = c.optionSeed;
    options.keys = c.keys;
    std::string error;
    uint32_t seed = 12345;
    ASSERT_NE(CreateBackend(options, HeadlessHooks{}, seed, error), nullptr) << error;
    EXPECT_EQ(seed, c.seed) << c.keys;
  }
}

TEST(Cp1252, ConvertsBothWays) {
  EXPECT_EQ(Cp1252ToUnicode(0x80), 0x20ACu);
  EXPECT_EQ(Cp1252ToUnicode(0x81), 0u);
  EXPECT_EQ(Cp1252ToUnicode(0xE9), 0xE9u);
  EXPECT_EQ(Cp1252ToUtf8("a\xE9\x80\x81"), "a\xC3\xA9\xE2\x82\xAC?");
  EXPECT_EQ(Utf8ToCp1252("a\xC3\xA9\xE2\x82\xAC\xE2\x80\x94"), "a\xE9\x80\x97");
  // Characters 1252 lacks, broken and cut-off sequences become '?'.
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD|\xF0\x9F\x98\x80|\xC3|\xFF|\xE2\x82"), "?|?|?|?|??");
}

}  // namespace
