#include <gtest/gtest.h>

#include <string>

#include "scenario/ScanText.h"
#include "text/Output.h"
#include "world/CharacterFile.h"
#include "world/MapFile.h"
#include "world/QMap.h"
#include "world/WorldPaths.h"

namespace {
struct Capture {
  Capture() { SetOutputCapture(&text); }
  ~Capture() { SetOutputCapture(nullptr); }
  std::string text;
};

TEST(ObjectListFile, AutomaticIdsAndDefaultTemplate) {
  const std::string text =
      "QUORVELLIAN914 DATA V1\n\nCLIST: 10\n"
      "DEFAULT:\nAIDIST: 4\n"
      "C: 0 7 1 1; 0 0 WANDER\n"
      "C: 0 7 2 1\n"
      "C: 5 7 3 1\n"
      "DEFAULT: DEL\n"
      "C: 0 7 4 1\n"
      "# C: 0 9 9 9\n"
      "/*\nC: 0 9 9 9\n*/\n"
      "C: 3 7 5 1; 12 0 HOSTILE\n"
      "CSTATEOFF\n"
      "END\n";
  LoadedObjectList out;
  ASSERT_TRUE(LoadObjectListText(text, 'C', out));
  const CreatureList& list = *out.creatures;
  EXPECT_EQ(list.Size(), 10);
  EXPECT_EQ(list.Count(), 5);
  const int xs[] = {0, 1, 2, 5, 0, 3, 4};  // ID -> x
  for (int id : {1, 2, 5, 6, 3}) {
    ASSERT_NE(list.Get(id), nullptr) << id;
    EXPECT_EQ(list.Get(id)->x, xs[id]) << id;
  }
  EXPECT_EQ(list.Get(1)->aiDistance, 4);
  EXPECT_EQ(list.Get(1)->state, 5);
  EXPECT_EQ(list.Get(2)->aiDistance, 4);
  EXPECT_EQ(list.Get(5)->aiDistance, 4);
  EXPECT_EQ(list.Get(6)->aiDistance, 0);
  EXPECT_EQ(list.Get(3)->hp, 12);
  EXPECT_EQ(list.Get(3)->off, 1);
}

TEST(ObjectListFile, BadRecordsAndMissingSections) {
  Capture cap;
  LoadedObjectList out;
  EXPECT_FALSE(LoadObjectListText("CLIST: 4\nEND\n", 'I', out));
  EXPECT_FALSE(LoadObjectListText("ILIST: 4\nI: 1 0 1 1\nEND\n", 'I', out));
  EXPECT_NE(cap.text.find("ERROR: Must define type ID"), std::string::npos);
  ASSERT_TRUE(LoadObjectListText("ILIST: 2\nI: 9 3 1 1\nI: 1 3 1 1\nEND\n", 'I', out));
  EXPECT_NE(cap.text.find("ERROR (LoadObjectList): Could not load item 9"), std::string::npos);
  EXPECT_EQ(out.items->Count(), 1);
  EXPECT_FALSE(LoadObjectListText("VLIST: 2\nAMMO: 3\nEND\n", 'V', out));
  EXPECT_FALSE(LoadObjectListText("ILIST: -3\nEND\n", 'I', out));
  EXPECT_FALSE(LoadObjectListText("ILIST: 1\nI: 1 2 0 0\nINV: 5; 1 2 3\n", 'I', out));  // no END
}

TEST(ObjectListFile, RoundTripIsExact) {
  const std::string items =
      "ILIST: 8\n"
      "I: 1 3 4 5; 100000 2\nSECCHECK\nIREFTYPE: KEY\nIREFID: 9\nBPARAM: 3\n"
      "I: 2 4 6 7; 1 0\nINV: 30; 1 3 2; 2 5 1\nCHARGES: 4\nINVEX: ; 3 6 7\nEND\n"
      "I: 3 8 1 1; 1 0\nV: 1 2 1 1 40\nVNAME: \"Swift\"\n"
      "I: 4 9 1 2; 1 0\nTRTAB: 2 IND\nA: 3 10\nE: 50 4 1 6 0\nEND\n"
      "END\n";
  LoadedObjectList a;
  ASSERT_TRUE(LoadObjectListText(items, 'I', a));
  EXPECT_EQ(a.items->Get(1)->quantity, 100000);
  ASSERT_TRUE(a.items->Get(2)->contents);
  EXPECT_EQ(a.items->Get(2)->contents->entries.size(), 3u);
  EXPECT_EQ(a.items->Get(2)->contents->entries[1].charges, 4);
  std::string once = SaveItemListText(*a.items, nullptr);
  LoadedObjectList b;
  ASSERT_TRUE(LoadObjectListText(once, 'I', b));
  EXPECT_EQ(SaveItemListText(*b.items, nullptr), once);

  const std::string creatures =
      "CLIST: 4\nC: 1 2 3 4; 10 0 8\nCONDITION: 1 2 3 4\nSLEEP: 2 9\nATTACKSALL: 1\nMET\nPEACEFUL\nGROUPID: 3\n"
      "ANCHOR: 1 1\nAIDIST: 6\nEND\n";
  LoadedObjectList c;
  ASSERT_TRUE(LoadObjectListText(creatures, 'C', c));
  std::string saved = SaveCreatureListText(*c.creatures);
  LoadedObjectList d;
  ASSERT_TRUE(LoadObjectListText(saved, 'C', d));
  EXPECT_EQ(SaveCreatureListText(*d.creatures), saved);
  EXPECT_EQ(d.creatures->Get(1)->attackTarget, 1 | 4);
}

TEST(ObjectListFile, LocationRecords) {
  const std::string text =
      "LLIST: 5\n"
      "L: 0 2 3 4; \"Cave\" 3 5 6 2\nLTYPE: ENTER\nENTER\nNEXT: 0\n"
      "L: 0 2 3 4; \"<NULL>\" 3 5 6\nPOSTYPE: OFFSET\nLMESSAGE: \"Closed\"\nCSHIFT: 3\n"
      "L: 0 2 1 1\nOBJLINK: 4 7 1\n"
      "END\n";
  LoadedObjectList out;
  ASSERT_TRUE(LoadObjectListText(text, 'L', out));
  const LocationObject* a = out.locations->Get(1);
  const LocationObject* b = out.locations->Get(2);
  const LocationObject* c = out.locations->Get(3);
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(*a->name, "Cave");
  EXPECT_EQ(a->entryType, 2);
  EXPECT_EQ(a->next, 2);
  EXPECT_EQ(a->destFacing, 2);
  EXPECT_EQ(b->off, 1);  // after NEXT:
  EXPECT_FALSE(b->name);
  EXPECT_EQ(b->destFacing, 255);
  EXPECT_EQ(b->positionMode, 2);
  EXPECT_EQ(*b->message, "Closed");
  EXPECT_EQ(c->off, 0);
  EXPECT_EQ(c->entryType, 6);
  EXPECT_EQ(c->linkedObject, 7);
}

TEST(MapGameDataFile, KeywordsAndRoundTrip) {
  MapGameData d;
  LoadMapGameDataText(
      "QUORVELLIAN914 DATA V1\nUPMAP: 0\nDOWNMAP: EXIT\nSAVE: 1\nDARK: 2\nEXITMAP: 3 4 5\nBSTART: N TD 5\n"
      "SECURITY: UNSAFE\nINITDONE: 3\nFOOD: -4\nCLIST: 3\nDARK: 9\n",
      1, d);
  EXPECT_EQ(d.upType, 0);
  EXPECT_EQ(d.upMap, 0);
  EXPECT_EQ(d.downType, 3);
  EXPECT_EQ(d.downMap, 0);
  EXPECT_EQ(d.dark, 2);  // the block ends at the first list
  EXPECT_EQ(d.exitMap, 3);
  EXPECT_EQ(d.exitY, 5);
  EXPECT_EQ(*d.startString, "N TD 5");
  EXPECT_EQ(d.security, 102);
  EXPECT_EQ(d.flags & MapDataInitDone, MapDataInitDone);
  EXPECT_EQ(d.food, -4);
  std::string once = SaveMapGameDataText(d);
  MapGameData e;
  LoadMapGameDataText(once, 1, e);
  EXPECT_EQ(SaveMapGameDataText(e), once);
}

TEST(MapGameDataFile, IncludeNamesAreConfined) {
  Capture cap;
  MapGameData d;
  LoadMapGameDataText("GINCLUDE: ../../etc/passwd\nGINCLUDE: /etc/passwd\n", 1, d);
  EXPECT_NE(cap.text.find("ERROR (LoadMapGameData): Invalid include file name: ../../etc/passwd"),
            std::string::npos);
  EXPECT_NE(cap.text.find("Invalid include file name: /etc/passwd"), std::string::npos);
}

TEST(QMapStacks, PushPopRemoveAndGrowth) {
  QMap q(4, 4);
  ASSERT_TRUE(q.Push(1, 1, 3, 1, 0));
  ASSERT_TRUE(q.Push(1, 1, 4, 2, 0));
  ASSERT_TRUE(q.Push(1, 1, 1, 3, 1));
  EXPECT_EQ(q.Top(1, 1)->kind, 1);
  EXPECT_EQ(q.Top(1, 1, 4), nullptr);
  EXPECT_TRUE(q.Remove(1, 1, 4, 2));
  EXPECT_EQ(q.StackSize(1, 1), 2);
  EXPECT_TRUE(q.Pop(1, 1));
  EXPECT_EQ(q.Top(1, 1)->kind, 3);
  EXPECT_FALSE(q.Push(4, 0, 1, 1, 0));
  for (int i = 0; i < 600; ++i) ASSERT_TRUE(q.Push(i % 4, 2, 4, uint16_t(i + 1), 0));
  EXPECT_GE(q.PoolSize(), 600);
  EXPECT_EQ(q.StackSize(0, 2), 150);
}

TEST(SaveNames, Checks) {
  const char* bad[] = {"",       "a/b",      "a\\b",     "..",        "x..y",  ".hidden", "Default1",
                       "default12", "BUFFER3", "Default1.tmp", "a\x01", "c:save", "game.dat",
                       "0123456789012345678901234567890123456789012345678901234567890123456789"};
  for (const char* name : bad) EXPECT_FALSE(CheckSaveName(name, nullptr)) << name;
  for (const char* name : {"game1", "My Save", "Defaults", "Buffered", "game1.cf"})
    EXPECT_TRUE(CheckSaveName(name, nullptr)) << name;
  EXPECT_FALSE(IsConfinedName("../x.dat"));
  EXPECT_FALSE(IsConfinedName("a\\..\\..\\x"));
  EXPECT_TRUE(IsConfinedName("town.dat"));
}

TEST(CharacterFileText, RoundTripAndErrors) {
  const std::string text =
      "QUORVELLIAN914 DATA V1\n\n!GENERAL\nBDEF: 4 LAND\nDEF: 4 5\nPOS: 2 10 11 1\n\n!CHARACTER\nNAME: Ayla of Vale\n"
      "TYPE: 1 2 1\nLVLXP: 1 0\nATTRIB: 10 11 12 13 14 15\nBCSTATS: 10 2 1 6 -1\nCSTATS: 10 2 1 6 0\n"
      "SAVES: 1 2 3\nHP: 20 25\nCONDITION: 0 0 0 0\nEQUIPMENT: 0 0 0\nINVWEIGHT: 100 5000\n"
      "MORALE: 5 1 3\nFLAGS: 16; 3 1; 5 7\nV: 1 2 3 4 30\nINV: 10; 1 6 1\nEND\nVNAME: \"Gull\"\n"
      "\n!INVENTORY\nINV: 20; 1 3 250000; 2 4 1\nCHARGES: 2\nINVEX: ; 3 5 1\n";
  PCRecord pc;
  ASSERT_TRUE(LoadPCText(pc, text));
  EXPECT_EQ(*pc.def.name, "Ayla of Vale");
  EXPECT_EQ(pc.ownCap, 5);
  EXPECT_EQ(pc.posX, 10);
  EXPECT_EQ(pc.baseDb, -1);
  EXPECT_EQ(pc.body.hp, 20);
  EXPECT_EQ(pc.def.maxHp, 25);
  ASSERT_EQ(pc.inventory.size(), 3u);
  EXPECT_EQ(pc.inventory[0].quantity, 250000);
  EXPECT_EQ(pc.inventory[1].charges, 2);
  ASSERT_TRUE(pc.vehicle && pc.vehicle->cargo);
  EXPECT_EQ(*pc.vehicle->name, "Gull");
  EXPECT_EQ(pc.flags.size(), 2u);
  std::string once = SavePCText(pc, nullptr);
  PCRecord again;
  ASSERT_TRUE(LoadPCText(again, once));
  EXPECT_EQ(SavePCText(again, nullptr), once);

  Capture cap;
  PCRecord broken;
  EXPECT_TRUE(LoadPCText(broken, "!CHARACTER\nVNAME: \"x\"\n"));
  EXPECT_NE(cap.text.find("ERROR (LoadPC): Could not load vehicle name, no vehicle object defined; ignoring"),
            std::string::npos);
  EXPECT_FALSE(LoadPCText(broken, "!INVENTORY\nINV: 3; 1 0 1\n"));
}
}  // namespace

