#pragma once
// The things that stand on a map: creature, location, vehicle and item
// objects, each referring to a definition by ID, the per-map lists that hold
// them (an object's ID is its slot in its list, 1-based), and the container
// entries that items, vehicles and characters carry.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scenario/Definitions.h"

enum ObjectKind : uint8_t { KindNone = 0, KindCreature = 1, KindVehicle = 2, KindLocation = 3, KindItem = 4 };

// Default list size for a map whose file has no section of a kind.
inline constexpr int DefaultObjectListSize = 256;
// The largest list size a file may ask for.
inline constexpr int MaxObjectListSize = 65535;

enum CreatureObjectFlag : uint8_t {
  CreatureNoTile = 1,
  CreaturePeaceful = 2,
  CreatureTempDef = 4,
  CreatureTempRepDef = 8,
  CreatureNoGroupRewards = 16,
  CreatureMet = 32,
  CreatureOwnsDef = 64,
  CreatureSavesPC = 128,
};

struct CreatureObject {
  uint16_t id = 0;
  uint8_t off = 0;
  int16_t x = -1, y = -1;
  uint8_t facing = 255;
  uint16_t defId = 0;
  const CreatureDef* def = nullptr;
  uint16_t npcDefId = 0;
  const NpcDef* npcDef = nullptr;
  uint8_t state = 0;
  uint8_t retreatCount = 0;
  uint8_t aiDirection = 0;
  uint8_t delay = 0;
  int16_t homeX = -1, homeY = -1;
  int16_t aiDistance = 0;
  uint8_t attackTarget = 0;
  uint8_t behaviour = 0;
  uint8_t targetGroup = 0;
  int16_t hp = 0;
  uint8_t attackImmobile = 0;
  uint8_t moveImmobile = 0;
  uint16_t sleepEffect = 0;
  uint8_t sleepTurns = 0, sleepSave = 0;
  uint16_t poisonEffect = 0;
  uint8_t poisonTimer = 0;
  uint8_t flags = 0;
  uint8_t groupId = 0;
  int16_t credit = 0;
};

struct LocationObject {
  uint16_t id = 0;
  uint8_t off = 0;
  int16_t x = -1, y = -1;
  OwnedText name;
  uint16_t defId = 0;
  const LocationDef* def = nullptr;
  uint8_t entryType = 0;
  uint16_t destMap = 0;
  int16_t destX = -1, destY = -1;
  uint8_t destFacing = 255;
  uint8_t collisionShift = 0;
  uint8_t positionMode = 0, facingMode = 0;
  uint8_t flags = 0;  // 1 ENTER, 2 EXIT, 4 CHECKTRIGGERS, 8 VERIFYNM
  OwnedText message;
  uint16_t next = 0;
  uint8_t triggerFlag = 0, autosaveFlag = 0;
  uint16_t script = 0;
  uint16_t linkedObject = 0;
};

struct VehicleObject;

// One stack of items in an inventory or container: its item ID, definition
// and quantity; charges of -1 mean "as the definition says".
struct InvEntry {
  uint16_t id = 0;
  uint16_t defId = 0;
  int32_t quantity = 0;
  int32_t charges = -1;
  bool secCheck = false;
  std::shared_ptr<VehicleObject> vehicle;  // a portable vehicle item's vehicle
};

// Contents of an interactive container item or a vehicle's cargo.
struct Container {
  int32_t weight = 0;
  std::vector<InvEntry> entries;
};

struct VehicleObject {
  uint16_t id = 0;
  uint8_t off = 0;
  int16_t x = -1, y = -1;
  uint8_t facing = 255;
  uint16_t defId = 0;
  const VehicleDef* def = nullptr;
  int16_t hp = 0;
  uint8_t defender = 0;
  uint16_t ammo = 0;
  std::unique_ptr<Container> cargo;
  OwnedText name;
};

enum ItemObjectFlag : uint8_t { ItemSecCheck = 1, ItemUsed = 2, ItemLookScript = 4 };

struct ItemObject {
  uint16_t id = 0;
  uint8_t off = 0;
  int16_t x = -1, y = -1;
  uint16_t defId = 0;
  const ItemDef* def = nullptr;
  int32_t quantity = 1;
  uint16_t charges = 0;
  uint8_t flags = 0;
  uint8_t defender = 0;
  uint8_t refType = 0;
  uint16_t refId = 0, refId2 = 0;
  uint8_t behaviourParam = 0;
  // At most one attached object.
  std::unique_ptr<Container> contents;         // INV:
  std::unique_ptr<VehicleObject> vehicle;       // V:
  std::vector<std::string> treasureTable;      // TRTAB: block, kept as its lines
  bool HasAttachment() const { return contents || vehicle || !treasureTable.empty(); }
};

// A list of objects addressed by ID 1..Size(); empty slots are null.
template <class T>
class ObjectList {
 public:
  explicit ObjectList(int size = DefaultObjectListSize) : slots_(size_t(size < 0 ? 0 : size)) {}
  int Size() const { return int(slots_.size()); }
  T* Get(int id) const { return id >= 1 && id <= Size() ? slots_[size_t(id - 1)].get() : nullptr; }
  bool Set(int id, std::unique_ptr<T> obj) {
    if (id < 1 || id > Size()) return false;
    slots_[size_t(id - 1)] = std::move(obj);
    return true;
  }
  std::unique_ptr<T> Take(int id) {
    if (id < 1 || id > Size()) return nullptr;
    return std::move(slots_[size_t(id - 1)]);
  }
  // The first empty slot's ID, 0 when the list is full.
  int FirstFree() const {
    for (size_t i = 0; i < slots_.size(); ++i)
      if (!slots_[i]) return int(i + 1);
    return 0;
  }
  void Grow(int extra) { slots_.resize(slots_.size() + size_t(extra)); }
  int Count() const {
    int n = 0;
    for (const auto& s : slots_) n += s != nullptr;
    return n;
  }

 private:
  std::vector<std::unique_ptr<T>> slots_;
};

using CreatureList = ObjectList<CreatureObject>;
using LocationList = ObjectList<LocationObject>;
using VehicleList = ObjectList<VehicleObject>;
using ItemList = ObjectList<ItemObject>;
