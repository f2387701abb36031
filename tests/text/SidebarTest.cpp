// The status sidebar's lines, number format, inverse video and chosen fields.
#include <memory>

#include <gtest/gtest.h>

#include "TextFixture.h"
#include "play/Game.h"
#include "text/Output.h"
#include "text/StatusSidebar.h"

namespace {
struct SidebarGame {
  explicit SidebarGame(int rows) : screen(10, rows, rows) {
    screen.display.AllocColourBuffer();
    auto table = std::make_unique<ItemTable>(3);
    const int types[3] = {1, 2, 11};  // gold, food, torches
    for (int i = 0; i < 3; ++i) {
      auto d = std::make_unique<ItemDef>();
      d->subtype = uint16_t(types[i]);
      table->Set(i + 1, std::move(d));
    }
    game.scenario.defs.items = std::move(table);
    game.pc = std::make_unique<PCRecord>();
    game.pc->def.maxHp = 30;
    game.pc->body.hp = 30;
    SetSidebarDisplay(game, &screen.display);
  }
  void Hold(uint16_t def, int quantity) {
    InvEntry e;
    e.defId = def;
    e.quantity = quantity;
    game.pc->inventory.push_back(e);
  }
  std::string Row(int r) {
    std::string s = screen.display.RowText(r);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  }
  bool InverseValue(int row) {
    screen.display.Redraw();
    bool all = true;
    for (int c = 5; c <= 8; ++c) all = all && screen.Inverse(row, c);
    return all;
  }
  TestScreen screen;
  CGame game;
};
}  // namespace

TEST(Sidebar, NumberFormat) {
  EXPECT_EQ(FormatSidebarNumber(7), "0007");
  EXPECT_EQ(FormatSidebarNumber(12345), "12345");
  EXPECT_EQ(FormatSidebarNumber(99999), "99999");
  EXPECT_EQ(FormatSidebarNumber(100000), "0100K");
  EXPECT_EQ(FormatSidebarNumber(123456), "0123K");
  EXPECT_EQ(FormatSidebarNumber(-5), "-0005");  // precision counts digits only
}

TEST(Sidebar, FixedLinesAndInverseBelowTheMaximum) {
  SidebarGame s(4);
  s.game.pc->body.hp = 12;
  s.game.pc->xp = 100000;
  s.Hold(2, 99);
  s.Hold(1, 42);
  ASSERT_EQ(DrawSidebar(s.game), 1);
  EXPECT_EQ(s.Row(0), "H.P.=0012");
  EXPECT_EQ(s.Row(1), "FOOD=0099");
  EXPECT_EQ(s.Row(2), "EXP.=0100K");
  EXPECT_EQ(s.Row(3), "GOLD=0042");
  EXPECT_TRUE(s.InverseValue(0));
  EXPECT_TRUE(s.InverseValue(1));
  EXPECT_FALSE(s.screen.Inverse(0, 9));
  s.game.pc->body.hp = 30;
  s.game.pc->inventory[0].quantity = 100;
  DrawSidebar(s.game);
  EXPECT_FALSE(s.InverseValue(0));
  EXPECT_FALSE(s.InverseValue(1));
  EXPECT_EQ(s.Row(0), "H.P.=0030");
}

TEST(Sidebar, ChosenLinesNeverScrollTheFirstRowsAway) {
  SidebarGame s(4);
  s.game.scenario.config.sbField4 = FieldTorches;
  s.game.scenario.config.sbField5 = FieldTorches;
  s.Hold(3, 3);
  DrawSidebar(s.game);
  DrawSidebar(s.game);
  EXPECT_EQ(s.Row(0), "H.P.=0030");
  EXPECT_EQ(s.Row(3), "GOLD=0000");
}

TEST(Sidebar, FieldWithoutTextPullsTheNextUpAndUpdatesFollowIt) {
  SidebarGame s(6);
  s.game.scenario.config.sbField4 = FieldWind;  // wind is not enabled
  s.game.scenario.config.sbField5 = FieldTorches;
  s.Hold(3, 3);
  DrawSidebar(s.game);
  EXPECT_EQ(s.Row(4), "TRCH=0003");
  EXPECT_EQ(s.Row(5), "");
  UpdateSidebarValue(s.game, FieldTorches, 5);
  EXPECT_EQ(s.Row(4), "TRCH=0005");
  EXPECT_EQ(s.Row(5), "");
  s.game.scenario.config.wind = 1;
  s.game.currentWind = 2;
  DrawSidebar(s.game);
  EXPECT_EQ(s.Row(4), "WIND=EAST");
  EXPECT_EQ(s.Row(5), "TRCH=0003");
  EXPECT_EQ(ClearSidebarField(s.game, FieldTorches), 1);
  EXPECT_EQ(s.Row(5), "");
  EXPECT_EQ(ClearSidebarField(s.game, FieldXP), 0);
}

TEST(Sidebar, SpellPointsAndVehicleHitPoints) {
  SidebarGame s(6);
  s.game.scenario.config.sbField4 = FieldSP;
  s.game.pc->spMax = 10;
  s.game.pc->sp = 4;
  DrawSidebar(s.game);
  EXPECT_EQ(s.Row(4), "S.P.=0004");
  EXPECT_TRUE(s.InverseValue(4));
  ClearSidebarField(s.game, FieldSP);
  UpdateSidebarValue(s.game, FieldSP, 9);  // the field is off screen now
  EXPECT_EQ(s.Row(4), "");

  VehicleDef ship;
  ship.maxHp = 50;
  s.game.pc->vehicle = std::make_shared<VehicleObject>();
  s.game.pc->vehicle->def = &ship;
  s.game.pc->vehicle->hp = 50;
  DrawSidebar(s.game);
  EXPECT_EQ(s.Row(0), "H.P.=0050");
  UpdateSidebarValue(s.game, FieldHP, 3);  // the character's: line 0 shows the ship
  EXPECT_EQ(s.Row(0), "H.P.=0050");
  UpdateSidebarValue(s.game, FieldVHP, 20);
  EXPECT_EQ(s.Row(0), "H.P.=0020");
  ShowSidebarZeros(s.game);
  EXPECT_EQ(s.Row(0), "H.P.=0000");
  EXPECT_EQ(s.Row(3), "GOLD=0000");
}
