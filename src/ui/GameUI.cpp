// The controller's life cycle, its displays and the message dispatch.
#include "ui/GameUI.h"

#include <cstdio>

#include "data/BArraySet.h"
#include "graphics/OverheadDisplay.h"
#include "graphics/TileSet.h"
#include "platform/Backend.h"
#include "platform/Frame.h"
#include "play/Game.h"
#include "play/GameScripts.h"
#include "ui/EndMenu.h"
#include "ui/FirstPersonView.h"
#include "text/GetString.h"
#include "text/Output.h"
#include "text/TextDisplay.h"
#include "ui/OverheadView.h"
#include "vector/FirstPersonEngine.h"

namespace {
CGameUI* activeGameUI = nullptr;

// "DATA<n>\main.cfg" of scenario n.
std::string DefaultConfigPath(int scenario) {
  char path[64];
  std::snprintf(path, sizeof path, "DATA%d\\main.cfg", scenario);
  return path;
}
}  // namespace

CGameUI* GameUI() { return activeGameUI; }

CGameUI::CGameUI() = default;

CGameUI::~CGameUI() {
  if (ActiveApp() == this) SetActiveApp(nullptr);
  if (activeGameUI == this) activeGameUI = nullptr;
  FreeGame();
  SetConsole(nullptr);
  SetOutput(nullptr);
}

int CGameUI::ReadMainConfig(const std::string* path) {
  return ReadMainConfigFile(config_, path ? *path : DefaultConfigPath(config_.scenarioNumber),
                            config_.scenarioNumber);
}

void CGameUI::ApplyRelativeWindowSize() {
  if (config_.relWindowWidth == 0 && config_.relWindowHeight == 0) return;
  int screenWidth = 0, screenHeight = 0;
  if (!GetScreenSize(&screenWidth, &screenHeight)) return;
  if (config_.relWindowWidth != 0)
    config_.windowWidth = static_cast<int>(config_.relWindowWidth * static_cast<float>(screenWidth));
  if (config_.relWindowHeight != 0)
    config_.windowHeight = static_cast<int>(config_.relWindowHeight * static_cast<float>(screenHeight));
}

int CGameUI::ChooseFont(TextDisplay& display, int sizeMultiplier) {
  int step = 0;
  int ok;
  if (fontStep_ != 0) ok = display.SelectFont(fontStep_, sizeMultiplier, &step);
  else if (config_.font) ok = display.SelectFont(*config_.font, sizeMultiplier, &step);
  else ok = display.SelectFont(1, sizeMultiplier, &step);
  if (ok && fontStep_ == 0 && step != 0) fontStep_ = step;
  return ok;
}

int CGameUI::CreateMainDisplay() {
  mainDisplay_ = std::make_unique<TextDisplay>("main");
  TextDisplay& d = *mainDisplay_;
  d.SetWindowAndPosition(MainWindow(), config_.tdX, config_.tdY);
  d.SetSize(config_.tdColumns, config_.tdRows);
  if (!d.InitBuffer(config_.tdBuffer)) return 0;
  if (!ChooseFont(d, config_.tdFontSize)) return 0;
  if (config_.tdAutoPlace) d.AutoTextSize(0, 0);
  d.SetPauseRoutine(TextDisplayPause, 0);
  d.SetCaretOn(true);
  d.CreateCaret();
  keyInput_ = std::make_unique<CGetString>(&d);
  SetConsole(keyInput_.get());
  return 1;
}

int CGameUI::CreateFullDisplay() {
  fullDisplay_ = std::make_unique<TextDisplay>("full");
  TextDisplay& d = *fullDisplay_;
  d.SetWindowAndPosition(MainWindow(), 0, 0);
  d.SetSize(128, 51);
  if (!d.InitBuffer(config_.fsBuffer)) return 0;
  if (!ChooseFont(d, config_.fsFontSize)) return 0;
  d.AutoTextSize(0, 0);
  d.AllocColourBuffer();
  d.SetCaretOn(true);
  return 1;
}

int CGameUI::CreateSidebar() {
  sidebar_ = std::make_unique<TextDisplay>("sidebar");
  TextDisplay& d = *sidebar_;
  d.SetWindowAndPosition(MainWindow(), config_.sbX, config_.sbY);
  d.SetSize(config_.sbColumns, config_.sbRows);
  if (!d.InitBuffer(config_.sbRows) || !ChooseFont(d, config_.sbFontSize)) {
    sidebar_.reset();
    return 0;
  }
  d.AllocColourBuffer();
  return 1;
}

int CGameUI::Initialize() {
  const std::string* path = configPath_.empty() ? nullptr : &configPath_;
  int configRead = ReadMainConfig(path);
  ApplyRelativeWindowSize();
  WindowId window = NoWindow;
  if (!CreateWindow(WindowCaption, false, config_.fullScreen, config_.windowWidth,
                    config_.windowHeight, &window)) {
    ShowErrorBox("ERROR: Could not create main window");
    return 0;
  }
  if (!CreateMainDisplay()) {
    ShowErrorBox("ERROR: Could not create text display");
    return 0;
  }
  if (!CreateFullDisplay()) {
    PrintLine("ERROR: Could not create FS text display");
    WaitAnyKey();
    return 0;
  }
  SetInputMode(config_.inputMode);
  activeGameUI = this;
  SetActiveApp(this);
  if (!configRead) {
    const std::string tried = path ? *path : DefaultConfigPath(config_.scenarioNumber);
    PrintLine("ERROR: Unable to read config file \"%s\"", tried.c_str());
  }
  LoadGameState();
  EnterMainMenu();
  return 1;
}

