#include "scenario/ObjDefs.h"

#include <gtest/gtest.h>

#include "ScenarioTestUtil.h"

namespace {
struct Loaded {
  ObjDefTables t;
  int result = 0;
  std::string printed;
};

Loaded LoadText(char kind, const std::string& text) {
  Loaded l;
  CaptureOutput out;
  l.result = LoadCreateDefsText(l.t, kind, text, "DATA1\\objdefs.dat");
  l.printed = out.text;
  return l;
}

struct DemoDefs : testing::Test {
  static ObjDefTables t;
  static std::string printed;
  static void SetUpTestSuite() {
    InDirectory dir(FixtureDir());
    CaptureOutput out;
    for (char kind : {'C', 'N', 'L', 'V', 'I'}) ASSERT_EQ(LoadCreateDefs(t, kind, 1), 1) << kind;
    printed = out.text;
  }
};
ObjDefTables DemoDefs::t;
std::string DemoDefs::printed;
}  // namespace

TEST_F(DemoDefs, ErrorLinesOfTheDemoFile) {
  EXPECT_EQ(printed,
            "ERROR (LoadCreateDefs): Could not load creature def 4\n"
            "ERROR (LoadCreateDefs): A vehicle that holds cargo may not be portable\n"
            "ERROR (LoadCreateDefs): A portable vehicle may not hold cargo\n"
            "ERROR (LoadCreateDefs): GET must be 0 for an interactive container, resetting\n");
}

TEST_F(DemoDefs, CreatureRecordOverFourLinesAndEveryKeyword) {
  ASSERT_EQ(t.creatures->Count(), 3);
  const CreatureDef* c = t.creatures->Get(1);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->name.value_or("?"), "Orc");
  EXPECT_EQ(c->tile, 40);
  EXPECT_EQ(c->subtype, 2);
  EXPECT_EQ(c->terrainCap, 5);
  EXPECT_EQ(c->state, 3);
  EXPECT_EQ(c->maxHp, 32767);  // 40000 saturates
  EXPECT_EQ(c->armourClass, 5);
  EXPECT_EQ(c->attackBonus, 3);
  EXPECT_EQ(c->damageDice, 1);
  EXPECT_EQ(c->damageSides, 6);
  EXPECT_EQ(c->damageBonus, 2);
  EXPECT_EQ(c->experience, 25);
  EXPECT_EQ(c->treasure, 4);
  EXPECT_EQ(c->saveReflex, 1);
  EXPECT_EQ(c->saveFortitude, 2);
  EXPECT_EQ(c->saveWill, 3);
  EXPECT_EQ(c->range, 4);
  EXPECT_EQ(c->rangeColour, 4);
  EXPECT_EQ(c->attackDelay, 2);  // 258, low 8 bits
  EXPECT_EQ(c->look.value_or("?"), "An orc");
  EXPECT_EQ(c->vectorTile, 41);
  EXPECT_EQ(c->behaviour, BehaviourDefender | BehaviourFearless | BehaviourZoomRanged);
  EXPECT_EQ(c->boardFlags, BoardFlagBoard | BoardFlagVehicle | BoardFlagTile);
  EXPECT_EQ(c->boardValue1, 7);
  EXPECT_EQ(c->boardValue2, 6);
  EXPECT_EQ(c->wind, 1);
  EXPECT_EQ(c->encounterGroup, 8);
  EXPECT_EQ(c->encounterTreasure, 9);
  EXPECT_EQ(c->attackEffect, 10);
  EXPECT_EQ(c->powerEffect, 11);
  EXPECT_EQ(c->resistance, 1);
  EXPECT_EQ(c->killScript, 12);
  EXPECT_EQ(c->moveScript, 13);
  EXPECT_EQ(c->typeA, 14);
  EXPECT_EQ(c->typeB, 15);
  EXPECT_EQ(c->powerLevel, 16);
  EXPECT_EQ(c->moveEffect, 1);
  ASSERT_TRUE(c->power);
  const PowerDef& p = *c->power;
  EXPECT_EQ(p.name.value_or("?"), "Sleep gas");
  EXPECT_EQ(p.kind, 7);
  EXPECT_EQ(p.chance, 50);
  EXPECT_EQ(p.range, 3);
  EXPECT_EQ(p.value3, 7);
  EXPECT_EQ(p.resistItem1, 20);  // POWER: gave 2, POWER-RESITEM: replaced it
  EXPECT_EQ(p.resistItem2, 21);
  EXPECT_EQ(p.effect1, 23);
  EXPECT_EQ(p.effect2, 24);
  EXPECT_EQ(p.checkLos, 1);
  EXPECT_EQ(p.saveType, 2);
  EXPECT_EQ(p.damage[0], 1);
  EXPECT_EQ(p.damage[1], 6);
  EXPECT_EQ(p.damage[2], 2);
  EXPECT_EQ(p.resistanceId, 22);
  EXPECT_EQ(p.rangeEffect, 25);
  EXPECT_EQ(p.resistEffect1, 26);
  EXPECT_EQ(p.resistEffect2, 27);
  EXPECT_EQ(p.idRangeLow, 4);
  EXPECT_EQ(p.idRangeHigh, 4);
  ASSERT_EQ(p.idRanges.size(), 2u);  // 3 declared, 2 written
  EXPECT_EQ(p.idRanges[0].low, 5);
  EXPECT_EQ(p.idRanges[0].high, 5);
  EXPECT_EQ(p.idRanges[1].low, 7);
  EXPECT_EQ(p.idRanges[1].high, 9);

  const CreatureDef* bat = t.creatures->Get(2);
  ASSERT_NE(bat, nullptr);
  EXPECT_EQ(bat->terrainCap, 6);
  EXPECT_EQ(bat->state, 5);
  EXPECT_EQ(bat->experience, 10);
  EXPECT_EQ(t.creatures->Find(3), nullptr);
}

