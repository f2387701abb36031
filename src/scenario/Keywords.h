#pragma once
// The keyword enumerations shared by every scenario loader. A word is looked
// up exactly (case-sensitive); a word that is not in its table is converted as
// a decimal number, so numbers may always be written instead of words (an
// unknown word gives 0).
#include <string_view>

enum class WordTable {
  ObjectKind,
  CreatureState,
  ItemType,
  LockKind,
  EntryType,
  LocationKind,
  DestinationMode,
  PowerKind,
  EffectUseKind,
  ModifierTarget,
  ResistanceSource,
  SpellEffectKind,
  SaveType,
  RewardKind,
  AttackTargeting,
  SidebarField,
  Security,
  Colour,
  Permission,
  TerrainCapability,
};

int ParseWord(WordTable table, std::string_view word);
// The word for a value, for the tables that have a name operation (creature
// state, lock kind, entry type, modifier target, resistance source); none for
// an unknown value or a table without one.
const char* WordName(WordTable table, int value);

// Values used by the loaders.
enum ItemTypeValue { ItemTypeShield = 8, ItemTypeAmmo = 9, ItemTypeSpell = 10, ItemTypeIContainer = 16 };
enum RewardKindValue { RewardItem = 1, RewardXhp = 2, RewardVehicle = 3, RewardFlag = 4, RewardAttrib = 5 };
enum TerrainCapabilityValue {
  CapabilityBlocked = 1,
  CapabilityUnblocked = 2,
  CapabilityAll = 3,
  CapabilityEmpty = 4,
  CapabilityLand = 5,
  CapabilityWater = 6,
  CapabilityGroupBase = 1000,
};
