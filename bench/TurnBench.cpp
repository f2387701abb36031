// World turns on a generated 256x256 map (15 % blocked) with 100, 1,000 or
// 10,000 creatures of mixed behaviour (wanderers, hostiles with sight
// checks, allies, attack-all hunters, ranged attackers) under closest
// targeting with radius 4, 16 or 48, at verbosity 0, driven by the Pass key.
// BM_WorldTurns feeds the key through the headless backend's key path (the
// window message, the controller, the game, the text console and the map
// display as a player's key goes); BM_CreatureTurns hands it straight to the
// game's key handler with no display, which shows the creatures' share.
// Reported: turns per second, creature turns per second, and a hash of every
// creature's state after a fixed run (which must not change when the rules
// are optimised).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "data/BArray.h"
#include "platform/Backend.h"
#include "platform/Files.h"
#include "platform/Frame.h"
#include "platform/HeadlessBackend.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "play/Game.h"
#include "play/NullMapView.h"
#include "play/TurnCycle.h"
#include "text/Output.h"
#include "ui/GameUI.h"

// Every allocation of the process is counted, so that a turn's share shows.
namespace {
long long allocations = 0;
}  // namespace

void* operator new(size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {
KeyScriptEvent MakeKey(int key) {
  KeyScriptEvent e;
  e.key = key;
  return e;
}

class TurnWorld {
 public:
  TurnWorld(int creatures, int radius, bool wrap, bool keyPath) {
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
                     "QUORVELLIAN914 DATA V1\nFS: 1 16 16 4 8\nF: 1 3\nEND\n"
                     "TS: 1 16 1\nT: 1 1 ; UNBLOCKED LAND 0 \"Grass\"\n"
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
    for (int f = 1; f <= 3; ++f) {
      CBArray frame;
      frame.Init(16, 16, 4);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
          const uint8_t pixel[4] = {uint8_t(f * 60 + x * 8), uint8_t(y * 8), uint8_t(f * 40), 0};
          frame.SetElement(pixel, x, y);
        }
      frame.Save("DATA1\\" + std::to_string(f) + ".til");
    }
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
    if (keyPath) {
      // The main menu's "1" starts the game; every turn's key is fed later.
      std::string error;
      std::unique_ptr<HeadlessBackend> backend = CreateHeadlessBackend("1", error);
      if (!backend) std::abort();
      headless_ = backend.get();
      SetBackend(std::move(backend));
      ui_ = std::make_unique<CGameUI>();
      if (!ui_->Initialize()) std::abort();
      Pump();
      game_ = ui_->Game();
      if (!game_ || !game_->playerMayAct) std::abort();
    } else {
      SetOutputCapture(nullptr);
      SetOutput(nullptr);
      game_ = &direct_;
      direct_.Initialize(&control_, 1, GameDisplays{&view_, nullptr, nullptr, nullptr});
      InstallTurnHooks(direct_);
      direct_.NewGameDChar();
      direct_.StartPlay();
      direct_.arrivalMark = false;
    }
  }
  ~TurnWorld() {
    if (ui_) {
      ui_.reset();
      SetBackend(nullptr);
    }
    if (chdir(old_.c_str()) != 0) std::abort();
    ADeleteDir(dir_);
  }
  CGame& Game() const { return *game_; }
  int Creatures() const { return game_->creatures ? game_->creatures->Count() : 0; }
  // FNV-1a over every creature's position, state, hit points and memory.
  uint64_t Hash() const {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](int v) {
      h ^= uint64_t(uint32_t(v));
      h *= 1099511628211ull;
    };
    for (int id = 1; id <= game_->creatures->Size(); ++id) {
      const CreatureObject* c = game_->creatures->Get(id);
      if (!c) {
        mix(-1);
        continue;
      }
      mix(c->x), mix(c->y), mix(c->state), mix(c->hp), mix(c->aiDirection), mix(c->retreatCount);
    }
    return h;
  }
  void Turn() {
    game_->pc->body.hp = 30000;
    if (!headless_) {
      game_->HandleOverheadKey(keys::Space);
      return;
    }
    headless_->AppendScript(passKey_);
    Pump();
  }

 private:
  // Delivers messages until the controller waits for the next key.
  void Pump() {
    WindowMessage m;
    while (!(headless_->ScriptFinished() && headless_->AwaitingInput())) {
      if (!headless_->GetMessage(m, true) || m.message == msg::Quit) std::abort();
      DispatchWindowMessage(m);
    }
  }

  std::string dir_, old_;
  CGame* game_ = nullptr;
  // The key path: the headless backend and the controller.
  HeadlessBackend* headless_ = nullptr;
  const std::vector<KeyScriptEvent> passKey_{MakeKey(keys::Space)};
  std::unique_ptr<CGameUI> ui_;
  // The direct path: a game with no display.
  CGame direct_;
  CGameUIControl control_;
  CNullMapView view_;
};

void RunTurns(benchmark::State& state, bool keyPath) {
  const int n = int(state.range(0)), radius = int(state.range(1));
  const bool wrap = state.range(2) != 0;
  uint64_t hash = 0;
  int moved = 0, attacking = 0;
  {
    // The reference run: 50 turns from a fixed seed.
    TurnWorld ref(n, radius, wrap, keyPath);
    const CreatureList& list = *ref.Game().creatures;
    std::vector<std::pair<int, int>> start;
    for (int id = 1; id <= list.Size(); ++id)
      if (const CreatureObject* c = list.Get(id)) start.emplace_back(c->x, c->y);
      else start.emplace_back(-1, -1);
    SeedRandom(12345);
    for (int i = 0; i < 50; ++i) ref.Turn();
    hash = ref.Hash();
    for (int id = 1; id <= list.Size(); ++id)
      if (const CreatureObject* c = list.Get(id)) {
        moved += start[size_t(id - 1)] != std::make_pair(int(c->x), int(c->y));
        attacking += c->state == 8;
      }
  }
  TurnWorld w(n, radius, wrap, keyPath);
  SeedRandom(12345);
  long long creatureTurns = 0;
  const long long allocationsBefore = allocations;
  for (auto _ : state) {
    creatureTurns += w.Creatures();
    w.Turn();
  }
  state.counters["allocs_per_turn"] = double(allocations - allocationsBefore) / double(state.iterations());
  state.counters["turns_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["creature_turns_per_s"] = benchmark::Counter(double(creatureTurns), benchmark::Counter::kIsRate);
  state.counters["moved"] = moved;
  state.counters["attacking"] = attacking;
  state.counters["state_hash_lo"] = double(hash & 0xFFFFFF);
  state.counters["state_hash_hi"] = double((hash >> 24) & 0xFFFFFF);
}

void BM_WorldTurns(benchmark::State& state) { RunTurns(state, true); }
void BM_CreatureTurns(benchmark::State& state) { RunTurns(state, false); }

void TurnArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"creatures", "radius", "wrap"})
      ->Args({100, 16, 0})
      ->Args({1000, 4, 0})
      ->Args({1000, 16, 0})
      ->Args({1000, 16, 1})
      ->Args({1000, 48, 0})
      ->Args({10000, 16, 0})
      ->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_WorldTurns)->Apply(TurnArgs);
BENCHMARK(BM_CreatureTurns)->Apply(TurnArgs);
}  // namespace