TEST_F(DemoDefs, NpcWithOfferAndGift) {
  const NpcDef* n = t.npcs->Get(1);
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(n->name.value_or("?"), "Merchant Bob");
  EXPECT_EQ(n->state, 12);
  EXPECT_EQ(n->store, 3);
  EXPECT_EQ(n->conversation.value_or("?"), "Hello there");
  EXPECT_EQ(n->look.value_or("?"), "A merchant");
  ASSERT_TRUE(n->offer);
  EXPECT_EQ(n->offer->kind, 1);
  EXPECT_EQ(n->offer->id, 2);
  EXPECT_EQ(n->offer->amount, 5);
  EXPECT_EQ(n->offer->minimum, 100);
  EXPECT_EQ(n->offer->chance, 80);
  EXPECT_EQ(n->offer->requiredFlag, 6);
  EXPECT_EQ(n->offer->acceptText.value_or("?"), "Thanks!");
  EXPECT_FALSE(n->offer->declineText);
  EXPECT_EQ(n->offer->onceFlag, 7);
  ASSERT_TRUE(n->give);
  EXPECT_EQ(n->give->kind, 4);
  EXPECT_EQ(n->give->id, 9);
  EXPECT_EQ(n->give->amount, 1);
  EXPECT_EQ(n->give->doneFlag, 10);
  EXPECT_EQ(n->give->requiredFlag, 11);
  EXPECT_EQ(n->give->givenText.value_or("?"), "Here you go");
  EXPECT_EQ(n->give->refusalText.value_or("?"), "Not now");
  EXPECT_EQ(n->convScript, 12);
  EXPECT_EQ(n->anchor, 44);  // 300, low 8 bits
  EXPECT_EQ(n->flags, NpcNoCheckRep | NpcCombatTalk | NpcNoCombat | NpcHideName | NpcNoSetMet);
  const NpcDef* g = t.npcs->Get(2);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->state, 3);
  EXPECT_FALSE(g->conversation);
}

