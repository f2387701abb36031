// Creature behaviour on small maps: target search order and wrapping,
// range distance, the movement rules, retreat, wandering, group retreat.
#include "RulesFixture.h"

#include <random>

#include "play/TurnCycle.h"

namespace {
// The creature found by a search, or -1 for the player, 0 none.
int Found(RulesWorld& w, CreatureObject* n) {
  CreatureObject* c = nullptr;
  bool pc = false;
  if (!FindClosestTarget(w.game, *n, &c, &pc)) return 0;
  return pc ? -1 : c->id;
}
int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + part.size())) ++n;
  return n;
}
}  // namespace

TEST(ClosestTarget, StraightCellsFirstThenCornersInRingOrder) {
  // Neighbours of (2, 2): each pair is placed and the first is expected.
  struct Case {
    int ax, ay, bx, by;  // a is expected to win over b
  } cases[] = {
      {1, 2, 1, 1},  // west before north-west
      {3, 1, 1, 3},  // north-east before south-west (after north-west)
      {1, 1, 3, 1},  // north-west before north-east
      {3, 3, 1, 3},  // south-east before south-west
  };
  for (const Case& c : cases) {
    RulesWorld w({".....", ".....", ".....", ".....", "....."});
    w.Player(4, 4);
    CreatureDef* hunter = w.Def("Hunter");
    CreatureDef* prey = w.Def("Prey");
    CreatureObject* n = w.Add(hunter, 2, 2, StateAttack);
    n->attackTarget = TargetAll;
    CreatureObject* b = w.Add(prey, c.bx, c.by, StateWander);
    CreatureObject* a = w.Add(prey, c.ax, c.ay, StateWander);
    (void)b;
    EXPECT_EQ(Found(w, n), a->id) << c.ax << "," << c.ay;
  }
}

TEST(ClosestTarget, WrapsPerAxisAndRadiusLargerThanTheMap) {
  RulesWorld w({".....", ".....", "....."});
  w.Border('E', BorderActionWrap);
  w.Border('W', BorderActionWrap);
  w.Player(2, 1);
  w.game.turn.findEnemyDist = 1;
  CreatureObject* n = w.Add(w.Def("Hunter"), 4, 1, StateAttack);
  n->attackTarget = TargetAll;
  CreatureObject* east = w.Add(w.Def("Prey"), 0, 1, StateWander);
  EXPECT_EQ(Found(w, n), east->id);  // across the east border
  w.game.RemoveObject(KindCreature, east->id, true);
  // North and south do not wrap: a creature across them is not found.
  CreatureObject* m = w.Add(w.Def("Hunter"), 0, 0, StateAttack);
  m->attackTarget = TargetAll;
  w.Add(w.Def("Prey"), 0, 2, StateWander);
  w.game.RemoveObject(KindCreature, n->id, true);
  EXPECT_EQ(Found(w, m), 0);
  // A radius far beyond a wrapping map's size stays inside it.
  w.WrapAll();
  w.game.turn.findEnemyDist = 40;
  EXPECT_NE(Found(w, m), 0);
}

TEST(ClosestTarget, PlayerFoundByPCHuntersOnly) {
  RulesWorld w({"....."});
  w.Player(3, 0);
  w.game.turn.findEnemyDist = 4;
  CreatureObject* n = w.Add(w.Def("Orc"), 0, 0, StateHostile);
  n->attackTarget = TargetPCs;
  EXPECT_EQ(Found(w, n), -1);
  n->attackTarget = 0;
  EXPECT_EQ(Found(w, n), 0);
}

