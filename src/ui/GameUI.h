#pragma once
// The engine's top-level controller: it owns the window configuration, the
// text displays and key input, the graphics of a running scenario and the
// game object, and decides what each key means from the current UI mode.
#include <memory>
#include <optional>
#include <string>

#include "platform/Frame.h"
#include "ui/GameUIControl.h"
#include "ui/MainConfig.h"

class TextDisplay;
class CGetString;
class CGame;
class CGameScripts;
class CBArraySet;
class CTileSet;
class CMDisplay;
class OverheadView;
class FirstPersonView;
struct CFirstPersonEngine;

class CGameUI : public CAppBase {
 public:
  CGameUI();
  ~CGameUI() override;

  int HandleMessage(WindowId window, uint32_t message, uint64_t wParam, int64_t lParam,
                    int64_t* result) override;

  // Configuration path from the command line; empty for none.
  void SetConfigPath(std::string path) { configPath_ = std::move(path); }
  int Initialize();
  int ReadMainConfig(const std::string* path);
  void ResetMainConfig() { config_.Reset(); }
  void ApplyRelativeWindowSize();
  int TileRationScale();
  int SetPosition();
  int TextAutoPosition();
  int TDSBAutoPosition();
  int GetDisplayPosition(int width, int height, int* outX, int* outY);

  void ShowMainMenu();
  void EnterMainMenu();
  int InitGame();
  void FreeGame();
  int StartGame();
  int QuitGame(bool withoutSave);
  void ToggleFullTextScreen();
  void RunPendingActions();
  int SaveGameState();
  int LoadGameState();

  const MainConfig& Config() const { return config_; }
  MainConfig& Config() { return config_; }
  CGameUIControl& Control() { return control_; }
  TextDisplay* MainDisplay() const { return mainDisplay_.get(); }
  TextDisplay* FullDisplay() const { return fullDisplay_.get(); }
  TextDisplay* Sidebar() const { return sidebar_.get(); }
  TextDisplay* PartyDisplay() const { return partyDisplay_.get(); }
  CGame* Game() const { return game_.get(); }
  const std::optional<std::string>& LoadName() const { return loadName_; }
  void SetLoadName(std::optional<std::string> name) { loadName_ = std::move(name); }
  int AnimationCounter() const { return animationCounter_; }
  bool FullTextMode() const { return fullTextMode_; }

 private:
  int CreateMainDisplay();
  int CreateFullDisplay();
  int CreateSidebar();
  int ChooseFont(TextDisplay& display, int sizeMultiplier);
  void AnimationTick();
  void PaintGameDisplays();

  // Main menu (mode 1) and the menus it opens.
  int MainMenuKey(int key);
  int RequireScenario();
  void Abandon();
  void StartDefaultCharacterGame();
  void LoadCurrentGameFromMenu();
  void LoadSavedGameFromMenu();
  void LoadAndStartGame(const std::string* saveDir, const char* failure);
  void AdvancedOptionsMenu();
  void SetScenarioFromMenu();
  void SpecialOptionsMenu();
  void CharacterCreationMenu();
  void CharacterCreationHelp(bool creationAllowed, int partySize);
  int CreateGameObject();
  int PlayKey(int key);
  void RedrawMapDisplay();
  // Animation of the map displays (the scenario's ANIMATE decides whether it runs in play).
  void SetAnimation(bool on);

  std::string configPath_;
  MainConfig config_;
  CGameUIControl control_;
  std::unique_ptr<CGetString> keyInput_;
  std::unique_ptr<TextDisplay> mainDisplay_;
  std::unique_ptr<TextDisplay> fullDisplay_;
  std::unique_ptr<TextDisplay> sidebar_;
  std::unique_ptr<TextDisplay> partyDisplay_;
  int fontStep_ = 0;
  std::unique_ptr<CBArraySet> frames_;  // frame set of the overhead map
  std::unique_ptr<CTileSet> tiles_;     // tile set of the overhead map

  int sidebarPlacedX_ = 0;
  int mainPlacedY_ = 0;
  int mapPixelWidth_ = 0, mapPixelHeight_ = 0;
  int mainRightLimit_ = 0;
  bool mapVisible_ = true;
  bool fullTextMode_ = false;
  int animationCounter_ = 0;
  std::unique_ptr<CMDisplay> overhead_;       // the overhead map display
  std::unique_ptr<OverheadView> overheadView_; // the overhead display as the game sees it
  std::unique_ptr<CFirstPersonEngine> firstPerson_;  // the first-person engine
  std::unique_ptr<FirstPersonView> firstPersonView_;
  std::unique_ptr<CGame> game_;                // the running game
  std::unique_ptr<CGameScripts> scripts_;      // the script interpreter bound to the game
  std::optional<std::string> loadName_;
};

// The one controller while it is active (null before Initialize and after
// destruction).
CGameUI* GameUI();