TEST_F(DemoDefs, ItemsWithEveryKeyword) {
  const ItemDef* s = t.items->Get(1);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->name.value_or("?"), "Sword");
  EXPECT_EQ(s->tile, 30);
  EXPECT_EQ(s->subtype, 6);
  EXPECT_EQ(s->weight, 5000u);
  EXPECT_EQ(s->look.value_or("?"), "A sharp\nblade");
  EXPECT_EQ(s->flags, ItemCore | ItemWeapon | ItemTakeable | ItemTwoHanded | ItemHidden | ItemNoDark);
  EXPECT_EQ(s->flags2, 1);
  EXPECT_EQ(s->attackBonus, 2);
  EXPECT_EQ(s->damageDice, 1);
  EXPECT_EQ(s->damageSides, 8);
  EXPECT_EQ(s->damageBonus, 1);
  EXPECT_EQ(s->range, 0);
  EXPECT_EQ(s->attackDelay, 3);
  EXPECT_EQ(s->damagePercent, 150);
  EXPECT_EQ(s->rangeColour, 4);
  EXPECT_EQ(s->vectorTile, 9);
  EXPECT_EQ(s->treasure, 2);
  EXPECT_EQ(s->attackEffect, 6);
  EXPECT_EQ(s->sound1, 7);
  EXPECT_EQ(s->sound2, 8);
  EXPECT_EQ(s->useMessage.value_or("?"), "You swing it");
  EXPECT_EQ(s->maxCount, 2u);
  EXPECT_EQ(s->typeValue, 44);
  EXPECT_EQ(s->behaviourParam, 7);

  const ItemDef* a = t.items->Get(2);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->weight, 250u);
  EXPECT_EQ(a->subtype, 8);  // AMMO: made it 9, SHIELD: made it 8
  EXPECT_EQ(a->ammoClass, 3);
  EXPECT_EQ(a->charges, 20);
  EXPECT_EQ(a->usesConsume, 0);
  EXPECT_EQ(a->useScript, 11);
  EXPECT_EQ(a->getScript, 12);
  EXPECT_EQ(a->refId, 13);
  EXPECT_EQ(a->power, 14);
  EXPECT_EQ(a->capacity, -5);
  EXPECT_EQ(a->security, 102);
  EXPECT_EQ(a->flags, ItemArmour | ItemHasResource);  // GET: 0 cleared can-be-taken
  EXPECT_EQ(a->armour, 3);
  ASSERT_TRUE(a->resource);
  EXPECT_EQ(a->resource->flags, 1);
  EXPECT_EQ(a->resource->value, 25);  // the second RES: line is ignored
  EXPECT_EQ(a->resource->chance, 40);
  EXPECT_EQ(a->resource->usedCharges, 2);
  EXPECT_EQ(a->resource->replacement, 3);

  const ItemDef* sc = t.items->Get(3);
  ASSERT_NE(sc, nullptr);
  EXPECT_EQ(sc->weight, 0u);
  EXPECT_EQ(sc->subtype, 10);
  ASSERT_TRUE(sc->spell);
  EXPECT_EQ(sc->spell->kind, 2);
  EXPECT_EQ(sc->spell->value[3], 1);  // value 4
  EXPECT_EQ(sc->spell->value[4], 2);  // value 5
  EXPECT_EQ(sc->spell->value[0], uint16_t(-3));
  EXPECT_EQ(sc->spell->value[1], 4);
  EXPECT_EQ(sc->spell->value[2], 5);
  EXPECT_EQ(sc->spell->multiplier[0], 6);
  EXPECT_EQ(sc->spell->multiplier[1], 7);
  EXPECT_EQ(sc->spell->multiplier[2], 8);
  EXPECT_EQ(sc->spell->pure, 1);
  EXPECT_EQ(sc->power, 9);
  EXPECT_EQ(sc->refId, 1);
  EXPECT_EQ(sc->maxCount, 1u);

  const ItemDef* chest = t.items->Get(4);
  ASSERT_NE(chest, nullptr);
  EXPECT_EQ(chest->subtype, 16);
  EXPECT_EQ(chest->flags & ItemTakeable, 0);
}

