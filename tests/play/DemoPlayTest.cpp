// The demo scenario as a game: the guard follows, the hermit talks, and
// killing the slime king wins.
#include <gtest/gtest.h>

#include "PlayFixture.h"
#include "platform/Random.h"
#include "play/Combat.h"
#include "play/ActionCommands.h"
#include "play/TurnCycle.h"

namespace {
class DemoPlay : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    ADeleteDir("DATA1");
    ASSERT_TRUE(ACopyDir(std::string(KORVA_TEST_DATA) + "/../demo/DATA1", "DATA1"));
    SeedRandom(99);
    NewGame();
    InstallTurnHooks(*game);
    TurnMapStart(*game);  // the map started before the hooks were set
  }
  CreatureObject* Find(const char* name) {
    for (int id = 1; id <= game->creatures->Size(); ++id) {
      CreatureObject* c = game->creatures->Get(id);
      if (c && c->def && c->def->name && *c->def->name == name) return c;
    }
    return nullptr;
  }
};
}  // namespace

TEST_F(DemoPlay, GuardFollowsAndHermitTalks) {
  CreatureObject* guard = Find("Village guard");
  ASSERT_NE(guard, nullptr);
  for (int i = 0; i < 4; ++i) game->HandleOverheadKey(keys::Space);
  EXPECT_LE(std::max(std::abs(guard->x - game->playerX), std::abs(guard->y - game->playerY)), 1);
  EXPECT_TRUE(game->playerMayAct);

  game->playerX = 6;
  game->playerY = 5;
  out.clear();
  Keys({keys::Up});
  game->HandleOverheadKey('T');
  EXPECT_EQ(out.rfind("TALK -- NORTH -- Brother Aldo\nThe slime king rules the Mossy Cave", 0), 0u) << out;
  out.clear();
  Keys({keys::Down});
  game->HandleOverheadKey('T');
  EXPECT_EQ(out.rfind("TALK -- SOUTH\nFUNNY, NO RESPONSE!\n", 0), 0u) << out;
}

TEST_F(DemoPlay, KillingTheSlimeKingWins) {
  ASSERT_EQ(game->ChangeMap(3, 10, 7, false), 1);
  CreatureObject* king = Find("Slime king");
  ASSERT_NE(king, nullptr);
  ASSERT_EQ(king->x, 11);
  game->pc->def.attackBonus = 200;
  game->pc->def.damageBonus = 100;
  game->pc->body.hp = 500;
  out.clear();
  for (int i = 0; i < 10 && game->playerMayAct; ++i) {
    Keys({keys::Right, 'X'});
    game->HandleOverheadKey('A');
  }
  EXPECT_NE(out.find("ATTACK--EAST--"), std::string::npos);
  EXPECT_NE(out.find("Slime king KILLED!"), std::string::npos);
  EXPECT_NE(out.find("You have won!"), std::string::npos);
  EXPECT_FALSE(game->playerMayAct);
  EXPECT_EQ(control.endMenuPending, 1);
  EXPECT_EQ(control.endMenuSaveAllowed, 1);
  EXPECT_EQ(game->pc->xp, 250);
}

TEST_F(DemoPlay, LookAtTheHermitAndAtGrass) {
  out.clear();
  LookAtCell(*game, 6, 4);
  EXPECT_EQ(out, "Brother Aldo\nA grey-bearded man leaning on a staff.\nHP: 100%\nBehavior: Staying in place\n");
  out.clear();
  LookAtCell(*game, 7, 5);
  EXPECT_EQ(out, "Grass\n");
}
