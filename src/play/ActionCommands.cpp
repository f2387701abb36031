// Attack, talk and look: what each command asks, prints and passes on to
// the combat and conversation rules.
#include "play/ActionCommands.h"

#include <cstdlib>

#include "graphics/TileSet.h"
#include "platform/Keys.h"
#include "play/Combat.h"
#include "play/CreatureTurns.h"
#include "play/Game.h"
#include "text/Output.h"

namespace {

// One direction key: 1 with the offset, 0 cancelled (message printed).
int AskDirection(bool allowHere, int* dx, int* dy) {
  const int key = GetKey();
  *dx = *dy = 0;
  switch (key) {
    case keys::Space:
      if (!allowHere) {
        PrintLine("NOT HERE!");
        return 0;
      }
      Print("HERE");
      return 1;
    case keys::Left: Print("WEST"); *dx = -1; return 1;
    case keys::Up: Print("NORTH"); *dy = -1; return 1;
    case keys::Right: Print("EAST"); *dx = 1; return 1;
    case keys::Down: Print("SOUTH"); *dy = 1; return 1;
    default: PrintLine("NOTHING!"); return 0;
  }
}

// Down is not accepted: looking behind needs turning round.
int AskRelativeDirection(int facing, int* dx, int* dy) {
  static const int ox[4] = {0, 1, 0, -1}, oy[4] = {-1, 0, 1, 0};
  const int key = GetKey();
  int d;
  switch (key) {
    case keys::Space: Print("HERE"); *dx = *dy = 0; return 1;
    case keys::Up: Print("AHEAD"); d = facing; break;
    case keys::Right: Print("RIGHT"); d = facing + 1; break;
    case keys::Left: Print("LEFT"); d = facing + 3; break;
    default: PrintLine("NOTHING!"); return 0;
  }
  *dx = ox[d & 3];
  *dy = oy[d & 3];
  return 1;
}

// The cell at an offset from the player, brought back over wrapping
// borders; false when it lies outside the map.
bool CellAt(const CGame& game, int dx, int dy, int* x, int* y) {
  if (!game.map) return false;
  const int w = game.map->Width(), h = game.map->Height();
  int cx = game.playerX + dx, cy = game.playerY + dy;
  if (cx < 0) { if (!game.map->Wraps(BorderW)) return false; cx += w; }
  if (cx >= w) { if (!game.map->Wraps(BorderE)) return false; cx -= w; }
  if (cy < 0) { if (!game.map->Wraps(BorderN)) return false; cy += h; }
  if (cy >= h) { if (!game.map->Wraps(BorderS)) return false; cy -= h; }
  *x = cx;
  *y = cy;
  return true;
}

CreatureObject* CreatureOnTop(const CGame& game, int x, int y) {
  if (!game.qmap || !game.creatures || !game.qmap->Inside(x, y)) return nullptr;
  const QEntry* top = game.qmap->Top(x, y);
  if (!top || top->kind != KindCreature) return nullptr;
  return game.creatures->Get(top->id);
}

bool Protected(const CreatureObject& c) { return c.npcDef && (c.npcDef->flags & NpcNoCombat); }

void Sound(CGame& game, int sound) {
  if (game.Hooks().playSound) game.Hooks().playSound(sound);
}

int FinishAttack(CGame& game, int result) {
  if (result == 0) return 0;
  if (result == 1) return 1;
  if (game.pc && game.pc->def.attackDelay) game.turn.delayTurns = game.pc->def.attackDelay;
  return game.EndTurn();
}

const char* CreatureName(const CreatureObject& c) {
  if (c.npcDef && c.npcDef->name && !((c.npcDef->flags & NpcHideName) && !(c.flags & CreatureMet)))
    return c.npcDef->name->c_str();
  return c.def && c.def->name ? c.def->name->c_str() : "";
}

}  // namespace

