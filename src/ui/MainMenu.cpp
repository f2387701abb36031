// The main menu (UI mode 1) and the menus it opens directly.
#include <cstdio>
#include <cstdlib>

#include "platform/Files.h"
#include "platform/Frame.h"
#include "text/Output.h"
#include "text/TextDisplay.h"
#include "ui/DebugOptionsMenu.h"
#include "play/Game.h"
#include "ui/GameUI.h"
#include "ui/ImageTools.h"
#include "vector/VFDisplay.h"
#include "world/SavePrompts.h"

namespace {
constexpr const char* AuthorCredit = "by the Korva developers";

// The leading decimal number of a typed answer, 0 when there is none.
long LeadingNumber(const char* text) { return std::strtol(text, nullptr, 10); }

// The head of a menu screen: the block of `lines` lines centred on the
// display, the title, a blank line and the first entry, whose column becomes
// the margin of the entries after it.
void StartMenuScreen(TextDisplay& d, int lines, const char* title, const char* firstEntry) {
  d.Clear();
  d.SetRowFraction(0.5f, lines);
  d.WriteCentred(0.5f, title, true);
  d.NewLine();
  d.WriteCentredMargin(0.5f, firstEntry, true);
}
}  // namespace

void CGameUI::ShowMainMenu() {
  TextDisplay& d = *fullDisplay_;
  char line[96];
  d.Clear();
  d.SetRowFraction(0.25f, 18);
  d.WriteCentred(0.5f, "Korva Engine", true);
  d.NewLine();
  d.WriteCentred(0.5f, AuthorCredit, true);
  d.NewLine();
  d.NewLine();
  std::snprintf(line, sizeof line, "Scenario ID: %d", config_.scenarioNumber);
  d.WriteCentred(0.5f, line, true);
  if (config_.title) {
    d.SetMarginFraction(0.05f);
    d.WriteCentredWrapped(0.5f, config_.title->c_str(), true);
  }
  d.NewLine();
  d.NewLine();
  d.WriteCentredMargin(0.5f, "1: Start new game (default character)", true);
  PrintLine("2: Start new game (create character)");
  PrintLine("3: Load and start current game");
  PrintLine("4: Load and start saved game");
  PrintLine("S: Set scenario ID");
  PrintLine("A: Advanced options");
  PrintLine("Q: Quit");
  PrintNewLine();
  Print("CHOICE: ");
}

// Keys 1 to 4 need a scenario: after a failed S the number is 0.
int CGameUI::RequireScenario() {
  if (config_.scenarioNumber != 0) return 1;
  PrintLine("Please select a valid scenario first");
  WaitAnyKey();
  ShowMainMenu();
  return 0;
}

void CGameUI::Abandon() {
  FreeGame();
  WaitAnyKey();
  EnterMainMenu();
}

int CGameUI::MainMenuKey(int key) {
  switch (key) {
    case '1':
      PrintLine("%c", key);
      if (RequireScenario()) StartDefaultCharacterGame();
      return 1;
    case '2':
      PrintLine("%c", key);
      if (!RequireScenario()) return 1;
      if (InitGame()) CharacterCreationMenu();
      else ShowMainMenu();
      return 1;
    case '3':
      PrintLine("%c", key);
      if (RequireScenario()) LoadCurrentGameFromMenu();
      return 1;
    case '4':
      PrintLine("%c", key);
      if (RequireScenario()) LoadSavedGameFromMenu();
      return 1;
    case 'A':
      PrintLine("%c", key);
      AdvancedOptionsMenu();
      return 1;
    case 'S':
    case 'D':
      PrintLine("%c", key);
      SetScenarioFromMenu();
      return 1;
    case 'Q':
      PrintLine("%c", key);
      if (AskQuit()) RequestQuit();
      else ShowMainMenu();
      return 1;
    case keys::F1:
      ShowMainMenu();
      return 1;
    case keys::F2:
      SpecialOptionsMenu();
      return 1;
    case keys::F11:
      PrintLine("Test Routine");
      WaitAnyKey();
      ShowMainMenu();
      return 1;
    default:
      return 1;
  }
}

void CGameUI::StartDefaultCharacterGame() {
  if (!InitGame()) {
    ShowMainMenu();
    return;
  }
  PrintNewLine();
  int partySize = game_->scenario.config.party;
  if (partySize > 1) {
    PrintLine("Warning: This will start with a singular character but a party is allowed.");
    Print("Are you sure you wish to proceed? ");
    if (!AskYesNo()) {
      PrintLine("Canceled");
      Abandon();
      return;
    }
  }
  if (!game_->NewGameDChar()) {
    PrintLine("ERROR: Failed to create new game");
    Abandon();
    return;
  }
  if (!StartGame()) Abandon();
}