TEST_F(DemoDefs, VehiclesAndLocations) {
  const VehicleDef* v = t.vehicles->Get(1);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->name.value_or("?"), "Ship");
  EXPECT_EQ(v->tile, 50);
  EXPECT_EQ(v->subtype, 2);
  EXPECT_EQ(v->terrainCap, 6);
  EXPECT_FLOAT_EQ(v->foodFactor, 0.5f);
  EXPECT_EQ(v->value, 3);
  EXPECT_EQ(v->look.value_or("?"), "A ship");
  EXPECT_EQ(v->vectorTile, 51);
  EXPECT_EQ(v->landingTerrain, 6);
  EXPECT_EQ(v->sound1, 1);
  EXPECT_EQ(v->sound2, 2);
  EXPECT_EQ(v->items[0], 3);
  EXPECT_EQ(v->items[2], 5);
  EXPECT_EQ(v->cargo, 1000);
  EXPECT_EQ(v->portableItem, 0);  // refused
  EXPECT_EQ(v->maxHp, 32767);
  EXPECT_EQ(v->armourClass, 5);
  EXPECT_EQ(v->wind, 1);
  EXPECT_EQ(v->type, 2);
  const VehicleDef* h = t.vehicles->Get(2);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->portableItem, 3);
  EXPECT_EQ(h->cargo, 0);  // refused
  EXPECT_EQ(h->armourClass, -1);

  const LocationDef* l = t.locations->Get(1);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->subtype, 1);
  EXPECT_EQ(l->entryType, 2);
  EXPECT_EQ(l->value, 44);
  EXPECT_EQ(l->flags, LocationEnter | LocationVehicles | LocationNoBaseTile | LocationAMessageDark);
  EXPECT_EQ(l->look.value_or("?"), "A town");
  EXPECT_EQ(l->vectorTile, 61);
  EXPECT_EQ(l->soundBefore, 1);
  EXPECT_EQ(l->soundAfter, 2);
  EXPECT_EQ(l->effectBefore, 3);
  EXPECT_EQ(l->effectAfter, 4);
  EXPECT_EQ(l->beforeMessage.value_or("?"), "Entering");
  EXPECT_EQ(l->afterMessage.value_or("?"), "Welcome");
  EXPECT_EQ(l->wait, 500);
  EXPECT_EQ(l->buffering, 1);
  const LocationDef* st = t.locations->Get(2);
  ASSERT_NE(st, nullptr);
  EXPECT_EQ(st->subtype, 5);
  EXPECT_EQ(st->entryType, 3);
}

TEST(ObjDefs, MissingFileAndSections) {
  InDirectory dir(FixtureDir());
  CaptureOutput out;
  ObjDefTables t;
  EXPECT_EQ(LoadCreateDefs(t, 'C', 99), 0);
  EXPECT_EQ(out.text, "WARNING (loading defs C): Could not open file: DATA99\\objdefs.dat\n");
  EXPECT_EQ(LoadText('V', "CLIST: 1\nC: 1 \"a\" 1 1 LAND NONE 1 1 1 1 1 1 1 1\nEND\n").result, 0);
  Loaded l = LoadText('C', "CLIST:\nC: 1\n");
  EXPECT_EQ(l.result, 0);
  EXPECT_EQ(l.printed, "ERROR (LoadCreateDefs): Missing count after CLIST:\n");
  for (const char* count : {"-1", "70000", "99999999999"}) {
    l = LoadText('I', std::string("ILIST: ") + count + "\n");
    EXPECT_EQ(l.result, 0) << count;
    EXPECT_NE(l.printed.find("ERROR (LoadCreateDefs): Invalid ILIST: count"), std::string::npos) << count;
  }
  // A header inside a comment does not count.
  EXPECT_EQ(LoadText('N', "/*\nNLIST: 2\n*/\n#NLIST: 2\n").result, 0);
}

