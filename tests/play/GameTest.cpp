#include <gtest/gtest.h>

#include "PlayFixture.h"
#include "scenario/Keywords.h"
#include "scenario/TerrainGroups.h"
#include "world/WorldPaths.h"

namespace {
std::string ReadAll(const std::string& path) {
  std::string text;
  AReadFile(path, text);
  return text;
}

// Every file of a directory with its contents.
std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& dir) {
  std::vector<std::string> names;
  AListDir(dir, names);
  std::vector<std::pair<std::string, std::string>> out;
  for (const std::string& n : names) out.emplace_back(n, ReadAll(dir + "\\" + n));
  return out;
}

TEST_F(PlayTest, NewGameWritesTheWorkingSaveAndStacksTheObjects) {
  NewGame();
  EXPECT_TRUE(AFileExists("save\\Default1\\version.dat"));
  EXPECT_TRUE(AFileExists("save\\Default1\\pc.dat"));
  EXPECT_NE(ReadAll("save\\Default1\\version.dat").find("MAIN: 1.0"), std::string::npos);
  EXPECT_EQ(game->mapNumber, 1);
  EXPECT_EQ(game->playerX, 2);
  EXPECT_EQ(game->playerY, 2);
  EXPECT_EQ(game->mapLoadType, 2);
  EXPECT_EQ(control.mode, OverheadPlay);
  // Quick start: 30 / 6 = 5 more on every attribute.
  EXPECT_EQ(game->pc->attrib[0], 10);
  EXPECT_EQ(game->pc->capacity, 2u * 20u * 1000u);
  EXPECT_EQ(game->pc->weight, 10u * 1000u);  // thousandths
  // Locations at the bottom, then items, then creatures.
  std::vector<QEntry> stack = game->qmap->Stack(3, 2);
  ASSERT_EQ(stack.size(), 2u);
  EXPECT_EQ(stack[0].kind, KindItem);
  EXPECT_EQ(stack[0].id, 2);
  EXPECT_EQ(game->overlay[2 * 8 + 3], 12);
  EXPECT_EQ(game->qmap->Top(5, 2)->kind, KindCreature);
  EXPECT_EQ(game->creatures->Get(1)->hp, 4);  // the definition's maximum
}

TEST_F(PlayTest, BlockedMovesCostNothing) {
  NewGame();
  game->HandleOverheadKey(keys::Right);  // (3,2): items only
  game->HandleOverheadKey(keys::Right);  // (4,2): the cave
  out.clear();
  game->HandleOverheadKey(keys::Right);  // (5,2): the rat blocks
  EXPECT_EQ(out, "EAST--INVALID MOVE!\nCMD: ");
  EXPECT_EQ(game->playerX, 4);
  // The wall at (1,3) and the water at (6,1) block a walker too.
  game->playerX = 1;
  game->playerY = 2;
  out.clear();
  game->HandleOverheadKey(keys::Down);
  EXPECT_EQ(out, "SOUTH--INVALID MOVE!\nCMD: ");
  // A border of type 0 with a message prints it on its own line.
  game->playerX = 2;
  game->playerY = 0;
  out.clear();
  game->HandleOverheadKey(keys::Up);
  EXPECT_EQ(out, "NORTH\nThe mountains are too steep.\nCMD: ");
  EXPECT_EQ(game->playerY, 0);
}

TEST_F(PlayTest, CommandsNotYetAvailableAndIllegalKeys) {
  NewGame();
  game->HandleOverheadKey('H');
  EXPECT_EQ(out, "-ILLEGAL COMMAND!\nCMD: ");
  out.clear();
  game->HandleOverheadKey('K');
  EXPECT_EQ(out, "KLIMB-WHAT?\nCMD: ");
  out.clear();
  game->HandleOverheadKey('J');
  EXPECT_EQ(out, "JUMP...WHEE...\nCMD: ");
  out.clear();
  game->HandleOverheadKey(keys::Space);
  EXPECT_EQ(out, "PASS\nCMD: ");
  out.clear();
  game->HandleOverheadKey(keys::F11);
  EXPECT_EQ(out, "F11: Test key\nCMD: ");
}

