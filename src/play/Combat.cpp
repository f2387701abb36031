// One attack between two map objects, the kill and retreat check, the
// party's experience and saving throws.
#include "play/Combat.h"

#include <climits>

#include "play/CreatureTurns.h"
#include "play/Game.h"
#include "platform/RandomInt.h"
#include "text/Output.h"

namespace {
constexpr int MaxDice = 50;

int S16(uint16_t v) { return int16_t(v); }  // definition values are signed 16-bit

void PlaySound(CGame& game, int sound) {
  if (game.Hooks().playSound) game.Hooks().playSound(sound);
}

bool MemberMode(const CGame&) { return false; }  // a split party is not built yet
}  // namespace

const char* Fighter::Name() const {
  if (!pc && obj && obj->npcDef && obj->npcDef->name) return obj->npcDef->name->c_str();
  return def && def->name ? def->name->c_str() : "";
}

bool Fighter::Hidden() const {
  return !pc && obj && obj->npcDef && (obj->npcDef->flags & NpcHideName);
}

Fighter CreatureFighter(CreatureObject* creature) {
  Fighter f;
  f.obj = creature;
  f.def = creature ? creature->def : nullptr;
  return f;
}

Fighter PCFighter(CGame& game) {
  Fighter f;
  if (!game.pc) return f;
  f.obj = &game.pc->body;
  f.def = &game.pc->def;
  f.pc = true;
  return f;
}

bool IsHostileState(int s) {
  return s == StateHostile || s == StateRetreat || s == StateEnraged || s == StateAttack || s == StateFled ||
         s == StateCornered;
}

bool IsAlly(const CreatureObject& c) { return (c.attackTarget & TargetPCEnemies) != 0; }

bool IsPartyEnemy(const CGame& game, const CreatureObject& c) {
  if (!IsHostileState(c.state)) return false;
  return !game.turn.closestTargeting || (c.attackTarget & (TargetPCs | TargetAll));
}

int DiceRoll(int count, int sides, int bonus) {
  if (count > MaxDice) {
    PrintLine("ERROR (DiceRoll): Amount %d > max of %d", count, MaxDice);
    return 0;
  }
  if (count <= 0) return bonus;
  if (sides < 1) {
    PrintLine("ERROR (DiceRoll): Type %d > min of 1 when amount < 1", sides);
    return 0;
  }
  long long total = bonus;
  for (int i = 0; i < count; ++i) total += RandomInt(1, sides);
  return total > INT_MAX ? INT_MAX : total < INT_MIN ? INT_MIN : int(total);
}

int HpPercent(int current, int maximum) {
  if (current < 0 || maximum <= 0) return 0;
  return int((long long)current * 100 / maximum);
}

int16_t TakeDamage(int16_t hp, int damage) {
  if (damage < 0) damage = 0;
  long long v = (long long)hp - damage;
  return int16_t(v < INT16_MIN ? INT16_MIN : v);
}