TEST(ObjDefs, IdsOutsideTheTable) {
  Loaded l = LoadText('C',
                      "CLIST: 10\n"
                      "C: 11 \"Big\" 1 0 LAND NONE 5 1 1 1 1 1 5 0\nRANGE: 3\n"
                      "C: 10 \"Ten\" 1 0 LAND NONE 5 1 1 1 1 1 5 0\n"
                      "C: 0 \"Zero\" 1 0 LAND NONE 5 1 1 1 1 1 5 0\nEND\n");
  EXPECT_EQ(l.result, 1);
  EXPECT_EQ(l.printed,
            "ERROR (LoadCreateDefs): Could not load creature def 11\n"
            "ERROR (LoadCreateDefs): Could not load creature def 0\n");
  ASSERT_NE(l.t.creatures->Find(10), nullptr);
  EXPECT_EQ(l.t.creatures->Find(10)->range, 0);  // RANGE: went to the discarded record
  for (char kind : {'N', 'L', 'V', 'I'}) {
    std::string text = std::string(1, kind) + "LIST: 1\n" + kind + ": 2 \"x\" 1\n";
    Loaded k = LoadText(kind, text);
    EXPECT_EQ(k.printed, std::string("ERROR (LoadCreateDefs): Could not load ") + DefKindName(kind) + " def 2\n");
  }
}

TEST(ObjDefs, SectionsInAnyOrderAndWithoutEnd) {
  const std::string text =
      "LLIST: 1\nL: 1 \"Cave\" 3 DOWN NORMAL 0\nEND\n"
      "CLIST: 2\nC: 1 \"A\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\n"
      "LLIST: 1\nL: 1 \"Other\" 3 DOWN NORMAL 0\n"
      "C: 2 \"B\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\n";
  Loaded c = LoadText('C', text);
  ASSERT_EQ(c.result, 1);
  EXPECT_NE(c.t.creatures->Find(2), nullptr);  // read to the end of the file
  Loaded l = LoadText('L', text);
  ASSERT_EQ(l.result, 1);
  EXPECT_EQ(l.t.locations->Find(1)->name.value_or("?"), "Cave");
}

TEST(ObjDefs, CreatureRecordForms) {
  Loaded oneLine = LoadText('C', "CLIST: 1\nC: 1 \"Orc\" 40 2 LAND HOSTILE 9 5 3 1 6 2 25 4\n");
  Loaded spread = LoadText('C', "CLIST: 1\nC: 1 \"Orc\"\n40 2 LAND\nHOSTILE 9 5 3\n1 6 2 25\n4\n");
  for (const Loaded* l : {&oneLine, &spread}) {
    const CreatureDef* c = l->t.creatures->Find(1);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->tile, 40);
    EXPECT_EQ(c->terrainCap, 5);
    EXPECT_EQ(c->state, 3);
    EXPECT_EQ(c->maxHp, 9);
    EXPECT_EQ(c->damageBonus, 2);
    EXPECT_EQ(c->experience, 25);
    EXPECT_EQ(c->treasure, 4);
  }
  Loaded names = LoadText('C', "CLIST: 2\nC: 1 \"\" 1 0 LAND DOZING 1 1 1 1 1 1 1 1\n"
                               "C: 2 \"<NULL>\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\n");
  EXPECT_EQ(names.t.creatures->Find(1)->name.value_or("?"), "");
  EXPECT_EQ(names.t.creatures->Find(1)->state, 0);  // unknown state word
  EXPECT_EQ(names.t.creatures->Find(2)->name.value_or("?"), "<NULL>");
  // No ID: not stored, and the next word is read at once.
  Loaded noId = LoadText('C', "CLIST: 1\nC: RANGE: 5\nC: 1 \"x\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\n");
  EXPECT_EQ(noId.printed, "");
  EXPECT_EQ(noId.t.creatures->Find(1)->range, 0);
}

