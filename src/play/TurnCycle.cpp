// The world's turn: the fixed order of one turn, the creature loop with its
// interruption, winning, dying, conditions, food, light and wind.
#include "play/TurnCycle.h"

#include <algorithm>
#include <numeric>

#include "platform/Frame.h"
#include "platform/RandomInt.h"
#include "play/Combat.h"
#include "play/CreatureTurns.h"
#include "play/Game.h"
#include "text/Output.h"
#include "text/StatusSidebar.h"

namespace {
constexpr int TurnLoopLimit = 8;
constexpr int ItemTypeFood = 2;

CMapView* GameView(CGame& game) { return game.viewMode == 2 ? game.displays_.firstPerson : game.displays_.overhead; }

void Sound(CGame& game, int sound) {
  if (game.Hooks().playSound) game.Hooks().playSound(sound);
}

int RunTurnScript(CGame& game) {
  if (!game.mapData.turnScript || !game.Hooks().runScript) return 1;
  game.Hooks().runScript(ScriptTurn, game.mapData.turnScript);
  return 1;
}

bool Asleep(const CGame& game) { return game.pc && game.pc->body.sleepEffect && game.pc->asleepMark; }

// A rate kept in 8 bits: computed in int, never wrapped.
uint8_t Rate8(long long v) { return uint8_t(v <= 0 ? 0 : v > 255 ? 255 : v); }

float VehicleFactor(const CGame& game) {
  const VehicleObject* v = game.pc ? game.pc->vehicle.get() : nullptr;
  return v && v->def ? v->def->foodFactor : 1.0f;
}

int Rescale(int timer, int oldRate, int newRate) {
  if (oldRate <= 0 || newRate <= 0) return timer;
  return int(double(timer) * newRate / oldRate + 0.5);
}

// Dark when the map is dark and the light is out or too weak for it.
void UpdateDarkness(CGame& game) {
  const int d = game.mapData.dark;
  const bool dark = d != 0 && (game.world.lightPoints <= 0 || (d > 1 && game.world.lightPower < d));
  if (dark != game.dark) {
    game.dark = dark;
    if (CMapView* v = GameView(game)) v->SetDark(dark);
    game.redrawPending = true;
  }
}

void Eat(CGame& game, PCRecord& m) {
  auto& inv = m.inventory;
  auto isFood = [&](const InvEntry& e) {
    const ItemDef* d = game.scenario.defs.items ? game.scenario.defs.items->Find(e.defId) : nullptr;
    return d && d->subtype == ItemTypeFood;
  };
  auto it = inv.end();
  if (game.turn.foodItem)
    it = std::find_if(inv.begin(), inv.end(), [&](const InvEntry& e) { return e.defId == game.turn.foodItem; });
  if (it == inv.end()) {
    it = std::find_if(inv.begin(), inv.end(), isFood);
    if (it != inv.end()) game.turn.foodItem = it->defId;
  }
  if (it != inv.end() && it->quantity > 0) {
    const uint16_t def = it->defId;
    if (--it->quantity <= 0) inv.erase(it);
    UpdateSidebarForItem(game, def);
    return;
  }
  const int p = game.scenario.config.noFoodDamage;
  if (p != 0) {
    int damage = int(float(m.def.maxHp) * float(p) * 0.01f);
    if (damage < 1) damage = 1;
    m.body.hp = TakeDamage(m.body.hp, damage);
    PrintLine("Starvation damage: %d", damage);
  } else {
    m.body.hp = 0;
  }
}
}  // namespace

void RequestEndMenu(CGame& game, bool saveAllowed) {
  if (game.control) {
    game.control->actionPending = 1;
    game.control->endMenuPending = 1;
    game.control->endMenuSaveAllowed = saveAllowed ? 1 : 0;
  }
  game.playerMayAct = false;
}

void InstallTurnHooks(CGame& game) {
  GameHooks& h = game.Hooks();
  h.worldTurn = [&game] { return EndPlayerTurn(game); };
  h.mapStarted = [&game] { TurnMapStart(game); };
  h.beforePrompt = [&game] { ResumeCreatureTurns(game); };
}

