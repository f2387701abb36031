// The end menu: quit, main menu, restart, load, save, debug exit.
#include "ui/EndMenu.h"

#include "platform/Files.h"
#include "platform/Frame.h"
#include "platform/Keys.h"
#include "play/Game.h"
#include "text/Output.h"
#include "ui/GameUIControl.h"
#include "world/NamedSaves.h"
#include "world/SavePrompts.h"
#include "world/WorldPaths.h"

namespace {
enum class Next { Again, Leave };

// Loads the chosen save (or the current one) with the end menu cleared; a
// failed load asks for the menu again.
Next LoadFromEndMenu(CGame& game, CGameUIControl& control, const std::string* dir, int* result) {
  control.endMenuPending = 0;
  int ok = game.ReloadGame(dir);
  if (!ok) {
    control.actionPending = 1;
    control.endMenuPending = 1;
    return Next::Again;
  }
  if (dir && !game.saveName) game.saveName = game.loadName;
  *result = ok;
  // Loading may have ended the game again (a dead character saved).
  return control.endMenuPending ? Next::Again : Next::Leave;
}

// The named save without the command prompt of play: the menu follows.
void SaveFromEndMenu(CGame& game, const UIServices& ui) {
  std::string path;
  if (!PromptSaveName(path, game.saveName, false)) return;
  if (ADirExists(path) || AFileExists(path)) {
    Print("Save exists, overwrite? ");
    if (!AskYesNo()) return;
  }
  if (!game.SaveGame()) {
    PrintLine("ERROR (SaveNamedGame): Could not save game");
    return;
  }
  if (!WriteNamedSave(WorkingSaveDir(game.scenarioNumber), path)) return;
  if (!game.loadName) game.loadName = game.saveName;
  if (ui.saveGameState) {
    ui.saveGameState();
  }
}
}  // namespace

int RunEndMenu(CGame& game, CGameUIControl& control, const UIServices& ui) {
  for (;;) {
    PrintLine("*** End Menu ***");
    PrintLine("Q: Quit game");
    PrintLine("M: Quit to main menu");
    PrintLine("R: Restart game (from current save)");
    PrintLine("L: Load game");
    if (control.endMenuSaveAllowed) PrintLine("S: Save game");
    Print("> ");
    int key = GetKey();
    if (key == 0 || QuitRequested()) return 0;
    int result = 1;
    switch (key) {
      case 'L': {
        PrintLine("Load Game");
        std::string path;
        int setup = PromptSetupLoad(path, game.loadName, game.scenarioNumber);
        if (setup != 1 && setup != 2) {
          WaitAnyKey();
          continue;
        }
        if (LoadFromEndMenu(game, control, setup == 1 ? &path : nullptr, &result) == Next::Leave) return result;
        continue;
      }
      case 'M':
        PrintLine("Main Menu");
        if (ui.leaveToMainMenu) ui.leaveToMainMenu();
        return 0;
      case 'Q':
        PrintLine("Quit");
        RequestQuit();
        return 0;
      case 'R':
        PrintLine("Restart");
        if (LoadFromEndMenu(game, control, nullptr, &result) == Next::Leave) return result;
        continue;
      case 'S':
        if (!control.endMenuSaveAllowed) break;
        PrintLine("Save Game");
        // Saving is offered here wherever the game ended.
        game.mapData.save = 1;
        SaveFromEndMenu(game, ui);
        continue;
      case keys::F12:
        if (!game.scenario.config.cheat) break;
        PrintLine("(DEBUG EXIT)");
        if (control.mode == UIModeNone) control.mode = game.viewMode == 2 ? FirstPersonPlay : OverheadPlay;
        result = game.RedrawAll();
        if (ui.refreshSidebar) ui.refreshSidebar();
        return result;
      default:
        break;
    }
    PrintNewLine();
  }
}
