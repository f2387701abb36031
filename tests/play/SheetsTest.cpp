// Character sheets, quick help, the toggles and screen locking.
#include <gtest/gtest.h>

#include "../text/TextFixture.h"
#include "PlayFixture.h"
#include "graphics/OverheadDisplay.h"
#include "play/CharacterSheets.h"
#include "play/InfoCommands.h"
#include "play/QuickHelp.h"
#include "play/ScreenToggles.h"

namespace {
class SheetsTest : public PlayTest {
 protected:
  void Start() {
    NewGame();
    InitGameOptions(*game);
  }
  int Key(int key, bool ctrl = false) {
    out.clear();
    bool handled = false;
    int r = InfoCommandKey(*game, ui, key, ctrl, &handled);
    EXPECT_TRUE(handled);
    return r;
  }
  UIServices ui;
};

TEST_F(SheetsTest, ConditionWords) {
  Start();
  PCRecord& m = *game->pc;
  EXPECT_EQ(ConditionWords(m), " GOOD");
  m.body.delay = 2;
  m.body.poisonEffect = 3;
  EXPECT_EQ(ConditionWords(m), " DELAYED  POISONED ");
  m.body.attackImmobile = 1;
  EXPECT_EQ(ConditionWords(m), " DELAYED  ARMS PARALYZED  POISONED ");
  m.def.state = 1;  // a creature rather than a character
  EXPECT_EQ(ConditionWords(m), " DELAYED  ATTACKS IMMOBILIZED  POISONED ");
  m.body.hp = 0;
  EXPECT_EQ(ConditionWords(m), " DEAD ");
}

TEST_F(SheetsTest, DetailedStatsList) {
  Start();
  game->pc->keptLines.push_back("MORALE: 12 1 5");
  EXPECT_EQ(Key('Z', true), 1);
  EXPECT_EQ(out,
            "Stats:\n\nName: Tester\nClass: None\nRace: None\nGender: None\nCondition: GOOD\nHP: 20/20\n"
            "LVL and XP: 0 0\nAttributes: 10 10 10 10 10 10\nAC: 10  Attack: 10 (0d0+10)\nSaves: 10 10 10\n"
            "Morale: 12\nWeight: 10/40\nWeapon: None\nArmor: None\n\nCMD: ");
}

TEST_F(SheetsTest, StatsStyleOutsideTheTwoSheetsIsAnError) {
  Start();
  game->scenario.config.statsType = 2;
  EXPECT_EQ(Key('Z'), 0);
  EXPECT_EQ(out, "ERROR (Stats): Invalid type 2\n");
  out.clear();
  EXPECT_EQ(StatsFullScreen(*game, ui, 0, nullptr), 0);
  EXPECT_EQ(out, "ERROR (StatsFS): Missing param(s)\n");
}

// The sheets drawn on a full-screen display of 48 columns.
class SheetScreenTest : public SheetsTest {
 protected:
  void Open(int style) {
    Start();
    game->scenario.config.statsType = uint8_t(style);
    SetOutput(&screen.display);
    ui.fullDisplay = &screen.display;
    ui.enterFullScreen = [this]() { ++entered; };
    ui.leaveFullScreen = [this]() { ++left; };
    Keys({keys::Left});  // without a party every key closes the sheet
    EXPECT_EQ(Key('Z'), 1);
    SetOutput(nullptr);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
  }
  TestScreen screen{48, 24, 50};
  int entered = 0, left = 0;
};

TEST_F(SheetScreenTest, ClassicSheetColumns) {
  Open(0);
  EXPECT_EQ(screen.display.RowText(0), "Tester");
  EXPECT_EQ(screen.display.RowText(1), "A level 0 None None None");
  EXPECT_EQ(screen.display.RowText(2), "");
  EXPECT_EQ(screen.display.RowText(3), "WEAPON: None                       TORCHES-0");
  EXPECT_EQ(screen.display.RowText(4), "ARMOUR: None                          KEYS-0");
  EXPECT_EQ(screen.display.RowText(5), " SPELL: None                         TOOLS-0");
  EXPECT_EQ(screen.display.RowText(6), "");
  EXPECT_EQ(screen.display.RowText(7), "STRENGTH-10        STAMINA-10          WISDOM-10");
  EXPECT_EQ(screen.display.RowText(8), " AGILITY-10       CHARISMA-10          INTEL.-10");
  EXPECT_EQ(screen.display.RowText(9), "");
  EXPECT_EQ(screen.display.RowText(10), "WEAPONS:");
  EXPECT_EQ(screen.display.RowText(11), "ARMOUR:");
  EXPECT_EQ(screen.display.RowText(12), "SPELLS:");
  EXPECT_EQ(screen.display.RowText(13), "ITEMS: Coin-10");
}

TEST_F(SheetScreenTest, DetailedSheetColumns) {
  Open(1);
  EXPECT_EQ(screen.display.RowText(0), "Tester");
  EXPECT_EQ(screen.display.RowText(1), "None None None                    LVL: 0  EXP: 0");
  EXPECT_EQ(screen.display.RowText(3), "HP: 20/20  CONDITION: GOOD");
  EXPECT_EQ(screen.display.RowText(4), "AC: 10  ATTACK: 10 (0d0+10)");
  EXPECT_EQ(screen.display.RowText(5), "                                   WEIGHT: 10/40");
  EXPECT_EQ(screen.display.RowText(7), "WEAPON: None                         GOLD: 10");
  EXPECT_EQ(screen.display.RowText(8), "AMMO: None (0)                       FOOD: 0");
  EXPECT_EQ(screen.display.RowText(9), "ARMOUR: None                      TORCHES: 0");
  EXPECT_EQ(screen.display.RowText(10), "STRENGTH: 10      AGILITY: 10        STAMINA: 10");
  EXPECT_EQ(screen.display.RowText(11), "  INTEL.: 10       WISDOM: 10       CHARISMA: 10");
  EXPECT_EQ(screen.display.RowText(13), "WEAPONS:");
  EXPECT_EQ(screen.display.RowText(14), "ARMOUR:");
  EXPECT_EQ(screen.display.RowText(15), "ITEMS: Coin-10");
}

TEST_F(SheetsTest, QuickHelpOnTheOutput) {
  Start();
  EXPECT_EQ(QuickHelp(nullptr), 0);  // no display to show it on
  EXPECT_EQ(out, "ERROR (Help): Could not get text display object\n");
  TestScreen screen(64, 25, 200);
  SetOutput(&screen.display);
  out.clear();
  EXPECT_EQ(QuickHelp(nullptr), 1);
  SetOutput(nullptr);
  std::string expected = "HELP\n\n";
  for (const std::string& line : QuickHelpLines()) expected += line + "\n";
  EXPECT_EQ(out, expected + "\n");
  EXPECT_EQ(QuickHelpLines().size(), 82u);
  EXPECT_EQ(QuickHelpLines()[2], "*** Quick Help ***");
  EXPECT_EQ(QuickHelpLines()[21], "K: \"Klimb\" (climb) rope, ladder, stairs, etc.");
}

TEST_F(SheetsTest, DebugMovementOnlyWithCheats) {
  Start();
  EXPECT_EQ(Key(keys::Tab), 1);
  EXPECT_EQ(out, "Cheat mode on\n");
  EXPECT_TRUE(game->debugMove);
  EXPECT_FALSE(view.playerShown);
  EXPECT_EQ(Key(0xBB), 1);  // "=" needs a map display
  EXPECT_EQ(out, "");
  EXPECT_EQ(Key(keys::Tab), 1);
  EXPECT_EQ(out, "Cheat mode off\nCMD: ");
  EXPECT_TRUE(view.playerShown);
  game->scenario.config.cheat = 0;
  EXPECT_EQ(Key(keys::Tab), 1);
  EXPECT_EQ(out, "");
  EXPECT_FALSE(game->debugMove);
}

TEST_F(SheetsTest, ScreenLocking) {
  Start();
  game->viewMode = 2;
  EXPECT_EQ(Key(keys::F8), 1);
  EXPECT_EQ(out, "NOT HERE!\nCMD: ");
  game->viewMode = 1;
  EXPECT_EQ(Key(keys::F8), 0);  // no overhead display to lock
  const std::string options =
      "Screen locking options\nC: Center\nM: Set/reset map default position\nF: Fit by map and position\n? ";
  Keys({'C'});
  EXPECT_EQ(Key(keys::F8, true), 1);
  EXPECT_EQ(out, options + "CENTER\nScreen locking not active\nCMD: ");
  Keys({'Q'});
  EXPECT_EQ(Key(keys::F8, true), 1);
  EXPECT_EQ(out, options + "NONE!\nCMD: ");

  CMDisplay display;
  ASSERT_EQ(display.Init(0, 0, 5, 5, 1), 1);
  ASSERT_EQ(display.SetMap(game->map.get()), 1);
  ASSERT_EQ(display.SetViewPos(game->playerX, game->playerY), 1);
  ui.overhead = &display;
  EXPECT_EQ(Key(keys::F8), 1);
  EXPECT_EQ(out, "Screen locked\nCMD: ");
  const ScreenLockState& lock = game->options.screenLock;
  EXPECT_TRUE(lock.on);
  EXPECT_EQ(lock.col, 2);
  EXPECT_EQ(lock.row, 2);
  EXPECT_EQ(lock.lastCol, 4);
  EXPECT_EQ(lock.lastRow, 4);
  // The 8 x 6 map is wider than the view.
  Keys({'M'});
  EXPECT_EQ(Key(keys::F8, true), 1);
  EXPECT_EQ(out, options + "MAP\nNot here\nCMD: ");
  EXPECT_EQ(Key(keys::F8), 1);
  EXPECT_EQ(out, "Screen unlocked\nCMD: ");
  EXPECT_FALSE(lock.on);

  // A view of at most one cell a side cannot be locked.
  CMDisplay tiny;
  ASSERT_EQ(tiny.Init(0, 0, 1, 1, 1), 1);
  ASSERT_EQ(tiny.SetMap(game->map.get()), 1);
  ui.overhead = &tiny;
  EXPECT_EQ(Key(keys::F8), 0);
  EXPECT_FALSE(lock.on);
}

TEST_F(SheetsTest, AnimationFrameStepsInDebugMovement) {
  Start();
  CMDisplay display;
  ASSERT_EQ(display.Init(0, 0, 5, 5, 1), 1);
  ui.overhead = &display;
  game->debugMove = true;
  EXPECT_EQ(Key(0xBB), 1);
  EXPECT_EQ(out, "ADJUST ANIMATION FRAME: 1\nCMD: ");
  EXPECT_EQ(Key(0xBD), 1);
  EXPECT_EQ(Key(0xBD), 1);
  EXPECT_EQ(out.substr(0, 23), "ADJUST ANIMATION FRAME:");
  EXPECT_EQ(display.Phase(), 23);  // wraps below 0 (24 phases)
}
}  // namespace
