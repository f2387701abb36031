// Script interpreter throughput on a tight loop of core commands and flag
// tests, and loading a 10,000-line script file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "data/DataReaders.h"
#include "data/TextDataFile.h"
#include "scripting/ScriptContext.h"
#include "scripting/ScriptLoader.h"
#include "text/Output.h"

namespace {
class FlagWorld : public ScriptWorld {
 public:
  uint8_t flags[16] = {};
  bool GetFlag(int flag, uint8_t* value) override {
    if (flag < 1 || flag > 16) return false;
    *value = flags[flag - 1];
    return true;
  }
  bool SetFlag(int flag, uint8_t value) override {
    if (flag < 1 || flag > 16) return false;
    flags[flag - 1] = value;
    return true;
  }
};

ScriptList* FromText(const std::string& text) {
  TextDataFile f;
  f.OpenText(text);
  if (!FindKeywordLine(&f, "SCRIPT:")) return nullptr;
  return ReadScriptBody(f, 1);
}

// Each run executes exactly `commands` lines, then the safety limit ends it.
void BM_InterpreterLoop(benchmark::State& state) {
  const int commands = 1000000;
  std::unique_ptr<ScriptList> list(FromText("SCRIPT: 10\n"
                                            "1 SetSafety " + std::to_string(commands) + "\n"
                                            "2 NOOP\n"
                                            "3 CheckFlag 1 0 5\n"
                                            "4 M never\n"
                                            "5 SetFlag 2 +1\n"
                                            "6 CheckFlag 2 200 2\n"
                                            "7 NOOP\n"
                                            "8 GOTO 2\n"));
  FlagWorld world;
  ScriptContext game(&world, 1);
  std::string sink;
  SetOutputCapture(&sink);
  for (auto _ : state) {
    RunScript(game, list.get());
    sink.clear();
  }
  SetOutputCapture(nullptr);
  state.SetItemsProcessed(state.iterations() * commands);
}
BENCHMARK(BM_InterpreterLoop)->Unit(benchmark::kMillisecond);

void BM_LoadScript10000Lines(benchmark::State& state) {
  char dir[] = "/tmp/korva-scriptbench-XXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) {
    state.SkipWithError("no temporary directory");
    return;
  }
  (void)!system("mkdir -p DATA1");
  std::string text = "QUORVELLIAN914 DATA V1\n# generated\nSCRIPT: 10000\n";
  for (int i = 1; i <= 10000; ++i) {
    switch (i % 4) {
      case 0: text += std::to_string(i) + " Message \"line number " + std::to_string(i) + " of the script\"\n"; break;
      case 1: text += std::to_string(i) + " CheckFlag 3 1 N" + std::to_string(i + 7) + "\n"; break;
      case 2: text += std::to_string(i) + " AddKeyWords yes 10 no 20 \"good day\" 30\n"; break;
      default: text += std::to_string(i) + " NOOP\n"; break;
    }
  }
  FILE* f = std::fopen("DATA1/script5.dat", "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  for (auto _ : state) {
    std::unique_ptr<ScriptList> list(LoadScriptNumber(1, 5));
    if (!list || list->LineCount() != 10000) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(list.get());
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LoadScript10000Lines)->Unit(benchmark::kMillisecond);
}  // namespace
