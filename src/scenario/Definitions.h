#pragma once
// Object definitions of a scenario: creatures (with their power record), NPC
// overlays (with offer and give records), items, vehicles and locations, and
// the tables that own them, addressed by definition ID 1..count.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// An owned text read from a data file; empty optional means "no text".
using OwnedText = std::optional<std::string>;
inline const char* TextOrNull(const OwnedText& t) { return t ? t->c_str() : nullptr; }
// Stores a quoted text from a data file; "<NULL>" means no text.
void SetQuotedText(OwnedText& slot, const std::string& text);

struct DefHeader {
  OwnedText name;
  uint16_t id = 0;
  OwnedText look;
  uint16_t subtype = 0;
  uint16_t tile = 0;
  uint16_t vectorTile = 0;
};

struct IdRange {
  uint16_t low = 0;
  uint16_t high = 0;
};

struct PowerDef {
  OwnedText name;
  uint16_t kind = 0;
  uint16_t range = 0;
  uint8_t checkLos = 0;
  uint16_t value3 = 0;
  uint8_t saveType = 0;
  uint16_t resistItem1 = 0, resistItem2 = 0;
  uint16_t resistanceId = 0;
  uint16_t damage[3] = {0, 0, 0};
  uint16_t effect1 = 0, effect2 = 0;
  uint16_t resistEffect1 = 0, resistEffect2 = 0;
  uint16_t rangeEffect = 0;
  uint16_t idRangeLow = 0, idRangeHigh = 0;
  std::vector<IdRange> idRanges;
  uint8_t chance = 0;
};

enum CreatureBehaviourFlag : uint8_t { BehaviourDefender = 1, BehaviourFearless = 2, BehaviourZoomRanged = 4 };
enum CreatureBoardFlag : uint8_t { BoardFlagBoard = 1, BoardFlagVehicle = 2, BoardFlagTile = 4 };

struct CreatureDef : DefHeader {
  uint16_t terrainCap = 0;
  uint8_t state = 0;
  uint8_t moveEffect = 0;  // bit 1
  uint16_t maxHp = 0;
  uint16_t armourClass = 0;
  uint16_t attackBonus = 0;
  uint16_t damageDice = 0;
  uint16_t damageSides = 0;
  uint16_t damageBonus = 0;
  uint16_t range = 0;
  uint16_t rangeColour = 0;
  uint8_t attackDelay = 0;
  uint16_t saveReflex = 0, saveFortitude = 0, saveWill = 0;
  uint8_t behaviour = 0;
  int32_t experience = 0;
  uint16_t treasure = 0;
  uint8_t boardFlags = 0;
  uint16_t boardValue1 = 0, boardValue2 = 0;
  uint8_t wind = 0;
  uint16_t encounterGroup = 0;
  uint16_t encounterTreasure = 0;
  uint16_t attackEffect = 0;
  uint16_t powerEffect = 0;
  std::unique_ptr<PowerDef> power;
  uint16_t resistance = 0;
  uint16_t killScript = 0;
  uint16_t moveScript = 0;
  uint8_t typeA = 0, typeB = 0;
  uint8_t powerLevel = 0;
};

struct OfferDef {
  uint16_t kind = 0;
  uint16_t id = 0;
  int32_t amount = 0;
  int32_t minimum = 0;
  uint8_t chance = 0;
  uint16_t requiredFlag = 0;
  OwnedText acceptText, declineText;
  uint16_t onceFlag = 0;
};

struct GiveDef {
  uint16_t kind = 0;
  uint16_t id = 0;
  int32_t amount = 0;
  uint16_t requiredFlag = 0;
  OwnedText givenText, refusalText;
  uint16_t doneFlag = 0;
};

enum NpcFlag : uint8_t { NpcNoCheckRep = 1, NpcCombatTalk = 2, NpcNoCombat = 4, NpcHideName = 8, NpcNoSetMet = 16 };

struct NpcDef {
  OwnedText name;
  uint16_t id = 0;
  OwnedText look;
  OwnedText conversation;
  uint16_t convScript = 0;
  uint16_t store = 0;
  uint8_t state = 0;
  uint8_t anchor = 0;
  uint8_t flags = 0;
  std::unique_ptr<OfferDef> offer;
  std::unique_ptr<GiveDef> give;
};

enum ItemFlag : uint8_t {
  ItemCore = 1,
  ItemWeapon = 2,
  ItemArmour = 4,
  ItemTakeable = 8,
  ItemTwoHanded = 16,
  ItemNoDark = 32,
  ItemHasResource = 64,
  ItemHidden = 128,
};

