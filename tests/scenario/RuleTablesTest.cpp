#include "scenario/RuleTables.h"

#include <gtest/gtest.h>

#include "ScenarioTestUtil.h"
#include "platform/Random.h"
#include "scenario/TerrainGroups.h"

namespace {
template <class F>
auto Load(F load, const std::string& text, std::string& printed) {
  CaptureOutput out;
  auto r = load(text, "f.dat");
  printed = out.text;
  return r;
}
}  // namespace

TEST(TerrainGroups, DemoFileAndPassability) {
  InDirectory dir(FixtureDir());
  auto groups = LoadTerrainGroups(1);
  ASSERT_TRUE(groups);
  ASSERT_EQ(groups->Count(), 2);
  EXPECT_EQ(groups->Find(1000)->terrains, (std::vector<uint16_t>{7, 9}));
  struct Case {
    uint16_t cap, terrain;
    bool passable;
  } cases[] = {
      {0, 0, false},    {1, 2, false},    {3, 1, true},     {3, 500, true},   {2, 1, false},
      {2, 77, true},    {5, 0, true},     {5, 2, true},     {5, 1, false},    {5, 5, true},
      {5, 6, false},    {1000, 0, true},  {1000, 2, true},  {1000, 7, true},  {1000, 9, true},
      {1000, 8, false}, {1000, 1, false}, {1001, 5, true},  {1001, 7, false}, {1002, 1002, false},
      {4, 4, true},     {4, 3, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TerrainPassable(groups.get(), c.cap, c.terrain), c.passable) << c.cap << " on " << c.terrain;
    EXPECT_EQ(CheckTerrain(groups.get(), c.terrain, c.cap), !c.passable);
  }
  // Without Terrain.dat a group capability follows the plain rule.
  EXPECT_TRUE(TerrainPassable(nullptr, 1002, 1002));
  EXPECT_FALSE(TerrainPassable(nullptr, 1000, 7));
}

TEST(TerrainGroups, KeptAnswersFollowTheFirstGroupAndLaterAdditions) {
  TerrainGroups groups(3);
  ASSERT_TRUE(groups.Add(TerrainGroup{1000, {7, 65535}}));
  ASSERT_TRUE(groups.Add(TerrainGroup{1000, {8}}));  // a second group with that ID is never used
  EXPECT_TRUE(TerrainPassable(&groups, 1000, 65535));
  EXPECT_TRUE(TerrainPassable(&groups, 1000, 7));
  EXPECT_FALSE(TerrainPassable(&groups, 1000, 8));
  EXPECT_FALSE(TerrainPassable(&groups, 1001, 7));
  ASSERT_TRUE(groups.Add(TerrainGroup{1001, {7}}));  // added after the answers were kept
  EXPECT_TRUE(TerrainPassable(&groups, 1001, 7));
  EXPECT_FALSE(TerrainPassable(&groups, 1001, 8));
}

TEST(TerrainGroups, FaultyFiles) {
  std::string printed;
  EXPECT_FALSE(Load(LoadTerrainGroupsText, "TG: 1000 7\n", printed));
  EXPECT_EQ(printed, "ERROR (LoadTerrainGroups): Could not get list\n");
  EXPECT_FALSE(Load(LoadTerrainGroupsText, "LIST: -3\n", printed));
  EXPECT_EQ(printed, "ERROR (LoadTerrainGroups): Invalid list count -3\n");
  // A group whose values are all 0 drops every group.
  EXPECT_FALSE(Load(LoadTerrainGroupsText, "LIST: 2\nTG: 1000 7\nTG: 1001 0 0\n", printed));
  EXPECT_EQ(printed, "ERROR (LoadTerrainGroups): Group 1001 has no terrain values\n");
  EXPECT_FALSE(Load(LoadTerrainGroupsText, "LIST: 2\nTG:\n", printed));
  // A full list reports the extra group and keeps the first ones.
  auto g = Load(LoadTerrainGroupsText, "LIST: 1\nTG: 1000 7\nTG: 1001 8\n", printed);
  ASSERT_TRUE(g);
  EXPECT_EQ(printed, "ERROR (LoadTerrainGroups): List full (1 groups), group 1001 not added\n");
  EXPECT_EQ(g->Find(1000)->terrains, (std::vector<uint16_t>{7}));
  // 256 values are kept; a 257th refuses the line.
  std::string line = "LIST: 2\nTG: 1000";
  for (int i = 1; i <= 256; ++i) line += " " + std::to_string(i + 2);
  g = Load(LoadTerrainGroupsText, line + "\nTG: 1001" + line.substr(line.find("TG: 1000") + 8) + " 999\n", printed);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->Find(1000)->terrains.size(), 256u);
  EXPECT_EQ(g->Find(1001), nullptr);
  EXPECT_EQ(printed, "ERROR (LoadTerrainGroups): Group 1001 has more than 256 terrain values, not added\n");
}

