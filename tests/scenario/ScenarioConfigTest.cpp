#include "scenario/ScenarioConfig.h"

#include <gtest/gtest.h>

#include "ScenarioTestUtil.h"
#include "scenario/ScanText.h"

namespace {
ScenarioConfig Read(const std::string& text, std::string* printed = nullptr) {
  CaptureOutput out;
  ScenarioConfig cfg;
  ReadConfigText(cfg, 1, text, "DATA1\\scenario.dat");
  if (printed) *printed = out.text;
  return cfg;
}
}  // namespace

TEST(ScenarioConfig, DefaultsBeforeAnyFile) {
  ScenarioConfig c;
  EXPECT_EQ(c.startMap, 1);
  EXPECT_EQ(c.ccMinAttrib, 1);
  EXPECT_FLOAT_EQ(c.ccAbMult, 1.0f);
  EXPECT_EQ(c.offerMult, 100);
  EXPECT_EQ(c.verbosity, 2);
  EXPECT_EQ(c.fxAttack, 2);
  EXPECT_EQ(c.fxDelay, 1000u);
  EXPECT_EQ(c.aiFlags, 3);
  EXPECT_EQ(c.aiDiagonal, 1);
  EXPECT_EQ(c.aiMoveType, 1);
  EXPECT_EQ(c.aiNoWanderFreq, 4);
  EXPECT_EQ(c.findEnemyDist, 1);
  EXPECT_EQ(c.groupRetreat, 25);
  EXPECT_EQ(c.zoomEnemies, 1);
  EXPECT_EQ(c.retreatCheckDelay, 255);
  EXPECT_EQ(c.retreatCheckDistInc, -1);
  EXPECT_EQ(c.lightPointRate, 1);
  EXPECT_EQ(c.poisonDamageRate, 1);
  EXPECT_EQ(c.windCalm, 20);
  EXPECT_EQ(c.animate, 1);
  EXPECT_EQ(c.vmAnimate, 1);
  EXPECT_EQ(c.cfSave, 1);
  EXPECT_FALSE(c.strReady);
}

// Every keyword of the demo file, its include and its comments.
TEST(ScenarioConfig, DemoFileSetsEveryKeyword) {
  InDirectory dir(FixtureDir());
  CaptureOutput out;
  ScenarioConfig c;
  ASSERT_TRUE(ReadConfigFile(c, 1));
  EXPECT_EQ(c.startMap, 3);
  EXPECT_EQ(c.ccPoints, 60);
  EXPECT_EQ(c.ccMinAttrib, 4);
  EXPECT_EQ(c.ccMaxAttrib, 18);
  EXPECT_FLOAT_EQ(c.ccAbMult, 1.5f);
  EXPECT_FLOAT_EQ(c.ccDdbMult, 0.25f);
  EXPECT_EQ(c.ccSaveMod, -2);
  EXPECT_EQ(c.ccWeightMult, 5);
  EXPECT_TRUE(c.weightLimits);
  EXPECT_EQ(c.pcAttribMod, 1);
  EXPECT_EQ(c.winType, WinFlag);
  EXPECT_EQ(c.winValue, 3);
  EXPECT_EQ(c.foodRate, 40);
  EXPECT_EQ(c.noFoodDamage, 10);
  EXPECT_EQ(c.offerMult, 5);
  EXPECT_EQ(c.fpTurningFree, 1);
  EXPECT_EQ(c.itemTerrainCap, 1001);
  EXPECT_EQ(c.flags, FlagNoEvilXp | FlagTurnScriptDelete | FlagZoomScreenLock);
  EXPECT_EQ(c.verbosity, 4);  // from the included file
  EXPECT_EQ(c.textPause, 1);
  EXPECT_EQ(c.statsType, 1);
  EXPECT_EQ(c.sbField4, 6);
  EXPECT_EQ(c.sbField5, 8);
  EXPECT_EQ(c.strReady.value_or("?"), "0: Bare: hands");
  EXPECT_EQ(c.strWear.value_or("?"), "0: Nothing");
  EXPECT_EQ(c.equipType, 1);
  EXPECT_EQ(c.fxAttack, 0);
  EXPECT_EQ(c.fxDelay, 250u);
  EXPECT_EQ(c.aiDiagonal, 0);
  EXPECT_EQ(c.aiMoveType, 2);
  EXPECT_EQ(c.aiNoWanderFreq, 8);
  EXPECT_EQ(c.aiRetreatType, 1);
  EXPECT_EQ(c.aiAttackType, 2);
  EXPECT_EQ(c.aiFlags, AiGroupDisband | AiAttackersDefended);
  EXPECT_EQ(c.findEnemyDist, 6);
  EXPECT_EQ(c.groupRetreat, 40);
  EXPECT_EQ(c.zoomEnemies2, 4);
  EXPECT_EQ(c.zoomEnemies3, 5);
  EXPECT_EQ(c.zoomEnemies, 6);
  EXPECT_EQ(c.retreatCheckDelay, 3);
  EXPECT_EQ(c.retreatCheckXp, 10);
  EXPECT_EQ(c.retreatCheckBaseXp, 0);  // negative stored as 0
  EXPECT_EQ(c.retreatCheckDistInc, 2);
  EXPECT_EQ(c.lightRate, 3);
  EXPECT_EQ(c.lightPointRate, 2);
  EXPECT_EQ(c.poisonRate, 4);
  EXPECT_EQ(c.poisonDamageRate, 2);
  EXPECT_EQ(c.wind, 1);
  EXPECT_EQ(c.windCalm, 30);
  EXPECT_EQ(c.vmType, 2);
  EXPECT_EQ(c.vmCharTile, 77);
  EXPECT_EQ(c.visibility, 1);
  EXPECT_EQ(c.animate, 0);
  EXPECT_EQ(c.vmAnimate, 0);
  EXPECT_EQ(c.trapUnskilled, 15);
  EXPECT_EQ(c.cfSave, 0);
  EXPECT_EQ(c.party, 4);  // the commented PARTY 9 is skipped
  EXPECT_EQ(c.partyCc, 2);
  EXPECT_EQ(c.scenarioId.value_or("?"), "demo-1");
  EXPECT_EQ(c.cheat, 1);
  EXPECT_EQ(out.text,
            " Welcome to the demo\n"
            "ERROR: Max 1 nested file exceeded; could not open DATA1\\more.dat\n");
}

