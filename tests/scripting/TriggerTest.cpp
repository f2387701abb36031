// Triggers against a fake world: the triglist reader, the firing rules of
// every flag, zones, the trigsave file and the trigger commands.
#include <memory>

#include "ScriptTestSupport.h"

namespace {
struct TriggerGame {
  FakeWorld world;
  ScriptContext context{&world, 1};
  Capture capture;

  // Loads a triglist text as the current map's list.
  bool Load(const std::string& text) {
    context.zones = std::make_unique<ZoneList>();
    context.triggers = LoadTriggerListText(text, "DATA1\\triglist1.dat", 1, &world.cells, context.zones.get());
    context.triggerListNumber = 1;
    return context.triggers != nullptr;
  }
  // The party steps onto (x, y) and the checks run.
  std::string Step(int x, int y) {
    capture.text.clear();
    world.partyX = x;
    world.partyY = y;
    CheckTriggers(context, x, y);
    return capture.text;
  }
};

const char* kBasicList =
    "QUORVELLIAN914 DATA V1\n"
    "LIST: 8\nZLIST: 4\n"
    "T: 0 0 1\nP: 1 1\nSCRIPT: 2\n1 M once-trigger\nEND\n"
    "T: 0 0 0\nP: 2 1\nREMOVE\nSCRIPT: 2\n1 M every-time\nEND\n"
    "T: 0 0 1\nP: 3 1\nSCRIPT: 3\n1 M incomplete\n2 BREAK INC\nEND\n"
    "T: 10 0 0\nZONE: 5 5 7 7\nSCRIPT: 2\n1 M in-zone\nEND\n"
    "T: 0 0 0\nP: 4 1 6 1\nREMOVE\nSCRIPT: 2\n1 M strip\nEND\n"
    "T: 0 0 1\nP: 8 8\nZONE: 8 8 9 9\nSCRIPT: 2\n1 M twice-or-once\nEND\n"
    "T: 0 0 0\nP: 9 0\nSCRIPT: 2\n1 M cell-and-zone\nEND\n"
    "T: 0 0 0\nZONE: ALL\nNOINCAP\nMOVEONLY\nNODARK\nSCRIPT: 2\n1 M everywhere\nEND\n";
}  // namespace

TEST(TriggerList, ReaderAssignsIdsFlagsAndCells) {
  TriggerGame g;
  ASSERT_TRUE(g.Load(kBasicList));
  EXPECT_EQ(g.capture.text, "");
  TriggerList& list = *g.context.triggers;
  EXPECT_EQ(list.Count(), 8);
  // Automatic IDs count from 1; an explicit 10 moves them on to 11.
  EXPECT_EQ(list.IdAt(0), 1);
  EXPECT_EQ(list.IdAt(2), 3);
  EXPECT_EQ(list.IdAt(3), 10);
  EXPECT_EQ(list.IdAt(4), 11);
  EXPECT_EQ(list.Find(1)->flags, trigger::Once);
  EXPECT_EQ(list.Find(2)->flags, trigger::Remove);
  EXPECT_EQ(list.Find(14)->flags, trigger::NoIncap | trigger::MoveOnly);
  EXPECT_EQ(list.Find(14)->flags2, trigger::NoDark);
  EXPECT_EQ(g.world.cells.Get(4, 1), 11);
  EXPECT_EQ(g.world.cells.Get(6, 1), 11);
  EXPECT_EQ(g.world.cells.Get(7, 1), 0);
  ASSERT_EQ(g.context.zones->zones.size(), 3u);
  const TriggerZone all = g.context.zones->zones[2];
  EXPECT_EQ(all.x1, 0);
  EXPECT_EQ(all.x2, 9);
  EXPECT_EQ(all.y2, 9);
  EXPECT_EQ(all.trigger, 14);
}