TEST(ObjDefs, UnterminatedQuotesLoseOnlyTheirRecord) {
  Loaded c = LoadText('C', "CLIST: 2\nC: 1 \"Orc 40 2 LAND HOSTILE 9 5 3 1 6 2 25 4\nRANGE: 3\n"
                           "C: 2 Bat 1 0 LAND NONE 1 1 1 1 1 1 1 1\n");
  EXPECT_EQ(c.printed, "ERROR (LoadCreateDefs): Unterminated quoted text\n");
  EXPECT_EQ(c.t.creatures->Find(1), nullptr);
  Loaded n = LoadText('N', "NLIST: 2\nN: 1 \"Bob NONE 0\nN: 2 \"Al\" NONE 0 \"Hi\"\n");
  EXPECT_EQ(n.t.npcs->Find(1), nullptr);
  ASSERT_NE(n.t.npcs->Find(2), nullptr);
  EXPECT_EQ(n.t.npcs->Find(2)->conversation.value_or("?"), "Hi");
  Loaded i = LoadText('I', "ILIST: 1\nI: 1 \"Sword\" 1 WEAPON 1\nLOOK: \"never closed\nCORE\n");
  EXPECT_EQ(i.printed, "ERROR (LoadCreateDefs): Unterminated quoted text\n");
  EXPECT_EQ(i.t.items->Find(1)->flags & ItemCore, ItemCore);  // the following line still counts
}

TEST(ObjDefs, CreatureSectionAbortRules) {
  const char* header = "CLIST: 2\n";
  const char* record = "C: 1 \"A\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\n";
  struct Case {
    const char* before;  // lines before the first record
    const char* after;   // lines after it
    const char* message;
  } cases[] = {
      {"EPOWER: 1\n", "", "EPOWER: before any creature definition"},
      {"RESISTANCE: 1\n", "", "RESISTANCE: before any creature definition"},
      {"TYPE: 1 2\n", "", "TYPE: before any creature definition"},
      {"PLEVEL: 1\n", "", "PLEVEL: before any creature definition"},
      {"MOVEEFFECT\n", "", "MOVEEFFECT before any creature definition"},
      {"BOARDTILE\n", "", "BOARDTILE before any creature definition"},
      {"", "TYPE:\n", "TYPE: without a value"},
      {"", "PLEVEL:\n", "PLEVEL: without a value"},
      {"", "POWER-CHECKLOS\n", "POWER-CHECKLOS before any POWER: line"},
      {"", "POWER-SAVE: 1\n", "POWER-SAVE: before any POWER: line"},
      {"", "POWER-DAMAGE: 1 2 3\n", "POWER-DAMAGE: before any POWER: line"},
      {"", "POWER-RESITEM: 1 2\n", "POWER-RESITEM: before any POWER: line"},
      {"", "POWER-RID: 1\n", "POWER-RID: before any POWER: line"},
      {"", "POWER-FX: 1 2\n", "POWER-FX: before any POWER: line"},
      {"", "POWER-RANGEFX: 1\n", "POWER-RANGEFX: before any POWER: line"},
      {"", "POWER-RIFX: 1 2\n", "POWER-RIFX: before any POWER: line"},
  };
  for (const Case& c : cases) {
    Loaded l = LoadText('C', std::string(header) + c.before + record + c.after);
    EXPECT_EQ(l.result, 0) << c.message;
    EXPECT_FALSE(l.t.creatures) << c.message;
    EXPECT_EQ(l.printed, std::string("ERROR (LoadCreateDefs): ") + c.message + "; creature definitions not loaded\n");
  }
  // Ignored without their record: the section still loads.
  Loaded ok = LoadText('C', std::string(header) + "RANGE: 1\nSAVES: 1 2 3\nPOWER: \"p\" SLEEP 1\n"
                                                  "POWER-IDRANGE: 1 2\nPOWER-IDRANGES: 1; 1-2\n" + record);
  EXPECT_EQ(ok.result, 1);
  EXPECT_EQ(ok.printed, "");
  EXPECT_FALSE(ok.t.creatures->Find(1)->power);
}