AttackOutcome DoAttack(CGame& game, const Fighter& a, const Fighter& d) {
  AttackOutcome out;
  if (!a.def || !d.def || !d.obj) return out;
  const int v = game.verbosity;
  int defence = S16(d.def->armourClass);
  if (d.pc && game.pc && game.pc->vehicle && game.pc->vehicleAc >= 0) defence = game.pc->vehicleAc;
  const int bonus = 0;  // morale and point-counter bonuses of the active character
  out.roll = RandomInt(1, 100);
  if (out.roll == 100) {
    out.result = AttackCriticalHit;
    out.damage = 2 * (S16(a.def->damageBonus) + S16(a.def->damageSides) * S16(a.def->damageDice));
  } else if (out.roll == 1) {
    out.result = AttackCriticalMiss;
  } else {
    out.modified = out.roll + bonus + S16(a.def->attackBonus);
    if (out.modified >= defence) {
      out.result = AttackHit;
      out.damage = DiceRoll(S16(a.def->damageDice), S16(a.def->damageSides), S16(a.def->damageBonus));
    }
  }
  if (out.damage < 0) out.damage = 0;  // a hit never heals
  const bool hit = out.result == AttackHit || out.result == AttackCriticalHit;
  const bool crit = out.result == AttackCriticalHit || out.result == AttackCriticalMiss;
  const bool member = MemberMode(game);

  if (v == 1) {
    PrintLine(hit ? "HIT!!!" : "MISS");
  } else if (v == 2 || v == 3) {
    if (hit) {
      Print(crit ? "CRITICAL HIT!!!" : "HIT!!!");
    } else if (!crit) {
      if (d.Hidden() || (d.pc && !member)) PrintLine("MISS");
      else PrintLine("MISS (%s)", d.Name());
    } else {
      if (d.pc && !member) PrintLine("CRITICAL MISS!!!");
      else if (d.Hidden()) PrintLine("MISS");
      else PrintLine("CRITICAL MISS!!! (%s)", d.Name());
    }
  } else if (v >= 4) {
    const char* word = hit ? (crit ? "CRITICAL HIT!" : "HIT!") : (crit ? "CRITICAL MISS!" : "MISS!");
    if (hit) {
      if (a.pc) Print("%s ", d.Name());
      Print("%s", word);
    } else if (!a.pc) {
      PrintLine("%s", word);
    } else if (d.Hidden()) {
      PrintLine("NOTHING!");
    } else {
      Print("%s ", d.Name());
      PrintLine("%s", word);
    }
  }
  if (!hit) PlaySound(game, game.turn.missSound);
  if (out.damage > 0) PlaySound(game, game.turn.hitSound);
  if (v >= 3 && hit) {
    if (v == 3 && !d.pc) PrintLine(" (%s)", d.Name());
    else PrintLine("%s", "");
    if (a.pc && !d.Hidden()) PrintLine("Roll: %d  Modified: %d", out.roll, crit ? 0 : out.modified);
  }
  if (hit) {
    VehicleObject* veh = d.pc && game.pc ? game.pc->vehicle.get() : nullptr;
    if (veh && veh->hp > 0) {
      veh->hp = TakeDamage(veh->hp, out.damage);
      const int maxHp = veh->def ? veh->def->maxHp : 0;
      if (v == 2) {
        if (veh->hp > 0) PrintLine(" (HP:%d)", veh->hp);
        else PrintLine("%s", "");
      } else if (v >= 3) {
        PrintLine("Damage: %d  HP: %d/%d", out.damage, veh->hp, maxHp);
      }
    } else {
      d.obj->hp = TakeDamage(d.obj->hp, out.damage);
      const int maxHp = d.def->maxHp;
      if (d.pc) {
        if (v == 2) {
          if (d.obj->hp <= 0) PrintLine("%s", "");
          else if (member) PrintLine(" (D:%d %s)", out.damage, d.Name());
          else PrintLine(" (D:%d)", out.damage);
        } else if (v >= 3) {
          if (v == 3 && member) Print("%s: ", d.Name());
          Print("Damage: %d", out.damage);
          if (d.obj->hp > 0) PrintLine("  HP: %d/%d", d.obj->hp, maxHp);
          else PrintLine("%s", "");
        }
      } else if (v == 2) {
        PrintLine(" (%d%% %s)", HpPercent(d.obj->hp, maxHp), d.Name());
      } else if (v >= 3) {
        PrintLine("Damage: %d  HP: %d%%", out.damage, HpPercent(d.obj->hp, maxHp));
      }
    }
  }
  // The attacker's on-hit effect needs the powers and effects rules, which
  // are not part of the game yet; the attack is complete without it.
  return out;
}

void CheckKillResult(CGame& game, CreatureObject& n) {
  if (game.scenario.config.winType == WinKill && n.defId == game.scenario.config.winValue) game.world.won = 1;
  if (n.def && n.def->killScript) {
    int state = game.Hooks().runScript ? game.Hooks().runScript(0, n.def->killScript) : 0;
    if (state == 1) PrintLine("ERROR (CheckKillResult): Failed to run kill result script %d", n.def->killScript);
  }
}

int KillRetreatCheck(CGame& game, const Fighter& d, const Fighter* attacker) {
  if (d.pc || !d.obj || !d.def) return 2;
  CreatureObject& n = *d.obj;
  const int v = game.verbosity;
  if (n.hp <= 0) {
    const bool byParty = !attacker || attacker->pc;
    const bool byAlly = attacker && !attacker->pc && attacker->obj && IsAlly(*attacker->obj);
    const bool enemy = IsPartyEnemy(game, n);
    const uint16_t id = n.id;
    const CreatureList* list = game.creatures.get();
    if (v == 1 && byParty) Print("KILLED");
    else if (v >= 2) PrintLine("%s KILLED!", d.def->name ? d.def->name->c_str() : "");
    if (byParty || byAlly) {
      const bool evil = (game.scenario.config.flags & FlagNoEvilXp) && (n.flags & CreaturePeaceful);
      if (!evil) PartyXP(game, d.def->experience);
      else if (v == 1 && byParty) PrintLine("%s", "");
      CheckKillResult(game, n);
      // A kill script that changed the map took the creature with it.
      if (game.creatures.get() != list) return 2;
    } else if (v == 1 && byParty) {
      PrintLine("%s", "");
    }
    if (enemy && game.turn.groupLoss < INT16_MAX) ++game.turn.groupLoss;
    if (!game.RemoveObject(KindCreature, id, true)) return 0;
    CheckGroupRetreat(game);
    game.redrawPending = true;
    return 2;
  }
  const int divisor = game.scenario.config.aiRetreatType == 1 ? 4 : 2;
  if (n.hp <= int(d.def->maxHp) / divisor && n.state != StateRetreat && n.state != StateEnraged &&
      n.state != StateCornered && !(d.def->behaviour & BehaviourFearless)) {
    n.state = StateRetreat;
    n.attackTarget |= TargetExplicit;
  }
  return 2;
}

