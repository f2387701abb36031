// Maps at run time: loading a 256x256 map with 1,000 creatures, locations,
// vehicles and items (read, applied and stacked), leaving it with a full
// save of the game, and a step that redraws the view (the view itself draws
// nothing here: the figure is the game's own share of a move).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "data/BArray.h"
#include "platform/Files.h"
#include "play/Game.h"
#include "play/NullMapView.h"
#include "text/Output.h"

namespace {
// A scenario with map 1 (256x256, 1,000 objects of each kind) and map 2.
class BigWorld {
 public:
  BigWorld() {
    char pattern[] = "/tmp/korva_worldbench_XXXXXX";
    dir_ = mkdtemp(pattern);
    char buf[4096];
    old_ = getcwd(buf, sizeof buf) ? buf : ".";
    if (chdir(dir_.c_str()) != 0) std::abort();
    AMakeDir("DATA1");
    AWriteFileAtomic("DATA1\\scenario.dat", "QUORVELLIAN914 DATA V1\nSTARTMAP 1\n");
    AWriteFileAtomic("DATA1\\TILESET.dat",
                     "QUORVELLIAN914 DATA V1\nTS: 1 16 1\nT: 1 1 ; UNBLOCKED LAND 0 \"Grass\"\n"
                     "T: 2 2 ; UNBLOCKED BLOCKED 0 \"Thing\"\n");
    AWriteFileAtomic("DATA1\\objdefs.dat",
                     "QUORVELLIAN914 DATA V1\nCLIST: 1\nC: 1 \"Rat\" 2 0 LAND WANDER 4 1 0 1 2 0 5 0\nEND\n"
                     "ILIST: 1\nI: 1 \"Coin\" 2 CURRENCY 1\nEND\n"
                     "VLIST: 1\nV: 1 \"Raft\" 2 1 WATER 1 0\nEND\n"
                     "LLIST: 1\nL: 1 \"Hut\" 2 NORMAL NORMAL 0\nEND\n");
    AWriteFileAtomic("DATA1\\MAPSET.dat", "QUORVELLIAN914 DATA V1\nM: 1 ;0 0\nM: 2 ;0 0\n");
    CBArray cells;
    cells.Init(256, 256, 2);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) cells.SetU16(1, x, y);
    cells.Save("DATA1\\1.map");
    CBArray small;
    small.Init(8, 8, 2);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) small.SetU16(1, x, y);
    small.Save("DATA1\\2.map");
    std::string text = "QUORVELLIAN914 DATA V1\nSAVE: 1\n";
    auto section = [&](const char* head, const char* fmt) {
      text += head;
      char line[96];
      for (int i = 0; i < 1000; ++i) {
        // Row 0 stays free for the walking benchmark.
        std::snprintf(line, sizeof line, fmt, i + 1, (i * 37) % 256, 1 + (i * 91) % 255);
        text += line;
      }
      text += "END\n";
    };
    section("CLIST: 1000\n", "C: %d 1 %d %d\n");
    section("LLIST: 1000\n", "L: %d 1 %d %d\n");
    section("VLIST: 1000\n", "V: %d 1 %d %d 10\n");
    section("ILIST: 1000\n", "I: %d 1 %d %d; 3 0\n");
    AWriteFileAtomic("DATA1\\map1.dat", text);
    AWriteFileAtomic("DATA1\\pc.dat", "QUORVELLIAN914 DATA V1\n!GENERAL\nDEF: 1 LAND\n!CHARACTER\nHP: 5 5\n");
    SetOutputCapture(&sink_);
    game.Initialize(&control_, 1, GameDisplays{&view_, nullptr, nullptr, nullptr});
    game.NewGameDChar();
  }
  ~BigWorld() {
    SetOutputCapture(nullptr);
    if (chdir(old_.c_str()) != 0) std::abort();
    ADeleteDir(dir_);
  }

  CGame game;

 private:
  std::string dir_, old_, sink_;
  CGameUIControl control_;
  CNullMapView view_;
};

void BM_LoadMap(benchmark::State& state) {
  BigWorld w;
  for (auto _ : state) {
    // Without a saved copy the map comes from the scenario's files.
    ADeleteFile("save\\Default1\\map1.dat");
    if (!w.game.LoadMap(1)) state.SkipWithError("LoadMap failed");
    benchmark::DoNotOptimize(w.game.qmap.get());
  }
  state.counters["objects"] = w.game.creatures->Count() + w.game.locations->Count() + w.game.vehicles->Count() +
                              w.game.items->Count();
}
BENCHMARK(BM_LoadMap)->Unit(benchmark::kMillisecond);

void BM_LeaveMapWithSave(benchmark::State& state) {
  BigWorld w;
  for (auto _ : state) {
    state.PauseTiming();
    ADeleteFile("save\\Default1\\map1.dat");
    w.game.LoadMap(1);
    state.ResumeTiming();
    if (!w.game.LeaveMap(false)) state.SkipWithError("LeaveMap failed");
  }
}
BENCHMARK(BM_LeaveMapWithSave)->Unit(benchmark::kMillisecond);

void BM_LoadAndLeave(benchmark::State& state) {
  BigWorld w;
  for (auto _ : state) {
    ADeleteFile("save\\Default1\\map1.dat");
    if (!w.game.LoadMap(1) || !w.game.LeaveMap(false) || !w.game.LoadMap(2)) state.SkipWithError("failed");
  }
}
BENCHMARK(BM_LoadAndLeave)->Unit(benchmark::kMillisecond);

void BM_MoveAndRedraw(benchmark::State& state) {
  BigWorld w;
  w.game.LoadMap(1);
  w.game.playerX = 128;
  w.game.playerY = 0;
  int dx = 1, moved = 0;
  for (auto _ : state) {
    if (w.game.playerX >= 250) dx = -1;
    if (w.game.playerX <= 5) dx = 1;
    moved += w.game.MovePlayer(dx, 0) == 2;
    w.game.RedrawAll();
  }
  state.counters["moved"] = benchmark::Counter(moved, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MoveAndRedraw);
}  // namespace
