// The quick help text and HelpToFile.
#include "play/QuickHelp.h"

#include "platform/Files.h"
#include "play/Game.h"
#include "text/Output.h"

const std::vector<std::string>& QuickHelpLines() {
  static const std::vector<std::string> lines = {
      "Korva Engine (v2.0) - by the Korva developers",
      "",
      "*** Quick Help ***",
      "",
      "The following commands are used to play the game",
      "",
      "Up arrow: Move north (overhead) or move forwards (first person)",
      "Down arrow: Move south (overhead) or move backwards (first person)",
      "Left arrow: Move west (overhead) or turn left (first person)",
      "Right arrow: Move east (overhead) or turn right (first person)",
      "",
      "A: Attack",
      "B: Board vehicle (ship, horse, etc.)",
      "C: Cast spell (may require spell item)",
      "D: Descend rope, ladder, stairs, etc.",
      "E: Enter location (town, dungeon, etc.)",
      "F: Fire vehicle's weapons (note that some don't have weapons)",
      "G: Get item (treasure chest, weapon, etc.)",
      "H: Hyperspace (while in space ship after launching)",
      "I: Ignite a light source such as a torch (requires said item)",
      "J: Jump",
      "K: \"Klimb\" (climb) rope, ladder, stairs, etc.",
      "L: Launch/land vehicle (aircraft, etc.)",
      "M: Magic, set current spell",
      "N: Negate time (requires magic item)",
      "O: Offer gold",
      "P: Pass turn (when no party allowed)",
      "P: Party (when allowed)",
      "   1-9: Set character 1-9",
      "   A-F: Set character 10-15",
      "   0 (zero): Set character by prompt",
      "   P: Ping active character",
      "   L: Display summary list",
      "   S: Split/unsplit",
      "   T: Trade inventory",
      "   W: Wait",
      "   O: Options",
      "   Z: Display given PC stats",
      "   Control-Z: Display given detailed PC stats list",
      "   Spacebar: Pass remaining turns",
      "Q: Quit and/or save game",
      "R: Ready weapon, shield, or ammo",
      "S: Steal",
      "T: Talk",
      "U: Unlock (requires key)",
      "V: View (requires magic item)",
      "W: Wear armor",
      "X: Exit vehicle",
      "Y: Yell",
      "Z: Display PC stats",
      "",
      "Spacebar: Pass turn",
      "",
      "Control-D: Drop item",
      "Control-I: Display PC inventory list",
      "Control-L: Look",
      "Control-M: Move NPC",
      "Control-Q: Quit (no save)",
      "Control-R: Rest",
      "Control-U: Use",
      "   Arrow: Use given item",
      "   I: Use inventory",
      "   V: Use vehicle",
      "Control-Z: Display detailed PC stats list",
      "",
      "Enter: Show object state (current selection)",
      "Control-Enter: Show object state (select)",
      "",
      "F1: Quick help (full text screen)",
      "F2: Options menu (save named game, quit to main menu, and more)",
      "F3: Save named game",
      "F4: Load named game",
      "F8: Toggle screen locking",
      "F9: Toggle full text screen",
      "",
      "Control-F1: Quick help (no full text screen)",
      "Control-F8: Screen locking options",
      "",
      "Control-Up/Down arrow: Move text display up or down by 1 line",
      "Page Up/Down: Move text display up or down by 1 page",
      "",
      "Refer to the manual.txt document for more information",
  };
  return lines;
}

int QuickHelp(const std::string* file) {
  if (!file && !GetOutput()) {
    PrintLine("ERROR (Help): Could not get text display object");
    return 0;
  }
  std::string text;
  if (!file) {
    PrintLine("HELP");
    PrintNewLine();
  }
  for (const std::string& line : QuickHelpLines()) {
    PrintLine("%s", line.c_str());
    if (file) text += line + "\n";
  }
  PrintNewLine();
  // The file is written whole, so that a failed write leaves no half file.
  if (file && !AWriteFileAtomic(*file, text)) {
    PrintLine("ERROR (Help): Could not open %s", file->c_str());
    return 0;
  }
  return 1;
}

bool PlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name.find("..") != std::string::npos) return false;
  for (char c : name)
    if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

int HelpToFile(CGame& game) {
  PrintLine("- Empty to exit");
  PrintLine("- File without path means root game directory");
  PrintLine("Please enter the filename:");
  Print("? ");
  char name[513] = {0};
  InputText(name, "");
  std::string file = name;
  if (file.empty()) {
    PrintLine("Canceled");
    game.CommandPrompt();
    return 1;
  }
  // Only a plain name: the file is always written in the game directory.
  if (!PlainFileName(file)) {
    PrintLine("ERROR (HelpToFile): Invalid file name %s (no path allowed)", file.c_str());
    game.CommandPrompt();
    return 1;
  }
  if (AFileExists(file) || ADirExists(file)) {
    Print("File exists, overwrite? ");
    if (!AskYesNo()) {
      game.CommandPrompt();
      return 1;
    }
  }
  if (QuickHelp(&file)) PrintLine("Done");
  game.CommandPrompt();
  return 1;
}
