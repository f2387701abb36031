#include "scenario/Keywords.h"

#include <span>

#include "scenario/ScanText.h"

namespace {
struct WordValue {
  const char* word;
  int value;
};

constexpr WordValue kObjectKind[] = {{"CREATURE", 1}, {"VEHICLE", 2}, {"LOCATION", 3},
                                     {"ITEM", 4},     {"TRIGGER", 5}, {"SCRIPT", 6}};
constexpr WordValue kCreatureState[] = {{"INACTIVE", 1}, {"STATIC", 2},  {"HOSTILE", 3},   {"FOLLOW", 4},
                                        {"WANDER", 5},   {"RETREAT", 6}, {"ENRAGED", 7},   {"ATTACK", 8},
                                        {"CORNERED", 11}, {"MERCHANT", 12}, {"NONE", 0}};
constexpr WordValue kItemType[] = {{"CURRENCY", 1}, {"FOOD", 2},        {"DOOR", 3},     {"KEY", 4},
                                   {"TOOL", 5},     {"WEAPON", 6},      {"ARMOR", 7},    {"SHIELD", 8},
                                   {"AMMO", 9},     {"SPELL", 10},      {"LIGHT", 11},   {"CONTAINER", 12},
                                   {"NEGATE", 13},  {"VIEW", 14},       {"VEHICLE", 15}, {"ICONTAINER", 16},
                                   {"SCRIPT", 17}};
constexpr WordValue kLockKind[] = {{"TRAP", 1}, {"KEY", 2}, {"SCRIPT", 3}, {"NONE", 0}};
constexpr WordValue kEntryType[] = {{"NORMAL", 1}, {"ENTER", 2}, {"EXIT", 3}, {"BORDER", 4}, {"ENTERBORDER", 5}};
constexpr WordValue kLocationKind[] = {{"NORMAL", 1}, {"UP", 2}, {"DOWN", 3}, {"UPDOWN", 5}, {"SIGN", 6}};
constexpr WordValue kDestinationMode[] = {{"GIVEN", 1}, {"OFFSET", 2}, {"CURRENT", 3}, {"MAP", 4}, {"NONE", 0}};
constexpr WordValue kPowerKind[] = {{"LPARALYZE", 1}, {"APARALYZE", 2}, {"THEFT", 3},       {"DARKNESS", 4},
                                    {"DAMAGE", 5},    {"POISON", 6},    {"SLEEP", 7},       {"STUN", 8},
                                    {"HEALSELF", 9},  {"TRANSFERHP", 10}, {"SLEEPEX", 11},  {"PENALTY", 12},
                                    {"SCRIPT", 13},   {"CIRCLE", 14},   {"TEST", 15}};
constexpr WordValue kEffectUseKind[] = {{"POWER", 1}, {"COUNTER", 2}, {"LDOOR", 3},  {"BOARD", 4}, {"GET", 5},
                                        {"UD", 6},    {"USE", 7},     {"HIDDEN", 8}, {"MULTI", 9}};
constexpr WordValue kModifierTarget[] = {{"ALL", 1}, {"AC", 2},   {"AB", 3},  {"FORT", 4},
                                         {"REF", 5}, {"WILL", 6}, {"NONE", 0}};
constexpr WordValue kResistanceSource[] = {{"ITEM", 1}, {"PDEF", 2}, {"PPOOL", 3}, {"NONE", 0}};
constexpr WordValue kSpellEffectKind[] = {{"LIGHT", 1},          {"TELEPORT_UP", 2},   {"TELEPORT_DOWN", 3},
                                          {"TELEPORT_RANDOM", 4}, {"EXIT", 5},         {"REMOVE_MAPOBJ", 6},
                                          {"DAMAGE", 7},          {"KILL", 8},         {"SCRIPT", 9}};
constexpr WordValue kSaveType[] = {{"FORT", 1}, {"REF", 2}, {"WILL", 3}, {"NONE", 0}};
constexpr WordValue kRewardKind[] = {{"ITEM", 1}, {"XHP", 2}, {"VEHICLE", 3}, {"FLAG", 4}, {"ATTRIB", 5}};
constexpr WordValue kAttackTargeting[] = {{"NORMAL", 1}, {"CLOSEST", 2}, {"ZOOM", 3}};
constexpr WordValue kSidebarField[] = {{"HP", 1},  {"FOOD", 2},    {"XP", 3},   {"GOLD", 4},
                                       {"VHP", 5}, {"TORCHES", 6}, {"WIND", 7}, {"SP", 8}};
constexpr WordValue kSecurity[] = {{"SAFE", 101}, {"UNSAFE", 102}};
constexpr WordValue kColour[] = {{"WHITE", 3}, {"RED", 4},    {"GREEN", 5}, {"BLUE", 6}, {"GREY", 8},
                                 {"DGREY", 9}, {"BLACK", 10}, {"TEST", 11}, {"NONE", 0}};
constexpr WordValue kPermission[] = {{"NEVER", 1}, {"ALLOWED", 2}, {"ALWAYS", 3}, {"ECHECK", 4}, {"HOSTILE", 5}};
constexpr WordValue kTerrainCapability[] = {{"BLOCKED", 1}, {"UNBLOCKED", 2}, {"ALL", 3},
                                            {"EMPTY", 4},   {"LAND", 5},      {"WATER", 6}};

std::span<const WordValue> Table(WordTable t) {
  switch (t) {
    case WordTable::ObjectKind: return kObjectKind;
    case WordTable::CreatureState: return kCreatureState;
    case WordTable::ItemType: return kItemType;
    case WordTable::LockKind: return kLockKind;
    case WordTable::EntryType: return kEntryType;
    case WordTable::LocationKind: return kLocationKind;
    case WordTable::DestinationMode: return kDestinationMode;
    case WordTable::PowerKind: return kPowerKind;
    case WordTable::EffectUseKind: return kEffectUseKind;
    case WordTable::ModifierTarget: return kModifierTarget;
    case WordTable::ResistanceSource: return kResistanceSource;
    case WordTable::SpellEffectKind: return kSpellEffectKind;
    case WordTable::SaveType: return kSaveType;
    case WordTable::RewardKind: return kRewardKind;
    case WordTable::AttackTargeting: return kAttackTargeting;
    case WordTable::SidebarField: return kSidebarField;
    case WordTable::Security: return kSecurity;
    case WordTable::Colour: return kColour;
    case WordTable::Permission: return kPermission;
    case WordTable::TerrainCapability: return kTerrainCapability;
  }
  return {};
}
}  // namespace

int ParseWord(WordTable table, std::string_view word) {
  for (const WordValue& w : Table(table))
    if (word == w.word) return w.value;
  return DecimalToInt(word);
}

const char* WordName(WordTable table, int value) {
  switch (table) {
    case WordTable::CreatureState:
      if (value == 13) return "TEST";
      break;
    case WordTable::LockKind:
      if (value < 1 || value > 3) return nullptr;
      break;
    case WordTable::EntryType:
    case WordTable::ModifierTarget:
    case WordTable::ResistanceSource:
      break;
    default:
      return nullptr;
  }
  for (const WordValue& w : Table(table))
    if (w.value == value) return w.word;
  return nullptr;
}