TEST(TriggerList, ReaderMessages) {
  TriggerGame g;
  ASSERT_TRUE(g.Load(
      "P: 1 1\nT: 1 0 0\nLIST: 4\nT: 1 0 0\nP: 1\nP: 20 1\nZONE: 1 2 3\nZONE: 1 1 2 2\nT: 0 999 1\n"
      "P: 1 1 -1 3\nDONE\nSCRIPT: 2\n1 Bogus\n2 M skipped\nEND\nONCE\n"));
  EXPECT_EQ(g.capture.text,
            "ERROR (Trigger loader): Trigger not created\n"
            "ERROR (Trigger loader): List not created\n"
            "ERROR (Trigger loader): Must provide x,y pair (trigger 1)\n"
            "ERROR (Trigger loader): Failed to set triggers into qmap (trigger 1)\n"
            "ERROR (Trigger loader): Missing params (trigger 1)\n"
            "ERROR (Trigger loader): Zone list not created\n"
            "ERROR (Trigger loader): Could not load external script 999 (trigger 2)\n"
            "ERROR (SCRIPT LOADER): Invalid command \"Bogus\"\n"
            "ERROR (Trigger loader): Could not load internal script (trigger 2)\n");
  const TriggerEntry* t = g.context.triggers->Find(2);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->flags, trigger::Once | trigger::Done);
  // x2 = -1 with a valid y2: a vertical run in column x1.
  EXPECT_EQ(g.world.cells.Get(1, 1), 2);
  EXPECT_EQ(g.world.cells.Get(1, 3), 2);
  EXPECT_EQ(g.world.cells.Get(2, 3), 0);
  // Without LIST: there is no list and no message.
  TriggerGame h;
  EXPECT_FALSE(h.Load("T: 1 0 0\n"));
}

TEST(TriggerList, TwoAutomaticTriggersShareAnExternalScript) {
  InDirectory dir(InDirectory::Fixture());
  TriggerGame g;
  ASSERT_TRUE(g.Load("LIST: 2\nT: 0 900 1\nT: 0 900 1\n"));
  EXPECT_EQ(g.context.triggers->IdAt(0), 1);
  EXPECT_EQ(g.context.triggers->IdAt(1), 2);
  EXPECT_TRUE(g.context.triggers->Find(1)->script && g.context.triggers->Find(2)->script);
  EXPECT_EQ(g.context.triggers->Find(2)->flags, trigger::Once);
}

TEST(TriggerFiring, OnceIncRemoveAndZones) {
  TriggerGame g;
  ASSERT_TRUE(g.Load(kBasicList));
  g.world.moveAction = 1;
  EXPECT_EQ(g.Step(1, 1), "once-trigger\neverywhere\n");
  EXPECT_EQ(g.Step(1, 1), "everywhere\n");  // ONCE and DONE: silent
  // INC keeps a ONCE trigger armed.
  EXPECT_EQ(g.Step(3, 1), "incomplete\neverywhere\n");
  EXPECT_EQ(g.Step(3, 1), "incomplete\neverywhere\n");
  // REMOVE clears only the cell that fired.
  EXPECT_EQ(g.Step(5, 1), "strip\neverywhere\n");
  EXPECT_EQ(g.world.cells.Get(5, 1), 0);
  EXPECT_EQ(g.world.cells.Get(4, 1), 11);
  EXPECT_EQ(g.world.cells.Get(6, 1), 11);
  EXPECT_EQ(g.world.encounterLowered, 1);
  EXPECT_EQ(g.Step(2, 1), "every-time\neverywhere\n");
  EXPECT_EQ(g.Step(2, 1), "everywhere\n");
  // A zone, and a trigger both on the cell and in a zone holding it.
  EXPECT_EQ(g.Step(6, 6), "in-zone\neverywhere\n");
  EXPECT_EQ(g.Step(8, 8), "twice-or-once\neverywhere\n");  // ONCE: the zone check skips it
}

TEST(TriggerFiring, ConditionsOfTheFlags) {
  TriggerGame g;
  ASSERT_TRUE(g.Load(kBasicList));
  g.world.moveAction = 0;  // passed: MOVEONLY does not fire
  EXPECT_EQ(g.Step(0, 9), "");
  g.world.moveAction = 2;
  g.world.incap = true;  // NOINCAP
  EXPECT_EQ(g.Step(0, 9), "");
  g.world.incap = false;
  g.world.dark = true;  // NODARK
  EXPECT_EQ(g.Step(0, 9), "");
  g.world.dark = false;
  EXPECT_EQ(g.Step(0, 9), "everywhere\n");
  // Arrival after loading a saved game: only IMMEDIATE triggers fire.
  g.world.arrival = true;
  g.context.mapLoadType = MapLoadLoadGame;
  EXPECT_EQ(g.Step(0, 9), "");
  g.context.triggers->Find(14)->flags |= trigger::Immediate;
  EXPECT_EQ(g.Step(0, 9), "everywhere\n");
}

