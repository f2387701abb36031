// The world's turn driven through the game's keys: the turn-loop guard,
// frozen turns, the arrival mark, death by starvation, re-entry and
// determinism.
#include "PlayFixture.h"
#include "RulesFixture.h"

#include "platform/Random.h"
#include "play/TurnCycle.h"

namespace {
int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + part.size())) ++n;
  return n;
}
}  // namespace

class TurnTest : public PlayTest {
 protected:
  void StartTurns() {
    NewGame();
    InstallTurnHooks(*game);
    TurnMapStart(*game);  // the map started before the hooks were set
    rat = game->creatures->Get(1);
    ASSERT_NE(rat, nullptr);
  }
  CreatureObject* rat = nullptr;
};

TEST_F(TurnTest, TurnLoopGuardAsksAfterEightAutomaticTurns) {
  StartTurns();
  game->turn.npcAI = 0;
  game->turn.delayTurns = 20;
  Keys({'N', 'Y'});
  ASSERT_EQ(game->HandleOverheadKey(keys::Space), 1);
  EXPECT_EQ(Count(out, "Turn looping has reached 8; quit? "), 2);
  EXPECT_EQ(game->turn.delayTurns, 20 - 17);  // the command's own turn, 8, then 8 more
  EXPECT_FALSE(game->playerMayAct);
  EXPECT_EQ(control.endMenuPending, 1);
  EXPECT_EQ(control.actionPending, 1);
  EXPECT_EQ(control.endMenuSaveAllowed, 0);
}

TEST_F(TurnTest, TurnLoopGuardEndsWhenTheWindowCloses) {
  StartTurns();
  game->turn.npcAI = 0;
  game->turn.delayTurns = 200;
  // No keys: the input counts as quitting, so the question ends the loop.
  ASSERT_EQ(game->HandleOverheadKey(keys::Space), 1);
  EXPECT_EQ(Count(out, "Turn looping has reached 8; quit? "), 1);
  EXPECT_FALSE(game->playerMayAct);
}

TEST_F(TurnTest, FrozenTurnsHoldCreaturesAndFood) {
  StartTurns();
  game->world.foodRate = 1;  // every turn a meal, and there is no food
  game->world.frozenTurns = 2;
  const int x = rat->x, y = rat->y, state = rat->state;
  game->arrivalMark = false;
  ASSERT_EQ(game->HandleOverheadKey(keys::Space), 1);
  EXPECT_EQ(game->world.frozenTurns, 1);
  EXPECT_EQ(rat->x, x);
  EXPECT_EQ(rat->y, y);
  EXPECT_EQ(rat->state, state);
  EXPECT_TRUE(game->playerMayAct);
  ASSERT_EQ(game->HandleOverheadKey(keys::Space), 1);
  EXPECT_EQ(game->world.frozenTurns, 0);
  EXPECT_TRUE(game->playerMayAct);
  // Unfrozen: the meal is due and nothing is there to eat.
  Keys({keys::Space});
  ASSERT_EQ(game->HandleOverheadKey(keys::Space), 1);
  EXPECT_NE(out.find("Tester is dead!"), std::string::npos);
  EXPECT_FALSE(game->playerMayAct);
  EXPECT_EQ(control.endMenuPending, 1);
  EXPECT_EQ(control.endMenuSaveAllowed, 1);
}

TEST_F(TurnTest, ArrivalMarkHoldsCreaturesForTheFirstTurn) {
  StartTurns();
  rat->aiDistance = 0;
  const int state = rat->state;
  game->arrivalMark = true;
  ASSERT_EQ(game->HandleOverheadKey(keys::Space), 1);
  EXPECT_EQ(rat->state, state);
  EXPECT_FALSE(game->arrivalMark);
  ASSERT_EQ(game->HandleOverheadKey(keys::Space), 1);
  EXPECT_EQ(rat->state, StateAttack);  // the hostile rat has seen the player
}

TEST_F(TurnTest, SameSeedAndKeysGiveTheSameTranscriptAndSave) {
  auto run = [&](std::string* transcript, std::string* saved) {
    SeedRandom(1234);
    StartTurns();
    for (int k : {keys::Space, keys::Left, keys::Space, keys::Down, keys::Space, keys::Right, keys::Space})
      ASSERT_EQ(game->HandleOverheadKey(k), 1);
    ASSERT_EQ(game->SaveGame(), 1);
    *transcript = out;
    ASSERT_TRUE(AReadFile("save\\Default1\\map1.dat", *saved));
    std::string pc;
    ASSERT_TRUE(AReadFile("save\\Default1\\pc.dat", pc));
    *saved += pc;
    game.reset();
  };
  std::string t1, s1, t2, s2;
  run(&t1, &s1);
  run(&t2, &s2);
  EXPECT_EQ(t1, t2);
  EXPECT_EQ(s1, s2);
  EXPECT_NE(t1.find("CMD: "), std::string::npos);
}

TEST(TurnReentry, ACommandFromInsideTheCreatureLoopStartsNoSecondTurn) {
  RulesWorld w({"......"});
  InstallTurnHooks(w.game);
  w.Player(0, 0);
  CreatureDef* slime = w.Def("Slime");
  slime->moveEffect = 1;
  slime->moveScript = 5;
  w.Add(slime, 1, 0, StateFollow);
  CreatureObject* guard = w.Add(w.Def("Guard"), 5, 0, StateFollow);
  int scripts = 0;
  w.game.Hooks().runScript = [&](int, uint16_t) {
    ++scripts;
    w.game.EndTurn();  // a script that ends the turn again
    return 0;
  };
  EXPECT_EQ(RunCreatureTurns(w.game, 1), 2);
  EXPECT_EQ(scripts, 1);
  EXPECT_EQ(guard->x, 4);  // one step, not two
}

TEST_F(TurnTest, SleepingCharacterLosesTurnsUntilTheGuardAsks) {
  StartTurns();
  game->turn.npcAI = 0;
  game->pc->body.sleepEffect = 3;  // no effect record wakes it here
  game->pc->asleepMark = true;
  Keys({'Y'});
  ASSERT_EQ(game->HandleOverheadKey(keys::Space), 1);
  EXPECT_EQ(Count(out, "Turn looping has reached 8; quit? "), 1);
  EXPECT_EQ(Count(out, "CMD: "), 0);
  EXPECT_FALSE(game->playerMayAct);
}