int EndPlayerTurn(CGame& game) {
  // A command run from inside the creature loop (a script, a power) never
  // starts another world turn: no creature acts twice in one turn.
  if (game.turn.inCreatureLoop) return 1;
  if (game.extraDelay > 0) {
    const int extra = game.extraDelay;
    game.extraDelay = 0;
    game.turn.delayTurns = Rate8(game.turn.delayTurns + extra);
    game.turn.slowTurns = Rate8(game.turn.slowTurns + extra);
  }
  int loops = 0;
  for (;;) {
    if (!TurnStep(game)) return 0;
    if (!game.playerMayAct) return 1;
    if (game.turn.delayTurns) {
      --game.turn.delayTurns;
      if (game.turn.slowTurns) {
        --game.turn.slowTurns;
        ASleep(100);
      } else {
        ASleep(250);
      }
    } else if (Asleep(game)) {
      ASleep(250);
    } else {
      // The prompt follows (the turn script first, by the caller).
      if (game.world.frozenTurns) --game.world.frozenTurns;
      return 1;
    }
    if (QuitRequested()) return 1;  // the window was closed
    if (loops >= TurnLoopLimit) {
      Print("Turn looping has reached %d; quit? ", TurnLoopLimit);
      // Any key answers, only Y means yes; no key at all means the window
      // is closing, which ends the loop as well.
      const int key = GetKey();
      if (key != 0) PrintLine(key == 'Y' ? "YES" : "NO");
      if (key == 'Y' || key == 0 || QuitRequested()) {
        RequestEndMenu(game, false);
        return 1;
      }
      loops = 0;
    }
    ++loops;
    RunTurnScript(game);
    if (!game.playerMayAct) return 1;
  }
}

int TurnStep(CGame& game) {
  if (CheckWin(game)) return 1;
  if (game.pc) {
    game.pc->body.x = int16_t(game.playerX);
    game.pc->body.y = int16_t(game.playerY);
    game.pc->body.facing = uint8_t(game.facing);
  }
  if (game.Hooks().positionTriggers) game.Hooks().positionTriggers();
  if (!game.world.frozenTurns) CheckFood(game);
  if (!game.world.frozenTurns) CheckLight(game);
  if (!game.world.frozenTurns && game.currentWind) ChangeWind(game);
  if ((!game.arrivalMark || game.creaturesFirstTurn) && game.turn.npcAI && !game.world.frozenTurns) {
    const int r = RunCreatureTurns(game, 1);
    if (r == 0) return 0;
    if (r == 1) {
      if (game.playerMayAct) DrawSidebar(game);
      return 1;
    }
  }
  if (game.pc) ApplyConditions(game, game.pc->body, true);
  CheckPCVehicle(game);
  CheckDeath(game);
  if (!game.playerMayAct) return 1;
  // Random encounters join here when their tables are part of the game.
  if (game.redrawPending && !game.RedrawAll()) return 0;
  DrawSidebar(game);
  game.howArrived = 0;
  game.arrivalMark = false;
  return 1;
}

int RunCreatureTurns(CGame& game, int first) {
  if (!game.creatures || game.turn.inCreatureLoop) return 2;
  game.turn.inCreatureLoop = true;
  int result = 2;
  // A script run during the loop (a kill or move-effect script) may change
  // the map; the loop then ends, as the creatures it walked are gone.
  const CreatureList* list = game.creatures.get();
  for (int i = std::max(first, 1); game.creatures.get() == list && i <= list->Size(); ++i) {
    CreatureObject* n = game.creatures->Get(i);
    if (!n || n->off) continue;
    game.mapData.crTurn = int16_t(i);
    const int r = NPCTurn(game, *n);
    if (r == 0 || r == 1) {
      result = r;
      break;
    }
    if (game.creatures.get() != list) break;
    n = game.creatures->Get(i);
    if (!n) continue;
    if (n->state == StateFled) {
      const int f = CreatureFled(game, *n);
      if (f != 2) {
        result = f;
        break;
      }
      continue;
    }
    ApplyConditions(game, *n, false);
    if (game.creatures.get() != list) break;
    const int k = KillRetreatCheck(game, CreatureFighter(n), nullptr);
    if (k != 2) {
      result = k;
      break;
    }
  }
  if (result == 2) game.mapData.crTurn = 0;
  game.turn.inCreatureLoop = false;
  return result;
}

