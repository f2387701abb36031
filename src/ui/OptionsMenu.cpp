// The options menu of play and the pages reached from it.
#include "ui/OptionsMenu.h"

#include <string>
#include <utility>

#include "graphics/OverheadDisplay.h"
#include "platform/Frame.h"
#include "platform/Keys.h"
#include "play/Game.h"
#include "play/QuickHelp.h"
#include "play/ScreenToggles.h"
#include "text/Output.h"
#include "ui/DebugOptionsMenu.h"

namespace {
// The menu lines are listed without page pauses; the pause comes back for
// the question.
struct PauseOff {
  explicit PauseOff(CGame& game) : game(game) { SetTextPause(false); }
  ~PauseOff() { RestoreTextPause(game); }
  CGame& game;
};

int Prompted(CGame& game, int result = 1) {
  game.CommandPrompt();
  return result;
}

void Lines(std::initializer_list<const char*> lines) {
  for (const char* line : lines) PrintLine("%s", line);
}

int SetVerbosity(CGame& game) {
  PrintLine("Set Verbosity (current %d)", game.verbosity);
  {
    PauseOff pause(game);
    Lines({"1: Minimum messages", "2: Standard messages", "3: Extra messages", "4: Advanced messages"});
  }
  Print("Level? ");
  int level = ParseVerbosity(InputLine(16));
  if (level) {
    game.verbosity = uint8_t(level);
    PrintLine("Done");
  }
  return Prompted(game);
}

int ToggleAnimation(CGame& game, const UIServices& ui) {
  PrintLine("Toggle Animation");
  uint8_t& animate = game.scenario.config.animate;
  animate = animate ? 0 : 1;
  if (ui.setAnimate && (!ui.mapVisible || ui.mapVisible())) ui.setAnimate(animate != 0);
  PrintLine("Animation: %d", animate);
  return Prompted(game);
}

int Restart(CGame& game) {
  PrintLine("Restart");
  Print("Are you sure you want to restart? ");
  if (!AskYesNo()) return Prompted(game);
  PrintNewLine();
  return game.ReloadGame(nullptr);
}

// One page of explanation, closed by a key.
void Page(std::initializer_list<const char*> lines) {
  Lines(lines);
  WaitAnyKey();
}

void ExitLine(const ExitSlot& slot) { PrintLine("Map %d at position %d %d", slot.map, slot.x, slot.y); }

int RemoveExitPoint(CGame& game) {
  PrintLine("!!! BUG FIX OPTION: REMOVE INVALID EXIT POINT !!!");
  PrintNewLine();
  ExitStack& exits = game.world.exits;
  const ExitSlot* deepest = exits.Peek();
  if (!deepest) {
    PrintLine("You have no exit maps defined; this fix does not apply to this save");
    return Prompted(game);
  }
  if (deepest == &exits.slots[0]) {
    PrintLine("You have only 1 exit map defined; this fix does not apply to this save");
    return Prompted(game);
  }
  PrintLine("Please use this option very carefully and only when needed!");
  Page({"An earlier version could leave an extra exit point behind when a map was left, so that leaving "
        "a later map took the party to the wrong place.  This repair removes the most recent exit point.",
        "Use it only on a saved game that shows this fault, on the map that is to be left, before "
        "leaving it.  Back up the current save first."});
  PrintLine("The following exit value will be removed:");
  ExitLine(*deepest);
  Print("Are you sure you wish to proceed? ");
  if (!AskYesNo()) return Prompted(game);
  const bool wasThird = deepest == &exits.slots[2];
  exits.ClearDeepest();
  PrintLine("DONE");
  // The first slot is never removed; at most the second follows the third.
  if (wasThird && exits.slots[1].map) {
    PrintLine("There is still an additional exit value:");
    ExitLine(exits.slots[1]);
    Print("Would you like to also remove it? ");
    if (AskYesNo()) {
      exits.ClearDeepest();
      PrintLine("DONE");
    }
  }
  return Prompted(game);
}

int RecalculateAttributes(CGame& game) {
  PrintLine("!!! BUG FIX OPTION: RECALCULATE ATTRIBUTE-RELATED VALUES !!!");
  PrintNewLine();
  Page({"An earlier version could leave the values that follow from class, race and attributes (hit "
        "points, armour class, attack, saves, spell points) wrong after an attribute changed.  This "
        "repair computes them again for the active character.",
        "Use it only on a saved game that shows this fault, and back up the current save first."});
  Print("Do you wish to proceed? ");
  if (!AskYesNo()) return Prompted(game);
  // The character values of the character-creation rules are not part of
  // this version yet, so nothing can be recomputed.
  PrintLine("Recalculating attribute-related values is not available in this version of Korva");
  return Prompted(game);
}

std::string NameOf(const PCRecord& m) { return m.def.name ? *m.def.name : ""; }

bool HasGameFlags(const PCRecord& m) { return m.hasFlags && !m.flags.empty(); }

int RestoreLostFlags(CGame& game) {
  PrintLine("!!! BUG FIX OPTION: RESTORE LOST FLAGS FROM PARTY MEMBER !!!");
  PrintNewLine();
  if (game.partySize < 1 || !game.pc) {
    PrintLine("There is no party.  You may need to reload from a save prior to disbanding a party then try "
              "this option again (or reload from a save prior to losing the flags in the first place).");
    return Prompted(game);
  }
  Page({"An earlier version could lose the game flags of the active character when the party changed, "
        "while another member kept a copy of them.  This repair swaps the game flags of the active "
        "character with those of the member you choose.",
        "Use it only on a saved game that shows this fault, and back up the current save first."});
  Page({"Note that once you select a character, the flags will be listed and prompts will allow you to "
        "select another character and verify that you wish to proceed."});
  for (;;) {
    PrintLine("Swap flags with:");
    for (int k = 1; k <= game.partySize; ++k)
      if (const PCRecord* m = game.PartyMember(k))
        PrintLine("%d: %s %s", k, NameOf(*m).c_str(), HasGameFlags(*m) ? "(has flags)" : "(no flags)");
    PrintLine("(<RETURN> to exit)");
    Print("Which? ");
    uint8_t choice = 0;
    if (!InputByte(&choice) || QuitRequested()) break;
    PCRecord* m = game.PartyMember(choice);
    if (!m || m == game.pc.get()) {
      PrintLine("Invalid character");
      WaitAnyKey();
      continue;
    }
    if (!HasGameFlags(*m)) {
      PrintLine("This character has no flags");
      WaitAnyKey();
      continue;
    }
    Print("Flags (%s): ", NameOf(*m).c_str());
    for (const auto& [flag, value] : m->flags) Print("%d %d  ", flag, value);
    PrintLine("Total set: %d", int(m->flags.size()));
    WaitAnyKey();
    Print("Is this the character you wish to select? ");
    if (!AskYesNo()) continue;
    PrintLine("This will swap the flags between %s and %s", NameOf(*game.pc).c_str(), NameOf(*m).c_str());
    Print("Are you sure you wish to proceed? ");
    if (AskYesNo()) {
      std::swap(game.pc->flags, m->flags);
      std::swap(game.pc->flagCount, m->flagCount);
      std::swap(game.pc->hasFlags, m->hasFlags);
      PrintLine("DONE");
    }
    break;
  }
  return Prompted(game);
}

uint32_t TotalWeight(const CGame& game, const PCRecord& pc) {
  uint32_t total = 0;
  for (const InvEntry& e : pc.inventory) {
    const ItemDef* def = game.scenario.defs.items ? game.scenario.defs.items->Find(e.defId) : nullptr;
    if (def && e.quantity > 0) total += def->weight * uint32_t(e.quantity);
  }
  return total;
}

int RecalculateEncumbrance(CGame& game) {
  PrintLine("!!! BUG FIX OPTION: RECALCULATE ENCUMBRANCE !!!");
  PrintNewLine();
  Page({"An earlier version could lose track of the weight a character carries.  This repair adds up "
        "the weight of everything in the inventory again.",
        "Use it only on a saved game that shows this fault, and back up the current save first."});
  Print("Do you wish to proceed? ");
  if (!AskYesNo()) return Prompted(game);
  auto recalculate = [&game](PCRecord& m) {
    PrintLine("Current weight: %d", int(m.weight));
    m.weight = TotalWeight(game, m);
    PrintLine("New weight: %d", int(m.weight));
  };
  if (game.partySize > 0) {
    for (int k = 1; k <= game.partySize; ++k)
      if (PCRecord* m = game.PartyMember(k)) {
        PrintLine("%s:", NameOf(*m).c_str());
        recalculate(*m);
      }
  } else if (game.pc) {
    recalculate(*game.pc);
  }
  PrintLine("DONE");
  return Prompted(game);
}
}  // namespace

