// Setting a game up from the main menu and tearing it down again.
#include "data/BArraySet.h"
#include "graphics/FrameSet.h"
#include "graphics/TileSet.h"
#include "platform/Frame.h"
#include "text/Output.h"
#include "text/TextDisplay.h"
#include "ui/GameUI.h"

int CGameUI::TileRationScale() {
  if (!frames_) {
    PrintLine("ERROR (TileRationScale): Frameset not created");
    return 0;
  }
  int width = 0, height = 0;
  GetClientSize(&width, &height);
  int frameWidth = 0, frameHeight = 0, elementSize = 0;
  frames_->GetDims(&frameWidth, &frameHeight, &elementSize);
  if (frameWidth <= 0 || frameHeight <= 0) return 0;
  int a = static_cast<int>(static_cast<float>(width) * config_.scaleRatioX / static_cast<float>(frameWidth));
  int b = static_cast<int>(static_cast<float>(height) * config_.scaleRatioY / static_cast<float>(frameHeight));
  if (a != 0 && a < b) config_.scale = a;
  else if (b != 0) config_.scale = b;
  return 1;
}

int CGameUI::SetPosition() {
  if (!frames_) {
    PrintLine("ERROR (TextAutoPosition): Frameset not created");
    return 0;
  }
  int clientWidth = 0, clientHeight = 0;
  if (!GetClientSize(&clientWidth, &clientHeight)) {
    PrintLine("ERROR (SetPosition): Could not get screen size");
    return 0;
  }
  int frameWidth = 0, frameHeight = 0, elementSize = 0;
  frames_->GetDims(&frameWidth, &frameHeight, &elementSize);
  mapPixelWidth_ = config_.scale * config_.mapColumns * frameWidth;
  mapPixelHeight_ = config_.scale * config_.mapRows * frameHeight;
  if (config_.relMapX >= 0)
    config_.mapX = static_cast<int>(static_cast<float>(clientWidth - mapPixelWidth_) * config_.relMapX);
  if (config_.relMapY >= 0)
    config_.mapY = static_cast<int>(static_cast<float>(clientHeight - mapPixelHeight_) * config_.relMapY);
  return 1;
}

int CGameUI::InitGame() {
  SwitchOutput(mainDisplay_.get());
  mainDisplay_->Clear();
  Print("Initializing game ... ");
  bool ok = false;
  if (!StartGameTimer(config_.timerPeriod)) {
    PrintLine("ERROR: Failed to set game timer");
  } else if (!LoadCreateFSTS(config_.scenarioNumber, "", &frames_, &tiles_)) {
    PrintLine("ERROR: Failed to create frame set and/or tile set");
  } else if (TileRationScale() && SetPosition()) {
    if (config_.fpScale == 0) config_.fpScale = config_.scale;
    if (config_.vmScale == 0) config_.vmScale = config_.scale;
    // The overhead map display and the game object come next; this version
    // cannot create them yet, so the set-up stops here.
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
  tiles_.reset();
  frames_.reset();
}

int CGameUI::StartGame() {
  if (!game_) {
    PrintLine("ERROR: Failed to start game");
    return 0;
  }
  return 1;
}