TEST(TriggerFiring, ScriptTypeSflagAndMissingScript) {
  TriggerGame g;
  ASSERT_TRUE(g.Load(
      "LIST: 2\nT: 1 0 0\nP: 0 0\nSFLAG: 300\nSCRIPT: 4\n1 CheckScriptType TRIGGER 3\n2 M wrong-type\n"
      "3 CM \"sflag \" -SFLAG -NL\nEND\nT: 2 0 0\nP: 1 0\n"));
  EXPECT_EQ(g.Step(0, 0), "sflag 44\n");
  EXPECT_EQ(g.context.scriptType, ScriptTypeNone);
  EXPECT_EQ(g.context.sflag, 0);
  EXPECT_EQ(g.Step(1, 0), "ERROR (CheckPosTriggers): Script does not exist (incorrectly deleted after a load?)\n");
}

TEST(TriggerFiring, NestedRunDecidesFromItsOwnResult) {
  TriggerGame g;
  ASSERT_TRUE(g.Load("LIST: 1\nT: 5 0 1\nSCRIPT: 2\n1 BREAK INC\nEND\n"));
  // The caller's line (Trigger) ends normally, but the trigger's own run was INC.
  std::unique_ptr<ScriptList> s(LoadScriptText("SCRIPT: 5\n1 Trigger 5\n2 CheckTriggerDone 5 9\n3 M armed\n4 GOTO 0\n9 M done\n"));
  EXPECT_TRUE(RunScript(g.context, s.get()));
  EXPECT_EQ(g.capture.text, "armed\n");
}

TEST(TriggerFiring, TriggerOfAMapLeftDuringItsRun) {
  // The trigger's script "teleports": the world now reports another map.
  struct TeleportWorld : FakeWorld {
    int RunGameCommand(ScriptContext& c, ScriptEngine&, ScriptLine& line) override {
      if (line.command != 28) return -1;
      mapId = 2;
      c.mapReloaded = true;
      c.triggers.reset();  // the old map's list went with the map
      return 1;
    }
  };
  TeleportWorld world;
  ScriptContext context(&world, 1);
  Capture capture;
  context.triggers = LoadTriggerListText("LIST: 1\nT: 1 0 1\nP: 0 0\nREMOVE\nSCRIPT: 2\n1 Teleport 2 0 0\nEND\n", "t", 1,
                                         &world.cells, nullptr);
  ASSERT_TRUE(context.triggers);
  // Not in the memory buffer: nothing of the freed map is touched.
  SetDebugMode(true);
  EXPECT_TRUE(CheckTriggersAt(context, 0, 0));
  SetDebugMode(false);
  EXPECT_EQ(capture.text, "DBG (CheckPosTriggers): Script deleted after load\n");
  EXPECT_EQ(world.encounterLowered, 0);

  // Kept in the memory buffer: the trigger there is marked and its exit cell cleared.
  TriggerCellArray oldCells(4, 4);
  oldCells.Set(3, 2, 1);
  // The map's list moves into the buffer instead of being freed.
  std::unique_ptr<TriggerList> holder;
  struct MoveWorld : FakeWorld {
    std::unique_ptr<TriggerList>* holder;
    int RunGameCommand(ScriptContext& c, ScriptEngine&, ScriptLine&) override {
      *holder = std::move(c.triggers);
      mapId = 2;
      c.mapReloaded = true;
      return 1;
    }
  };
  MoveWorld mw;
  mw.holder = &holder;
  mw.hasBuffered = true;
  mw.bufferedId = 1;
  auto kept = LoadTriggerListText("LIST: 1\nT: 1 0 1\nREMOVE\nSCRIPT: 2\n1 Teleport 2 0 0\nEND\n", "t", 1, nullptr,
                                  nullptr);
  mw.buffered.list = kept.get();
  mw.buffered.cells = &oldCells;
  mw.buffered.exitX = 3;
  mw.buffered.exitY = 2;
  mw.cells.Set(0, 0, 1);
  ScriptContext c2(&mw, 1);
  c2.triggers = std::move(kept);
  EXPECT_TRUE(CheckTriggersAt(c2, 0, 0));
  ASSERT_TRUE(holder);
  EXPECT_TRUE(holder->Find(1)->flags & trigger::Done);
  EXPECT_TRUE(holder->Find(1)->script);
  EXPECT_EQ(oldCells.Get(3, 2), 0);
  EXPECT_EQ(mw.encounterLowered, 1);
}

