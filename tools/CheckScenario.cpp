// korva-tool check [--game-dir DIR] N: loads scenario N as the engine does and
// lists every error and warning with the file and line it came from.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "scenario/LoadReport.h"
#include "scenario/Scenario.h"
#include "text/Output.h"
#include "tools/CheckScripts.h"
#include "tools/ToolCommands.h"

namespace {
struct CheckLog {
  int errors = 0;
  int warnings = 0;
};

void OnMessage(void* user, const LoadMessage& m) {
  CheckLog& log = *static_cast<CheckLog*>(user);
  if (m.text.compare(0, 5, "ERROR") == 0)
    ++log.errors;
  else if (m.text.compare(0, 7, "WARNING") == 0)
    ++log.warnings;
  else
    return;
  if (m.file.empty())
    std::printf("%s\n", m.text.c_str());
  else if (m.line > 0)
    std::printf("%s:%d: %s\n", m.file.c_str(), m.line, m.text.c_str());
  else
    std::printf("%s: %s\n", m.file.c_str(), m.text.c_str());
}

template <class T>
int Used(const std::unique_ptr<DefTable<T>>& t) {
  return t ? t->CountUsed() : 0;
}

int RunCheck(int argc, char** argv) {
  const char* gameDir = nullptr;
  const char* number = nullptr;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--game-dir") == 0 && i + 1 < argc)
      gameDir = argv[++i];
    else if (!number && argv[i][0] != '-')
      number = argv[i];
    else {
      std::fprintf(stderr, "usage: korva-tool check [--game-dir DIR] N\n");
      return 2;
    }
  }
  char* end = nullptr;
  long n = number ? std::strtol(number, &end, 10) : -1;
  if (!number || *end != '\0' || n < 0 || n > 65535) {
    std::fprintf(stderr, "usage: korva-tool check [--game-dir DIR] N\n");
    return 2;
  }
  if (gameDir && ::chdir(gameDir) != 0) {
    std::fprintf(stderr, "korva-tool check: cannot enter %s\n", gameDir);
    return 2;
  }
  const std::string dir = "DATA" + std::to_string(n);
  if (!ADirExists(dir)) {
    std::fprintf(stderr, "korva-tool check: no scenario directory %s\n", dir.c_str());
    return 2;
  }

  CheckLog log;
  std::string printed;  // the engine's own lines, handed over with their place
  SetOutputCapture(&printed);
  SetLoadMessageListener(OnMessage, &log, &printed);
  if (!AFileExists(dir + "\\scenario.dat") && !AFileExists(dir + "\\scenario1.dat")) {
    ++log.warnings;
    std::printf("%s\\scenario.dat: WARNING: no scenario.dat or scenario1.dat, defaults used\n", dir.c_str());
  }
  ScenarioData s;
  LoadScenario(s, int(n));
  SetLoadMessageListener(nullptr, nullptr, nullptr);
  SetOutputCapture(nullptr);
  CheckScenarioScripts(dir, uint16_t(n), &log.errors, &log.warnings);

  std::printf("%s: %d error%s, %d warning%s; definitions: %d creature, %d NPC, %d location, %d vehicle, %d item\n",
              dir.c_str(), log.errors, log.errors == 1 ? "" : "s", log.warnings, log.warnings == 1 ? "" : "s",
              Used(s.defs.creatures), Used(s.defs.npcs), Used(s.defs.locations), Used(s.defs.vehicles),
              Used(s.defs.items));
  return log.errors ? 1 : 0;
}

ToolRegistration checkRegistration("check", "check [--game-dir DIR] N   load scenario N and list its errors",
                                   RunCheck);
}  // namespace