void CGameUI::LoadCurrentGameFromMenu() {
  char dir[64], pc[80];
  std::snprintf(dir, sizeof dir, "save\\Default%d", config_.scenarioNumber);
  std::snprintf(pc, sizeof pc, "%s\\pc.dat", dir);
  if (!ADirExists(dir) || !AFileExists(pc)) {
    PrintLine("Current save does not exist");
    WaitAnyKey();
    ShowMainMenu();
    return;
  }
  LoadAndStartGame(nullptr, "ERROR: Failed to load current game");
}

void CGameUI::LoadSavedGameFromMenu() {
  std::string path;
  int setup = PromptSetupLoad(path, loadName_, config_.scenarioNumber);
  if (setup != 1 && setup != 2) {
    WaitAnyKey();
    ShowMainMenu();
    return;
  }
  LoadAndStartGame(setup == 1 ? &path : nullptr, "ERROR: Failed to load saved game");
}

// Sets the game up, loads a named save directory (or the current save when
// none is given) and starts play; any failure returns to the main menu.
void CGameUI::LoadAndStartGame(const std::string* saveDir, const char* failure) {
  if (!InitGame()) {
    ShowMainMenu();
    return;
  }
  PrintNewLine();
  int loaded = saveDir ? game_->LoadNamedGame(*saveDir) : game_->LoadCurrentGame();
  if (!loaded) {
    PrintLine("%s", failure);
    Abandon();
    return;
  }
  if (!StartGame()) {
    Abandon();
    return;
  }
  RunPendingActions();
}

void CGameUI::AdvancedOptionsMenu() {
  StartMenuScreen(*fullDisplay_, 9, "Advanced Options Menu", "1: Convert and load from old save");
  PrintNewLine();
  Print("CHOICE: ");
  int key = GetKey();
  if (key == '1') {
    PrintLine("%c", key);
    std::string path;
    int setup = PromptSetupLoad(path, loadName_, config_.scenarioNumber);
    if (setup != 1 && setup != 2) {
      WaitAnyKey();
      ShowMainMenu();
      return;
    }
    if (!InitGame()) {
      ShowMainMenu();
      return;
    }
    PrintNewLine();
    // Saves of older scenario versions cannot be converted yet: the
    // conversion fails and the game is abandoned.
    PrintLine("ERROR: Save conversion is not available in this version of Korva");
    Abandon();
    return;
  }
  if (QuitRequested()) return;
  PrintLine("NONE");
  WaitAnyKey();
  ShowMainMenu();
}

void CGameUI::SetScenarioFromMenu() {
  Print("Scenario ID? ");
  const char* answer = InputLine(0);
  long number = LeadingNumber(answer);
  if (number > 0 && number <= 65535) {
    char path[64];
    std::snprintf(path, sizeof path, "DATA%ld\\main.cfg", number);
    ResetMainConfig();
    if (ReadMainConfigFile(config_, path, static_cast<int>(number))) {
      config_.scenarioNumber = static_cast<uint16_t>(number);
      FreeGame();
    } else {
      PrintLine("ERROR: Failed to read config file (%s)", path);
      WaitAnyKey();
      config_.scenarioNumber = 0;
    }
  }
  ShowMainMenu();
}

void CGameUI::SpecialOptionsMenu() {
  StartMenuScreen(*fullDisplay_, 11, "Special Options Menu", "A: Vector Frame Display");
  PrintLine("B: Sound Set Player");
  PrintLine("C: Bitmap Conversion Tool");
  PrintLine("D: Image Viewer");
  PrintLine("E: Data File Strip Tool");
  PrintLine("F: Combine File Tool");
  PrintLine("Z: Benchmarks");
  PrintNewLine();
  Print("CHOICE: ");
  int key = GetKey();
  SwitchOutput(mainDisplay_.get());
  switch (key) {
    case 'C':
      UIBitmapConversion();
      break;
    case 'D':
      UIImageViewer();
      break;
    case 'A':
      RunVectorFrameDisplay(config_.scenarioNumber);
      break;
    case 'B':
    case 'E':
    case 'F':
    case 'Z':
      PrintLine("%c", key);
      PrintLine("This tool is not available in this version of Korva");
      WaitAnyKey();
      break;
    case keys::F2:
      ShowDebugOptionsMenu(game_ != nullptr);
      break;
    default:
      break;
  }
  if (QuitRequested()) return;
  SwitchOutput(fullDisplay_.get());
  ShowMainMenu();
}
