// Dice, one attack as a table of rolls, kills, retreat thresholds and
// experience.
#include "RulesFixture.h"

#include "play/ActionCommands.h"
#include "scenario/RuleTables.h"

TEST(Dice, CountLimitsAndBonus) {
  std::string out;
  SetOutputCapture(&out);
  EXPECT_EQ(DiceRoll(51, 6, 3), 0);
  EXPECT_NE(out.find("ERROR (DiceRoll): Amount 51 > max of 50"), std::string::npos);
  EXPECT_EQ(DiceRoll(0, 6, 7), 7);
  EXPECT_EQ(DiceRoll(-2, 0, 4), 4);
  out.clear();
  EXPECT_EQ(DiceRoll(2, 0, 4), 0);
  EXPECT_NE(out.find("ERROR (DiceRoll): Type 0 > min of 1 when amount < 1"), std::string::npos);
  SeedRandom(7);
  for (int i = 0; i < 200; ++i) {
    int r = DiceRoll(3, 6, 1);
    ASSERT_GE(r, 4);
    ASSERT_LE(r, 19);
  }
  SetOutputCapture(nullptr);
}

TEST(Dice, RandomIntBoundsAndReversedRange) {
  std::string out;
  SetOutputCapture(&out);
  EXPECT_EQ(RandomInt(5, 4), 0);
  EXPECT_EQ(out, "ERROR (RandomInt): Min 5 > Max 4\n");
  SeedRandom(3);
  EXPECT_EQ(RandomInt(-2147483647 - 1, 2147483647) >= -2147483647 - 1, true);  // no overflow
  SetOutputCapture(nullptr);
}

TEST(HitPoints, PercentAndSaturatedDamage) {
  EXPECT_EQ(HpPercent(5, 0), 0);  // a maximum of 0 never divides
  EXPECT_EQ(HpPercent(-3, 10), 0);
  EXPECT_EQ(HpPercent(7, 10), 70);
  EXPECT_EQ(HpPercent(32767, 32767), 100);
  EXPECT_EQ(TakeDamage(10, -5), 10);  // negative damage never heals
  EXPECT_EQ(TakeDamage(-32000, 5000), -32768);
  EXPECT_EQ(TakeDamage(10, 3), 7);
}

struct AttackCase {
  int roll;
  int defence, attackBonus, dice, sides, bonus;
  int verbosity;
  int result, damage;
  const char* text;
};

TEST(DoAttackTable, ScriptedRolls) {
  const AttackCase cases[] = {
      // A critical hit ignores the defence and doubles the dice's most.
      {100, 1000, 0, 1, 6, 2, 2, AttackCriticalHit, 16, "CRITICAL HIT!!! (0% Rat)\n"},
      {1, 0, 1000, 1, 6, 2, 2, AttackCriticalMiss, 0, "CRITICAL MISS!!! (Rat)\n"},
      {50, 50, 0, 0, 0, 3, 2, AttackHit, 3, "HIT!!! (70% Rat)\n"},
      {49, 50, 0, 0, 0, 3, 2, AttackMiss, 0, "MISS (Rat)\n"},
      {40, 50, 10, 0, 0, 3, 1, AttackHit, 3, "HIT!!!\n"},
      {39, 50, 10, 0, 0, 3, 1, AttackMiss, 0, "MISS\n"},
      {60, 50, 0, 0, 0, 4, 3, AttackHit, 4, "HIT!!! (Rat)\nDamage: 4  HP: 60%\n"},
      {60, 50, 0, 0, 0, 4, 0, AttackHit, 4, ""},
      {2, 50, 0, 0, 0, 4, 4, AttackMiss, 0, "MISS!\n"},
      {100, 0, 0, 0, 0, -5, 2, AttackCriticalHit, 0, "CRITICAL HIT!!!"},  // no healing by a negative bonus
  };
  for (const AttackCase& c : cases) {
    RulesWorld w({"...", "...", "..."});
    CreatureDef* adef = w.Def("Wolf");
    adef->attackBonus = uint16_t(c.attackBonus);
    adef->damageDice = uint16_t(c.dice);
    adef->damageSides = uint16_t(c.sides);
    adef->damageBonus = uint16_t(int16_t(c.bonus));
    CreatureDef* ddef = w.Def("Rat", 10);
    ddef->armourClass = uint16_t(c.defence);
    CreatureObject* a = w.Add(adef, 0, 0, StateAttack);
    CreatureObject* d = w.Add(ddef, 1, 0, StateAttack);
    w.game.verbosity = uint8_t(c.verbosity);
    ASSERT_NE(SeedForRoll(c.roll), 0u);
    SeedRandom(SeedForRoll(c.roll));
    w.out.clear();
    AttackOutcome o = DoAttack(w.game, CreatureFighter(a), CreatureFighter(d));
    SCOPED_TRACE(c.roll);
    EXPECT_EQ(o.roll, c.roll);
    EXPECT_EQ(o.result, c.result);
    EXPECT_EQ(o.damage, c.damage);
    EXPECT_EQ(d->hp, 10 - c.damage);
    if (c.result == AttackCriticalHit && c.bonus < 0) {
      EXPECT_EQ(w.out.rfind(c.text, 0), 0u);
    } else {
      EXPECT_EQ(w.out, c.text);
    }
  }
}