TEST(ObjDefs, CurrentPowerNeverOutlivesItsRecord) {
  // Creature 1 is replaced by a second record with its ID; the power opened on
  // the first must not be changed through a dangling pointer afterwards.
  Loaded l = LoadText('C',
                      "CLIST: 2\n"
                      "C: 1 \"A\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\nPOWER: \"p\" SLEEP 1\n"
                      "C: 1 \"B\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\nPOWER-SAVE: 3\n");
  EXPECT_EQ(l.result, 1);
  EXPECT_EQ(l.printed, "ERROR (LoadCreateDefs): POWER-SAVE: ignored; its power went with a discarded creature\n");
  EXPECT_FALSE(l.t.creatures->Find(1)->power);
  Loaded d = LoadText('C',
                      "CLIST: 2\n"
                      "C: 5 \"Discarded\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\nPOWER: \"p\" SLEEP 1\n"
                      "C: 2 \"B\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\nPOWER-RID: 3\n");
  EXPECT_EQ(d.result, 1);
  EXPECT_EQ(d.printed,
            "ERROR (LoadCreateDefs): Could not load creature def 5\n"
            "ERROR (LoadCreateDefs): POWER-RID: ignored; its power went with a discarded creature\n");
  // A power of an earlier stored creature stays current across records.
  Loaded k = LoadText('C',
                      "CLIST: 2\n"
                      "C: 1 \"A\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\nPOWER: \"p\" SLEEP 1\n"
                      "C: 2 \"B\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\nPOWER-RID: 3\n");
  ASSERT_EQ(k.result, 1);
  EXPECT_EQ(k.t.creatures->Find(1)->power->resistanceId, 3);
  // OFFERONCE: after the NPC holding the offer was replaced is ignored.
  Loaded n = LoadText('N',
                      "NLIST: 1\nN: 1 \"A\" NONE 0 \"x\"\nOFFER: ITEM 1 1 1 0 0 \"a\" \"b\"\n"
                      "N: 1 \"B\" NONE 0 \"y\"\nOFFERONCE: 4\n");
  EXPECT_EQ(n.result, 1);
  EXPECT_FALSE(n.t.npcs->Find(1)->offer);
}

TEST(ObjDefs, PowerIdRanges) {
  struct Case {
    const char* line;
    std::vector<std::pair<int, int>> ranges;
    const char* printed;
  } cases[] = {
      {"POWER-IDRANGES: 2; 5-3 7-9", {{5, 5}, {7, 9}}, ""},
      {"POWER-IDRANGES: 0; 5-3", {}, ""},
      {"POWER-IDRANGES: 3; 2-4 0-4 8-9", {{2, 4}}, ""},
      {"POWER-IDRANGES: 1; 2-4 6-7", {{2, 4}}, ""},
      {"POWER-IDRANGES: 2 5-3", {}, ""},
      {"POWER-IDRANGES: 2;5-3", {}, ""},
      {"POWER-IDRANGES: 4; 6", {{6, 6}}, ""},
      {"POWER-IDRANGES: -2; 1-2", {}, "ERROR (LoadCreateDefs): Invalid POWER-IDRANGES: count -2\n"},
      {"POWER-IDRANGES: 999999999; 1-2", {}, "ERROR (LoadCreateDefs): Invalid POWER-IDRANGES: count 999999999\n"},
  };
  for (const Case& c : cases) {
    Loaded l = LoadText('C', std::string("CLIST: 1\nC: 1 \"A\" 1 0 LAND NONE 1 1 1 1 1 1 1 1\nPOWER: \"p\" SLEEP 1\n") +
                                 c.line + "\n");
    ASSERT_EQ(l.result, 1) << c.line;
    EXPECT_EQ(l.printed, c.printed) << c.line;
    std::vector<std::pair<int, int>> got;
    for (const IdRange& r : l.t.creatures->Find(1)->power->idRanges) got.emplace_back(r.low, r.high);
    EXPECT_EQ(got, c.ranges) << c.line;
  }
}