TEST(CheckTerrainTable, CapabilityAgainstTerrain) {
  auto groups = LoadTerrainGroupsText("QUORVELLIAN914 DATA V1\nLIST: 1\nTG: 1001 5 6\n", "Terrain.dat");
  ASSERT_TRUE(groups);
  struct Case {
    int cap, terrain;
    bool blocked;
  } cases[] = {
      {0, 0, true},     {1, 2, true},     {3, 1, false},    {3, 6, false},   {2, 1, true},    {2, 6, false},
      {5, 0, false},    {5, 2, false},    {5, 1, true},     {5, 5, false},   {5, 6, true},    {6, 6, false},
      {1001, 5, false}, {1001, 6, false}, {1001, 7, true},  {1001, 1, true},
      {1003, 5, true},  {1003, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckTerrain(groups.get(), uint16_t(c.terrain), uint16_t(c.cap)), c.blocked)
        << c.cap << " on " << c.terrain;
  // Without Terrain.dat a group capability follows the last row.
  EXPECT_FALSE(CheckTerrain(nullptr, 1001, 1001));
  EXPECT_TRUE(CheckTerrain(nullptr, 5, 1001));
}

TEST_F(PlayTest, CellsWithoutTileAndObjectsForSpecialCapabilities) {
  NewGame();
  game->map->SetTile(6, 5, 0);
  EXPECT_TRUE(game->CellBlocked(6, 5));
  game->pc->def.terrainCap = CapabilityAll;
  EXPECT_FALSE(game->CellBlocked(6, 5));
  EXPECT_FALSE(game->CellBlocked(5, 2));  // even the rat
  game->pc->def.terrainCap = CapabilityEmpty;
  EXPECT_TRUE(game->CellBlocked(3, 2));  // every object blocks
}

TEST_F(PlayTest, WrapBorderAndLinkWrapWithArrivalClampedOnBothAxes) {
  NewGame();
  game->playerX = 0;
  game->playerY = 4;
  game->HandleOverheadKey(keys::Left);  // west border wraps
  EXPECT_EQ(game->playerX, 7);
  EXPECT_EQ(game->mapNumber, 1);
  game->playerY = 5;
  Keys({'Y'});
  game->HandleOverheadKey(keys::Right);  // east: LINKWRAP to the 4x4 map 2
  EXPECT_EQ(game->mapNumber, 2);
  EXPECT_EQ(game->playerX, 0);
  EXPECT_EQ(game->playerY, 3);  // row 5 does not exist there
  EXPECT_EQ(game->mapLoadType, 3);
}

TEST_F(PlayTest, LinkBorderWithCollisionShiftAndRefusedExit) {
  NewGame();
  Keys({'Y'});
  game->playerX = 7;
  game->HandleOverheadKey(keys::Right);
  ASSERT_EQ(game->mapNumber, 2);
  // Map 2's creature stands on (0,3); going east returns to map 1 at (0,0).
  game->playerX = 3;
  game->playerY = 0;
  out.clear();
  Keys({'N'});
  game->HandleOverheadKey(keys::Right);
  EXPECT_EQ(game->mapNumber, 2);
  EXPECT_NE(out.find("Are you sure you wish to exit? NO"), std::string::npos);
  // South: LINK to map 3 at (2,9): clamped to the last row.
  Keys({'Y'});
  game->playerX = 1;
  game->playerY = 3;
  game->HandleOverheadKey(keys::Down);
  EXPECT_EQ(game->mapNumber, 3);
  EXPECT_EQ(game->playerX, 2);
  EXPECT_EQ(game->playerY, 4);
}

TEST_F(PlayTest, ArrivalOnABlockedCellShiftsByTheTableOrder) {
  NewGame();
  // Put a rat on map 1's (0,0); map 2's east border leads there with shift 4.
  game->CreateApplyCreature(1, 0, 0, 0);
  ASSERT_EQ(game->SaveGame(), 1);
  Keys({'Y', 'Y'});
  game->playerX = 7;
  game->HandleOverheadKey(keys::Right);
  ASSERT_EQ(game->mapNumber, 2);
  game->playerX = 3;
  game->playerY = 1;
  game->HandleOverheadKey(keys::Right);
  ASSERT_EQ(game->mapNumber, 1);
  // Shift 4 turned for the east side (1): type 1, whose first free cell is (0,1).
  EXPECT_EQ(game->playerX, 0);
  EXPECT_EQ(game->playerY, 1);
}

TEST_F(PlayTest, ExitBorderNeedsTheExitStack) {
  NewGame();
  game->playerY = 5;
  out.clear();
  game->HandleOverheadKey(keys::Down);
  EXPECT_NE(out.find("ERROR (BorderMove): Link map undefined"), std::string::npos);
  EXPECT_EQ(game->mapNumber, 1);
}

TEST_F(PlayTest, EnterAndLeaveThroughTheExitStack) {
  NewGame();
  game->playerX = 4;
  game->playerY = 2;
  out.clear();
  game->HandleOverheadKey('E');
  EXPECT_EQ(out, "ENTER-Cave\nYou crawl inside.\nIt is damp here.\nCMD: ");
  EXPECT_EQ(game->mapNumber, 3);
  EXPECT_EQ(game->playerX, 4);  // link type 2 keeps the position
  EXPECT_EQ(game->world.exits.slots[0].map, 1);
  EXPECT_EQ(game->howArrived, 7);
  // Any edge of map 3 goes back where the cave was entered.
  Keys({'Y'});
  game->HandleOverheadKey(keys::Right);
  EXPECT_EQ(game->mapNumber, 1);
  EXPECT_EQ(game->playerX, 4);
  EXPECT_EQ(game->playerY, 2);
  EXPECT_EQ(game->world.exits.Peek(), nullptr);
  // The exit location of map 3 (link type 3) pops the stack as well.
  game->HandleOverheadKey('E');
  ASSERT_EQ(game->mapNumber, 3);
  game->playerX = 2;
  game->playerY = 4;
  game->HandleOverheadKey('E');
  EXPECT_EQ(game->mapNumber, 1);
  EXPECT_EQ(game->playerX, 4);
}

TEST_F(PlayTest, KlimbDescendAndSign) {
  NewGame();
  game->playerX = 1;
  game->playerY = 1;
  out.clear();
  game->HandleOverheadKey('D');
  EXPECT_EQ(out, "DESCEND-WHAT?\nCMD: ");
  out.clear();
  game->HandleOverheadKey('K');
  EXPECT_EQ(out, "KLIMB-Ladder\nCMD: ");
  EXPECT_EQ(game->mapNumber, 3);
  EXPECT_EQ(game->playerX, 0);
  EXPECT_EQ(game->world.borderDir, 4);
  // Back and down the hole: link type 4 after a descent takes the new map's
  // up stair arrival point.
  ASSERT_EQ(game->ChangeMap(1, 0, 5, true), 1);
  game->HandleOverheadKey('D');
  EXPECT_EQ(game->mapNumber, 3);
  EXPECT_EQ(game->playerX, 1);
  EXPECT_EQ(game->playerY, 1);
  ASSERT_EQ(game->ChangeMap(1, 6, 4, true), 1);
  out.clear();
  game->HandleOverheadKey('E');
  EXPECT_EQ(out, "ENTER-The sign reads:\nWelcome to the vale\nCMD: ");
}

TEST_F(PlayTest, LocationLinkTypes) {
  NewGame();
  LocationObject* cave = game->locations->Get(1);
  struct Case {
    uint8_t type, posMode;
    int16_t dx, dy;
    int map, x, y;
  } cases[] = {
      {1, 0, 3, 1, 3, 3, 1},   // given position on another map
      {1, 2, -9, 1, 3, 0, 3},  // an added offset below 0 comes back to the edge
      {6, 0, 0, 0, 3, 2, 4},   // the position of location 1 of map 3
  };
  for (const Case& c : cases) {
    ASSERT_EQ(game->ChangeMap(1, 4, 2, true), 1);
    cave = game->locations->Get(1);
    cave->entryType = c.type;
    cave->positionMode = c.posMode;
    cave->destX = c.dx;
    cave->destY = c.dy;
    cave->linkedObject = 1;
    ASSERT_EQ(game->UseLocation(1), 1);
    EXPECT_EQ(game->mapNumber, c.map) << int(c.type);
    EXPECT_EQ(game->playerX, c.x) << int(c.type);
    EXPECT_EQ(game->playerY, c.y) << int(c.type);
  }
  // Link type 1 on the same map moves within it.
  ASSERT_EQ(game->ChangeMap(1, 4, 2, true), 1);
  cave = game->locations->Get(1);
  cave->entryType = 1;
  cave->destMap = 0;
  cave->destX = 6;
  cave->destY = 5;
  ASSERT_EQ(game->UseLocation(1), 1);
  EXPECT_EQ(game->mapNumber, 1);
  EXPECT_EQ(game->playerX, 6);
  EXPECT_EQ(game->playerY, 5);
}

TEST_F(PlayTest, MapLeftAndReenteredKeepsItsChanges) {
  NewGame();
  ASSERT_EQ(game->RemoveObject(KindItem, 2, true), 1);
  game->CreateApplyItem(1, 6, 5, 70000);
  game->playerX = 4;
  game->playerY = 2;
  game->HandleOverheadKey('E');
  ASSERT_EQ(game->mapNumber, 3);
  // The new item took the first free ID, the one just freed.
  EXPECT_NE(ReadAll("save\\Default1\\map1.dat").find("I: 2 1 6 5; 70000 0"), std::string::npos);
  Keys({'Y'});
  game->playerY = 0;
  game->HandleOverheadKey(keys::Up);
  ASSERT_EQ(game->mapNumber, 1);
  ASSERT_NE(game->items->Get(2), nullptr);
  EXPECT_EQ(game->items->Get(2)->quantity, 70000);
  EXPECT_EQ(game->qmap->Top(6, 5)->id, 2);
  EXPECT_EQ(game->qmap->StackSize(3, 2), 1);
}

TEST_F(PlayTest, MemoryAndGroupBuffers) {
  // Map 1 buffered in memory, map 2 in the group buffer directory; neither saves.
  WriteFile("DATA1\\map1.dat",
            "QUORVELLIAN914 DATA V1\nSAVE: 0\nGROUP: 4\nMBUFFER: 1\nFBUFFER: 1\n"
            "ILIST: 8\nI: 1 1 3 2; 5 0\nEND\n");
  WriteFile("DATA1\\map2.dat", "QUORVELLIAN914 DATA V1\nSAVE: 0\nGROUP: 4\nFBUFFER: 1\nCLIST: 4\nC: 1 1 0 3\nEND\n");
  NewGame();
  EXPECT_TRUE(ADirExists("save\\Buffer4"));
  game->RemoveObject(KindItem, 1, true);
  Keys({'Y', 'Y', 'Y'});
  game->playerX = 7;
  game->HandleOverheadKey(keys::Right);
  ASSERT_EQ(game->mapNumber, 2);
  EXPECT_EQ(game->memoryBuffer.count(1), 1u);
  EXPECT_TRUE(AFileExists("save\\Buffer4\\map1.dat"));
  game->RemoveObject(KindCreature, 1, true);
  game->playerX = 0;
  game->playerY = 1;
  game->HandleOverheadKey(keys::Left);
  ASSERT_EQ(game->mapNumber, 1);
  EXPECT_EQ(game->items->Get(1), nullptr);  // from memory
  EXPECT_TRUE(game->fromMemory);
  EXPECT_FALSE(AFileExists("save\\Default1\\map1.dat"));
  EXPECT_TRUE(AFileExists("save\\Buffer4\\map2.dat"));
  game->playerX = 7;
  game->HandleOverheadKey(keys::Right);
  ASSERT_EQ(game->mapNumber, 2);
  EXPECT_FALSE(game->fromMemory);
  EXPECT_EQ(game->creatures->Get(1), nullptr);  // from save\Buffer4
}

TEST_F(PlayTest, StackOrderFileIsExactAndReSavedIdentically) {
  NewGame();
  // Take the coin off the bottom and put it back on top: gem under coin.
  ASSERT_EQ(game->RemoveObject(KindItem, 1, false), 1);
  ASSERT_EQ(game->RestoreObject(KindItem, 1), 1);
  ASSERT_EQ(game->SaveGame(), 1);
  std::string once = ReadAll("save\\Default1\\qmstack1.dat");
  EXPECT_EQ(once, "STACK: 3 2\nE: 4 1 0\nE: 4 2 0\n");
  game.reset();
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  ASSERT_EQ(game->LoadCurrentGame(), 1);
  EXPECT_EQ(game->qmap->Top(3, 2)->id, 1);
  ASSERT_EQ(game->SaveGame(), 1);
  EXPECT_EQ(ReadAll("save\\Default1\\qmstack1.dat"), once);
  // A stack order that does not match the cell is skipped with a warning.
  WriteFile("save\\Default1\\qmstack1.dat", "STACK: 3 2\nE: 4 1 0\nE: 4 7 0\n");
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  out.clear();
  ASSERT_EQ(game->LoadCurrentGame(), 1);
  EXPECT_NE(out.find("WARNING (LoadQMapStackOrder): Stack at 3,2 does not match its objects"), std::string::npos);
  EXPECT_EQ(game->qmap->Top(3, 2)->id, 2);
}

TEST_F(PlayTest, SavedLoadedAndSavedAgainGivesIdenticalFiles) {
  NewGame();
  game->HandleOverheadKey(keys::Down);
  game->world.exits.Push(3, 1, 1);
  game->facing = 2;
  ASSERT_EQ(game->SaveGame(), 1);
  auto first = Snapshot("save\\Default1");
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  ASSERT_EQ(game->LoadCurrentGame(), 1);
  EXPECT_EQ(game->playerY, 3);
  EXPECT_EQ(game->facing, 2);
  EXPECT_EQ(game->mapLoadType, 1);
  ASSERT_EQ(game->SaveGame(), 1);
  EXPECT_EQ(Snapshot("save\\Default1"), first);
}

TEST_F(PlayTest, DamagedSavedListWarnsInsteadOfFallingBack) {
  NewGame();
  ASSERT_EQ(game->SaveGame(), 1);
  WriteFile("save\\Default1\\map1.dat", "QUORVELLIAN914 DATA V1\nSAVE: 1\nILIST: 8\nI: 1 0 3 2\nEND\n");
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  out.clear();
  ASSERT_EQ(game->LoadCurrentGame(), 1);
  EXPECT_NE(out.find("WARNING (LoadMap): The I list of save\\Default1\\map1.dat could not be read"),
            std::string::npos);
}

TEST_F(PlayTest, QuitAndSaveOffer) {
  NewGame();
  game->mapData.save = 0;
  game->verbosity = 1;
  EXPECT_EQ(game->OfferSave(), 1);
  EXPECT_EQ(out, "SAVE: ONLY OUTDOORS!\n");
  out.clear();
  game->verbosity = 0;
  EXPECT_EQ(game->OfferSave(), 1);
  EXPECT_EQ(out, "");
  game->mapData.save = 1;
  game->playerX = 5;
  Keys({'Y'});
  EXPECT_EQ(game->OfferSave(), 1);
  EXPECT_EQ(out, "Do you wish to save the game? YES\n");
  EXPECT_NE(ReadAll("save\\Default1\\pc.dat").find("POS: 1 5 2 0"), std::string::npos);
}

void TypeLine(const std::string& text) {
  for (char c : text) PlayKeys::Queue().push_back(-int(static_cast<unsigned char>(c)));
  PlayKeys::Queue().push_back(-int('\r'));
}

TEST_F(PlayTest, NamedSavesRoundTripTheWholeGame) {
  NewGame();
  game->HandleOverheadKey(keys::Down);
  TypeLine("GAME1");
  game->HandleOverheadKey(keys::F3);
  ASSERT_TRUE(ADirExists("save\\GAME1")) << out;
  EXPECT_EQ(*game->loadName, "GAME1");
  auto saved = Snapshot("save\\GAME1");
  EXPECT_EQ(saved, Snapshot("save\\Default1"));
  // Walk on, then load the named save again.
  game->HandleOverheadKey(keys::Down);
  EXPECT_EQ(game->playerY, 4);
  out.clear();
  TypeLine("");  // the name offered is the one saved last
  game->HandleOverheadKey(keys::F4);
  EXPECT_EQ(game->playerY, 3) << out;
  // Overwriting keeps one copy, with no leftovers beside it.
  TypeLine("");
  Keys({'Y'});
  game->HandleOverheadKey(keys::F3);
  std::vector<std::string> names;
  AListDir("save", names);
  EXPECT_EQ(names, (std::vector<std::string>{"Default1", "GAME1"}));
}

TEST_F(PlayTest, RefusedSaveNamesSaveNothing) {
  NewGame();
  for (const char* name : {"..", "Default1", "DEFAULT1", ".x"}) {
    out.clear();
    TypeLine(name);
    game->HandleOverheadKey(keys::F3);
    EXPECT_NE(out.find("Invalid save name"), std::string::npos) << name << ": " << out;
  }
  std::vector<std::string> names;
  AListDir("save", names);
  EXPECT_EQ(names, (std::vector<std::string>{"Default1"}));
}

TEST_F(PlayTest, InterruptedNamedSaveLeavesThePreviousOneLoadable) {
  NewGame();
  TypeLine("KEEP");
  game->HandleOverheadKey(keys::F3);
  ASSERT_TRUE(ADirExists("save\\KEEP"));
  // A save killed between its two renames: only the old copy is left.
  ASSERT_TRUE(ARenameFile("save\\KEEP", "save\\.old-KEEP"));
  ASSERT_TRUE(ACopyDir("save\\Default1", "save\\.stage-KEEP"));
  TypeLine("");
  game->HandleOverheadKey(keys::F4);
  EXPECT_TRUE(ADirExists("save\\KEEP"));
  EXPECT_FALSE(ADirExists("save\\.old-KEEP"));
  EXPECT_FALSE(ADirExists("save\\.stage-KEEP"));
  EXPECT_EQ(game->mapNumber, 1);
}

TEST_F(PlayTest, FirstPersonTurningAndStepping) {
  WriteFile("DATA1\\MAPSET.dat", "QUORVELLIAN914 DATA V1\nM: 1 ;2 2 1\nFP\n");
  game = std::make_unique<CGame>();
  displays.overhead = &view;
  displays.firstPerson = &view;
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  ASSERT_EQ(game->NewGameDChar(), 1);
  ASSERT_EQ(game->StartPlay(), 1);
  EXPECT_EQ(control.mode, FirstPersonPlay);
  EXPECT_EQ(game->facing, 1);
  out.clear();
  game->HandleFirstPersonKey(keys::Left);
  EXPECT_EQ(out, "LEFT\nCMD: ");
  EXPECT_EQ(game->facing, 0);
  game->HandleFirstPersonKey(keys::Left);
  EXPECT_EQ(game->facing, 3);
  EXPECT_EQ(view.lastMove, (std::vector<int>{2, 2, 3}));
  out.clear();
  game->HandleFirstPersonKey(keys::Up);  // advance west
  EXPECT_EQ(out, "ADVANCE\nCMD: ");
  EXPECT_EQ(game->playerX, 1);
  out.clear();
  game->HandleFirstPersonKey(keys::Down);  // retreat east
  EXPECT_EQ(game->playerX, 2);
  game->HandleFirstPersonKey(keys::Right);
  game->HandleFirstPersonKey(keys::Right);
  EXPECT_EQ(game->facing, 1);
  out.clear();
  game->HandleFirstPersonKey('T');
  EXPECT_EQ(out, "-ILLEGAL COMMAND!\nCMD: ");
}

TEST_F(PlayTest, DebugMoveWrapsAndIgnoresRules) {
  NewGame();
  game->HandleOverheadKey(keys::Tab);
  EXPECT_TRUE(game->debugMove);
  game->playerX = 4;
  out.clear();
  game->HandleOverheadKey(keys::Right);
  EXPECT_EQ(game->playerX, 5);  // onto the rat
  EXPECT_EQ(out, "EAST\nDBG: Position: 5 2, Facing: NORTH\nCMD: ");
  game->playerX = 7;
  game->HandleOverheadKey(keys::Right);
  EXPECT_EQ(game->playerX, 0);
  EXPECT_EQ(game->mapNumber, 1);
}

TEST_F(PlayTest, StartOfPlayNeedsAMapDisplayAndReportsDarkness) {
  WriteFile("DATA1\\map1.dat", "QUORVELLIAN914 DATA V1\nSAVE: 1\nDARK: 1\n");
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, GameDisplays{}), 1);
  ASSERT_EQ(game->NewGameDChar(), 1);
  out.clear();
  EXPECT_EQ(game->StartPlay(), 0);
  EXPECT_EQ(out, "ERROR: Map display undefined\n");
  displays.overhead = &view;
  game->SetDisplays(displays);
  out.clear();
  ASSERT_EQ(game->StartPlay(), 1);
  EXPECT_EQ(out, "IT'S DARK!\nCMD: ");
  EXPECT_TRUE(view.playerShown);
}
}  // namespace

