// save\game.dat: what the controller remembers between sessions (the name of
// the last loaded or saved game).
#include <cstdio>

#include "platform/Files.h"
#include "text/Output.h"
#include "ui/GameUI.h"

namespace {
constexpr const char* GameStatePath = "save\\game.dat";
}

int CGameUI::SaveGameState() {
  std::string text = "QUORVELLIAN914 DATA V1\n\n";
  if (loadName_) text += "LOADNAME: " + *loadName_ + "\n";
  AMakeDir("save");
  if (!AWriteFileAtomic(GameStatePath, text)) {
    PrintLine("ERROR (SaveGameState): Could not open %s", GameStatePath);
    return 0;
  }
  return 1;
}

int CGameUI::LoadGameState() {
  std::string text;
  if (!AReadFile(GameStatePath, text)) return 1;  // no remembered state yet
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 9, "LOADNAME:") != 0) continue;
    // The name is the rest of the line after the keyword and its blanks.
    size_t name = line.find_first_not_of(" \t", start + 9);
    if (name == std::string::npos) continue;
    loadName_ = line.substr(name);
  }
  return 1;
}