struct ResourceDef {
  uint16_t flags = 0;  // bit 1: value written with a leading "G"
  uint16_t value = 0;
  uint16_t chance = 0;
  uint16_t replacement = 0;
  uint16_t usedCharges = 0;
};

struct SpellDef {
  uint16_t kind = 0;
  uint16_t value[5] = {0, 0, 0, 0, 0};  // values 1 to 5
  uint16_t multiplier[3] = {0, 0, 0};
  uint8_t pure = 0;
};

struct ItemDef : DefHeader {
  uint8_t flags = ItemTakeable;
  uint8_t flags2 = 0;  // bit 1: cover use
  uint32_t weight = 0;
  OwnedText useMessage;
  uint32_t maxCount = 0;
  uint8_t usesConsume = 1;
  uint16_t charges = 0;
  uint16_t power = 0;
  int32_t capacity = 0;
  uint8_t security = 0;
  uint16_t armour = 0;
  uint16_t attackBonus = 0, damageDice = 0, damageSides = 0, damageBonus = 0, range = 0;
  uint16_t rangeColour = 0;
  uint8_t attackDelay = 0;
  uint8_t damagePercent = 100;
  uint8_t ammoClass = 0;
  uint16_t sound1 = 0, sound2 = 0;
  uint16_t refId = 0;
  uint16_t treasure = 0;
  uint16_t attackEffect = 0;
  uint16_t useScript = 0;
  uint16_t getScript = 0;
  uint8_t typeValue = 0;
  uint8_t behaviourParam = 0;
  std::unique_ptr<ResourceDef> resource;
  std::unique_ptr<SpellDef> spell;
};

struct VehicleDef : DefHeader {
  uint16_t terrainCap = 0;
  uint16_t landingTerrain = 0;
  uint16_t items[3] = {0, 0, 0};
  float foodFactor = 1.0f;
  uint16_t value = 0;
  uint8_t wind = 0;
  int32_t cargo = 0;
  uint16_t portableItem = 0;
  uint16_t sound1 = 0, sound2 = 0;
  uint16_t maxHp = 0;
  int16_t armourClass = -1;
  uint8_t type = 0;
};

enum LocationFlag : uint8_t { LocationVehicles = 1, LocationNoBaseTile = 2, LocationAMessageDark = 4, LocationEnter = 8 };

struct LocationDef : DefHeader {
  uint8_t entryType = 0;
  uint8_t value = 0;
  uint8_t flags = 0;
  OwnedText beforeMessage, afterMessage;
  uint16_t soundBefore = 0, soundAfter = 0;
  uint16_t effectBefore = 0, effectAfter = 0;
  uint16_t wait = 0;
  uint8_t buffering = 0;
};

// A table of definitions owned by the table, slot i holding ID i (1..count).
template <class T>
class DefTable {
 public:
  explicit DefTable(int count) : slots(size_t(count)) {}
  int Count() const { return int(slots.size()); }
  // The definition with that ID, or none. An ID outside 1..count prints the
  // position error of the pointer lists.
  T* Get(int id) const;
  // Without the range message: for loaders and tools that probe IDs.
  T* Find(int id) const { return id >= 1 && id <= Count() ? slots[size_t(id - 1)].get() : nullptr; }
  // Stores (replacing and freeing an earlier definition); false outside 1..count.
  bool Set(int id, std::unique_ptr<T> def) {
    if (id < 1 || id > Count()) return false;
    slots[size_t(id - 1)] = std::move(def);
    return true;
  }
  std::unique_ptr<T> Remove(int id) {
    if (id < 1 || id > Count()) return nullptr;
    return std::move(slots[size_t(id - 1)]);
  }
  void Resize(int count) { slots.resize(size_t(count < 0 ? 0 : count)); }
  int CountUsed() const {
    int n = 0;
    for (const auto& s : slots) n += s != nullptr;
    return n;
  }

 private:
  std::vector<std::unique_ptr<T>> slots;
};

void PrintDefRangeError(int id);

template <class T>
T* DefTable<T>::Get(int id) const {
  if (id < 1 || id > Count()) {
    PrintDefRangeError(id);
    return nullptr;
  }
  return slots[size_t(id - 1)].get();
}

using CreatureTable = DefTable<CreatureDef>;
using NpcTable = DefTable<NpcDef>;
using ItemTable = DefTable<ItemDef>;
using VehicleTable = DefTable<VehicleDef>;
using LocationTable = DefTable<LocationDef>;

template <class T>
T* GetDef(const DefTable<T>* table, int id) {
  return table ? table->Get(id) : nullptr;
}