int PartyAttackCell(CGame& game, int x, int y, bool animate) {
  (void)animate;  // missiles are drawn by the overhead display's effects
  const int v = game.verbosity;
  if (!game.pc) return 1;
  if (game.pc->body.attackImmobile > 0) {
    PrintLine(" -- NOTHING!");
    if (v > 1) PrintLine("Can't attack (arms paralyzed)");
    Sound(game, 1);
    game.CommandPrompt();
    return 1;
  }
  CreatureObject* target = x >= 0 ? CreatureOnTop(game, x, y) : nullptr;
  if (target && Protected(*target)) target = nullptr;
  game.turn.missSound = 4;
  game.turn.hitSound = 5;
  if (!target) {
    PrintLine(v >= 4 ? " -- NOTHING!" : "--MISS");
    Sound(game, game.turn.missSound);
    return 2;
  }
  const int group = target->groupId;
  if (!IsPartyEnemy(game, *target)) {
    AlertGroup(game, group, false);
    if (group == 0 || group != game.mapData.noRepGroup) game.mapData.pcRep = int16_t(std::max(-32768, game.mapData.pcRep - 100));
  } else if (game.scenario.config.aiFlags & AiAttackersDefended) {
    AlertGroup(game, group, false);
  } else if (target->state == StateHostile) {
    AlertGroup(game, group, true);
  }
  AlertCreature(game, *target);
  Print(v >= 4 ? " -- " : "--");
  Fighter d = CreatureFighter(target);
  DoAttack(game, PCFighter(game), d);
  return KillRetreatCheck(game, d, nullptr);
}

int AttackCommand(CGame& game) {
  if (!game.playerMayAct) return 1;
  Print(game.verbosity >= 4 ? "ATTACK -- " : "ATTACK--");
  // Targeted (ranged) attacks need the targeting cursor; every attack is
  // made in a direction until it is part of the game.
  int dx, dy;
  if (!AskDirection(false, &dx, &dy)) {
    game.CommandPrompt();
    return 1;
  }
  int x = -1, y = -1;
  if (!CellAt(game, dx, dy, &x, &y)) x = y = -1;
  return FinishAttack(game, PartyAttackCell(game, x, y, false));
}

int AttackAheadCommand(CGame& game) {
  if (!game.playerMayAct) return 1;
  static const int ox[4] = {0, 1, 0, -1}, oy[4] = {-1, 0, 1, 0};
  Print("ATTACK");
  int x = -1, y = -1;
  if (!CellAt(game, ox[game.facing & 3], oy[game.facing & 3], &x, &y)) x = y = -1;
  return FinishAttack(game, PartyAttackCell(game, x, y, false));
}

int TalkCommand(CGame& game) {
  if (!game.playerMayAct) return 1;
  Print("TALK -- ");
  int dx, dy;
  if (!AskDirection(false, &dx, &dy)) {
    game.CommandPrompt();
    return 1;
  }
  int x, y;
  CreatureObject* c = CellAt(game, dx, dy, &x, &y) ? CreatureOnTop(game, x, y) : nullptr;
  if (!c || !c->npcDef) {
    PrintLine("%s", "");
    PrintLine("FUNNY, NO RESPONSE!");
    return game.EndTurn();
  }
  const NpcDef& npc = *c->npcDef;
  PrintLine(" -- %s", CreatureName(*c));
  if (IsHostileState(c->state) && !(npc.flags & NpcCombatTalk)) {
    PrintLine("No response");
  } else if (game.mapData.pcRep < 0 && !(npc.flags & NpcNoCheckRep)) {
    PrintLine("You are ignored!");
  } else if (c->sleepEffect) {
    PrintLine("The target is asleep and cannot respond");
  } else {
    if (npc.convScript) {
      if (game.Hooks().runScript) game.Hooks().runScript(ScriptConversation, npc.convScript);
    } else if (npc.conversation) {
      PrintLines(npc.conversation->c_str());
    }
    // Stores and gifts join here when they are part of the game.
    if (!(npc.flags & NpcNoSetMet)) c->flags |= CreatureMet;
  }
  return game.EndTurn();
}

