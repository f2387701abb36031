// The end menu after a win or a death, driven by keys.
#include <gtest/gtest.h>

#include <cstring>

#include "../play/PlayFixture.h"
#include "play/ScreenToggles.h"
#include "ui/EndMenu.h"

namespace {
const char* const kMenu =
    "*** End Menu ***\nQ: Quit game\nM: Quit to main menu\nR: Restart game (from current save)\nL: Load game\n";

class EndMenuTest : public PlayTest {
 protected:
  void Start() {
    NewGame();
    InitGameOptions(*game);
    ui.leaveToMainMenu = [this]() { ++leaves; };
    ui.saveGameState = [this]() { return ++stateSaves; };
    // What the turn cycle leaves behind when the game has ended.
    control.actionPending = 1;
    control.endMenuPending = 1;
  }
  void Type(const std::string& text) {
    for (char c : text) Keys({-int(static_cast<unsigned char>(c))});
    Keys({-'\r'});
  }
  int Run() {
    out.clear();
    return RunEndMenu(*game, control, ui);
  }
  UIServices ui;
  int leaves = 0, stateSaves = 0;
};

TEST_F(EndMenuTest, SaveChoiceOnlyWhenAllowedAndUnknownKeysShowTheMenuAgain) {
  Start();
  const std::string withSave = std::string(kMenu) + "S: Save game\n> ";
  const std::string withoutSave = std::string(kMenu) + "> ";
  game->scenario.config.cheat = 0;
  Keys({'X', keys::F12, 'M'});
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(out, withSave + "\n" + withSave + "\n" + withSave + "Main Menu\n");
  EXPECT_EQ(leaves, 1);

  // After a death without saving: S is neither listed nor accepted.
  control.endMenuSaveAllowed = 0;
  Keys({'S', 'M'});
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(out, withoutSave + "\n" + withoutSave + "Main Menu\n");
  EXPECT_EQ(leaves, 2);
}

TEST_F(EndMenuTest, ClosingTheWindowEndsTheMenu) {
  Start();
  // No keys: the application counts as quitting and GetKey answers 0.
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(out, std::string(kMenu) + "S: Save game\n> ");
  EXPECT_EQ(leaves, 0);
}

TEST_F(EndMenuTest, RestartReloadsTheCurrentSaveAndLeavesTheMenu) {
  Start();
  ASSERT_EQ(game->SaveGame(), 1);
  game->playerX = 6;
  game->playerY = 4;
  Keys({'R'});
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(out.substr(0, std::strlen(kMenu)), kMenu);
  EXPECT_NE(out.find("> Restart\n"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 5), "CMD: ");
  EXPECT_EQ(game->playerX, 2);
  EXPECT_EQ(game->playerY, 2);
  EXPECT_EQ(control.endMenuPending, 0);
  EXPECT_TRUE(game->playerMayAct);
}

TEST_F(EndMenuTest, AFailedRestartAsksForTheMenuAgain) {
  Start();
  // The working save is gone: the reload fails and the menu comes back.
  ASSERT_TRUE(ADeleteDir("save\\Default1"));
  control.endMenuPending = 0;
  control.actionPending = 0;
  Keys({'R', 'M'});
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(control.endMenuPending, 1);
  EXPECT_EQ(control.actionPending, 1);
  size_t second = out.find(kMenu, 1);
  ASSERT_NE(second, std::string::npos) << out;
  EXPECT_EQ(out.substr(out.size() - 10), "Main Menu\n");
  EXPECT_EQ(leaves, 1);
}

TEST_F(EndMenuTest, SaveThenLoadTheNamedSave) {
  Start();
  game->mapData.save = 0;  // the game ended where saving is not allowed
  game->playerX = 5;
  game->playerY = 4;
  Keys({'S'});
  Type("ending");
  Keys({'L', -'\r'});  // the name just saved is offered
  game->playerX = 5;
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(ADirExists("save\\ending"));
  EXPECT_EQ(stateSaves, 1);
  EXPECT_EQ(game->loadName, std::optional<std::string>("ending"));
  EXPECT_EQ(game->mapData.save, 1);
  const std::string menu = std::string(kMenu) + "S: Save game\n> ";
  EXPECT_EQ(out.substr(0, menu.size() + 10), menu + "Save Game\n");
  EXPECT_NE(out.find("Save Game\nPlease enter save name: " + menu + "Load Game\nPlease enter save name: "),
            std::string::npos)
      << out;
  EXPECT_EQ(game->playerX, 5);
  EXPECT_EQ(game->playerY, 4);
}

TEST_F(EndMenuTest, DebugExitOnlyWithCheatMode) {
  Start();
  control.mode = UIModeNone;
  Keys({keys::F12});
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(out, std::string(kMenu) + "S: Save game\n> (DEBUG EXIT)\n");
  EXPECT_EQ(control.mode, OverheadPlay);
}
}  // namespace