int ParseVerbosity(const char* text) {
  if (!text) return 0;
  while (*text == ' ' || *text == '\t') ++text;
  if (*text < '1' || *text > '4') return 0;
  int level = *text++ - '0';
  while (*text == ' ' || *text == '\t') ++text;
  return *text == 0 ? level : 0;
}

int ApplyBugFix(CGame& game, int number) {
  switch (number) {
    case 1: return RemoveExitPoint(game);
    case 2: return RecalculateAttributes(game);
    case 3: return RestoreLostFlags(game);
    case 4: return RecalculateEncumbrance(game);
    default: return 0;
  }
}

int ShowBugFixOptions(CGame& game) {
  {
    PauseOff pause(game);
    Lines({"BUG FIX OPTIONS", "*** Bug Fix Options ***", "1: Remove invalid exit point",
           "2: Recalculate attribute-related values", "3: Restore lost flags from party member",
           "4: Recalculate encumbrance"});
  }
  Print("> ");
  int number = ParseVerbosity(InputLine(16));  // the same 1 to 4
  if (!number) return Prompted(game);
  return ApplyBugFix(game, number);
}

int ShowAdvancedOptions(CGame& game, const UIServices& ui) {
  {
    PauseOff pause(game);
    Lines({"ADVANCED OPTIONS", "*** Advanced Options ***", "B: Bug fix options", "D: Toggle Debug Messages",
           "R: Toggle Redraw Debug Mode", "W: Toggle Draw Mode"});
  }
  Print("> ");
  switch (GetKey()) {
    case 0: return 1;  // the application is quitting
    case 'B': return ShowBugFixOptions(game);
    case 'D':
      PrintLine("Toggle DBG");
      PrintLine(ToggleDebugMode() ? "DBG ON" : "DBG OFF");
      return Prompted(game);
    case 'R':
      PrintLine("Toggle Redraw DBG");
      ToggleRedrawDebug(game);
      return Prompted(game);
    case 'W': {
      PrintLine("Toggle Draw Mode");
      CMDisplay* d = ui.overhead;
      bool fsb = d && !d->FSBMode();
      if (!d || !d->SetFSBMode(fsb)) {
        PrintLine("Failed to initialize FSB mode");
        return 1;
      }
      PrintLine(fsb ? "FSB Mode" : "Standard Mode");
      return Prompted(game);
    }
    default:
      PrintNewLine();
      return Prompted(game);
  }
}