TEST(QMapTops, CreatureBitFollowsTheTopOfEveryStack) {
  QMap q(70, 2);  // more than one word of cells per row
  EXPECT_FALSE(q.CreatureOnTop(66, 1));
  ASSERT_TRUE(q.Push(66, 1, KindCreature, 3, 0));
  EXPECT_TRUE(q.CreatureOnTop(66, 1));
  ASSERT_TRUE(q.Push(66, 1, KindItem, 9, 0));  // an item now lies on the creature
  EXPECT_FALSE(q.CreatureOnTop(66, 1));
  EXPECT_EQ(q.NextCreatureTopInRow(1, 0, 69), -1);
  EXPECT_EQ(q.NextCreatureTopInColumn(66, 0, 1), -1);
  ASSERT_TRUE(q.Remove(66, 1, KindItem, 9));
  EXPECT_TRUE(q.CreatureOnTop(66, 1));
  EXPECT_EQ(q.NextCreatureTopInColumn(66, 0, 1), 1);
  ASSERT_TRUE(q.SetStack(66, 1, {QEntry{KindVehicle, 2, 0, 0, true}}));
  EXPECT_FALSE(q.CreatureOnTop(66, 1));
  ASSERT_TRUE(q.Pop(66, 1));
  EXPECT_FALSE(q.CreatureOnTop(66, 1));
  EXPECT_FALSE(q.CreatureOnTop(65, 1));
}

