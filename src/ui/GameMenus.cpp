// The controller's side of the menus of play: the quick help screen, the
// services the menus and sheets use, and the way back to the main menu.
#include "graphics/OverheadDisplay.h"
#include "platform/Backend.h"
#include "play/Game.h"
#include "play/QuickHelp.h"
#include "play/ScreenToggles.h"
#include "text/Output.h"
#include "text/TextDisplay.h"
#include "ui/GameUI.h"

int CGameUI::ShowQuickHelp(bool inPlace) {
  bool entered = false;
  if (!inPlace && !fullTextMode_) {
    ToggleFullTextScreen();
    entered = fullTextMode_;
  }
  int ok = QuickHelp(nullptr);
  if (entered) {
    WaitAnyKey();
    if (fullTextMode_) ToggleFullTextScreen();
  }
  if (game_) game_->CommandPrompt();
  return ok;
}

UIServices CGameUI::MenuServices() {
  UIServices ui;
  ui.mapVisible = [this]() { return mapVisible_ && !fullTextMode_; };
  ui.setAnimate = [this](bool on) { SetAnimation(on && game_ && game_->scenario.config.animate); };
  ui.leaveToMainMenu = [this]() { RequestLeaveToMainMenu(); };
  ui.saveGameState = [this]() {
    if (game_ && game_->loadName) loadName_ = game_->loadName;
    return SaveGameState();
  };
  ui.refreshSidebar = [this]() {
    if (sidebar_) sidebar_->Redraw();
  };
  ui.enterFullScreen = [this]() { EnterSheetScreen(); };
  ui.leaveFullScreen = [this]() { LeaveSheetScreen(); };
  ui.fullDisplay = fullDisplay_.get();
  ui.overhead = overhead_.get();
  return ui;
}

void CGameUI::RequestLeaveToMainMenu() {
  // Play ends now: no paint or timer message reaches the game's displays
  // any more. The game itself is freed once the command that asked has
  // returned, since that command still runs inside it.
  control_.mode = UIModeNone;
  SetAnimation(false);
  if (Backend() && mapVisible_ && !fullTextMode_ && mapPixelWidth_ > 0 && mapPixelHeight_ > 0)
    Backend()->GetCanvas().FillRect(config_.mapX, config_.mapY, mapPixelWidth_, mapPixelHeight_, 0);
  if (sidebar_) sidebar_->Erase();
  leaveToMainMenu_ = true;
  control_.actionPending = 1;
}

void CGameUI::LeaveToMainMenu() {
  leaveToMainMenu_ = false;
  control_.mode = UIModeNone;
  FreeGame();
  // Nothing the old game asked for survives it.
  control_.actionPending = control_.endMenuPending = control_.partyDisplayChanged = 0;
  control_.endMenuSaveAllowed = 1;
  EnterMainMenu();
}

void CGameUI::EnterSheetScreen() {
  mainDisplay_->ScrollReset();
  mapVisible_ = false;
  SetAnimation(false);
  if (sidebar_) sidebar_->Erase();
  if (partyDisplay_) partyDisplay_->Erase();
  control_.mode = UIModeNone;
  SwitchOutput(fullDisplay_.get());
}

void CGameUI::LeaveSheetScreen() {
  fullDisplay_->HideCaret();
  if (Backend()) {
    Canvas& canvas = Backend()->GetCanvas();
    canvas.FillRect(0, 0, canvas.width, canvas.height, 0);
  }
  SwitchOutput(mainDisplay_.get());
  if (game_) control_.mode = game_->viewMode == 2 ? FirstPersonPlay : OverheadPlay;
  if (!fullTextMode_) {
    mapVisible_ = true;
    if (game_) SetAnimation(game_->scenario.config.animate != 0);
    if (game_) game_->RedrawAll();
  }
  mainDisplay_->Redraw();
  if (!fullTextMode_ && sidebar_) sidebar_->Redraw();
  if (partyDisplay_) partyDisplay_->Redraw();
}
