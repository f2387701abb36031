// World turns on a generated 256x256 map (15 % blocked) with 100, 1,000 or
// 10,000 creatures of mixed behaviour (wanderers, hostiles with sight
// checks, allies, attack-all hunters, ranged attackers) under closest
// targeting with radius 4, 16 or 48, at verbosity 0, driven by the Pass key
// through the game's key handler. Reported: turns per second, nanoseconds
// per creature turn, and a hash of every creature's state after a fixed run
// (which must not change when the rules are optimised).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "data/BArray.h"
#include "platform/Files.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "play/Game.h"
#include "play/NullMapView.h"
#include "play/TurnCycle.h"
#include "text/Output.h"

namespace {
class TurnWorld {
 public:
  TurnWorld(int creatures, int radius, bool wrap) {
    char pattern[] = "/tmp/korva_turnbench_XXXXXX";
    dir_ = mkdtemp(pattern);
    char buf[4096];
    old_ = getcwd(buf, sizeof buf) ? buf : ".";
    if (chdir(dir_.c_str()) != 0) std::abort();
    AMakeDir("DATA1");
    char scen[256];
    std::snprintf(scen, sizeof scen,
                  "QUORVELLIAN914 DATA V1\nSTARTMAP 1\nVERBOSITY 0\nAIATTACKTYPE CLOSEST\nFINDENEMYDIST %d\n"
                  "AIMOVETYPE 1\n",
                  radius);
    AWriteFileAtomic("DATA1\\scenario.dat", scen);
    AWriteFileAtomic("DATA1\\TILESET.dat",
                     "QUORVELLIAN914 DATA V1\nTS: 1 16 1\nT: 1 1 ; UNBLOCKED LAND 0 \"Grass\"\n"
                     "T: 2 2 ; UNBLOCKED BLOCKED 0 \"Beast\"\nT: 3 3 ; BLOCKED BLOCKED 0 \"Rock\"\n");
    // Wanderer, hostile, ally, hunter of all, archer: many hit points and
    // small blows, so that the population lasts.
    AWriteFileAtomic("DATA1\\objdefs.dat",
                     "QUORVELLIAN914 DATA V1\nCLIST: 5\n"
                     "C: 1 \"Sheep\" 2 0 LAND WANDER 30000 5 0 1 2 0 5 0\n"
                     "C: 2 \"Orc\" 2 0 LAND HOSTILE 30000 5 0 1 2 0 5 0\n"
                     "C: 3 \"Ranger\" 2 0 LAND ATTACK 30000 5 0 1 2 0 5 0\n"
                     "C: 4 \"Troll\" 2 0 LAND ATTACK 30000 5 0 1 2 0 5 0\n"
                     "C: 5 \"Archer\" 2 0 LAND HOSTILE 30000 5 0 1 2 0 5 0\nRANGE: 4\nEND\n");
    AWriteFileAtomic("DATA1\\MAPSET.dat", wrap ? "QUORVELLIAN914 DATA V1\nM: 1 ;128 128\nB: ALL ; NONE ; WRAP\n"
                                               : "QUORVELLIAN914 DATA V1\nM: 1 ;128 128\n");
    CBArray cells;
    cells.Init(256, 256, 2);
    SeedRandom(77);
    std::vector<uint8_t> blocked(256 * 256, 0);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        const bool rock = NextRandom15() % 100 < 15 && !(x == 128 && y == 128);
        blocked[size_t(y) * 256 + size_t(x)] = rock;
        cells.SetU16(rock ? 3 : 1, x, y);
      }
    cells.Save("DATA1\\1.map");
    std::string text = "QUORVELLIAN914 DATA V1\nSAVE: 1\nRANGEDATTACK: 1\n";
    char line[160];
    std::snprintf(line, sizeof line, "CLIST: %d\n", creatures);
    text += line;
    int placed = 0;
    for (int i = 0; placed < creatures && i < 256 * 256; ++i) {
      const int cell = int((long long)i * 40503 % 65536);
      const int x = cell % 256, y = cell / 256;
      if (blocked[size_t(cell)] || (x == 128 && y == 128)) continue;
      const int kind = placed % 5;
      std::snprintf(line, sizeof line, "C: %d %d %d %d\n", placed + 1, kind + 1, x, y);
      text += line;
      if (kind == 1) text += "AIDIST: 8\nAGROLOS\nATTACKSPCS: 1\n";
      if (kind == 2) text += "ATTACKSPCENEMIES: 1\n";
      if (kind == 3) text += "ATTACKSALL: 1\n";
      if (kind == 4) text += "ATTACKSPCS: 1\n";
      ++placed;
    }
    text += "END\n";
    AWriteFileAtomic("DATA1\\map1.dat", text);
    AWriteFileAtomic("DATA1\\pc.dat",
                     "QUORVELLIAN914 DATA V1\n!GENERAL\nDEF: 1 LAND\n!CHARACTER\nNAME: Bench\nHP: 30000 30000\n");
    SetOutputCapture(nullptr);
    SetOutput(nullptr);
    game.Initialize(&control_, 1, GameDisplays{&view_, nullptr, nullptr, nullptr});
    InstallTurnHooks(game);
    game.NewGameDChar();
    game.StartPlay();
    game.arrivalMark = false;
  }
  ~TurnWorld() {
    if (chdir(old_.c_str()) != 0) std::abort();
    ADeleteDir(dir_);
  }
  int Creatures() const { return game.creatures ? game.creatures->Count() : 0; }
  // FNV-1a over every creature's position, state, hit points and memory.
  uint64_t Hash() const {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](int v) {
      h ^= uint64_t(uint32_t(v));
      h *= 1099511628211ull;
    };
    for (int id = 1; id <= game.creatures->Size(); ++id) {
      const CreatureObject* c = game.creatures->Get(id);
      if (!c) {
        mix(-1);
        continue;
      }
      mix(c->x), mix(c->y), mix(c->state), mix(c->hp), mix(c->aiDirection), mix(c->retreatCount);
    }
    return h;
  }
  void Turn() {
    game.pc->body.hp = 30000;
    game.HandleOverheadKey(keys::Space);
  }

  CGame game;

 private:
  std::string dir_, old_;
  CGameUIControl control_;
  CNullMapView view_;
};