void LookAtCell(CGame& game, int x, int y) {
  if (game.dark) {
    PrintLine("DARKNESS!");
    return;
  }
  bool shown = false;
  if (game.qmap && game.qmap->Inside(x, y)) {
    for (const QEntry& e : game.qmap->Stack(x, y)) {
      if (e.kind < KindCreature || e.kind > KindItem) {
        PrintLine("ERROR (LOOK): Invalid object type %d", e.kind);
        continue;
      }
      const DefHeader* def = nullptr;
      std::string name;
      const CreatureObject* creature = nullptr;
      const VehicleObject* vehicle = nullptr;
      long long count = 1;
      switch (e.kind) {
        case KindCreature:
          creature = game.creatures->Get(e.id);
          if (creature) def = creature->def, name = CreatureName(*creature);
          break;
        case KindVehicle:
          vehicle = game.vehicles->Get(e.id);
          if (vehicle) {
            def = vehicle->def;
            name = vehicle->name ? *vehicle->name : def && def->name ? *def->name : "";
          }
          break;
        case KindItem:
          if (const ItemObject* it = game.items->Get(e.id)) {
            def = it->def;
            count = it->quantity;
            if (def && def->name) name = *def->name;
          }
          break;
        case KindLocation:
          if (const LocationObject* loc = game.locations->Get(e.id)) {
            def = loc->def;
            name = loc->name ? *loc->name : def && def->name ? *def->name : "";
          }
          break;
      }
      if (!def) continue;
      if (shown) Print("-- ");
      shown = true;
      if (count >= 2) PrintLine("%s (%lld)", name.empty() ? "NOTHING!" : name.c_str(), count);
      else PrintLine("%s", name.empty() ? "NOTHING!" : name.c_str());
      if (def->look) PrintLine("%s", def->look->c_str());
      if (vehicle) PrintLine("HP: %d/%d", vehicle->hp, vehicle->def ? vehicle->def->maxHp : 0);
      if (creature) {
        PrintLine("HP: %d%%", HpPercent(creature->hp, creature->def ? creature->def->maxHp : 0));
        if (IsAlly(*creature)) PrintLine("Ally");
        if (creature->delay) PrintLine("Delayed");
        if (creature->sleepEffect) PrintLine("Sleeping");
        if (creature->attackImmobile) PrintLine("Attacks immobilized");
        if (creature->moveImmobile) PrintLine("Movement immobilized");
        if (creature->poisonEffect) PrintLine("Poisoned");
        const int s = creature->state;
        if (s == StateInactive || s == StateStatic) PrintLine("Behavior: Staying in place");
        else if (s == StateRetreat || s == StateCornered) PrintLine("Behavior: Retreating");
        else if (s == StateAttack || s == StateEnraged) PrintLine("Behavior: Attacking");
      }
    }
  }
  if (!shown) {
    const CTile* tile = nullptr;
    if (game.map && game.displays_.tiles && game.qmap && game.qmap->Inside(x, y))
      tile = game.displays_.tiles->Find(game.map->Tile(x, y));
    const char* name = tile ? tile->Name() : nullptr;
    PrintLine("%s", name && *name ? name : "NOTHING!");
  }
}

namespace {
// Look in the direction `ask` reads (compass or relative to the facing).
template <class Ask>
int LookWith(CGame& game, Ask ask) {
  if (!game.playerMayAct) return 1;
  Print("LOOK -- ");
  int dx, dy;
  if (ask(&dx, &dy)) {
    Print(" -- ");
    int x, y;
    if (CellAt(game, dx, dy, &x, &y)) LookAtCell(game, x, y);
    else PrintLine("NOTHING!");
  }
  game.CommandPrompt();
  return 1;
}
}  // namespace

int LookCommand(CGame& game) {
  return LookWith(game, [](int* dx, int* dy) { return AskDirection(true, dx, dy); });
}

int LookRelativeCommand(CGame& game) {
  return LookWith(game, [&game](int* dx, int* dy) { return AskRelativeDirection(game.facing, dx, dy); });
}
