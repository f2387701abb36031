#include "world/SavePrompts.h"

#include <cstring>

#include "platform/Files.h"
#include "text/Output.h"
#include "world/NamedSaves.h"
#include "world/WorldPaths.h"

namespace {
bool HasCfExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ext = name.substr(dot + 1);
  return ext.size() == 2 && (ext[0] == 'c' || ext[0] == 'C') && (ext[1] == 'f' || ext[1] == 'F');
}
}  // namespace

bool PromptSaveName(std::string& path, std::optional<std::string>& nameStore, bool mustExist) {
  Print("Please enter save name: ");
  char name[513] = {};
  const char* initial = nameStore ? nameStore->c_str() : nullptr;
  if (!InputTextMode(name, initial, 0) || name[0] == 0) {
    PrintLine("Canceled");
    return false;
  }
  // A save name becomes a directory name under save\: it may not reach
  // outside it or take the place of the engine's own directories.
  std::string why;
  if (!CheckSaveName(name, &why)) {
    PrintLine("Invalid save name (%s), canceled", why.c_str());
    return false;
  }
  RecoverInterruptedSave("save\\" + std::string(name));
  nameStore = std::string(name);
  path = "save\\" + *nameStore;
  if (mustExist && !AFileExists(path) && !ADirExists(path)) {
    PrintLine("Invalid save, canceled");
    return false;
  }
  return true;
}

int PromptSetupLoad(std::string& path, std::optional<std::string>& nameStore, int scenario) {
  (void)scenario;
  if (!PromptSaveName(path, nameStore, false)) return 0;
  bool exists = AFileExists(path) || ADirExists(path);
  if (exists && !HasCfExtension(path) && ADirExists(path)) return 1;
  if (!exists) {
    path += ".cf";
    if (!AFileExists(path)) {
      PrintLine("Invalid save, canceled");
      return 0;
    }
  }
  // A combined save would be unpacked into the working save directory; this
  // version cannot unpack one, so the working save is left untouched.
  PrintLine("ERROR (PromptSetupLoad): Combined save files are not supported yet (%s)", path.c_str());
  return 0;
}
