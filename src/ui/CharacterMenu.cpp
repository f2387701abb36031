// The character creation menu (main menu key 2): create or load a character,
// or set up a party, then start the game.
#include <cstdio>

#include "platform/Frame.h"
#include "text/Output.h"
#include "text/TextDisplay.h"
#include "ui/GameUI.h"

namespace {
// What the menu keeps between its rounds.
struct CreationState {
  bool creationAllowed = false;  // the scenario lets characters be created and saved
  int partySize = 0;             // the scenario's party size
  bool hasCharacter = false;
  std::string characterName;
  bool hasParty = false;
};

void ShowCharacterMenu(TextDisplay& d, const CreationState& s) {
  char line[128];
  d.Clear();
  d.SetRowFraction(0.25, 19);
  d.WriteCentred(0.5, "Character Creation", true);
  d.NewLine();
  if (s.hasCharacter && !s.characterName.empty()) {
    std::snprintf(line, sizeof line, "Current: %s", s.characterName.c_str());
    d.WriteCentred(0.5, line, true);
    d.NewLine();
  }
  d.WriteCentredMargin(0.5, "1: Create character and start new game", true);
  if (s.hasParty) PrintLine("N: Start new game with current party");
  else if (s.hasCharacter) PrintLine("N: Start new game with current character");
  if (s.creationAllowed) {
    PrintLine("C: Create current character and save");
    PrintLine("L: Load current character");
  }
  if (s.hasCharacter) {
    PrintLine("S: Save current character");
    PrintLine("Z: Stats for current character");
  }
  if (s.hasParty) PrintLine("PL: Party, list");
  if (s.partySize > 0 && s.hasCharacter) PrintLine("PA: Party, add current character");
  if (s.hasParty) {
    PrintLine("PR: Party, remove character");
    PrintLine("PO: Party, reorder");
    PrintLine("PZ: Party, stats");
  }
  PrintLine("F1: Quick help");
  PrintLine("(ENTER or ESC to cancel)");
  PrintNewLine();
  Print("CHOICE: ");
}

// Asks before starting with one character where a party is allowed.
bool ConfirmSingleStart(int partySize) {
  if (partySize <= 1) return true;
  PrintLine("Warning: This will start with a singular character but a party of %d is allowed.",
            partySize);
  Print("Are you sure you wish to proceed? ");
  return AskYesNo();
}
}  // namespace

void CGameUI::CharacterCreationHelp(bool creationAllowed, int partySize) {
  PrintLine("F1");
  GetOutput()->Clear();
  if (creationAllowed) {
    if (partySize > 1) {
      PrintLine("This scenario allows a party (size of %d)", partySize);
      PrintLine("(This is the initial party size; the scenario may or may not allow more to be added during the game.)");
    } else {
      PrintLine("This scenario allows a singular character only (no party)");
      PrintLine("(This is the initial situation; the scenario may or may not allow party members to be added during the game.)");
    }
    PrintNewLine();
    PrintLine("This menu allows you to create or load a singular character or (if allowed) a party then start the game.  The menu options will reflect what is allowed and will update dynamically in response to some previous actions.");
    PrintNewLine();
    PrintLine("To get started most quickly, option 1 allows creating a singular character and starting the game in a single step.  However, note that if a party is allowed then this option is not recommended.");
  } else {
    PrintLine("This menu allows additional options for scenarios that support them but this scenario not one of them.  Therefore, please use option 1 to proceed.");
  }
  PrintNewLine();
  PrintLine("Please refer to the documentation for more information.");
  PrintNewLine();
  WaitAnyKey();
}

void CGameUI::CharacterCreationMenu() {
  // Character creation and the party need the game object of a running
  // scenario; without one the menu offers what it can and every start fails
  // with its own error line.
  CreationState state;
  for (;;) {
    if (QuitRequested()) return;
    SwitchOutput(fullDisplay_.get());
    ShowCharacterMenu(*fullDisplay_, state);
    int key = GetKey();
    if (key == 0) return;
    switch (key) {
      case keys::Return:
      case keys::Escape:
        if (state.hasParty) {
          PrintNewLine();
          PrintLine("WARNING: You have set up a party and will lose it if you exit this menu.");
          Print("Are you sure you wish to exit? ");
          if (!AskYesNo()) continue;
        }
        FreeGame();
        EnterMainMenu();
        return;
      case '1':
        PrintLine("%c", key);
        if (!ConfirmSingleStart(state.partySize)) continue;
        state.hasCharacter = false;
        state.hasParty = false;
        PrintLine("ERROR: Failed to create new game");
        WaitAnyKey();
        continue;
      case keys::F1:
        CharacterCreationHelp(state.creationAllowed, state.partySize);
        continue;
      default:
        continue;  // keys whose line is not shown are ignored
    }
  }
}