void BM_WorldTurns(benchmark::State& state) {
  const int n = int(state.range(0)), radius = int(state.range(1));
  const bool wrap = state.range(2) != 0;
  uint64_t hash = 0;
  int moved = 0, attacking = 0;
  {
    // The reference run: 50 turns from a fixed seed.
    TurnWorld ref(n, radius, wrap);
    std::vector<std::pair<int, int>> start;
    for (int id = 1; id <= ref.game.creatures->Size(); ++id)
      if (const CreatureObject* c = ref.game.creatures->Get(id)) start.emplace_back(c->x, c->y);
      else start.emplace_back(-1, -1);
    SeedRandom(12345);
    for (int i = 0; i < 50; ++i) ref.Turn();
    hash = ref.Hash();
    for (int id = 1; id <= ref.game.creatures->Size(); ++id)
      if (const CreatureObject* c = ref.game.creatures->Get(id)) {
        moved += start[size_t(id - 1)] != std::make_pair(int(c->x), int(c->y));
        attacking += c->state == 8;
      }
  }
  TurnWorld w(n, radius, wrap);
  SeedRandom(12345);
  long long creatureTurns = 0;
  for (auto _ : state) {
    creatureTurns += w.Creatures();
    w.Turn();
  }
  state.counters["turns_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["creature_turns_per_s"] = benchmark::Counter(double(creatureTurns), benchmark::Counter::kIsRate);
  state.counters["moved"] = moved;
  state.counters["attacking"] = attacking;
  state.counters["state_hash_lo"] = double(hash & 0xFFFFFF);
  state.counters["state_hash_hi"] = double((hash >> 24) & 0xFFFFFF);
}
BENCHMARK(BM_WorldTurns)
    ->ArgNames({"creatures", "radius", "wrap"})
    ->Args({100, 16, 0})
    ->Args({1000, 4, 0})
    ->Args({1000, 16, 0})
    ->Args({1000, 16, 1})
    ->Args({1000, 48, 0})
    ->Args({10000, 16, 0})
    ->Unit(benchmark::kMicrosecond);
}  // namespace