TEST(ScenarioConfig, MissingFilesKeepDefaults) {
  InDirectory dir(FixtureDir());
  ScenarioConfig c;
  EXPECT_FALSE(ReadConfigFile(c, 99));
  EXPECT_EQ(c.verbosity, 2);
}

TEST(ScenarioConfig, ValueForms) {
  struct Case {
    const char* text;
    int16_t startMap;
  } cases[] = {
      {"STARTMAP 30", 30},          {"STARTMAP: 30", 30},         {"STARTMAP:30", 30},
      {"STARTMAP:   \"30\"", 30},   {"STARTMAP 70000", 4464},     {"STARTMAP 12abc", 12},
      {"STARTMAP abc", 0},          {"startmap 5", 1},            {"#STARTMAP 5", 1},
      {"STARTMAP 5\r\n", 5},        {"STARTMAP 5\nSTARTMAP 6", 6}, {"STARTMAP 8", 8},  // no final line end
      {"/* STARTMAP 5 */\nSTARTMAP 6\n*/\nSTARTMAP 7", 7},
      {"/*x\nSTARTMAP 6", 6},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    // Files are read with CR LF dropped, as ReadScenarioText does.
    DropLineEndCRs(text);
    EXPECT_EQ(Read(text).startMap, c.startMap) << c.text;
  }
}

TEST(ScenarioConfig, TextValues) {
  ScenarioConfig c = Read("STRREADY: \" a: b \"\nSTRWEAR:   rest of: line\nSCENARIOID x\nSTRREADY \"q\"");
  EXPECT_EQ(c.strReady.value_or("?"), " \"q\"");  // no colon: the rest of the line from the blank
  EXPECT_EQ(c.strWear.value_or("?"), "rest of: line");
  EXPECT_EQ(c.scenarioId.value_or("?"), " x");
  std::string printed;
  c = Read("STRREADY: \"open\nSTRREADY: ok", &printed);
  EXPECT_EQ(c.strReady.value_or("?"), "ok");
  EXPECT_EQ(printed, "ERROR (ReadConfigFile): Unterminated quoted text for STRREADY\n");
}