TEST(DoAttackTable, PlayerCharacterMessagesAndVehicleTakesTheBlow) {
  RulesWorld w({"..."});
  CreatureDef* rat = w.Def("Rat");
  rat->damageDice = 0;
  rat->damageBonus = 5;
  CreatureObject* r = w.Add(rat, 1, 0, StateAttack);
  SeedRandom(SeedForRoll(80));
  DoAttack(w.game, CreatureFighter(r), PCFighter(w.game));
  EXPECT_EQ(w.out, "HIT!!! (D:5)\n");
  EXPECT_EQ(w.game.pc->body.hp, 25);

  // In a vehicle with hit points the vehicle loses them, even below 0.
  VehicleDef vdef;
  vdef.maxHp = 4;
  w.game.pc->vehicle = std::make_shared<VehicleObject>();
  w.game.pc->vehicle->def = &vdef;
  w.game.pc->vehicle->hp = 3;
  w.out.clear();
  SeedRandom(SeedForRoll(80));
  DoAttack(w.game, CreatureFighter(r), PCFighter(w.game));
  EXPECT_EQ(w.game.pc->vehicle->hp, -2);
  EXPECT_EQ(w.game.pc->body.hp, 25);
  EXPECT_EQ(w.out, "HIT!!!\n");

  // The party's attack at verbosity 3 shows the roll.
  w.game.pc->vehicle.reset();
  w.game.verbosity = 3;
  w.game.pc->def.damageDice = 0;
  w.game.pc->def.damageBonus = 2;
  w.out.clear();
  SeedRandom(SeedForRoll(70));
  DoAttack(w.game, PCFighter(w.game), CreatureFighter(r));
  EXPECT_EQ(w.out, "HIT!!! (Rat)\nRoll: 70  Modified: 70\nDamage: 2  HP: 80%\n");
}

TEST(KillCheck, KillGivesExperienceByVerbosityAndRemovesTheCreature) {
  for (int v : {1, 2}) {
    RulesWorld w({"...", "..."});
    CreatureDef* rat = w.Def("Rat");
    rat->experience = 5;
    CreatureObject* r = w.Add(rat, 2, 1, StateAttack);
    const uint16_t id = r->id;
    r->hp = 0;
    w.game.verbosity = uint8_t(v);
    EXPECT_EQ(KillRetreatCheck(w.game, CreatureFighter(r), nullptr), 2);
    EXPECT_EQ(w.out, v == 1 ? "KILLED--EXP.+05\nWARNING (ApplyXP): Could not check level up (no class)\n"
                            : "Rat KILLED!\nWARNING (ApplyXP): Could not check level up (no class)\n");
    EXPECT_EQ(w.game.pc->xp, 5);
    EXPECT_EQ(w.game.creatures->Get(id), nullptr);
    EXPECT_EQ(w.game.qmap->Top(2, 1), nullptr);
    EXPECT_EQ(w.game.turn.groupLoss, 1);
  }
}