namespace {
TEST(ExitStackSlots, PushPeekAndClear) {
  ExitStack s;
  s.Push(1, 1, 1);
  s.Push(2, 2, 2);
  s.Push(3, 3, 3);
  s.Push(4, 4, 4);  // the third slot is overwritten
  ASSERT_NE(s.Peek(), nullptr);
  EXPECT_EQ(s.Peek()->map, 4);
  s.ClearDeepest();
  EXPECT_EQ(s.Peek()->map, 2);
  s.ClearDeepest();
  s.ClearDeepest();
  EXPECT_EQ(s.Peek(), nullptr);
}

TEST_F(PlayTest, AMoveToAMissingMapLeavesThePlayerWhereHeWas) {
  NewGame();
  game->locations->Get(1)->destMap = 77;
  game->playerX = 4;
  game->playerY = 2;
  out.clear();
  game->HandleOverheadKey('E');
  EXPECT_NE(out.find("ERROR (Use Location): Load/apply map failed"), std::string::npos);
  ASSERT_TRUE(game->map);
  EXPECT_EQ(game->mapNumber, 1);
  EXPECT_EQ(game->playerX, 4);
  EXPECT_EQ(game->playerY, 2);
  out.clear();
  game->HandleOverheadKey(keys::Left);
  EXPECT_EQ(game->playerX, 3);
}

TEST_F(PlayTest, MapStartStringsAndSecurityCheck) {
  NewGame();
  EXPECT_EQ(game->ProcessMapStartString("S CRA", 0), 1);
  EXPECT_NE(game->creatures->Get(1), nullptr);
  EXPECT_EQ(game->ProcessMapStartString("N CRA", 0), 1);
  EXPECT_EQ(game->creatures->Get(1), nullptr);
  EXPECT_EQ(game->qmap->StackSize(5, 2), 0);
  out.clear();
  EXPECT_EQ(game->ProcessMapStartString("N XYZ", 0), 0);
  EXPECT_EQ(out, "ERROR (ProcessMapStartString): Invalid option: XYZ\n");
  out.clear();
  EXPECT_EQ(game->ProcessMapStartString("TD", 0), 0);
  EXPECT_EQ(out, "ERROR (ProcessMapStartString TD): Missing param\n");

  // Items marked for the security check on an UNSAFE map are lost on arrival.
  WriteFile("DATA1\\map3.dat", "QUORVELLIAN914 DATA V1\nSAVE: 1\nSECURITY: UNSAFE\nILIST: 4\nI: 1 1 1 1; 3 0\nSECCHECK\n"
                               "I: 2 1 2 1; 3 0\n"
                               "I: 3 3 3 1; 1 0\nSECCHECK\nINV: 5; 1 1 2; 2 2 1\nSECCHECK\nEND\nEND\n");
  ASSERT_EQ(game->ChangeMap(3, 2, 2, true), 1);
  EXPECT_EQ(game->items->Get(1), nullptr);
  EXPECT_NE(game->items->Get(2), nullptr);
  // A SAFE container keeps its flagged contents even on an UNSAFE map.
  ASSERT_NE(game->items->Get(3), nullptr);
  ASSERT_EQ(game->items->Get(3)->contents->entries.size(), 2u);
  EXPECT_FALSE(game->items->Get(3)->contents->entries[1].secCheck);
}
}  // namespace

