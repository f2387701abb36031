#pragma once
// Combat rules: dice, one attack between two map objects, the kill and
// retreat check, experience and saving throws.
#include <cstdint>

class CGame;
struct CreatureObject;
struct CreatureDef;
struct PCRecord;
struct PowerDef;

// A side of an attack: a creature of the map or the active character.
struct Fighter {
  CreatureObject* obj = nullptr;
  const CreatureDef* def = nullptr;
  bool pc = false;
  const char* Name() const;
  bool Hidden() const;  // no roll details are shown about it
};
Fighter CreatureFighter(CreatureObject* creature);
Fighter PCFighter(CGame& game);

// Creature state values.
enum CreatureStateValue : uint8_t {
  StateInactive = 1, StateStatic = 2, StateHostile = 3, StateFollow = 4, StateWander = 5, StateRetreat = 6,
  StateEnraged = 7, StateAttack = 8, StatePC = 9, StateFled = 10, StateCornered = 11, StateMerchant = 12,
  StateTest = 13,
};
// Attack-target flags of a creature object.
enum AttackTargetFlag : uint8_t {
  TargetExplicit = 1, TargetPCs = 2, TargetAll = 4, TargetPCEnemies = 8, TargetDefenders = 16,
};

bool IsHostileState(int state);
bool IsAlly(const CreatureObject& c);
bool IsPartyEnemy(const CGame& game, const CreatureObject& c);

// bonus + count rolls of 1..sides.
int DiceRoll(int count, int sides, int bonus);
// current * 100 / maximum, truncated; 0 for a negative current or a
// maximum of 0 or less.
int HpPercent(int current, int maximum);
// Subtracts damage (never negative) from hit points, saturated to 16 bits.
int16_t TakeDamage(int16_t hp, int damage);

enum AttackResult { AttackMiss = 0, AttackHit = 1, AttackCriticalHit = 2, AttackCriticalMiss = 3 };
struct AttackOutcome {
  int result = AttackMiss;
  int roll = 0, modified = 0, damage = 0;
};
// One attack of A on D with its messages at the game's verbosity.
AttackOutcome DoAttack(CGame& game, const Fighter& a, const Fighter& d);

// After every attack: D killed (message, experience, kill script, removal)
// or retreating. 0 failure, 2 normally.
int KillRetreatCheck(CGame& game, const Fighter& d, const Fighter* attacker);
// The win-by-kill check and the kill script of a creature killed or fled.
void CheckKillResult(CGame& game, CreatureObject& creature);

// The party's share of experience and one member's gain.
void PartyXP(CGame& game, int32_t amount);
int ApplyXP(CGame& game, PCRecord* member, int32_t amount);
// At most one level per call; 1 when the check could be made.
int CheckLevelUp(CGame& game, PCRecord& member);

// A saving throw of the target against a power: 0 failure, else the
// modified roll (2147483647 for a critical success, 1 for a critical failure).
int GetPowerSave(CGame& game, const PowerDef* power, int defaultType, const Fighter& target);