TEST(ObjDefs, ItemEdgeCases) {
  auto item = [](const std::string& lines) {
    Loaded l = LoadText('I', "ILIST: 1\nI: 1 \"X\" 1 WEAPON 1\n" + lines);
    return l;
  };
  Loaded l = item("AMMO: 2\nWEAPON: 1 1 1 1 1 1\n");
  EXPECT_EQ(l.t.items->Find(1)->subtype, 9);
  EXPECT_EQ(l.t.items->Find(1)->flags & ItemWeapon, ItemWeapon);
  l = item("WEAPON: 1 1 1 1 1 1\nAMMO: 2\n");
  EXPECT_EQ(l.t.items->Find(1)->flags & ItemWeapon, 0);
  l = item("MAX: 5\nVEHICLE: 2\n");
  EXPECT_EQ(l.t.items->Find(1)->maxCount, 1u);
  l = item("SPELL: DAMAGE 1 2 3 4 5 6\n");
  EXPECT_EQ(l.printed, "ERROR (LoadCreateDefs SPELL): More than five values\n");
  EXPECT_FALSE(l.t.items->Find(1)->spell);
  EXPECT_EQ(l.t.items->Find(1)->subtype, 6);
  l = item("SPM: 1 2 3\nSPPOWER: 4\n");
  EXPECT_EQ(l.printed, "ERROR (LoadCreateDefs SPM): Item has no spell record\n");
  EXPECT_EQ(l.t.items->Find(1)->power, 0);
  l = item("WEAPON:\nCHARGES:\nUSECHARGES:\n");
  EXPECT_EQ(l.t.items->Find(1)->flags & ItemWeapon, 0);  // empty rest of line changes nothing
  EXPECT_EQ(l.t.items->Find(1)->usesConsume, 1);
  l = item("USECHARGES: 256\nRES: 12\n");
  EXPECT_EQ(l.t.items->Find(1)->usesConsume, 0);
  EXPECT_EQ(l.t.items->Find(1)->resource->flags, 0);
  EXPECT_EQ(l.t.items->Find(1)->resource->value, 12);
  // A value missing on its line does not take the next line.
  l = item("VTILE:\nMAX: 3\n");
  EXPECT_EQ(l.t.items->Find(1)->vectorTile, 0);
  EXPECT_EQ(l.t.items->Find(1)->maxCount, 3u);
  Loaded c = LoadText('I', "ILIST: 2\nI: 1 \"Box\" 1 ICONTAINER\nI: 2 \"Gold\" 1 CURRENCY 70000m\n");
  EXPECT_EQ(c.t.items->Find(1)->flags & ItemTakeable, 0);
  EXPECT_EQ(c.t.items->Find(2)->weight, 4464u);
  Loaded e = LoadText('I', "ILIST: 1\nI:\nCORE\n");
  EXPECT_EQ(e.printed, "ERROR (LoadCreateDefs): Missing values on item record line\n");
  EXPECT_EQ(e.t.items->CountUsed(), 0);
}

TEST(ObjDefs, CommentsInsideSections) {
  Loaded l = LoadText('L',
                      "LLIST: 1 # one location\n"
                      "/* L: 1 \"Wrong\" 1 UP NORMAL 0\n*/ tail L: 1 \"Wrong\"\n"
                      "#L: 1 \"Wrong\" 1 UP NORMAL 0\n"
                      "L: 1 \"Right\" 1 UP NORMAL 0\n/* a\nb */ c\n*/\nVEHICLES\nEND\n");
  ASSERT_EQ(l.result, 1);
  EXPECT_EQ(l.t.locations->Find(1)->name.value_or("?"), "Right");
  EXPECT_EQ(l.t.locations->Find(1)->flags, LocationVehicles);
}