namespace {
TEST_F(PlayTest, PartySavesRoundTrip) {
  WriteFile("DATA1\\scenario.dat", "QUORVELLIAN914 DATA V1\nSTARTMAP 1\nPARTY 4\n");
  NewGame();
  ASSERT_EQ(game->SaveGame(), 1);
  std::string pc = ReadAll("save\\Default1\\pc.dat");
  WriteFile("save\\Default1\\pc3.dat", pc);
  std::string gone = pc;
  gone.replace(gone.find("HP: 20 20"), 9, "HP: 0 20");
  WriteFile("save\\Default1\\pc.dat", gone);
  WriteFile("save\\Default1\\party.dat", "QUORVELLIAN914 DATA V1\n\nLIST: 4\nPC: 1\nPC: 3\nACTIVE\n");
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  ASSERT_EQ(game->LoadCurrentGame(), 1);
  EXPECT_EQ(game->activeMember, 3);
  ASSERT_TRUE(game->partyMembers[0]);
  EXPECT_TRUE(game->partyMembers[0]->gone);
  ASSERT_EQ(game->SaveGame(), 1);
  EXPECT_EQ(ReadAll("save\\Default1\\party.dat"), "QUORVELLIAN914 DATA V1\n\nLIST: 4\nPC: 1\nPC: 3\nACTIVE\n");
  auto first = Snapshot("save\\Default1");
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  ASSERT_EQ(game->LoadCurrentGame(), 1);
  ASSERT_EQ(game->SaveGame(), 1);
  EXPECT_EQ(Snapshot("save\\Default1"), first);
  // A damaged party file: the single character plays.
  WriteFile("save\\Default1\\party.dat", "QUORVELLIAN914 DATA V1\n\nLIST: 4\nPC: 9\n");
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  out.clear();
  ASSERT_EQ(game->LoadCurrentGame(), 1);
  EXPECT_EQ(game->activeMember, 0);
  EXPECT_NE(out.find("ERROR (LoadParty PC): Failed to add to party character 9"), std::string::npos);
  ASSERT_EQ(game->SaveGame(), 1);
  EXPECT_FALSE(AFileExists("save\\Default1\\party.dat"));
  EXPECT_FALSE(AFileExists("save\\Default1\\pc3.dat"));
}
}  // namespace

