// The controller with a headless window over the menus test game: leaving
// play for the main menu from the options menu and from the end menu, and
// starting again without anything left over.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Frame.h"
#include "platform/HeadlessBackend.h"
#include "platform/Keys.h"
#include "play/Game.h"
#include "text/Output.h"
#include "text/TextDisplay.h"
#include "ui/GameUI.h"

namespace {
class ControllerMenus : public testing::Test {
 protected:
  void SetUp() override {
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    oldDir_ = buf;
    std::string tmpl = testing::TempDir() + "korva_menus_XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back(0);
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    dir_ = name.data();
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    ASSERT_TRUE(ACopyDir(std::string(KORVA_TEST_DATA) + "/blackbox/games/menus/DATA1", "DATA1"));
    ResetFrameForTests();
  }
  void TearDown() override {
    ui.reset();
    SetBackend(nullptr);
    ResetFrameForTests();
    ASSERT_EQ(chdir(oldDir_.c_str()), 0);
    ADeleteDir(dir_);
  }
  // `script`: the keys the menus will read while they wait.
  void Open(const std::string& script) {
    std::string error;
    auto backend = CreateHeadlessBackend(script, error);
    ASSERT_NE(backend, nullptr) << error;
    SetBackend(std::move(backend));
    ui = std::make_unique<CGameUI>();
    ASSERT_EQ(ui->Initialize(), 1);
    ASSERT_EQ(ui->Control().mode, MainMenu);
  }
  void Key(int key) {
    int64_t result = 0;
    ui->HandleMessage(MainWindow(), msg::KeyDown, uint64_t(key), 0, &result);
  }
  void StartGame() {
    Key('1');
    ASSERT_NE(ui->Game(), nullptr);
    ASSERT_EQ(ui->Control().mode, OverheadPlay);
  }

  std::string oldDir_, dir_;
  std::unique_ptr<CGameUI> ui;
};

TEST_F(ControllerMenus, OptionsMenuLeavesForTheMainMenuAfterTheCommand) {
  Open("m y");
  StartGame();
  CGame* first = ui->Game();
  first->verbosity = 4;
  first->options.soundOn = false;
  Key(keys::F2);  // M, Yes: play ends inside the game's own key handler
  EXPECT_EQ(ui->Game(), nullptr);
  EXPECT_EQ(ui->Control().mode, MainMenu);
  EXPECT_EQ(ui->Sidebar(), nullptr);
  EXPECT_EQ(ui->Control().actionPending, 0);
  // Paint and timer messages in the main menu reach no freed display.
  int64_t result = 0;
  ui->HandleMessage(MainWindow(), msg::Paint, 0, 0, &result);
  ui->HandleMessage(MainWindow(), msg::Timer, 0, 0, &result);
  StartGame();
  EXPECT_EQ(ui->Game()->verbosity, 2);
  EXPECT_TRUE(ui->Game()->options.soundOn);
  EXPECT_FALSE(ui->FullTextMode());
}

TEST_F(ControllerMenus, EndMenuAfterTheGameEndedAndANewGameAfterwards) {
  Open("m");
  StartGame();
  // The game asks for the end menu without saving (a death).
  CGameUIControl& control = ui->Control();
  control.endMenuSaveAllowed = 0;
  control.endMenuPending = 1;
  control.actionPending = 1;
  ui->RunPendingActions();
  EXPECT_EQ(ui->Game(), nullptr);
  EXPECT_EQ(control.mode, MainMenu);
  EXPECT_EQ(control.endMenuPending, 0);
  EXPECT_EQ(control.endMenuSaveAllowed, 1);
  StartGame();
  EXPECT_EQ(control.actionPending, 0);
  EXPECT_EQ(control.endMenuPending, 0);
}

TEST_F(ControllerMenus, EndMenuRestartGoesOnPlaying) {
  Open("r");
  StartGame();
  CGame* game = ui->Game();
  ASSERT_EQ(game->SaveGame(), 1);
  const int x = game->playerX, y = game->playerY;
  game->playerX = x + 1;
  CGameUIControl& control = ui->Control();
  control.endMenuPending = 1;
  control.actionPending = 1;
  ui->RunPendingActions();
  ASSERT_EQ(ui->Game(), game);
  EXPECT_EQ(game->playerX, x);
  EXPECT_EQ(game->playerY, y);
  EXPECT_EQ(control.mode, OverheadPlay);
  EXPECT_EQ(control.endMenuPending, 0);
  EXPECT_EQ(control.actionPending, 0);
}

TEST_F(ControllerMenus, QuickHelpOnTheFullTextScreenComesBack) {
  Open("<Space>");
  StartGame();
  Key(keys::F1);
  EXPECT_FALSE(ui->FullTextMode());
  EXPECT_EQ(ui->Control().mode, OverheadPlay);
  ASSERT_NE(ui->MainDisplay(), nullptr);
  std::vector<std::string> held = ui->MainDisplay()->HeldLines();
  ASSERT_FALSE(held.empty());
  EXPECT_EQ(held.back(), "CMD:");
}
}  // namespace
