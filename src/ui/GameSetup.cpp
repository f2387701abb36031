// Setting a game up from the main menu and tearing it down again.
#include "platform/Frame.h"
#include "text/Output.h"
#include "text/TextDisplay.h"
#include "ui/GameUI.h"

int CGameUI::InitGame() {
  SwitchOutput(mainDisplay_.get());
  mainDisplay_->Clear();
  Print("Initializing game ... ");
  bool ok = true;
  if (!StartGameTimer(config_.timerPeriod)) {
    PrintLine("ERROR: Failed to set game timer");
    ok = false;
  } else {
    // The scenario's frame and tile sets come first; this build has no
    // loader for them yet, so no game can be set up.
    PrintLine("ERROR: Failed to create frame set and/or tile set");
    ok = false;
  }
  if (ok) {
    PrintLine("Done");
    return 1;
  }
  PrintLine("ERROR: Failed to initialize game");
  FreeGame();
  WaitAnyKey();
  SwitchOutput(fullDisplay_.get());
  return 0;
}

void CGameUI::FreeGame() {
  // Leave play first, so that no paint or timer message reaches a display
  // that is being freed.
  if (control_.mode != MainMenu) control_.mode = UIModeNone;
  StopGameTimer();
  game_ = nullptr;
  sidebar_.reset();
  partyDisplay_.reset();
}

int CGameUI::StartGame() {
  if (!game_) {
    PrintLine("ERROR: Failed to start game");
    return 0;
  }
  return 1;
}