TEST(ClassList, DemoClassesRacesAndGenders) {
  InDirectory dir(FixtureDir());
  CaptureOutput out;
  auto classes = LoadCreateClassList(1, nullptr);
  auto races = LoadCreateClassList(1, "RACES");
  auto genders = LoadCreateClassList(1, "GENDER");
  EXPECT_EQ(out.text, "");
  ASSERT_TRUE(classes && races && genders);
  const ClassRecord* f = classes->Get(1);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->name, "Fighter");  // not overwritten by the races and genders
  EXPECT_EQ(f->tile, 10);
  EXPECT_EQ(f->xpFactor, 1000);
  EXPECT_EQ(f->attrib[0], 2);
  EXPECT_EQ(f->attrib[2], 1);
  EXPECT_EQ(f->baseHp, 10);
  EXPECT_EQ(f->baseAc, -1);
  EXPECT_EQ(f->baseAb, 2);
  EXPECT_EQ(f->baseSides, 8);
  EXPECT_EQ(f->levelGain[0], 8);
  EXPECT_EQ(f->periodAc, 3);
  EXPECT_EQ(f->periodAb, 2);
  EXPECT_EQ(f->periodDb, 4);
  EXPECT_EQ(f->baseSaves[1], 2);
  EXPECT_EQ(f->levelSaves[2], 1);
  EXPECT_EQ(f->periodSaves[2], 4);
  EXPECT_EQ(f->levelType, 1);
  EXPECT_EQ(f->itemTypes, (std::vector<uint8_t>{6, 7, 8}));
  EXPECT_EQ(f->traps, 1);
  EXPECT_EQ(f->pcmMax[0], -3);
  EXPECT_EQ(f->pcmMax[1], 5);
  const ClassRecord* m = classes->Get(2);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->spAttrib, 1);
  EXPECT_EQ(m->spCreate, 50);
  EXPECT_EQ(m->spLevel, 10);
  EXPECT_EQ(m->spells, (std::vector<uint16_t>{1, 2, 3}));
  EXPECT_EQ(m->startSpells, (std::vector<uint16_t>{1}));
  EXPECT_EQ(m->casterType, 2);
  EXPECT_EQ(m->casterSaveMod, 1);
  EXPECT_EQ(m->casterDurMod, 2);
  EXPECT_EQ(m->casterDurDiv, 3);
  EXPECT_STREQ(ClassName(races.get(), 1), "Elf");
  EXPECT_STREQ(ClassName(genders.get(), 2), "Male");
  EXPECT_STREQ(ClassName(genders.get(), 3), "None");
  EXPECT_STREQ(ClassName(nullptr, 1), "None");
  EXPECT_EQ(FindClassByPrefix(races.get(), "E", 1), 1);
  EXPECT_EQ(FindClassByPrefix(races.get(), "e", 1), 0);
  EXPECT_EQ(FindClassByPrefix(races.get(), "Dwx", 2), 2);
  EXPECT_TRUE(ClassAllowsItemType(*f, 7));
  EXPECT_FALSE(ClassAllowsItemType(*f, 5));
  EXPECT_TRUE(ClassAllowsItemType(*m, 5));  // no list: everything
  EXPECT_TRUE(ClassHasSpell(*m, 2));
  EXPECT_FALSE(ClassHasSpell(*f, 2));
}