namespace {
TEST_F(PlayTest, DirectionPrompts) {
  NewGame();
  int dx = 9, dy = 9;
  Keys({keys::Left});
  EXPECT_EQ(game->AskDirection(true, dx, dy), 1);
  EXPECT_EQ(dx, -1);
  EXPECT_EQ(dy, 0);
  Keys({keys::Space});
  EXPECT_EQ(game->AskDirection(false, dx, dy), 0);
  Keys({'Q'});
  EXPECT_EQ(game->AskDirection(true, dx, dy), 0);
  EXPECT_EQ(out, "WESTNOT HERE!\nNOTHING!\n");
  game->facing = 1;  // east: the right hand points south
  Keys({keys::Right});
  EXPECT_EQ(game->AskRelativeDirection(dx, dy), 1);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 1);
}
}  // namespace

namespace {
TEST_F(PlayTest, ChangedTilesAreSavedWithTheGame) {
  NewGame();
  game->map->SetTile(6, 1, 1);  // the pond becomes grass
  game->saveBMap = true;
  ASSERT_EQ(game->SaveGame(), 1);
  EXPECT_TRUE(AFileExists("save\\Default1\\1.map"));
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  ASSERT_EQ(game->LoadCurrentGame(), 1);
  EXPECT_EQ(game->map->Tile(6, 1), 1);
  EXPECT_FALSE(game->saveBMap);
}
}  // namespace