int SwitchCastingMode(CGame& game) {
  PrintLine("*** Switch Casting Mode ***");
  PrintLine("Current=%d", game.options.castingMode);
  PrintLine("0: Select by standard list position");
  PrintLine("1: Select by spell ID");
  PrintLine("(none to exit)");
  Print("Which? ");
  uint8_t mode = 0;
  if (InputByte(&mode) && mode <= 1) {
    game.options.castingMode = mode;
    PrintLine("Cast mode=%d", mode);
  } else {
    PrintLine("None");
  }
  return Prompted(game);
}

int ReorderKnownSpellList(CGame& game) {
  if (!game.scenario.cspells) {
    PrintLine("Complex spells are not defined");
    return Prompted(game);
  }
  bool hasList = false;
  if (game.pc)
    for (const std::string& line : game.pc->keptLines)
      if (line.compare(0, 7, "SPELLS:") == 0) hasList = true;
  if (!hasList) {
    PrintLine("No list of known spells");
    return Prompted(game);
  }
  // Known-spell lists are kept as read until the spell rules of play are
  // part of the engine.
  PrintLine("Reordering known spells is not available in this version of Korva");
  return Prompted(game);
}

int ShowOptionsMenu(CGame& game, const UIServices& ui) {
  {
    PauseOff pause(game);
    Lines({"OPTIONS", "*** Options ***", "Q: Quit Game", "M: Quit to Main Menu", "S: Save Game", "L: Load Game",
           "R: Restart Game (from current save)", "N: Toggle Sound", "A: Toggle Animation", "P: Toggle Text Pause",
           "V: Set Verbosity", "I: Inventory options", "K: Reorder Known Spell List", "C: Casting options",
           "F1: Output help to text file", "F2: Advanced options"});
  }
  Print("> ");
  switch (GetKey()) {
    case 0: return 1;  // the application is quitting
    case 'A': return ToggleAnimation(game, ui);
    case 'C':
      PrintLine("Casting options");
      return SwitchCastingMode(game);
    case 'I':
      PrintLine("Inventory options");
      PrintLine("Inventory options are not available in this version of Korva");
      return Prompted(game);
    case 'K':
      PrintLine("Reorder Known Spell List");
      return ReorderKnownSpellList(game);
    case 'L':
      PrintLine("Load Game");
      return game.LoadGameCommand();
    case 'M':
      PrintLine("Main Menu");
      if (!AskQuit()) return Prompted(game);
      PrintNewLine();
      if (ui.leaveToMainMenu) ui.leaveToMainMenu();
      return 1;
    case 'N':
      PrintLine("Toggle Sound On/Off");
      ToggleSound(game);
      return Prompted(game);
    case 'P':
      PrintLine("Toggle Text Pause On/Off");
      ToggleTextPause(game);
      return Prompted(game);
    case 'Q':
      PrintLine("Quit");
      if (!AskQuit()) return Prompted(game);
      RequestQuit();
      return 1;
    case 'R': return Restart(game);
    case 'S': {
      PrintLine("Save Game");
      int r = game.SaveNamedGame();
      if (r == 1 && ui.saveGameState) ui.saveGameState();
      return r == 0 ? 0 : 1;
    }
    case 'V': return SetVerbosity(game);
    case keys::F1:
      PrintLine("Output help to text file");
      return HelpToFile(game);
    case keys::F2: return ShowAdvancedOptions(game, ui);
    default:
      PrintNewLine();
      return Prompted(game);
  }
}