void CGameUI::AnimationTick() {
  if (mapVisible_) {
    if (control_.mode == OverheadPlay && overhead_) overhead_->AnimationTick(animationCounter_);
    if (control_.mode == FirstPersonPlay && firstPerson_)
      firstPerson_->display.AnimationTick(static_cast<unsigned>(animationCounter_));
  }
  ++animationCounter_;
  if (animationCounter_ > config_.timerCountMax) animationCounter_ = 0;
}

void CGameUI::SetAnimation(bool on) {
  if (overhead_) overhead_->SetAnimate(on);
  if (firstPerson_) firstPerson_->display.SetAnimate(on);
}

void CGameUI::RedrawMapDisplay() {
  if (!mapVisible_) return;
  if (control_.mode == OverheadPlay && overhead_) overhead_->Display();
  if (control_.mode == FirstPersonPlay && firstPerson_) firstPerson_->display.Display();
}

void CGameUI::PaintGameDisplays() {
  if (control_.mode < OverheadPlay || control_.mode > Image) return;
  RedrawMapDisplay();
  if (sidebar_) sidebar_->Redraw();
  if (partyDisplay_) partyDisplay_->Redraw();
}

int CGameUI::HandleMessage(WindowId, uint32_t message, uint64_t wParam, int64_t,
                           int64_t*) {
  switch (message) {
    case msg::Destroy:
      RequestQuit();
      return 1;
    case msg::Paint:
      ValidateWindow();
      break;
    case msg::KeyDown:
      if (wParam == keys::F9) {
        ToggleFullTextScreen();
        return 1;
      }
      break;
    case msg::Timer:
      AnimationTick();
      return 1;
    default:
      break;
  }
  if (keyInput_ && keyInput_->ProcessMessage(message, wParam)) return 1;
  if (message == msg::Paint) {
    PaintGameDisplays();
  }
  if (SleepDepth() != 0) return 1;
  int handled = 1;
  switch (control_.mode) {
    case MainMenu:
      if (message == msg::KeyDown) handled = MainMenuKey(static_cast<int>(wParam));
      break;
    case OverheadPlay:
    case FirstPersonPlay:
      if (message == msg::KeyDown) handled = PlayKey(static_cast<int>(wParam));
      break;
    default:
      break;
  }
  if (!handled) {
    PrintLine("ERROR (GAME UI): Error in game routine");
    if (game_) game_->CommandPrompt();
  }
  return 0;
}

// One command of overhead or first-person play, then whatever the game
// asked of the controller meanwhile.
int CGameUI::PlayKey(int key) {
  if (!game_) return 1;
  int result = control_.mode == FirstPersonPlay ? game_->HandleFirstPersonKey(key)
                                                : game_->HandleOverheadKey(key);
  if (game_) {
    ShowModeChange();
    RunPendingActions();
  }
  return result;
}

// When a map change switched between the overhead and the first-person
// view, the map area is cleared and the new view drawn on it.
void CGameUI::ShowModeChange() {
  if (control_.mode == shownPlayMode_) return;
  if (control_.mode != OverheadPlay && control_.mode != FirstPersonPlay) return;
  shownPlayMode_ = control_.mode;
  if (!mapVisible_) return;
  Backend()->GetCanvas().FillRect(config_.mapX, config_.mapY, mapPixelWidth_, mapPixelHeight_, 0);
  if (control_.mode == FirstPersonPlay && firstPerson_) firstPerson_->display.Display();
  else if (game_) game_->RedrawAll();
}

void CGameUI::EnterMainMenu() {
  control_.mode = MainMenu;
  fullDisplay_->SetCaretOn(true);
  SwitchOutput(fullDisplay_.get());
  ShowMainMenu();
}

void CGameUI::ToggleFullTextScreen() {
  // Full-text mode belongs to play: without a running game nothing happens.
  if (!game_ || control_.mode < OverheadPlay || control_.mode > Image) return;
  TextDisplay& d = *mainDisplay_;
  fullTextMode_ = !fullTextMode_;
  d.HideCaret();
  d.Erase();
  if (fullTextMode_) {
    mapVisible_ = false;
    SetAnimation(false);
    if (sidebar_) sidebar_->Erase();
    Backend()->GetCanvas().FillRect(0, 0, Backend()->GetCanvas().width, Backend()->GetCanvas().height, 0);
    d.Move(0, 0);
  } else {
    d.Move(config_.tdX, config_.tdY);
  }
  if (config_.tdAutoPlace) d.AutoTextSize(fullTextMode_ ? 0 : mainRightLimit_, 0);
  d.SetPageFromRows();
  d.Redraw();
  d.ShowCaret();
  if (!fullTextMode_) {
    mapVisible_ = true;
    SetAnimation(game_->scenario.config.animate != 0);
    RedrawMapDisplay();
    if (sidebar_) sidebar_->Redraw();
  }
}

void CGameUI::RunPendingActions() {
  if (!control_.actionPending && !leaveToMainMenu_) return;
  control_.partyDisplayChanged = 0;
  if (control_.endMenuPending && game_ && !leaveToMainMenu_) RunEndMenu(*game_, control_, MenuServices());
  control_.endMenuPending = 0;
  control_.actionPending = 0;
  if (leaveToMainMenu_) LeaveToMainMenu();
}

int CGameUI::QuitGame(bool withoutSave) {
  if (withoutSave) {
    PrintLine("QUIT");
  } else {
    PrintLine("QUIT AND SAVE");
    if (game_ && !game_->OfferSave()) return 0;
  }
  if (AskQuit()) RequestQuit();
  else if (game_ && !QuitRequested()) game_->CommandPrompt();
  return 1;
}