void ResumeCreatureTurns(CGame& game) {
  const int c = game.mapData.crTurn;
  if (c == 0 || game.turn.inCreatureLoop || !game.playerMayAct) return;
  const int r = RunCreatureTurns(game, c + 1);
  if (r == 2 && game.redrawPending) game.RedrawAll();
}

int CreatureFled(CGame& game, CreatureObject& n) {
  PrintLine("%s retreated!", n.def && n.def->name ? n.def->name->c_str() : "");
  Sound(game, 8);
  const bool enemy = IsPartyEnemy(game, n);
  const uint16_t id = n.id;
  const CreatureList* list = game.creatures.get();
  if (enemy && n.def) PartyXP(game, n.def->experience);
  CheckKillResult(game, n);
  if (game.creatures.get() != list) return 2;  // a script changed the map
  if (enemy && game.turn.groupLoss < INT16_MAX) ++game.turn.groupLoss;
  if (!game.RemoveObject(KindCreature, id, true)) return 0;
  CheckGroupRetreat(game);
  game.redrawPending = true;
  return 2;
}

bool CheckWin(CGame& game) {
  const ScenarioConfig& cfg = game.scenario.config;
  if (cfg.winType == WinFlag && game.pc) {
    for (const auto& f : game.pc->flags)
      if (f.first == cfg.winValue && f.second != 0) game.world.won = 1;
  }
  if (!game.world.won) return false;
  PrintLine("You have won!");
  // The scenario's "script-win.dat" runs through the script hook's file form
  // when scripts are part of the game.
  if (CMapView* v = GameView(game)) v->ShowPlayer(false, 0);
  game.RedrawAll();
  WaitAnyKey();
  RequestEndMenu(game, true);
  return true;
}

void CheckDeath(CGame& game) {
  if (!game.pc || game.pc->body.hp > 0) return;
  PrintLine("%s is dead!", game.pc->def.name ? game.pc->def.name->c_str() : "");
  ShowSidebarZeros(game);
  if (CMapView* v = GameView(game)) v->ShowPlayer(false, 0);
  game.RedrawAll();
  WaitAnyKey();
  RequestEndMenu(game, true);
}

void CheckPCVehicle(CGame& game) {
  VehicleObject* v = game.pc ? game.pc->vehicle.get() : nullptr;
  if (!v || !v->def || v->def->maxHp == 0 || v->hp > 0) return;
  PrintLine("Your %s has been destroyed!", v->name ? v->name->c_str() : v->def->name ? v->def->name->c_str() : "");
  UpdateSidebarValue(game, FieldVHP, 0);
  PrintLine("Checking for escape craft...");
  // Secondary craft are boarded by the vehicle rules; without one aboard
  // the character is lost with the vehicle.
  game.pc->body.hp = 0;
  game.playerMayAct = false;
  game.turn.delayTurns = Rate8(game.turn.delayTurns + 1);
}

void ApplyConditions(CGame& game, CreatureObject& x, bool isPC) {
  if (x.attackImmobile > 0) --x.attackImmobile;
  if (x.moveImmobile > 0) --x.moveImmobile;
  if (x.poisonEffect && game.scenario.config.poisonRate && game.turn.poisonBase) {
    const int interval = isPC ? game.turn.poisonInterval : game.turn.poisonBase;
    x.poisonTimer = Rate8(x.poisonTimer + 1);
    if (x.poisonTimer >= interval) x.poisonTimer = 0;
  }
  // Poison damage and sleep saves read the effect records of the powers
  // and effects table; a condition whose record is missing deals nothing
  // and keeps its sleeper asleep, as for any missing effect record.
}

void CheckFood(CGame& game) {
  const int rate = game.world.foodRate;
  if (rate == 0 || !game.pc) return;
  if (++game.world.foodTimer < rate) return;
  game.world.foodTimer = 0;
  Eat(game, *game.pc);
}

void CheckLight(CGame& game) {
  if (game.world.lightPoints <= 0) {
    if (game.mapData.dark) {
      if (!game.turn.delayTurns) PrintLine("IT'S DARK!");
      UpdateDarkness(game);
      game.redrawPending = true;
    }
    return;
  }
  if (game.scenario.config.lightRate) {
    if (game.turn.lightRate == 0) return;
    if (++game.world.lightTimer < game.turn.lightRate) return;
    game.world.lightTimer = 0;
  }
  const int amount = game.scenario.config.lightRate ? game.turn.lightAmount : 1;
  game.world.lightPoints = int16_t(std::max(0, game.world.lightPoints - amount));
  UpdateDarkness(game);
  if (game.dark) PrintLine("IT'S DARK!");
}