// The search order written out cell by cell, as a reference for the
// search's shortcuts: rings 1..r, the four straight cells, then each side
// from its corner, cells beyond a wrapping border brought back per axis.
// `wraps` is indexed north, east, south, west.
int ReferenceSearch(RulesWorld& w, const CreatureObject& n, int r, const bool wraps[4]) {
  const int mw = w.game.map->Width(), mh = w.game.map->Height();
  auto probe = [&](int cx, int cy) -> int {
    if (cx < 0 || cx >= mw) {
      if (!wraps[cx < 0 ? 3 : 1]) return 0;
      cx = ((cx % mw) + mw) % mw;
    }
    if (cy < 0 || cy >= mh) {
      if (!wraps[cy < 0 ? 0 : 2]) return 0;
      cy = ((cy % mh) + mh) % mh;
    }
    if (cx == w.game.playerX && cy == w.game.playerY) return -1;
    const QEntry* top = w.game.qmap->Top(cx, cy);
    if (!top || top->kind != KindCreature || top->id == n.id) return 0;
    const CreatureObject* d = w.game.creatures->Get(top->id);
    return d && !(d->attackTarget & TargetAll) ? d->id : 0;
  };
  for (int k = 1; k <= r; ++k) {
    for (int found : {probe(n.x, n.y - k), probe(n.x + k, n.y), probe(n.x, n.y + k), probe(n.x - k, n.y)})
      if (found) return found;
    for (int i = 0; i < 2 * k; ++i)
      if (int f = probe(n.x - k + i, n.y - k)) return f;
    for (int i = 0; i < 2 * k; ++i)
      if (int f = probe(n.x + k, n.y - k + i)) return f;
    for (int i = 0; i < 2 * k; ++i)
      if (int f = probe(n.x + k - i, n.y + k)) return f;
    for (int i = 0; i < 2 * k; ++i)
      if (int f = probe(n.x - k, n.y + k - i)) return f;
  }
  return 0;
}

TEST(ClosestTarget, AgreesWithTheCellByCellOrderOnRandomMaps) {
  // Hunters of all (which are no targets for each other), prey, items laid
  // over some creatures, the player, every mix of wrapping sides, radii
  // below and beyond the map's size, maps wider than a word of cells.
  // The test's own generator: every world seeds the game's.
  std::minstd_rand gen(4242);
  auto random = [&gen](int lo, int hi) { return lo + int(gen() % unsigned(hi - lo + 1)); };
  int found = 0;
  for (int round = 0; round < 2000; ++round) {
    const int mw = random(1, round % 4 == 0 ? 140 : 12), mh = random(1, 12);
    RulesWorld w(std::vector<std::string>(size_t(mh), std::string(size_t(mw), '.')));
    bool wraps[4];
    for (int side = 0; side < 4; ++side) {
      wraps[side] = round % 3 == 0 && random(0, 1) == 1;
      if (wraps[side]) w.Border("NESW"[side], BorderActionWrap);
    }
    w.Player(random(0, mw - 1), random(0, mh - 1));
    CreatureDef* hunter = w.Def("Hunter");
    CreatureDef* prey = w.Def("Prey");
    const int count = random(1, 40);
    for (int i = 0; i < count; ++i) {
      const int x = random(0, mw - 1), y = random(0, mh - 1);
      CreatureObject* c = w.Add(random(0, 2) == 0 ? hunter : prey, x, y, StateWander);
      if (c->def == hunter) c->attackTarget = TargetAll;
      if (random(0, 5) == 0) w.game.qmap->Push(x, y, KindItem, uint16_t(100 + i), 0);
    }
    CreatureObject* n = w.Add(hunter, random(0, mw - 1), random(0, mh - 1), StateAttack);
    n->attackTarget = TargetAll;
    const int r = random(1, round % 2 ? 4 : 30);
    w.game.turn.findEnemyDist = int16_t(r);
    const int expected = ReferenceSearch(w, *n, r, wraps);
    found += expected != 0;
    ASSERT_EQ(Found(w, n), expected) << "round " << round << " map " << mw << "x" << mh << " radius " << r
                                     << " at " << n->x << "," << n->y;
  }
  EXPECT_GT(found, 1000);  // the rounds mostly end in a find, so the order is what is tested
}

TEST(RangedAttack, DistanceIsLargerPlusHalfTheSmaller) {
  // Range 3: (3, 1) is at distance 3 (a Euclidean rule says 3.16), (3, 2) at
  // 4 (a Chebyshev rule says 3).
  struct Case {
    int px, py;
    bool shoots;
  } cases[] = {{3, 1, true}, {3, 2, false}, {3, 0, true}};
  for (const Case& c : cases) {
    RulesWorld w({"......", "......", "......"});
    w.game.mapData.rangedAttack = 1;
    CreatureDef* archer = w.Def("Archer");
    archer->range = 3;
    w.Player(c.px, c.py);
    CreatureObject* n = w.Add(archer, 0, 0, StateAttack);
    n->moveImmobile = 5;  // so that only the attack can happen
    NPCTurn(w.game, *n);
    EXPECT_EQ(w.out.find("Archer ATTACKS--") != std::string::npos, c.shoots) << c.px << "," << c.py;
  }
}