TEST(KillCheck, KillByAnotherCreatureCountsLossButNoExperience) {
  RulesWorld w({"..."});
  CreatureDef* rat = w.Def("Rat");
  rat->experience = 5;
  CreatureObject* wolf = w.Add(w.Def("Wolf"), 0, 0, StateAttack);
  CreatureObject* r = w.Add(rat, 1, 0, StateAttack);
  r->hp = -3;
  Fighter a = CreatureFighter(wolf);
  EXPECT_EQ(KillRetreatCheck(w.game, CreatureFighter(r), &a), 2);
  EXPECT_EQ(w.game.pc->xp, 0);
  EXPECT_EQ(w.game.turn.groupLoss, 1);
}

TEST(KillCheck, WinByKillingTheNamedCreature) {
  RulesWorld w({".."});
  CreatureDef* boss = w.Def("Warlord");
  boss->id = 7;
  w.game.scenario.config.winType = WinKill;
  w.game.scenario.config.winValue = 7;
  CreatureObject* b = w.Add(boss, 1, 0, StateAttack);
  b->hp = 0;
  KillRetreatCheck(w.game, CreatureFighter(b), nullptr);
  EXPECT_EQ(w.game.world.won, 1);
}

TEST(KillCheck, RetreatAtHalfOrAQuarterRoundedDown) {
  struct Case {
    int maxHp, hp, retreatType;
    bool fearless;
    int state;
  } cases[] = {
      {21, 11, 0, false, StateAttack}, {21, 10, 0, false, StateRetreat}, {20, 6, 1, false, StateAttack},
      {20, 5, 1, false, StateRetreat}, {20, 1, 0, true, StateAttack},    {0, 1, 0, false, StateAttack},
  };
  for (const Case& c : cases) {
    RulesWorld w({".."});
    CreatureDef* d = w.Def("Rat", c.maxHp);
    if (c.fearless) d->behaviour = BehaviourFearless;
    w.game.scenario.config.aiRetreatType = uint8_t(c.retreatType);
    CreatureObject* r = w.Add(d, 1, 0, StateAttack);
    r->hp = int16_t(c.hp);
    KillRetreatCheck(w.game, CreatureFighter(r), nullptr);
    EXPECT_EQ(r->state, c.state) << c.maxHp << " " << c.hp;
    if (c.state == StateRetreat) {
      EXPECT_TRUE(r->attackTarget & TargetExplicit);
    }
  }
}

TEST(Experience, OneLevelPerApplyXPAndMessages) {
  RulesWorld w({"."});
  EXPECT_EQ(ApplyXP(w.game, nullptr, 5), 0);
  EXPECT_EQ(w.out, "Error (ApplyXP): Missing PC object param\n");
  w.game.scenario.classes = std::make_unique<ClassTable>(4);
  auto k = std::make_unique<ClassRecord>();
  k->xpFactor = 100;
  k->levelType = 1;
  k->levelGain[0] = 6;
  k->periodAc = 3;
  k->levelGain[1] = 1;
  w.game.scenario.classes->Set(1, std::move(k));
  PCRecord& pc = *w.game.pc;
  pc.cls = 1;
  pc.level = 1;
  w.out.clear();
  ApplyXP(w.game, &pc, 599);
  EXPECT_EQ(pc.level, 1);  // level 2 needs 100 x 2 x 3
  ApplyXP(w.game, &pc, 100000);
  EXPECT_EQ(pc.level, 2);  // one level per call
  EXPECT_EQ(pc.def.maxHp, 36);
  EXPECT_EQ(pc.body.hp, 36);
  EXPECT_EQ(pc.def.armourClass, 0);  // the armour gain comes every third level
  EXPECT_EQ(w.out, "You have reached level 2!\n");
  ApplyXP(w.game, &pc, 0);
  EXPECT_EQ(pc.level, 3);
  EXPECT_EQ(pc.def.armourClass, 1);
}

