#include "scenario/Scenario.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "ScenarioTestUtil.h"

TEST(LoadScenario, DemoScenarioInOrder) {
  InDirectory dir(FixtureDir());
  CaptureOutput out;
  ScenarioData s;
  std::vector<std::string> calls;
  ScenarioLoadHooks hooks;
  hooks.loadStores = [&](int n) { calls.push_back("stores" + std::to_string(n)); };
  hooks.loadTreasure = [&](int) { calls.push_back("treasure"); };
  hooks.loadTreasureEx = [&](int) { calls.push_back("treasureex"); };
  hooks.loadEffects = [&](int) {
    calls.push_back(std::string("effects") + (s.terrainInfo && !s.resistance ? " after TerrainInfo" : ""));
  };
  hooks.loadSoundSet = [&](int) { calls.push_back(std::string("sound") + (s.cspells ? " last" : "")); };
  EXPECT_EQ(LoadScenario(s, 1, &hooks), 1);
  EXPECT_EQ(calls,
            (std::vector<std::string>{"stores1", "treasure", "treasureex", "effects after TerrainInfo", "sound last"}));
  EXPECT_EQ(s.scenarioNumber, 1);
  EXPECT_EQ(s.config.startMap, 3);
  EXPECT_EQ(s.saveVersion.value_or("?"), "1.2");
  ASSERT_TRUE(s.defs.creatures && s.defs.npcs && s.defs.locations && s.defs.vehicles && s.defs.items);
  EXPECT_EQ(s.defs.items->CountUsed(), 4);
  EXPECT_TRUE(s.terrainGroups && s.terrainInfo && s.resistance && s.classes && s.races && s.genders && s.cspells);
  EXPECT_FALSE(s.invOrder);  // DefaultsLast.dat is read by the game load, not here
  EXPECT_EQ(LoadGameDefaultsLastFile(s, nullptr), 1);
  ASSERT_TRUE(s.invOrder);
  EXPECT_EQ(*s.invOrder, (std::vector<uint16_t>{3, 2, 1, 0}));

  s.Unload();
  EXPECT_FALSE(s.defs.creatures);
  EXPECT_FALSE(s.config.strReady);
  EXPECT_EQ(s.config.startMap, 3);  // plain fields are kept
}

TEST(LoadScenario, MissingScenarioStillSucceeds) {
  InDirectory dir(FixtureDir());
  CaptureOutput out;
  ScenarioData s;
  EXPECT_EQ(LoadScenario(s, 98), 1);
  EXPECT_FALSE(s.defs.creatures);
  EXPECT_EQ(s.config.verbosity, 2);
  std::string expected;
  for (char k : {'C', 'N', 'L', 'V', 'I'})
    expected += std::string("WARNING (loading defs ") + k + "): Could not open file: DATA98\\objdefs.dat\n";
  EXPECT_EQ(out.text, expected);
}

TEST(LoadScenario, InventoryOrder) {
  ScenarioData s;
  s.defs.items = std::make_unique<ItemTable>(3);
  CaptureOutput out;
  EXPECT_EQ(LoadGameDefaultsLastText(s, "INVORDER:", "OTHER: 1\nINVORDER: 1 2 3 4\n", "d"), 0);
  EXPECT_EQ(out.text,
            "ERROR (LoadInvOrder): Failed to load or create list\n"
            "ERROR (LoadGameDefaultsLastFile): Could not load inventory order\n");
  EXPECT_FALSE(s.invOrder);
  EXPECT_EQ(LoadGameDefaultsLastText(s, "INVORDER:", "INVORDER: 2\n", "d"), 1);
  EXPECT_EQ(*s.invOrder, (std::vector<uint16_t>{2, 0, 0}));
  // An order already held (from the saved game) wins.
  EXPECT_EQ(LoadGameDefaultsLastText(s, nullptr, "INVORDER: 3 3 3\n", "d"), 1);
  EXPECT_EQ(*s.invOrder, (std::vector<uint16_t>{2, 0, 0}));
  // No item definitions: the line is skipped.
  ScenarioData none;
  EXPECT_EQ(LoadGameDefaultsLastText(none, nullptr, "INVORDER: 1 2\n", "d"), 1);
  EXPECT_FALSE(none.invOrder);
}

TEST(LoadScenario, VersionFile) {
  ScenarioData s;
  LoadVersionText(s, "# c\nSAVE:\tx\nSAVE: 2.0\n", "v");
  EXPECT_EQ(s.saveVersion.value_or("?"), "2.0");
  ScenarioData t;
  LoadVersionText(t, "SAVE:\n", "v");
  EXPECT_FALSE(t.saveVersion);
}

namespace {
int RunTool(const std::string& args, std::string& output) {
  std::string cmd = std::string(KORVA_TOOL) + " check " + args + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return -1;
  std::array<char, 4096> buf;
  output.clear();
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) output.append(buf.data(), n);
  int status = pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace

TEST(CheckTool, ListsErrorsWithFileAndLine) {
  std::string output;
  EXPECT_EQ(RunTool("--game-dir " + FixtureDir() + " 1", output), 1);
  EXPECT_EQ(output,
            "DATA1\\more.dat:2: ERROR: Max 1 nested file exceeded; could not open DATA1\\more.dat\n"
            "DATA1\\objdefs.dat:88: ERROR (LoadCreateDefs): Could not load creature def 4\n"
            "DATA1\\objdefs.dat:115: ERROR (LoadCreateDefs): A vehicle that holds cargo may not be portable\n"
            "DATA1\\objdefs.dat:122: ERROR (LoadCreateDefs): A portable vehicle may not hold cargo\n"
            "DATA1\\objdefs.dat:45: ERROR (LoadCreateDefs): GET must be 0 for an interactive container, resetting\n"
            "DATA1: 5 errors, 0 warnings; definitions: 2 creature, 2 NPC, 2 location, 2 vehicle, 4 item\n");
}

TEST(CheckTool, CleanScenarioAndBadArguments) {
  std::string output;
  EXPECT_EQ(RunTool("--game-dir " + FixtureDir() + " 2", output), 0);
  EXPECT_EQ(output, "DATA2: 0 errors, 0 warnings; definitions: 1 creature, 0 NPC, 0 location, 0 vehicle, 1 item\n");
  EXPECT_EQ(RunTool("--game-dir " + FixtureDir() + " 97", output), 2);
  EXPECT_EQ(output, "korva-tool check: no scenario directory DATA97\n");
  EXPECT_EQ(RunTool("x", output), 2);
  EXPECT_EQ(RunTool("", output), 2);
}

TEST(CheckTool, LinesOfTheDataReadersAreTracedToo) {
  std::string output;
  EXPECT_EQ(RunTool("--game-dir " + FixtureDir() + " 3", output), 1);
  EXPECT_EQ(output,
            "DATA3\\scenario.dat:2: ERROR (ReadConfigFile/LIGHTRATE): Invalid point rate 0\n"
            "DATA3\\objdefs.dat:2: ERROR (LoadCreateDefs): Could not load item def 2\n"
            "DATA3\\Terrain.dat:3: ERROR (LoadTerrainGroups): Group 1000 has no terrain values\n"
            "DATA3\\classes.dat:4: ERROR (ReadSizedByteArray): Invalid list size 0\n"
            "DATA3\\classes.dat:4: ERROR (LoadCreateClassList ITEMTYPES): Failed\n"
            "DATA3: 5 errors, 0 warnings; definitions: 0 creature, 0 NPC, 0 location, 0 vehicle, 0 item\n");
}