TEST(Movement, RuleOneGoalNorthWithTheNorthCellBlocked) {
  // The diagonal try is the step north; the horizontal try lands on the
  // creature's own cell; the vertical try is north again: no step.
  RulesWorld u({"...", ".#.", "..."});
  u.Player(1, 0);
  CreatureObject* n = u.Add(u.Def("Guard"), 1, 2, StateFollow);
  EXPECT_EQ(NPCTurn(u.game, *n), 2);
  EXPECT_EQ(n->x, 1);
  EXPECT_EQ(n->y, 2);
  // Goal north-east with the diagonal open: the diagonal step.
  u.Player(2, 0);
  NPCTurn(u.game, *n);
  EXPECT_EQ(n->x, 2);
  EXPECT_EQ(n->y, 1);
}

TEST(Movement, StepsAcrossAWrappingBorderTowardsTheShorterSide) {
  RulesWorld w({"......"});
  w.WrapAll();
  w.Player(5, 0);
  CreatureObject* n = w.Add(w.Def("Guard"), 1, 0, StateFollow);
  NPCTurn(w.game, *n);
  EXPECT_EQ(n->x, 0);  // westward is shorter: 1 -> 0 -> 5
  NPCTurn(w.game, *n);
  EXPECT_EQ(n->x, 0);  // next to the player: (5) is the player's cell, blocked
  int sx, sy, adx, ady;
  WrapDelta(w.game, 0, 0, 5, 0, &sx, &sy, &adx, &ady);
  EXPECT_EQ(sx, -1);
  EXPECT_EQ(adx, 1);
}

TEST(Movement, MoveTakesTheCreaturesOwnStackEntry) {
  RulesWorld w({"...."});
  w.Player(3, 0);
  CreatureDef* ghost = w.Def("Ghost");
  CreatureObject* n = w.Add(ghost, 0, 0, StateFollow);
  // Something lies on top of the creature in its cell.
  ASSERT_TRUE(w.game.qmap->Push(0, 0, KindItem, 9, 0));
  ASSERT_TRUE(NPCMove(w.game, *n, 1, 0));
  auto stack = w.game.qmap->Stack(0, 0);
  ASSERT_EQ(stack.size(), 1u);
  EXPECT_EQ(stack[0].kind, KindItem);
  EXPECT_EQ(w.game.qmap->Top(1, 0)->kind, KindCreature);
}

TEST(Movement, BlockingRules) {
  RulesWorld w({"..#.", "...."});
  w.Player(1, 1);
  CreatureObject* n = w.Add(w.Def("Rat"), 1, 0, StateFollow);
  CreatureObject* other = w.Add(w.Def("Rat"), 0, 0, StateStatic);
  (void)other;
  EXPECT_FALSE(NPCMove(w.game, *n, 2, 0));  // wall
  EXPECT_FALSE(NPCMove(w.game, *n, 0, 0));  // another creature
  EXPECT_FALSE(NPCMove(w.game, *n, 1, 1));  // the player
  EXPECT_FALSE(NPCMove(w.game, *n, 1, -1)); // off a map without borders
  EXPECT_TRUE(NPCMove(w.game, *n, 0, 1));
}

TEST(Retreat, TypeZeroMovesAwayThreeTurnsThenEnraged) {
  RulesWorld w({"..........", ".........."});
  w.Player(0, 0);
  CreatureObject* n = w.Add(w.Def("Rat"), 2, 0, StateRetreat);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(n->state, StateRetreat) << i;
    NPCTurn(w.game, *n);
  }
  EXPECT_EQ(n->x, 5);
  EXPECT_EQ(n->state, StateEnraged);
}

TEST(Retreat, TypeOneFleesOverAnEdgeOrIsCornered) {
  RulesWorld w({"...."});
  w.Border('E', BorderActionBlocked);
  w.game.scenario.config.aiRetreatType = 1;
  w.Player(0, 0);
  CreatureDef* rat = w.Def("Rat");
  rat->experience = 4;
  CreatureObject* n = w.Add(rat, 3, 0, StateRetreat);
  const uint16_t id = n->id;
  EXPECT_EQ(RunCreatureTurns(w.game, 1), 2);
  EXPECT_NE(w.out.find("Rat retreated!"), std::string::npos);
  EXPECT_EQ(w.game.creatures->Get(id), nullptr);
  EXPECT_EQ(w.game.pc->xp, 4);  // it was an enemy of the party

  RulesWorld c({".#", "##"});
  c.game.scenario.config.aiRetreatType = 1;
  c.game.map->SetTile(1, 0, 2);
  c.Player(1, 1);
  c.game.map->SetTile(1, 1, 1);
  CreatureObject* m = c.Add(c.Def("Rat"), 0, 0, StateRetreat);
  NPCTurn(c.game, *m);
  EXPECT_EQ(m->state, StateCornered);
}