void ChangeWind(CGame& game) {
  if (game.turn.windCountdown) {
    --game.turn.windCountdown;
    return;
  }
  game.turn.windCountdown = 1;
  if (RandomInt(1, 100) <= 25) {
    if (RandomInt(1, 100) > game.scenario.config.windCalm) game.currentWind = uint8_t(RandomInt(1, 4));
    else game.currentWind = 5;
  }
}

void ComputeFoodRate(CGame& game) {
  int rate = game.mapData.food >= 0 ? game.mapData.food : game.scenario.config.foodRate;
  if (game.pc && game.pc->vehicle) rate = int(float(rate) * VehicleFactor(game));
  const int old = game.turn.lastFoodRate;
  if (old > 0 && rate > 0) game.world.foodTimer = int16_t(Rescale(game.world.foodTimer, old, rate));
  game.world.foodRate = int16_t(std::clamp(rate, -32768, 32767));
  game.turn.lastFoodRate = game.world.foodRate;
}

namespace {
// A turn rate from the scenario's numbers: base (the scenario's rate times
// the food rate) and amount, reduced by their common divisor; the interval
// is the base, stretched while the character travels in a vehicle.
struct TurnRate {
  uint8_t base, amount, interval;
};

TurnRate ReduceTurnRate(CGame& game, long long base, long long amount) {
  if (base > 0 && amount > 0) {
    const long long g = std::gcd(base, amount);
    base /= g, amount /= g;
  }
  TurnRate r;
  r.base = Rate8(base);
  r.amount = std::max<uint8_t>(1, Rate8(amount));
  long long interval = r.base;
  if (game.pc && game.pc->vehicle) interval = (long long)(float(interval) * VehicleFactor(game));
  r.interval = Rate8(interval);
  return r;
}
}  // namespace

void ComputeLightRates(CGame& game) {
  const ScenarioConfig& cfg = game.scenario.config;
  if (!cfg.lightRate) return;
  const TurnRate r = ReduceTurnRate(game, (long long)cfg.lightRate * game.world.foodRate, cfg.lightPointRate);
  game.turn.lightBase = r.base;
  game.turn.lightAmount = r.amount;
  const uint8_t old = game.turn.lightRate;
  game.turn.lightRate = r.interval;
  if (old && r.interval) game.world.lightTimer = Rate8(Rescale(game.world.lightTimer, old, r.interval));
}

void ComputePoisonRates(CGame& game) {
  const ScenarioConfig& cfg = game.scenario.config;
  if (!cfg.poisonRate) return;
  const TurnRate r = ReduceTurnRate(game, (long long)cfg.poisonRate * game.world.foodRate, cfg.poisonDamageRate);
  game.turn.poisonBase = r.base;
  game.turn.poisonMultiplier = r.amount;
  const uint8_t old = game.turn.poisonInterval;
  game.turn.poisonInterval = r.interval;
  if (old && r.interval && game.pc)
    game.pc->body.poisonTimer = Rate8(Rescale(game.pc->body.poisonTimer, old, r.interval));
}

void TurnMapStart(CGame& game) {
  const ScenarioConfig& cfg = game.scenario.config;
  TurnState& t = game.turn;
  game.creaturesFirstTurn = false;
  t.aiMoveType = game.mapData.aiMoveType ? game.mapData.aiMoveType : cfg.aiMoveType;
  const int attackType = game.mapData.aiAttackType ? game.mapData.aiAttackType : cfg.aiAttackType;
  t.closestTargeting = attackType == 2;
  t.zoomCombat = attackType == 3;
  t.findEnemyDist = cfg.findEnemyDist;
  t.aiDiagonal = cfg.aiDiagonal != 0 && game.viewMode == 1;
  t.groupLoss = 0;
  t.groupRetreatThreshold = 0;
  t.reportedFaults.clear();
  if (!(game.mapData.flags & MapDataNoGroupRetreat)) ComputeGroupRetreat(game);
  ComputeFoodRate(game);
  ComputeLightRates(game);
  ComputePoisonRates(game);
  if (game.pc) DrawSidebar(game);
}