TEST(Experience, SharedEquallyAmongAbleMembers) {
  // Party positions: 1 active (the game's pc), 2 alive, 3 dead, 4 gone, 5 alive.
  RulesWorld w({"."});
  w.game.verbosity = 1;
  w.game.partySize = 5;
  w.game.activeMember = 1;
  w.game.partyMembers.resize(5);
  for (int k = 2; k <= 5; ++k) {
    auto m = std::make_unique<PCRecord>();
    m->body.hp = k == 3 ? 0 : 10;
    m->gone = k == 4;
    w.game.partyMembers[size_t(k - 1)] = std::move(m);
  }
  PartyXP(w.game, 25);
  EXPECT_EQ(w.game.pc->xp, 8);  // three able members: 25 / 3
  EXPECT_EQ(w.game.partyMembers[1]->xp, 8);
  EXPECT_EQ(w.game.partyMembers[2]->xp, 0);
  EXPECT_EQ(w.game.partyMembers[3]->xp, 0);
  EXPECT_EQ(w.game.partyMembers[4]->xp, 8);
  EXPECT_EQ(w.out.substr(0, 14), "--EXP.+25\nWARN");

  // Nobody able: nothing given; nobody at all: an error line.
  w.game.pc->body.hp = 0;
  w.game.partyMembers[1]->body.hp = 0;
  w.game.partyMembers[4]->body.hp = 0;
  w.out.clear();
  PartyXP(w.game, 25);
  EXPECT_EQ(w.out, "--EXP.+25\n");
  w.game.pc.reset();
  w.game.partyMembers.clear();
  w.out.clear();
  w.game.verbosity = 0;
  PartyXP(w.game, 25);
  EXPECT_EQ(w.out, "ERROR (PartyXP): Invalid party size 0\n");
}

TEST(Saves, CriticalsAndInvalidType) {
  RulesWorld w({"."});
  PowerDef p;
  Fighter t = PCFighter(w.game);
  SeedRandom(SeedForRoll(100));
  EXPECT_EQ(GetPowerSave(w.game, &p, 3, t), 2147483647);
  SeedRandom(SeedForRoll(1));
  EXPECT_EQ(GetPowerSave(w.game, &p, 3, t), 1);
  w.out.clear();
  SeedRandom(SeedForRoll(50));
  w.game.pc->def.saveWill = 7;
  EXPECT_EQ(GetPowerSave(w.game, &p, 3, t), 57);
  EXPECT_EQ(w.out, "");  // verbosity 2 shows nothing
  EXPECT_EQ(GetPowerSave(w.game, &p, 9, t), 0);
  EXPECT_EQ(w.out, "ERROR (GetPowerSave): Invalid save type (9)\n");
}

TEST(PartyAttack, AttackingAPeacefulCreatureAlertsItsGroupAndCostsReputation) {
  RulesWorld w({"....", "...."});
  w.Player(0, 0);
  CreatureDef* sheep = w.Def("Sheep");
  CreatureObject* s = w.Add(sheep, 1, 0, StateWander);
  s->groupId = 3;
  CreatureObject* friendOf = w.Add(sheep, 3, 1, StateWander);
  friendOf->groupId = 3;
  CreatureObject* stranger = w.Add(sheep, 0, 1, StateWander);
  w.game.pc->def.damageDice = 0;
  w.game.pc->def.damageBonus = 1;
  SeedRandom(SeedForRoll(90));
  EXPECT_EQ(PartyAttackCell(w.game, 1, 0, false), 2);
  EXPECT_EQ(w.out, "--HIT!!! (90% Sheep)\n");
  EXPECT_EQ(w.game.mapData.pcRep, -100);
  EXPECT_EQ(s->state, StateAttack);
  EXPECT_TRUE(s->flags & CreaturePeaceful);
  EXPECT_TRUE(s->attackTarget & TargetPCs);
  EXPECT_EQ(friendOf->state, StateAttack);
  EXPECT_EQ(stranger->state, StateWander);
  // Nothing there: a miss without a turn's attack.
  w.out.clear();
  EXPECT_EQ(PartyAttackCell(w.game, 2, 1, false), 2);
  EXPECT_EQ(w.out, "--MISS\n");
  // Paralysed arms: no attack and back to the prompt.
  w.game.pc->body.attackImmobile = 2;
  w.out.clear();
  EXPECT_EQ(PartyAttackCell(w.game, 1, 0, false), 1);
  EXPECT_EQ(w.out, " -- NOTHING!\nCan't attack (arms paralyzed)\nCMD: ");
}