TEST(ScenarioConfig, SpecialForms) {
  struct Case {
    const char* text;
    const char* printed;
    bool (*check)(const ScenarioConfig&);
  } cases[] = {
      {"WIN KILL 7", "", [](const ScenarioConfig& c) { return c.winType == WinKill && c.winValue == 7; }},
      {"WIN KILL 7\nWIN FLAG 3", "", [](const ScenarioConfig& c) { return c.winType == WinFlag && c.winValue == 3; }},
      {"WIN KILL 7\nWIN OTHER 3", "", [](const ScenarioConfig& c) { return c.winType == WinKill && c.winValue == 7; }},
      {"WIN KILL", "ERROR (ReadConfigFile/WIN): Missing value after KILL\n",
       [](const ScenarioConfig& c) { return c.winType == WinNone; }},
      {"SBFIELD 4 WIND", "", [](const ScenarioConfig& c) { return c.sbField4 == 7 && c.sbField5 == 0; }},
      {"SBFIELD 5 12", "", [](const ScenarioConfig& c) { return c.sbField5 == 12; }},
      {"SBFIELD 3 HP", "ERROR (ReadConfigFile/SBFIELD): Invalid pos 3\n",
       [](const ScenarioConfig& c) { return c.sbField4 == 0 && c.sbField5 == 0; }},
      {"AIATTACKTYPE NORMAL", "", [](const ScenarioConfig& c) { return c.aiAttackType == 1; }},
      {"AIATTACKTYPE ZOOM", "", [](const ScenarioConfig& c) { return c.aiAttackType == 3; }},
      {"AIATTACKTYPE 9", "", [](const ScenarioConfig& c) { return c.aiAttackType == 9; }},
      {"ZOOMENEMIES 2", "", [](const ScenarioConfig& c) { return c.zoomEnemies == 2 && c.zoomEnemies2 == 0; }},
      {"ZOOMENEMIES 2 3", "ERROR (ReadConfigFile/ZOOMENEMIES): Use 1 or 3 params\n",
       [](const ScenarioConfig& c) { return c.zoomEnemies == 1; }},
      {"ZOOMENEMIES 1 2 3 4", "ERROR (ReadConfigFile/ZOOMENEMIES): Use 1 or 3 params\n",
       [](const ScenarioConfig& c) { return c.zoomEnemies == 1; }},
      {"LIGHTRATE 3 0", "ERROR (ReadConfigFile/LIGHTRATE): Invalid point rate 0\n",
       [](const ScenarioConfig& c) { return c.lightRate == 0 && c.lightPointRate == 1; }},
      {"LIGHTRATE 0 2", "ERROR (ReadConfigFile/LIGHTRATE): Invalid light rate 0\n",
       [](const ScenarioConfig& c) { return c.lightRate == 0 && c.lightPointRate == 1; }},
      {"POISONRATE 2", "ERROR (ReadConfigFile/POISONRATE): Invalid damage rate 0\n",
       [](const ScenarioConfig& c) { return c.poisonRate == 0 && c.poisonDamageRate == 1; }},
      {"POISONRATE 0 1", "ERROR (ReadConfigFile/POISONRATE): Invalid duration rate 0\n",
       [](const ScenarioConfig& c) { return c.poisonRate == 0; }},
      {"POISONRATE 256 1", "ERROR (ReadConfigFile/POISONRATE): Invalid duration rate 256\n",
       [](const ScenarioConfig& c) { return c.poisonRate == 0; }},
      {"NOEVILXP 1\nNOEVILXP 0\nZMSCREENLOCK 5", "",
       [](const ScenarioConfig& c) { return c.flags == FlagZoomScreenLock; }},
      {"AIDOGROUPDISBAND 0\nATTACKERSDEFENDED 1", "", [](const ScenarioConfig& c) { return c.aiFlags == 5; }},
      {"CCWEIGHTMULT 65536", "", [](const ScenarioConfig& c) { return c.ccWeightMult == 0 && !c.weightLimits; }},
      {"CHEAT whatever", "", [](const ScenarioConfig& c) { return c.cheat == 1; }},
      {"M %s%n%d", " %s%n%d\n", [](const ScenarioConfig&) { return true; }},
      {"M: \"quoted\"", "quoted\n", [](const ScenarioConfig&) { return true; }},
  };
  for (const Case& c : cases) {
    std::string printed;
    ScenarioConfig cfg = Read(c.text, &printed);
    EXPECT_EQ(printed, c.printed) << c.text;
    EXPECT_TRUE(c.check(cfg)) << c.text;
  }
}

TEST(ScenarioConfig, IncludeForms) {
  InDirectory dir(FixtureDir());
  std::string printed;
  Read("INCLUDE -NOWARN \"no such.dat\"\nINCLUDE: -NOWARN gone.dat", &printed);
  EXPECT_EQ(printed, "");
  Read("INCLUDE gone.dat", &printed);
  EXPECT_EQ(printed, "WARNING: Could not open DATA1\\gone.dat\n");
  ScenarioConfig c = Read("INCLUDE: more.dat\nVERBOSITY 1", &printed);
  EXPECT_EQ(c.verbosity, 1);  // reading goes on after the include line
  EXPECT_EQ(printed, "ERROR: Max 1 nested file exceeded; could not open DATA1\\more.dat\n");
}

TEST(ScenarioConfig, PlugInHooks) {
  std::vector<std::string> calls;
  PlugInHooks hooks;
  hooks.load = [&](const std::string& m) {
    calls.push_back("load" + m);
    return m != " bad";
  };
  hooks.command = [&](const std::string& c) {
    calls.push_back("cmd" + c);
    return c == " ping" ? std::string("pong") : std::string();
  };
  CaptureOutput out;
  ScenarioConfig cfg;
  ReadConfigText(cfg, 1, "PLUGIN good\nPLUGINCMD ping\nPLUGINCMD quiet\nPLUGIN bad", "s", &hooks);
  EXPECT_EQ(calls, (std::vector<std::string>{"load good", "cmd ping", "cmd quiet", "load bad"}));
  EXPECT_EQ(out.text, "pong\nERROR (ReadConfigFile PLUGIN): Could not create plugin manager\n");
}