namespace {
TEST_F(PlayTest, CreatingObjectsTakesTheFirstFreeIdAndOnlyCreaturesGrow) {
  NewGame();
  // map1.dat gives 4 creature slots (1 used) and 8 item slots (2 used).
  for (int i = 0; i < 3; ++i) EXPECT_EQ(game->CreateApplyCreature(1, i, 4, 0), i + 2);
  EXPECT_EQ(game->creatures->Size(), 4);
  EXPECT_EQ(game->CreateApplyCreature(1, 3, 4, 0), 5);
  EXPECT_EQ(game->creatures->Size(), 14);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(game->CreateApplyItem(2, 7, 5, 1), i + 3);
  out.clear();
  EXPECT_EQ(game->CreateApplyItem(2, 7, 5, 1), 0);
  EXPECT_EQ(out, "ERROR (CreateApplyItem): Could not add item to list\n");
  EXPECT_EQ(game->qmap->StackSize(7, 5), 6);
  EXPECT_EQ(game->ItemAt(7, 5)->id, 8);
  EXPECT_EQ(game->CreatureAt(3, 4)->id, 5);
  EXPECT_EQ(game->LocationAt(4, 2)->id, 1);
  EXPECT_EQ(game->VehicleAt(4, 2), nullptr);
  EXPECT_EQ(game->CreateApplyLocation(4, 6, 5), 5);
  out.clear();
  EXPECT_EQ(game->CreateApplyCreature(9, 1, 1, 0), 0);
  EXPECT_EQ(out, "ERROR (SetUpCreature): Could not get definition 9\n");
  EXPECT_EQ(game->RemoveAllCreatures(), 1);
  EXPECT_EQ(game->creatures->Count(), 0);
  EXPECT_EQ(game->qmap->StackSize(3, 4), 0);
}
}  // namespace

namespace {
TEST_F(PlayTest, InterruptedLoadLeavesTheWorkingSaveLoadable) {
  NewGame();
  game->HandleOverheadKey(keys::Down);
  ASSERT_EQ(game->SaveGame(), 1);
  // A load killed after the working directory was moved aside and before
  // the copied save took its place.
  ASSERT_TRUE(ARenameFile("save\\Default1", "save\\Default1.tmp"));
  ASSERT_TRUE(AMakeDir("save\\Default1.stage"));
  game = std::make_unique<CGame>();
  ASSERT_EQ(game->Initialize(&control, 1, displays), 1);
  ASSERT_EQ(game->LoadCurrentGame(), 1);
  EXPECT_EQ(game->playerY, 3);
  EXPECT_FALSE(ADirExists("save\\Default1.tmp"));
  EXPECT_FALSE(ADirExists("save\\Default1.stage"));
}
}  // namespace