TEST(TriggerFiring, RecheckIsBounded) {
  // A trigger whose run always asks for a re-check (as Pos -MOVEPC does).
  struct RecheckWorld : FakeWorld {
    int RunGameCommand(ScriptContext& c, ScriptEngine&, ScriptLine& line) override {
      if (line.command != 37) return -1;
      c.triggerRecheck = true;
      return 1;
    }
  };
  RecheckWorld world;
  ScriptContext context(&world, 1);
  Capture capture;
  context.triggers = LoadTriggerListText("LIST: 1\nT: 1 0 0\nP: 0 0\nSCRIPT: 2\n1 Pos PC\nEND\n", "t", 1,
                                         &world.cells, nullptr);
  EXPECT_FALSE(CheckTriggersAt(context, 0, 0));
  EXPECT_EQ(capture.text, "ERROR (CheckTriggersAt): Stopped after 16 trigger re-checks at 0 0\n");
}

TEST(TriggerSave, RoundTripIsByteExact) {
  TriggerGame g;
  ASSERT_TRUE(g.Load(kBasicList));
  g.Step(1, 1);
  g.Step(5, 1);
  const std::string saved = TriggerSaveText(*g.context.triggers, g.world.cells);
  EXPECT_EQ(saved.substr(0, 48), "QUORVELLIAN914 DATA V1\n\nTRIGGERS: 8\nT: 0 1 1\nT: ");
  EXPECT_NE(saved.find("T: 1 2 0\nREMOVE\n"), std::string::npos);
  EXPECT_NE(saved.find("\nPOSITIONS: 10 10\nP: 9 0 13\nP: 1 1 1\n"), std::string::npos);

  // A fresh load of the same list takes the saved state and writes it back unchanged.
  TriggerGame h;
  ASSERT_TRUE(h.Load(kBasicList));
  ASSERT_TRUE(ApplySavedTriggerText(saved, h.context.triggers.get(), &h.world.cells));
  EXPECT_EQ(TriggerSaveText(*h.context.triggers, h.world.cells), saved);
  EXPECT_EQ(h.world.cells.Get(5, 1), 0);
  EXPECT_TRUE(h.context.triggers->Find(1)->flags & trigger::Done);
}

TEST(TriggerSave, SavedDoneZeroClearsAndErrorsAreReported) {
  TriggerGame g;
  ASSERT_TRUE(g.Load("LIST: 2\nT: 1 0 0\nDONE\nT: 2 0 0\n"));
  EXPECT_TRUE(ApplySavedTriggerText("TRIGGERS: 2\nT: 0 1 0\nPOSITIONS: 10 10\n", g.context.triggers.get(), &g.world.cells));
  EXPECT_FALSE(g.context.triggers->Find(1)->flags & trigger::Done);
  struct Case {
    const char* text;
    const char* printed;
  } cases[] = {
      {"TRIGGERS: 3\n", "ERROR (LoadSavedTriggerList): Size 3 of saved list mismatch, 2 expected\n"},
      {"TRIGGERS: 2\nT: 0 2 1\nPOSITIONS: 1 1\n", "ERROR (LoadSavedTriggerList): Trigger load of save file failed\n"},
      {"TRIGGERS: 2\nREMOVE\nPOSITIONS: 1 1\n", "ERROR (LoadSavedTriggerList): Trigger load of save file failed\n"},
      {"TRIGGERS: 2\nT: 0 1\n", "ERROR (LoadSavedTriggerList): Trigger load of save file failed\n"},
      {"TRIGGERS: 2\nT: 0 1 1\n", "ERROR (LoadSavedTriggerList): Trigger load of save file failed\n"},
      {"TRIGGERS: 2\nPOSITIONS: 10 10\nP: 10 0 1\n", "ERROR (LoadSavedTriggerList): Trigger load of save file failed\n"},
  };
  for (const Case& c : cases) {
    g.capture.text.clear();
    EXPECT_FALSE(ApplySavedTriggerText(c.text, g.context.triggers.get(), &g.world.cells)) << c.text;
    EXPECT_EQ(g.capture.text, c.printed) << c.text;
  }
}