void PartyXP(CGame& game, int32_t amount) {
  if (game.verbosity == 1) PrintLine("--EXP.+%.2d", amount);
  if (game.partySize <= 0) {
    ApplyXP(game, game.pc.get(), amount);
    return;
  }
  // A party: the members that are still with it and alive share the
  // amount equally (the remainder is lost).
  int members = 0, able = 0;
  for (int k = 1; k <= game.partySize; ++k)
    if (const PCRecord* m = game.PartyMember(k)) {
      ++members;
      if (!m->gone && m->body.hp >= 1) ++able;
    }
  if (members == 0) {
    PrintLine("ERROR (PartyXP): Invalid party size %d", members);
    return;
  }
  if (able == 0) return;
  for (int k = 1; k <= game.partySize; ++k)
    if (PCRecord* m = game.PartyMember(k); m && !m->gone && m->body.hp >= 1) ApplyXP(game, m, amount / able);
}

int ApplyXP(CGame& game, PCRecord* m, int32_t amount) {
  if (!m) {
    PrintLine("Error (ApplyXP): Missing PC object param");
    return 0;
  }
  long long xp = (long long)m->xp + amount;
  m->xp = int32_t(xp > INT32_MAX ? INT32_MAX : xp < INT32_MIN ? INT32_MIN : xp);
  const ClassRecord* cls = game.scenario.classes ? game.scenario.classes->Get(m->cls) : nullptr;
  if (!cls) {
    PrintLine("WARNING (ApplyXP): Could not check level up (no class)");
    return 1;
  }
  CheckLevelUp(game, *m);
  return 1;
}

int CheckLevelUp(CGame& game, PCRecord& r) {
  const ClassRecord* k = game.scenario.classes ? game.scenario.classes->Get(r.cls) : nullptr;
  if (!k || k->xpFactor == 0) return 0;
  const long long f = k->xpFactor, l = r.level;
  const long long need = k->levelType == 1 ? f * (l + 1) * (l + 2) : f * (l + 1);
  if (r.xp < need) return 1;
  const int n = r.level + 1;
  r.level = n;
  auto due = [n](int period) { return period == 0 || n % period == 0; };
  auto add16 = [](uint16_t& field, int gain) {
    long long x = (long long)int16_t(field) + gain;
    field = uint16_t(int16_t(x > INT16_MAX ? INT16_MAX : x < INT16_MIN ? INT16_MIN : x));
  };
  const int hpGain = k->levelGain[0];
  add16(r.def.maxHp, hpGain);
  {
    long long hp = (long long)r.body.hp + hpGain;
    r.body.hp = int16_t(hp > INT16_MAX ? INT16_MAX : hp);
  }
  if (due(k->periodAc)) {
    r.baseAc += int16_t(k->levelGain[1]);
    add16(r.def.armourClass, int16_t(k->levelGain[1]));
  }
  if (due(k->periodAb)) {
    r.baseAb += int16_t(k->levelGain[2]);
    add16(r.def.attackBonus, int16_t(k->levelGain[2]));
  }
  r.baseDice += k->levelGain[3];
  add16(r.def.damageDice, k->levelGain[3]);
  r.baseSides += k->levelGain[4];
  add16(r.def.damageSides, k->levelGain[4]);
  if (due(k->periodDb)) {
    r.baseDb += int16_t(k->levelGain[5]);
    add16(r.def.damageBonus, int16_t(k->levelGain[5]));
  }
  uint16_t* saves[3] = {&r.def.saveReflex, &r.def.saveFortitude, &r.def.saveWill};
  for (int i = 0; i < 3; ++i)
    if (due(k->periodSaves[i])) add16(*saves[i], k->levelSaves[i]);
  PrintLine("You have reached level %d!", n);
  WaitAnyKey();
  return 1;
}

int GetPowerSave(CGame& game, const PowerDef* power, int defaultType, const Fighter& t) {
  if (!power || !t.def) {
    PrintLine("ERROR (GetPowerSave): Missing parameter");
    return 0;
  }
  const int type = power->saveType ? power->saveType : defaultType;
  int save = 0;
  char letter = 0;
  switch (type) {
    case 1: save = S16(t.def->saveFortitude), letter = 'F'; break;
    case 2: save = S16(t.def->saveReflex), letter = 'R'; break;
    case 3: save = S16(t.def->saveWill), letter = 'W'; break;
    default:
      PrintLine("ERROR (GetPowerSave): Invalid save type (%d)", type);
      return 0;
  }
  const int roll = RandomInt(1, 100);
  const int modified = roll + save;
  if (game.verbosity >= 3 && t.pc) PrintLine("Save: %c  Roll: %d  Modified: %d", letter, roll, modified);
  if (roll == 100) {
    PrintLine("Critical success!");
    return INT_MAX;
  }
  if (roll == 1) {
    PrintLine("Critical failure!");
    return 1;
  }
  return modified;
}
