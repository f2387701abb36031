// Setting a game up from the main menu and tearing it down again.
#include "play/TurnCycle.h"
#include "text/StatusSidebar.h"
#include "data/BArraySet.h"
#include "graphics/FrameSet.h"
#include "graphics/TileSet.h"
#include "platform/Frame.h"
#include "text/Output.h"
#include "text/TextDisplay.h"
#include "graphics/OverheadDisplay.h"
#include "play/Game.h"
#include "play/GameScripts.h"
#include "play/InfoCommands.h"
#include "play/ScreenToggles.h"
#include "ui/GameUI.h"
#include "ui/FirstPersonView.h"
#include "ui/OptionsMenu.h"
#include "ui/OverheadView.h"
#include "vector/FirstPersonEngine.h"

#include <algorithm>

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

int CGameUI::TextAutoPosition() {
  if (!frames_) {
    PrintLine("ERROR (TextAutoPosition): Frameset not created");
    return 0;
  }
  int frameWidth = 0, frameHeight = 0, elementSize = 0;
  frames_->GetDims(&frameWidth, &frameHeight, &elementSize);
  mainPlacedY_ = config_.mapY + (config_.mapRows * frameHeight + 1) * config_.scale;
  if (config_.tdAutoPlace) {
    mainDisplay_->Move(config_.tdX, mainPlacedY_);
    config_.tdY = mainPlacedY_;
  }
  return 1;
}

int CGameUI::TDSBAutoPosition() {
  if (!config_.sbAutoPlace || !sidebar_) return 1;
  int clientWidth = 0, clientHeight = 0;
  if (!GetClientSize(&clientWidth, &clientHeight)) {
    PrintLine("ERROR (TDSBAutoPosition): Could not get screen size");
    return 0;
  }
  sidebarPlacedX_ = clientWidth - config_.sbColumns * sidebar_->CharWidth();
  config_.sbX = sidebarPlacedX_;
  config_.sbY = mainPlacedY_;
  sidebar_->Move(config_.sbX, config_.sbY);
  return 1;
}

int CGameUI::GetDisplayPosition(int width, int height, int* outX, int* outY) {
  if (mapPixelWidth_ == 0 || mapPixelHeight_ == 0) {
    PrintLine("ERROR (GetDisplayPosition): MD size not set");
    return 0;
  }
  *outY = std::max(0, config_.mapY + (mapPixelHeight_ - height) / 2);
  *outX = std::max(0, config_.mapX + (mapPixelWidth_ - width) / 2);
  return 1;
}

// Creates the game object with the scenario's rules and hands it the
// displays and the controller's own commands.
int CGameUI::CreateGameObject() {
  game_ = std::make_unique<CGame>();
  GameDisplays displays;
  displays.overhead = overheadView_.get();
  displays.tiles = tiles_.get();
  displays.firstPerson = firstPersonView_.get();
  displays.vectorTiles = firstPersonTerrain_.get();
  if (!game_->Initialize(&control_, config_.scenarioNumber, displays)) return 0;
  GameHooks hooks;
  hooks.quitGame = [this](bool withoutSave) { return QuitGame(withoutSave); };
  hooks.saveGameState = [this]() {
    if (game_->loadName) loadName_ = game_->loadName;
    return SaveGameState();
  };
  hooks.quickHelp = [this](bool inPlace) { return ShowQuickHelp(inPlace); };
  hooks.optionsMenu = [this]() { return ShowOptionsMenu(*game_, MenuServices()); };
  hooks.infoKey = [this](int key, bool ctrl, bool* handled) {
    return InfoCommandKey(*game_, MenuServices(), key, ctrl, handled);
  };
  game_->SetHooks(std::move(hooks));
  scripts_ = std::make_unique<CGameScripts>(*game_, config_.scenarioNumber);
  scripts_->Attach();
  // A new game starts with the scenario's options and no requests left
  // over from an earlier one.
  InitGameOptions(*game_);
  RestoreTextPause(*game_);
  control_.actionPending = control_.endMenuPending = control_.partyDisplayChanged = 0;
  control_.endMenuSaveAllowed = 1;
  leaveToMainMenu_ = false;
  InstallTurnHooks(*game_);
  SetSidebarDisplay(*game_, sidebar_.get());
  overheadView_->SetLineOfSight(game_->scenario.config.visibility != 0);
  SetAnimation(game_->scenario.config.animate != 0);
  if (loadName_) {
    game_->loadName = loadName_;
    game_->saveName = loadName_;
  }
  return 1;
}

int CGameUI::InitGame() {
  SwitchOutput(mainDisplay_.get());
  mainDisplay_->Clear();
  if (game_) {
    mainDisplay_->SetPageFromRows();
    return 1;
  }
  Print("Initializing game ... ");
  bool ok = false;
  if (!StartGameTimer(config_.timerPeriod)) {
    PrintLine("ERROR: Failed to set game timer");
  } else if (!LoadCreateFSTS(config_.scenarioNumber, "", &frames_, &tiles_)) {
    PrintLine("ERROR: Failed to create frame set and/or tile set");
  } else if (TileRationScale() && SetPosition()) {
    if (config_.fpScale == 0) config_.fpScale = config_.scale;
    if (config_.vmScale == 0) config_.vmScale = config_.scale;
    overhead_ = CreateMDisplay(config_.mapX, config_.mapY, config_.mapColumns, config_.mapRows,
                               config_.scale, tiles_.get(), frames_.get(), config_.fsDraw != 0,
                               config_.ohAnimFreq);
    if (overhead_) {
      overheadView_ = std::make_unique<OverheadView>(*overhead_);
      if (!CreateSidebar()) PrintLine("ERROR: Failed to create text sidebar");
      if (config_.tdAutoPlace) mainDisplay_->Erase();
      TextAutoPosition();
      TDSBAutoPosition();
      if (config_.tdAutoPlace) {
        mainRightLimit_ = sidebar_ ? config_.sbX - sidebar_->CharWidth() : 0;
        mainDisplay_->AutoTextSize(mainRightLimit_, 0);
        mainDisplay_->SetPageFromRows();
        mainDisplay_->Redraw();
      }
      firstPerson_ = CreateFirstPersonEngine(
          config_.scenarioNumber, config_.fpScale, config_.fpAnimFreq,
          [this](int w, int h, int* x, int* y) { return GetDisplayPosition(w, h, x, y) == 1; });
      if (firstPerson_) {
        firstPersonView_ = std::make_unique<FirstPersonView>(firstPerson_->display);
        if (firstPerson_->sets.tiles) firstPersonTerrain_ = MakeTerrainTileSet(*firstPerson_->sets.tiles);
      }
      ok = CreateGameObject() == 1;
    }
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
  // The interpreter refers to the game: it goes first.
  scripts_.reset();
  game_.reset();
  if (sidebar_) sidebar_->Erase();
  sidebar_.reset();
  partyDisplay_.reset();
  overheadView_.reset();
  overhead_.reset();
  firstPersonView_.reset();
  firstPersonTerrain_.reset();
  firstPerson_.reset();
  tiles_.reset();
  frames_.reset();
  fullTextMode_ = false;
  mapVisible_ = true;
}

int CGameUI::StartGame() {
  shownPlayMode_ = OverheadPlay;
  if (!game_ || !game_->StartPlay()) {
    PrintLine("ERROR: Failed to start game");
    return 0;
  }
  ShowModeChange();
  return 1;
}