TEST(ClassList, FailuresDropTheTable) {
  auto load = [](const std::string& t, const std::string& f) { return LoadCreateClassListText(t, f, nullptr); };
  struct Case {
    const char* text;
    const char* printed;
  } cases[] = {
      {"LIST: 2\nATTRIB: 1 1 1 1 1 1\nC: 1 A 1 1\n", "ERROR (LoadCreateClassList): ATTRIB: before any C: line\n"},
      {"LIST: 2\nC: 1 A 1\n", "ERROR (LoadCreateClassList): Missing or bad value after C:\n"},
      {"LIST: 2\nC: 1 A 1 1\nATTRIB: 1 1 x\n", "ERROR (LoadCreateClassList): Missing or bad value after ATTRIB:\n"},
      {"LIST: 1\nC: 1 A 1 1\nC: 2 B 1 1\n", "ERROR (LoadCreateClassList): Could not store record 2\n"},
      {"LIST: 1\nC: 1 A 1 1\nITEMTYPES: 0\n",
       "ERROR (ReadSizedByteArray): Invalid list size 0\nERROR (LoadCreateClassList ITEMTYPES): Failed\n"},
      {"LIST: 1\nC: 1 A 1 1\nSPELLS: 4096 1\n",
       "ERROR (ReadSizedWordArray): Invalid list size 4096\nERROR (LoadCreateClassList SPELLS): Failed\n"},
      {"LIST: 1\nC: 1 A 1 1\nSTSPELLS: -1\n",
       "ERROR (ReadSizedWordArray): Invalid list size -1\nERROR (LoadCreateClassList STARTSPELLS): Failed\n"},
      {"LIST: 99999999\n", "ERROR (LoadCreateClassList): Invalid list count 99999999\n"},
      {"C: 1 A 1 1\n", "ERROR (LoadCreateClassList): Could not get list\n"},
  };
  for (const Case& c : cases) {
    std::string printed;
    EXPECT_FALSE(Load(load, c.text, printed)) << c.text;
    EXPECT_EQ(printed, c.printed) << c.text;
  }
  std::string printed;
  auto t = Load(load, "LIST: 1\nC: 1 A 1 1\nSPELLS: 2 5 6 7\n", printed);
  ASSERT_TRUE(t);
  EXPECT_EQ(printed, "ERROR (ReadSizedWordArray): Allocation size 2 too small\n");
  EXPECT_EQ(t->Get(1)->spells, (std::vector<uint16_t>{5, 6}));
  // A missing section gives no table.
  EXPECT_FALSE(LoadCreateClassListText("LIST: 1\nC: 1 A 1 1\n", "f", "RACES"));
}

TEST(TerrainInfo, DemoAndLookups) {
  InDirectory dir(FixtureDir());
  auto t = LoadTerrainGroupInfo(1);
  ASSERT_TRUE(t);
  EXPECT_EQ(TerrainDelay(t.get(), 1000, 120), 3);
  EXPECT_EQ(TerrainDelay(t.get(), 1000, 150), 1);  // terrain 0 matches any
  EXPECT_EQ(TerrainDelay(t.get(), 1001, 150), 2);  // capability 0 matches any
  EXPECT_EQ(TerrainDelay(t.get(), 5, 120), 0);     // LAND never has a delay
  EXPECT_EQ(TerrainDelay(t.get(), 1000, 99), 0);
  // Only records actually defined are searched: one declared, none written.
  std::string printed;
  auto empty = Load(LoadTerrainGroupInfoText, "LIST: 3\n", printed);
  ASSERT_TRUE(empty);
  EXPECT_EQ(TerrainDelay(empty.get(), 1000, 120), 0);
  auto low = Load(LoadTerrainGroupInfoText, "LIST: 1\nT: 1000 1\nE: 0 300\n", printed);
  EXPECT_EQ(TerrainDelay(low.get(), 1000, 100), 44);
}

TEST(TerrainInfo, FaultsDropTheTable) {
  struct Case {
    const char* text;
    const char* printed;
  } cases[] = {
      {"LIST: 1\nE: 1 1\n", "ERROR (LoadTerrainGroupInfo): Capability object has not been defined\n"},
      {"LIST: 1\nT: 1000 1\nT: 1001 1\n",
       "ERROR (LoadTerrainGroupInfo): Could not add terrain group capability (array overrun)\n"},
      {"LIST: 1\nT: 1000 1\nE: 1 1\nE: 2 2\n",
       "ERROR (LoadTerrainGroupInfo): Could not add terrain group entry (array overrun)\n"},
      {"LIST: 1\nT: 1000\n", "ERROR (LoadTerrainGroupInfo): Missing value after T:\n"},
      {"LIST: 70000\n", "ERROR (LoadTerrainGroupInfo): Invalid list count 70000\n"},
  };
  for (const Case& c : cases) {
    std::string printed;
    EXPECT_FALSE(Load(LoadTerrainGroupInfoText, c.text, printed)) << c.text;
    EXPECT_EQ(printed, c.printed) << c.text;
  }
}

