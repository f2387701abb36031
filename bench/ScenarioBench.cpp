// Loading a large generated scenario: 5,000 definitions of each kind.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "scenario/Scenario.h"
#include "text/Output.h"

namespace {
constexpr int kCount = 5000;

std::string MakeGameDir() {
  char tmpl[] = "/tmp/korva-scenario-bench-XXXXXX";
  const char* dir = mkdtemp(tmpl);
  if (!dir) return {};
  std::string data = std::string(dir) + "/DATA7";
  if (mkdir(data.c_str(), 0755) != 0) return {};
  std::ofstream cfg(data + "/scenario.dat");
  cfg << "STARTMAP 1\nVERBOSITY 3\nWIN KILL 5\nZOOMENEMIES 1 2 3\n";
  std::ofstream o(data + "/objdefs.dat");
  o << "CLIST: " << kCount << "\n";
  for (int i = 1; i <= kCount; ++i)
    o << "C: " << i << " \"Creature " << i << "\" 40 2 LAND HOSTILE 30 5 3 1 6 2 25 4\n"
      << "SAVES: 1 2 3\nRANGE: 4\nLOOK: \"A creature\"\nFEARLESS\n"
      << "POWER: \"Gas\" SLEEP 50 3 7 2 5 6\nPOWER-DAMAGE: 1 6 2\nPOWER-IDRANGES: 2; 5-3 7-9\n";
  o << "END\nNLIST: " << kCount << "\n";
  for (int i = 1; i <= kCount; ++i)
    o << "N: " << i << " \"Npc " << i << "\" MERCHANT 3 \"Hello\"\n"
      << "OFFER: ITEM 2 5 100 80 6 \"Thanks!\" \"No\"\nGIVE: FLAG 9 1 10 11 \"Here\" \"Not now\"\nANCHOR: 4\n";
  o << "END\nLLIST: " << kCount << "\n";
  for (int i = 1; i <= kCount; ++i)
    o << "L: " << i << " \"Town " << i << "\" 60 NORMAL ENTER 3\nBMESSAGE: \"Entering\"\nLSOUND: 1 2\n";
  o << "END\nVLIST: " << kCount << "\n";
  for (int i = 1; i <= kCount; ++i)
    o << "V: " << i << " \"Ship " << i << "\" 50 2 WATER 0.5 3\nHP: 40\nAC: 5\nCARGOCAP: 100\n";
  o << "END\nILIST: " << kCount << "\n";
  for (int i = 1; i <= kCount; ++i)
    o << "I: " << i << " \"Item " << i << "\" 30 WEAPON 250m\nWEAPON: 2 1 8 1 0 3\nLOOK: \"An item\"\n"
      << "RES: G25 CHANCE 40\nMAX: 3\n";
  o << "END\n";
  std::ofstream t(data + "/Terrain.dat");
  t << "LIST: 100\n";
  for (int i = 0; i < 100; ++i) t << "TG: " << 1000 + i << " 7 9 11 13\n";
  std::ofstream c(data + "/classes.dat");
  c << "LIST: 2\nC: 1 Fighter 10 1000\nATTRIB: 2 0 1 0 0 0\nSPELLS: 3 1 2 3\nC: 2 Mage 11 1200\n"
    << "RACES\nLIST: 1\nC: 1 Elf 20 0\nGENDER\nLIST: 1\nC: 1 Female 0 0\nEND\n";
  return dir;
}

// The generated directory, removed at exit.
struct GameDir {
  std::string path = MakeGameDir();
  ~GameDir() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
};

void BM_LoadLargeScenario(benchmark::State& state) {
  static const GameDir dir;
  const std::string& gameDir = dir.path;
  char cwd[4096];
  if (gameDir.empty() || !getcwd(cwd, sizeof cwd) || chdir(gameDir.c_str()) != 0) {
    state.SkipWithError("could not create the scenario");
    return;
  }
  std::string printed;
  SetOutputCapture(&printed);
  for (auto _ : state) {
    ScenarioData s;
    LoadScenario(s, 7);
    benchmark::DoNotOptimize(s.defs.items);
    if (!s.defs.items || s.defs.items->CountUsed() != kCount) state.SkipWithError("load failed");
  }
  SetOutputCapture(nullptr);
  if (chdir(cwd) != 0) state.SkipWithError("could not return");
}
BENCHMARK(BM_LoadLargeScenario)->Unit(benchmark::kMillisecond);
}  // namespace