TEST(Hostile, IgnoresThePlayerOutsideItsDistanceThenAttacks) {
  RulesWorld w({"......"});
  w.Player(0, 0);
  CreatureDef* orc = w.Def("Orc");
  orc->damageDice = 0;
  orc->damageBonus = 1;
  CreatureObject* n = w.Add(orc, 4, 0, StateHostile);
  n->aiDistance = 2;
  NPCTurn(w.game, *n);
  EXPECT_EQ(n->state, StateHostile);
  EXPECT_EQ(n->x, 4);
  n->aiDistance = 4;
  NPCTurn(w.game, *n);  // within reach: attack mode, then a step closer
  EXPECT_EQ(n->state, StateAttack);
  EXPECT_EQ(n->x, 3);
  NPCTurn(w.game, *n);
  NPCTurn(w.game, *n);
  EXPECT_EQ(n->x, 1);
  w.out.clear();
  NPCTurn(w.game, *n);
  EXPECT_EQ(w.out.rfind("Orc ATTACKS--", 0), 0u);
}

TEST(Wander, StaysInHalfItsTurnsWithFrequencyFour) {
  RulesWorld w({".......", ".......", ".......", ".......", ".......", ".......", "......."});
  w.Player(0, 0);
  w.game.scenario.config.aiNoWanderFreq = 4;
  CreatureObject* n = w.Add(w.Def("Sheep"), 3, 3, StateWander);
  n->aiDistance = 2;
  int moves = 0;
  for (int i = 0; i < 2000; ++i) {
    const int x = n->x, y = n->y;
    NPCTurn(w.game, *n);
    moves += x != n->x || y != n->y;
    ASSERT_LE(std::abs(n->x - 3), 2);
    ASSERT_LE(std::abs(n->y - 3), 2);
  }
  EXPECT_GT(moves, 900);
  EXPECT_LT(moves, 1100);
}

TEST(GroupRetreat, ThresholdAndFearlessCreatures) {
  RulesWorld w({"........"});
  w.game.scenario.config.groupRetreat = 25;
  CreatureDef* orc = w.Def("Orc");
  CreatureDef* troll = w.Def("Troll");
  troll->behaviour = BehaviourFearless;
  for (int i = 0; i < 6; ++i) w.Add(orc, i, 0, StateAttack);
  CreatureObject* t = w.Add(troll, 6, 0, StateAttack);
  CreatureObject* ally = w.Add(orc, 7, 0, StateWander);
  ally->attackTarget = TargetPCEnemies;
  w.game.turn.groupRetreatThreshold = 99;  // a leftover of another map
  TurnMapStart(w.game);
  EXPECT_EQ(w.game.turn.groupLoss, 0);
  EXPECT_EQ(w.game.turn.groupRetreatThreshold, 6);  // 0.75 x 7 + 0.99
  w.game.turn.groupLoss = 5;
  CheckGroupRetreat(w.game);
  EXPECT_EQ(w.game.creatures->Get(1)->state, StateAttack);
  w.game.turn.groupLoss = 6;
  CheckGroupRetreat(w.game);
  EXPECT_EQ(w.game.creatures->Get(1)->state, StateRetreat);
  EXPECT_EQ(t->state, StateAttack);  // fearless
  EXPECT_EQ(ally->state, StateWander);

  RulesWorld f({"..."});
  CreatureDef* brave = f.Def("Troll");
  brave->behaviour = BehaviourFearless;
  f.Add(brave, 0, 0, StateAttack);
  TurnMapStart(f.game);
  EXPECT_EQ(f.game.turn.groupRetreatThreshold, 0);  // all fearless: unchanged
}

TEST(CreatureLoop, InvalidStateReportedOnceAndLaterCreaturesStillAct) {
  RulesWorld w({"......"});
  w.Player(5, 0);
  CreatureObject* bad = w.Add(w.Def("Glitch"), 0, 0, 0);
  bad->state = 42;
  CreatureObject* guard = w.Add(w.Def("Guard"), 1, 0, StateFollow);
  EXPECT_EQ(RunCreatureTurns(w.game, 1), 2);
  EXPECT_EQ(RunCreatureTurns(w.game, 1), 2);
  EXPECT_EQ(guard->x, 3);
  EXPECT_EQ(Count(w.out, "ERROR (NPCTurn): Invalid creature state 42\n"), 1);
}