TEST(Resistance, DemoAndLookups) {
  InDirectory dir(FixtureDir());
  auto t = LoadResistanceList(1);
  ASSERT_TRUE(t);
  const ResistanceEntry* e = FindResistance(t.get(), 1, 5);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->chance, 50);
  EXPECT_EQ(FindResistance(t.get(), 1, 14)->chance, 100);
  EXPECT_EQ(FindResistance(t.get(), 0, 5), nullptr);
  EXPECT_EQ(FindResistance(t.get(), 1, 0), nullptr);
  EXPECT_EQ(FindResistance(t.get(), 3, 5), nullptr);
  EXPECT_EQ(FormatResistanceGroup(*t->Get(1)), "5: 50, 12: 100, 14: 100");
  EXPECT_TRUE(IsResisted(*FindResistance(t.get(), 2, 7)));
  SeedRandom(1);
  int resisted = 0;
  for (int i = 0; i < 1000; ++i) resisted += IsResisted(*e);
  EXPECT_GT(resisted, 400);
  EXPECT_LT(resisted, 600);
}

TEST(Resistance, FaultsDropTheTable) {
  const char* failed = "ERROR (LoadResistanceList): Failed\n";
  struct Case {
    const char* text;
    std::string printed;
  } cases[] = {
      {"RG: 1 1\n", "ERROR (LoadResistanceList): Could not get list\n"},
      {"LIST: 3\nRG: 1 3\nIMMUNE: 12 14\nE: 1 10\nE: 2 20\n",
       std::string("ERROR (LoadResistanceList): Size 3 exceeded for group 1\n") + failed},
      {"LIST: 3\nE: 1 10\n", failed},
      {"LIST: 3\nRG: 1 3\nE: 0 10\n", failed},
      {"LIST: 3\nRG: 1 3\nE: 1 101\n", failed},
      {"LIST: 3\nRG: 0 3\n", failed},
      {"LIST: 3\nRG: 1 0\n", failed},
      {"LIST: 3\nRG: 1 99999999\n", failed},
      {"LIST: 3\nRG: 1 2\nIMMUNE: 4 x\n", failed},
      {"LIST: 1\nRG: 1 2\nRG: 2 2\n", std::string("ERROR (LoadResistanceList): Could not add group 2 to list\n") + failed},
  };
  for (const Case& c : cases) {
    std::string printed;
    EXPECT_FALSE(Load(LoadResistanceListText, c.text, printed)) << c.text;
    EXPECT_EQ(printed, c.printed) << c.text;
  }
}

TEST(CSpells, DemoAndFaults) {
  InDirectory dir(FixtureDir());
  auto t = LoadCSpellList(1);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->Get(1)->name.value_or("?"), "Fire Storm");
  EXPECT_EQ(t->Get(1)->cost, 12);
  EXPECT_EQ(t->Get(1)->script, 40);
  EXPECT_EQ(t->Get(1)->value, 44);
  EXPECT_EQ(t->Get(2)->cost, 3);
  {
    CaptureOutput out;
    EXPECT_FALSE(LoadCSpellList(99));
    EXPECT_EQ(out.text, "");  // only a debug line
  }
  struct Case {
    const char* text;
    const char* printed;
  } cases[] = {
      {"SPELL: 1 \"a\"\n", "ERROR (LoadCSpellList): Could not get list\n"},
      {"LIST: 1\nSP: 3\n", "ERROR (LoadCSpellList SP): Spell object not defined\n"},
      {"LIST: 1\nREFID: 3\n", "ERROR (LoadCSpellList REFID): Spell object not defined\n"},
      {"LIST: 1\nBVALUE: 3\n", "ERROR (LoadCSpellList BVALUE): Spell object not defined\n"},
      {"LIST: 1\nSPELL:\n", "ERROR (LoadCSpellList SPELL): Could not read line\n"},
      {"LIST: 1\nSPELL: 1\n", "ERROR (LoadCSpellList SPELL): Argument underrun\n"},
      {"LIST: 1\nSPELL: 2 \"b\"\n", "ERROR (LoadCSpellList SPELL): Could not add object to list\n"},
      {"LIST: 1\nSPELL: 1 \"b\"\nSP:\n", "ERROR (LoadCSpellList SP): Could not read line\n"},
      {"LIST: 1\nSPELL: 1 \"b\"\nREFID: x\n", "ERROR (LoadCSpellList REFID): Argument underrun\n"},
  };
  for (const Case& c : cases) {
    std::string printed;
    EXPECT_FALSE(Load(LoadCSpellListText, c.text, printed)) << c.text;
    EXPECT_EQ(printed, c.printed) << c.text;
  }
}
