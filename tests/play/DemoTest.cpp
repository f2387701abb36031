// A walk through the demo scenario: the road east over the bridge to the
// Shore, into the cave and out again, into the cottage and out by its open
// side, with a save and load in between.
#include <gtest/gtest.h>

#include "PlayFixture.h"

namespace {
class DemoWalk : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    ADeleteDir("DATA1");
    ASSERT_TRUE(ACopyDir(std::string(KORVA_TEST_DATA) + "/../demo/DATA1", "DATA1"));
  }

  void Walk(int key, int times) {
    for (int i = 0; i < times; ++i) game->HandleOverheadKey(key);
  }
};

TEST_F(DemoWalk, RoadCaveAndCottage) {
  NewGame();
  EXPECT_EQ(game->mapNumber, 1);
  EXPECT_EQ(game->playerX, 3);
  EXPECT_EQ(game->playerY, 8);
  // The river blocks; the bridge carries the road.
  game->playerY = 7;
  game->playerX = 10;
  out.clear();
  game->HandleOverheadKey(keys::Right);
  EXPECT_EQ(out, "EAST--INVALID MOVE!\nCMD: ");
  game->playerX = 3;
  game->playerY = 8;
  Walk(keys::Right, 20);
  EXPECT_EQ(game->playerX, 23);
  Keys({'Y'});
  game->HandleOverheadKey(keys::Right);
  ASSERT_EQ(game->mapNumber, 2);
  EXPECT_EQ(game->playerX, 0);
  EXPECT_EQ(game->playerY, 8);
  // Up the beach to the cave mouth at (6,3).
  Walk(keys::Right, 6);
  Walk(keys::Up, 5);
  ASSERT_EQ(game->playerX, 6);
  ASSERT_EQ(game->playerY, 3);
  out.clear();
  game->HandleOverheadKey('E');
  EXPECT_EQ(out,
            "ENTER-Cave\nYou duck into the dark mouth of the cave.\nWater drips somewhere in the dark.\nCMD: ");
  ASSERT_EQ(game->mapNumber, 3);
  EXPECT_EQ(game->qmap->Top(7, 5)->kind, KindCreature);
  Walk(keys::Up, 1);
  Walk(keys::Left, 1);
  game->HandleOverheadKey('E');
  ASSERT_EQ(game->mapNumber, 2);
  EXPECT_EQ(game->playerX, 6);
  EXPECT_EQ(game->playerY, 3);

  // Save, walk home, load: the game comes back on the Shore.
  ASSERT_EQ(game->SaveGame(), 1);
  Walk(keys::Down, 5);
  Walk(keys::Left, 6);
  Keys({'Y'});
  game->HandleOverheadKey(keys::Left);
  ASSERT_EQ(game->mapNumber, 1);
  EXPECT_EQ(game->playerX, 23);
  // Along the road to the cottage door at (5,4).
  Walk(keys::Left, 18);
  Walk(keys::Up, 4);
  ASSERT_EQ(game->playerX, 5);
  ASSERT_EQ(game->playerY, 4);
  game->HandleOverheadKey('E');
  ASSERT_EQ(game->mapNumber, 4);
  EXPECT_EQ(game->playerX, 3);
  EXPECT_EQ(game->playerY, 4);
  Walk(keys::Down, 1);
  Keys({'Y'});
  game->HandleOverheadKey(keys::Down);
  ASSERT_EQ(game->mapNumber, 1);
  EXPECT_EQ(game->playerX, 5);
  EXPECT_EQ(game->playerY, 5);
  // The signpost.
  game->playerX = 7;
  game->playerY = 9;
  out.clear();
  game->HandleOverheadKey('E');
  EXPECT_EQ(out, "ENTER-The sign reads:\nEast: the Shore.  North and west: the mountains.\nCMD: ");
}
}  // namespace
