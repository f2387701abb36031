#include "tools/CheckScripts.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "scripting/ScriptLoader.h"
#include "scripting/Triggers.h"
#include "text/Output.h"

namespace {
struct ScriptCheckLog {
  int errors = 0;
  int warnings = 0;
  int reported = 0;  // messages of the file being checked
};

void OnScriptMessage(void* user, const std::string& file, int line, const std::string& text) {
  ScriptCheckLog& log = *static_cast<ScriptCheckLog*>(user);
  ++log.reported;
  if (text.compare(0, 7, "WARNING") == 0)
    ++log.warnings;
  else
    ++log.errors;
  if (file.empty())
    std::printf("%s\n", text.c_str());
  else if (line > 0)
    std::printf("%s:%d: %s\n", file.c_str(), line, text.c_str());
  else
    std::printf("%s: %s\n", file.c_str(), text.c_str());
}

// Cell trigger IDs of a map of any size: the check does not know the maps'
// sizes, so every placement is accepted.
class AnyCells : public TriggerCells {
 public:
  int Width() const override { return 32767; }
  int Height() const override { return 32767; }
  uint16_t Get(int, int) const override { return 0; }
  void Set(int, int, uint16_t) override {}
};

bool HasPrefix(const std::string& name, const char* prefix) {
  const size_t n = std::strlen(prefix);
  if (name.size() < n + 4) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) != prefix[i]) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".dat";
}
}  // namespace

void CheckScenarioScripts(const std::string& dir, uint16_t scenario, int* errors, int* warnings) {
  std::vector<std::string> names;
  if (!AListDir(dir, names)) return;
  ScriptCheckLog log;
  std::string printed;  // the engine's own lines, reported through the listener
  SetOutputCapture(&printed);
  SetScriptLoadListener(OnScriptMessage, &log);
  for (const std::string& name : names) {
    const std::string path = dir + "\\" + name;
    log.reported = 0;
    if (HasPrefix(name, "script")) {
      std::unique_ptr<ScriptList> list(LoadScriptFile(path, scenario));
      if (!list && log.reported == 0) {
        ++log.errors;
        std::printf("%s: ERROR (SCRIPT LOADER): Script could not be loaded (no SCRIPT: line with a size, or a "
                    "command line without its command word)\n",
                    path.c_str());
      }
    } else if (HasPrefix(name, "triglist")) {
      AnyCells cells;
      ZoneList zones;
      std::unique_ptr<TriggerList> list = LoadTriggerListFile(path, scenario, &cells, &zones);
      if (!list && log.reported == 0) {
        ++log.errors;
        std::printf("%s: ERROR (Trigger loader): Trigger list could not be loaded (no LIST: line)\n", path.c_str());
      }
    }
  }
  SetScriptLoadListener(nullptr, nullptr);
  SetOutputCapture(nullptr);
  *errors += log.errors;
  *warnings += log.warnings;
}