TEST(CreatureLoop, InvalidRememberedDirectionReportedOnce) {
  RulesWorld w({".....", ".###.", "....."});
  w.game.turn.aiMoveType = 4;
  w.Player(2, 2);
  CreatureObject* n = w.Add(w.Def("Mole"), 2, 0, StateFollow);
  n->aiDirection = 9;
  w.game.turn.aiDiagonal = false;
  RunCreatureTurns(w.game, 1);
  RunCreatureTurns(w.game, 1);
  EXPECT_EQ(Count(w.out, "ERROR (NPCMoveAI4): Invalid alt dir 9\n"), 1);
}

TEST(Movement, WallFollowingRuleFindsTheWayRound) {
  RulesWorld w({".....", ".###.", "....."});
  w.game.turn.aiMoveType = 4;
  w.game.turn.aiDiagonal = false;
  w.Player(2, 2);
  CreatureObject* n = w.Add(w.Def("Mole"), 2, 0, StateFollow);
  for (int i = 0; i < 12 && !(std::abs(n->x - 2) + std::abs(n->y - 2) == 1); ++i) NPCTurn(w.game, *n);
  EXPECT_EQ(std::abs(n->x - 2) + std::abs(n->y - 2), 1);
}

TEST(CreatureLoop, AKillScriptThatChangesTheMapEndsTheLoopSafely) {
  RulesWorld w({"....."});
  InstallTurnHooks(w.game);
  w.Player(4, 0);
  CreatureDef* ranger = w.Def("Ranger");
  ranger->damageDice = 0;
  ranger->damageBonus = 50;
  ranger->attackBonus = 500;
  CreatureDef* orc = w.Def("Orc");
  orc->killScript = 9;
  CreatureObject* r = w.Add(ranger, 0, 0, StateAttack);
  r->attackTarget = TargetPCEnemies;
  w.game.turn.closestTargeting = true;
  CreatureObject* o = w.Add(orc, 1, 0, StateAttack);
  o->attackTarget = TargetPCs;
  w.Add(w.Def("Late"), 3, 0, StateFollow);
  int runs = 0;
  w.game.Hooks().runScript = [&](int, uint16_t) {
    ++runs;
    w.game.creatures = std::make_unique<CreatureList>(4);  // the map changed
    return 0;
  };
  SeedRandom(SeedForRoll(50));
  EXPECT_EQ(RunCreatureTurns(w.game, 1), 2);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(w.game.creatures->Count(), 0);
  EXPECT_FALSE(w.game.turn.inCreatureLoop);
}

TEST(Movement, SidestepRulesFiveAndSix) {
  // Goal straight east behind a wall; no diagonal moves.
  for (int rule : {5, 6}) {
    for (bool ally : {false, true}) {
      RulesWorld w({".....", ".#...", "....."});
      w.game.turn.aiMoveType = uint8_t(rule);
      w.game.turn.aiDiagonal = false;
      w.Player(4, 1);
      CreatureObject* n = w.Add(w.Def("Mole"), 0, 1, StateFollow);
      if (ally) n->attackTarget = TargetPCEnemies;
      NPCTurn(w.game, *n);
      const bool stepped = n->y != 1;
      // Rule 5 stops at the wall unless the creature is an ally.
      EXPECT_EQ(stepped, rule == 6 || ally) << rule << " " << ally;
      if (stepped) {
        EXPECT_EQ(n->x, 0);
        EXPECT_EQ(n->aiDirection, 2);  // the next turn tries the horizontal step first
      }
    }
  }
}

TEST(Merchant, HoversNearHomeOrWanders) {
  RulesWorld w({".......", ".......", "......."});
  w.game.scenario.config.aiNoWanderFreq = 0;  // wandering always moves
  CreatureObject* m = w.Add(w.Def("Trader"), 3, 1, StateMerchant);
  w.Player(5, 1);  // in line, two cells away
  NPCTurn(w.game, *m);
  EXPECT_EQ(m->x, 3);
  EXPECT_EQ(m->y, 1);
  w.Player(6, 2);  // three cells from home: the merchant wanders
  NPCTurn(w.game, *m);
  EXPECT_NE(m->x * 10 + m->y, 31);
}