TEST(TriggerSave, FilesInTheSaveDirectory) {
  InDirectory dir(InDirectory::Temp());
  ASSERT_EQ(system("mkdir -p DATA1 save/Default1"), 0);
  WriteFile("DATA1/triglist3.dat", "LIST: 2\nT: 1 0 1\nP: 2 2\nSCRIPT: 2\n1 M hi\nEND\nT: 2 0 0\nP: 3 3\n");
  TriggerGame g;
  g.context.triggerListNumber = 3;
  ASSERT_TRUE(LoadTriggerList(g.context));  // no trigsave yet: success
  g.Step(2, 2);
  ASSERT_TRUE(SaveGameTriggers(g.context));
  const std::string saved = ReadTextFile("save/Default1/trigsave3.dat");
  EXPECT_EQ(saved, "QUORVELLIAN914 DATA V1\n\nTRIGGERS: 2\nT: 0 1 1\nT: 1 2 0\n\nPOSITIONS: 10 10\nP: 2 2 1\nP: 3 3 2\n");
  // The list grew: the saved state is refused.
  WriteFile("DATA1/triglist3.dat", "LIST: 5\nT: 1 0 1\n");
  g.capture.text.clear();
  EXPECT_FALSE(LoadTriggerList(g.context));
  EXPECT_EQ(g.capture.text, "ERROR (LoadSavedTriggerList): Size 2 of saved list mismatch, 5 expected\n");
  // A missing list never blocks saving, and the saved file stays as it was.
  g.context.triggers.reset();
  g.capture.text.clear();
  EXPECT_TRUE(SaveGameTriggers(g.context));
  EXPECT_EQ(g.capture.text, "WARNING (SaveTriggerList): No trigger list 3 loaded, the saved trigger state is kept\n");
  EXPECT_EQ(ReadTextFile("save/Default1/trigsave3.dat"), saved);
}

TEST(TriggerCommands, InspectAndChange) {
  TriggerGame g;
  ASSERT_TRUE(g.Load("LIST: 2\nT: 1 0 1\nP: 0 0\nSCRIPT: 2\n1 M fired\nEND\nT: 2 0 0\n"));
  std::unique_ptr<ScriptList> s(LoadScriptText(
      "SCRIPT: 20\n1 Trigger 1\n2 CheckTriggerDone 1 4\n3 M not-done\n4 SetTrigger 1 DONE 0\n5 Trigger 1\n"
      "6 PlaceTriggers 2 1 1 2 2\n7 RemoveTrigger 2 2\n8 PlaceTriggers 2 5 5\n9 Trigger 7\n"));
  EXPECT_FALSE(RunScript(g.context, s.get()));
  EXPECT_EQ(g.capture.text, "fired\nfired\nSCRIPT ERROR (Trigger): Invalid trigger 7\nSCRIPT ERROR: Line 8\n");
  EXPECT_EQ(g.world.cells.Get(1, 1), 2);
  EXPECT_EQ(g.world.cells.Get(2, 2), 0);
  EXPECT_EQ(g.world.cells.Get(5, 5), 2);
  struct Case {
    const char* line;
    const char* printed;
  } cases[] = {
      {"1 PlaceTriggers 2 1 1 2", "SCRIPT ERROR (PlaceTriggers): Argument underrun\n"},
      {"1 PlaceTriggers 2 1 1 20 2", "SCRIPT ERROR (PlaceTriggers): Setting ID 2 onto qualities map failed (1 1 20 2)\n"},
      {"1 SetTrigger 1 ONCE 1", "SCRIPT ERROR (SetTrigger): Unknown type: ONCE\n"},
      {"1 SetTrigger 9 DONE 1", "SCRIPT ERROR (SetTrigger): Invalid trigger\n"},
      {"1 CheckTriggerDone 1", "SCRIPT ERROR (CheckTriggerDone): Argument underrun\n"},
      {"1 RemoveTrigger 10 2", "SCRIPT ERROR (RemoveTrigger): Width out of range (10, width 10)\n"},
      {"1 RemoveTrigger 1 -1", "SCRIPT ERROR (RemoveTrigger): Height out of range (-1, height 10)\n"},
      {"1 RemoveTrigger 1", "SCRIPT ERROR (RemoveTrigger): Argument underrun\n"},
  };
  for (const Case& c : cases) {
    g.capture.text.clear();
    std::unique_ptr<ScriptList> t(LoadScriptText(std::string("SCRIPT: 2\n") + c.line + "\n"));
    EXPECT_FALSE(RunScript(g.context, t.get()));
    EXPECT_EQ(g.capture.text, std::string(c.printed) + "SCRIPT ERROR: Line 0\n") << c.line;
  }
  g.context.triggers.reset();
  g.capture.text.clear();
  std::unique_ptr<ScriptList> u(LoadScriptText("SCRIPT: 2\n1 CheckTriggers\n2 Trigger 1\n"));
  EXPECT_FALSE(RunScript(g.context, u.get()));
  EXPECT_EQ(g.capture.text, "SCRIPT ERROR (Trigger): Trigger list undefined\nSCRIPT ERROR: Line 1\n");
}