TEST(QMapTops, RunsFindTheFirstCreatureEachWayAcrossWords) {
  QMap q(130, 130);
  for (int x : {0, 63, 64, 100, 129}) ASSERT_TRUE(q.Push(x, 5, KindCreature, uint16_t(x + 1), 0));
  ASSERT_TRUE(q.Push(7, 5, KindItem, 200, 0));  // not a creature
  struct Case {
    int from, to, next, prev;
  };
  for (const Case& c : {Case{0, 129, 0, 129}, Case{1, 62, -1, -1}, Case{1, 63, 63, 63}, Case{63, 64, 63, 64},
                        Case{65, 128, 100, 100}, Case{101, 128, -1, -1}, Case{129, 129, 129, 129},
                        Case{7, 7, -1, -1}}) {
    EXPECT_EQ(q.NextCreatureTopInRow(5, c.from, c.to), c.next) << c.from << ".." << c.to;
    EXPECT_EQ(q.PrevCreatureTopInRow(5, c.from, c.to), c.prev) << c.from << ".." << c.to;
  }
  // Columns hold the same bits crosswise.
  EXPECT_EQ(q.NextCreatureTopInColumn(64, 0, 129), 5);
  EXPECT_EQ(q.PrevCreatureTopInColumn(64, 6, 129), -1);
  EXPECT_EQ(q.NextCreatureTopInColumn(7, 0, 129), -1);
}
