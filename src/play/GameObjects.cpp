// Objects on the current map: applying freshly read lists, creating and
// removing objects, the stack order file, the item security check and the
// map start strings.
#include <cstring>

#include "platform/Files.h"
#include "platform/Random.h"
#include "play/Game.h"
#include "scenario/Keywords.h"
#include "scenario/ScanText.h"
#include "text/Output.h"
#include "world/WorldPaths.h"

namespace {
int Roll100() { return 1 + NextRandom15() % 100; }

bool HostileState(uint8_t s) { return s == 3 || s == 6 || s == 7 || s == 8 || s == 11 || s == 10; }

// Fields a creature takes from its definition when it is placed or made.
void DeriveCreature(CreatureObject& o, const CreatureDef& def) {
  o.def = &def;
  if (o.hp == 0) o.hp = int16_t(def.maxHp);
  if (o.state == 0) o.state = def.state;
  if (def.behaviour & BehaviourDefender) o.behaviour |= 1;
  if (o.homeX < 0) o.homeX = o.x;
  if (o.homeY < 0) o.homeY = o.y;
  if (!(o.attackTarget & ~1) && HostileState(o.state)) o.attackTarget |= 2;
}
}  // namespace

int CGame::ApplyLists() {
  const auto& defs = scenario.defs;
  // Locations first, then items, vehicles and creatures, bottom to top.
  for (int id = 1; id <= locations->Size(); ++id) {
    LocationObject* o = locations->Get(id);
    if (!o) continue;
    o->def = defs.locations ? defs.locations->Find(o->defId) : nullptr;
    if (!o->def) {
      PrintLine("ERROR (ApplyLocationList): Could not get definition %d", o->defId);
      continue;
    }
    if (!o->off && !PushObject(KindLocation, uint16_t(id), o->x, o->y, o->def->value))
      PrintLine("ERROR (ApplyLocationList): Could not add game object %d to qmap at %d,%d", id, o->x, o->y);
  }
  for (int id = 1; id <= items->Size(); ++id) {
    ItemObject* o = items->Get(id);
    if (!o) continue;
    o->def = defs.items ? defs.items->Find(o->defId) : nullptr;
    if (!o->def) {
      PrintLine("ERROR (ApplyItemList): Could not get definition %d", o->defId);
      continue;
    }
    if (o->vehicle) {
      o->vehicle->def = defs.vehicles ? defs.vehicles->Find(o->vehicle->defId) : nullptr;
      if (!o->vehicle->def)
        PrintLine("ERROR (ApplyItemList, item %d): Could not apply vehicle item - no definition for %d", id,
                  o->vehicle->defId);
    }
    if (!o->off && !PushObject(KindItem, uint16_t(id), o->x, o->y, 0))
      PrintLine("ERROR (ApplyItemList): Could not add game object %d to qmap at %d,%d", id, o->x, o->y);
  }
  for (int id = 1; id <= vehicles->Size(); ++id) {
    VehicleObject* o = vehicles->Get(id);
    if (!o) continue;
    o->def = defs.vehicles ? defs.vehicles->Find(o->defId) : nullptr;
    if (!o->def) {
      PrintLine("ERROR (ApplyVehicleList): Could not get definition %d", o->defId);
      continue;
    }
    if (o->def->cargo > 0 && !o->cargo) o->cargo = std::make_unique<Container>();
    if (!o->off && !PushObject(KindVehicle, uint16_t(id), o->x, o->y, 0))
      PrintLine("ERROR (ApplyVehicleList): Could not add game object %d to qmap at %d,%d", id, o->x, o->y);
  }
  for (int id = 1; id <= creatures->Size(); ++id) {
    CreatureObject* o = creatures->Get(id);
    if (!o) continue;
    if (o->flags & CreatureTempDef) {
      o->off = 1;  // a script attaches its definition later
      continue;
    }
    if (o->npcDefId) {
      o->npcDef = defs.npcs ? defs.npcs->Find(o->npcDefId) : nullptr;
      if (!o->npcDef) {
        PrintLine("ERROR (ApplyNPCDef): Could not get definition %d", o->npcDefId);
        continue;
      }
      if (o->state == 0) o->state = o->npcDef->state;
    }
    const CreatureDef* def = defs.creatures ? defs.creatures->Find(o->defId) : nullptr;
    if (!def) {
      PrintLine("ERROR (ApplyCreatureList): Could not get definition %d", o->defId);
      continue;
    }
    DeriveCreature(*o, *def);
    if (!ObjectTile(KindCreature, uint16_t(id))) o->flags |= CreatureNoTile;
    if (o->off) continue;
    if (!PushObject(KindCreature, uint16_t(id), o->x, o->y, uint8_t(def->moveEffect & 1)))
      PrintLine("ERROR (ApplyCreatureList): Could not add game object %d to qmap at %d,%d", id, o->x, o->y);
  }
  return 1;
}

std::vector<PlacedObject> CGame::PlacedObjects() const {
  std::vector<PlacedObject> out;
  for (int id = 1; creatures && id <= creatures->Size(); ++id)
    if (const CreatureObject* o = creatures->Get(id); o && !o->off && !(o->flags & CreatureTempDef))
      out.push_back({KindCreature, uint16_t(id), o->x, o->y});
  for (int id = 1; vehicles && id <= vehicles->Size(); ++id)
    if (const VehicleObject* o = vehicles->Get(id); o && !o->off) out.push_back({KindVehicle, uint16_t(id), o->x, o->y});
  for (int id = 1; locations && id <= locations->Size(); ++id)
    if (const LocationObject* o = locations->Get(id); o && !o->off)
      out.push_back({KindLocation, uint16_t(id), o->x, o->y});
  for (int id = 1; items && id <= items->Size(); ++id)
    if (const ItemObject* o = items->Get(id); o && !o->off) out.push_back({KindItem, uint16_t(id), o->x, o->y});
  return out;
}

int CGame::SaveQMapStackOrder() {
  std::string path = WorkingSaveDir(scenarioNumber) + "\\qmstack" + std::to_string(mapNumber) + ".dat";
  std::string text = qmap ? SaveQMapStackOrderText(*qmap, PlacedObjects()) : std::string();
  if (text.empty()) {
    if (AFileExists(path)) ADeleteFile(path);
    return 1;
  }
  if (!AWriteFileAtomic(path, text)) {
    PrintLine("ERROR (SaveQMapStackOrder): Could not open %s", path.c_str());
    return 0;
  }
  return 1;
}

int CGame::LoadQMapStackOrder() {
  std::string path = WorkingSaveDir(scenarioNumber) + "\\qmstack" + std::to_string(mapNumber) + ".dat";
  std::string text;
  if (!AReadFile(path, text)) {
    DebugPrintLine("Could not open %s", path.c_str());
    return 1;
  }
  std::vector<std::pair<int, int>> changed;
  bool ok = LoadQMapStackOrderText(*qmap, text, &changed);
  for (const auto& cell : changed) RefreshOverlay(cell.first, cell.second);
  return ok ? 1 : 0;
}

namespace {
// One security check: true when the item stays. `container` is the
// container's own security value, or -1 outside a container.
bool SecurityKeeps(int mapSecurity, int container) {
  if (container < 0) {
    if (mapSecurity == 101) return true;
    if (mapSecurity == 102) return false;
  } else {
    if (container == 101) return true;
    if (container == 102) return false;
  }
  int target = mapSecurity == 0 ? 25 : mapSecurity;
  if (target > 100) {
    PrintLine("WARNING (CheckItemSecurity): Invalid map target value %d, using 100", target);
    target = 100;
  }
  if (container >= 0) {
    int modifier = container == 0 ? 20 : container;
    if (modifier > 100) {
      PrintLine("WARNING (CheckItemSecurity): Invalid container modifier %d, using 100", modifier);
      modifier = 100;
    }
    target += modifier;
  }
  int roll = Roll100();
  if (roll == 1) return true;
  if (roll == 100) return false;
  return roll < target;
}
}  // namespace

int CGame::ItemListCheckSecurity() {
  for (int id = 1; id <= items->Size(); ++id) {
    ItemObject* o = items->Get(id);
    if (!o || !(o->flags & ItemSecCheck)) continue;
    if (o->contents && o->def && o->def->subtype == ItemTypeIContainer) {
      // The container's own items are checked, with its security as modifier.
      auto& entries = o->contents->entries;
      for (size_t i = 0; i < entries.size();) {
        if (!entries[i].secCheck) {
          ++i;
          continue;
        }
        if (SecurityKeeps(mapData.security, o->def->security)) {
          entries[i].secCheck = false;
          ++i;
          continue;
        }
        DebugPrintLine("Security check indicated removing container item %d (%d)", entries[i].id, entries[i].defId);
        entries.erase(entries.begin() + long(i));
      }
      o->flags &= uint8_t(~ItemSecCheck);
      continue;
    }
    if (SecurityKeeps(mapData.security, -1)) {
      o->flags &= uint8_t(~ItemSecCheck);
      continue;
    }
    DebugPrintLine("Security check indicated removing item %d (%s)", id,
                   o->def && o->def->name ? o->def->name->c_str() : "");
    if (!RemoveObject(KindItem, uint16_t(id), true))
      PrintLine("ERROR (ItemListCheckSecurity): Could not remove item %d", id);
  }
  return 1;
}

int CGame::RemoveObject(int kind, uint16_t id, bool permanent) {
  int16_t x = -1, y = -1;
  uint8_t* off = nullptr;
  switch (kind) {
    case KindCreature:
      if (CreatureObject* o = creatures ? creatures->Get(id) : nullptr) x = o->x, y = o->y, off = &o->off;
      break;
    case KindLocation:
      if (LocationObject* o = locations ? locations->Get(id) : nullptr) x = o->x, y = o->y, off = &o->off;
      break;
    case KindVehicle:
      if (VehicleObject* o = vehicles ? vehicles->Get(id) : nullptr) x = o->x, y = o->y, off = &o->off;
      break;
    case KindItem:
      if (ItemObject* o = items ? items->Get(id) : nullptr) x = o->x, y = o->y, off = &o->off;
      break;
    default:
      break;
  }
  if (!off) return 0;
  if (!*off && qmap && qmap->Remove(x, y, uint16_t(kind), id)) RefreshOverlay(x, y);
  if (!permanent) {
    *off = 1;
    return 1;
  }
  switch (kind) {
    case KindCreature: creatures->Take(id); break;
    case KindLocation: locations->Take(id); break;
    case KindVehicle: vehicles->Take(id); break;
    default: items->Take(id); break;
  }
  return 1;
}

int CGame::RestoreObject(int kind, uint16_t id) {
  switch (kind) {
    case KindCreature:
      if (CreatureObject* o = creatures->Get(id); o && o->off && o->def) {
        o->off = 0;
        return PushObject(kind, id, o->x, o->y, uint8_t(o->def->moveEffect & 1));
      }
      break;
    case KindLocation:
      if (LocationObject* o = locations->Get(id); o && o->off && o->def) {
        o->off = 0;
        return PushObject(kind, id, o->x, o->y, o->def->value);
      }
      break;
    case KindVehicle:
      if (VehicleObject* o = vehicles->Get(id); o && o->off) {
        o->off = 0;
        return PushObject(kind, id, o->x, o->y, 0);
      }
      break;
    case KindItem:
      if (ItemObject* o = items->Get(id); o && o->off) {
        o->off = 0;
        return PushObject(kind, id, o->x, o->y, 0);
      }
      break;
    default:
      break;
  }
  return 0;
}

int CGame::CreateApplyCreature(uint16_t defId, int x, int y, uint16_t npcDefId) {
  if (!creatures) {
    PrintLine("ERROR (CreateApplyCreature): Undefined creature list");
    return 0;
  }
  const auto& defs = scenario.defs;
  if (!defs.creatures) {
    PrintLine("ERROR (SetUpCreature): Undefined creature definition list");
    return 0;
  }
  const CreatureDef* def = defs.creatures->Find(defId);
  if (!def) {
    PrintLine("ERROR (SetUpCreature): Could not get definition %d", defId);
    return 0;
  }
  auto o = std::make_unique<CreatureObject>();
  o->defId = defId;
  o->x = int16_t(x);
  o->y = int16_t(y);
  if (npcDefId) {
    o->npcDef = defs.npcs ? defs.npcs->Find(npcDefId) : nullptr;
    if (!o->npcDef) {
      PrintLine("ERROR (SetUpNPC): Could not get definition %d", npcDefId);
      return 0;
    }
    o->npcDefId = npcDefId;
    o->state = o->npcDef->state;
  }
  DeriveCreature(*o, *def);
  int id = creatures->FirstFree();
  if (!id) {
    creatures->Grow(10);
    id = creatures->FirstFree();
  }
  o->id = uint16_t(id);
  creatures->Set(id, std::move(o));
  if (!PushObject(KindCreature, uint16_t(id), x, y, uint8_t(def->moveEffect & 1))) {
    PrintLine("ERROR (CreateApplyCreature): Could not push creature to map");
    creatures->Take(id);
    return 0;
  }
  return id;
}

int CGame::CreateApplyItem(uint16_t defId, int x, int y, int32_t quantity) {
  if (!items) {
    PrintLine("ERROR (CreateApplyItem): Undefined item list");
    return 0;
  }
  const ItemDef* def = scenario.defs.items ? scenario.defs.items->Find(defId) : nullptr;
  if (!def) {
    PrintLine("ERROR (SetUpItem): Could not get definition %d", defId);
    return 0;
  }
  int id = items->FirstFree();
  if (!id) {
    PrintLine("ERROR (CreateApplyItem): Could not add item to list");
    return 0;
  }
  auto o = std::make_unique<ItemObject>();
  o->id = uint16_t(id);
  o->defId = defId;
  o->def = def;
  o->x = int16_t(x);
  o->y = int16_t(y);
  o->quantity = quantity;
  o->charges = def->charges;
  items->Set(id, std::move(o));
  if (!PushObject(KindItem, uint16_t(id), x, y, 0)) {
    PrintLine("ERROR (CreateApplyItem): Could not push item to map");
    items->Take(id);
    return 0;
  }
  return id;
}

int CGame::ProcessMapStartString(const std::string& text, int arrivalKind) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (words.size() < 64) {
    pos = text.find_first_not_of(" \t", pos);
    if (pos == std::string::npos) break;
    size_t end = text.find_first_of(" \t", pos);
    words.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    pos = end;
  }
  bool match = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w.size() == 1 && std::strchr("NESWUDO", w[0])) {
      static const char letters[] = "NESWUDO";
      static const int kinds[] = {0, 1, 2, 3, 4, 5, 255};
      if (kinds[std::strchr(letters, w[0]) - letters] == arrivalKind) match = true;
    } else if (w == "TD") {
      if (i + 1 >= words.size()) {
        PrintLine("ERROR (ProcessMapStartString TD): Missing param");
        return 0;
      }
      int trigger = DecimalToInt(words[++i]);
      // Triggers belong to the trigger list, which this map does not have yet.
      if (match) {
        PrintLine("ERROR (ProcessMapStartString TD): Invalid trigger %d", trigger);
        return 0;
      }
    } else if (w == "CRA") {
      if (!match) continue;
      for (int id = 1; id <= creatures->Size(); ++id) {
        if (!creatures->Get(id)) continue;
        if (!RemoveObject(KindCreature, uint16_t(id), true)) {
          PrintLine("ERROR (ProcessMapStartString CRA): Could not remove creature %d from map", id);
          return 0;
        }
      }
      redrawPending = true;
    } else {
      PrintLine("ERROR (ProcessMapStartString): Invalid option: %s", w.c_str());
      return 0;
    }
  }
  return 1;
}

int CGame::RemoveAllCreatures() {
  for (int id = 1; creatures && id <= creatures->Size(); ++id) {
    if (!creatures->Get(id)) continue;
    if (!RemoveObject(KindCreature, uint16_t(id), true)) {
      PrintLine("ERROR (RemoveAllCreatures): Could not remove object %d", id);
      return 0;
    }
  }
  redrawPending = true;
  return 1;
}

int CGame::VerifyCreatureList() {
  for (int id = 1; creatures && id <= creatures->Size(); ++id) {
    const CreatureObject* o = creatures->Get(id);
    if (!o || o->def) continue;
    PrintLine("ERROR (VerifyCreatureList): Creature %d missing definition; deleting creature", id);
    RemoveObject(KindCreature, uint16_t(id), true);
  }
  return 1;
}

int CGame::CreateApplyVehicle(uint16_t defId, int x, int y) {
  if (!vehicles) {
    PrintLine("ERROR (CreateApplyVehicle): Undefined vehicle list");
    return 0;
  }
  if (!scenario.defs.vehicles) {
    PrintLine("ERROR (SetUpVehicle): Undefined vehicle definition list");
    return 0;
  }
  const VehicleDef* def = scenario.defs.vehicles->Find(defId);
  if (!def) {
    PrintLine("ERROR (SetUpVehicle): Could not get definition %d", defId);
    return 0;
  }
  int id = vehicles->FirstFree();
  if (!id) {
    PrintLine("ERROR (CreateApplyVehicle): Could not add vehicle to list");
    return 0;
  }
  auto o = std::make_unique<VehicleObject>();
  o->id = uint16_t(id);
  o->defId = defId;
  o->def = def;
  o->x = int16_t(x);
  o->y = int16_t(y);
  o->hp = int16_t(def->maxHp);
  if (def->cargo > 0) o->cargo = std::make_unique<Container>();
  vehicles->Set(id, std::move(o));
  if (!PushObject(KindVehicle, uint16_t(id), x, y, 0)) {
    PrintLine("ERROR (CreateApplyVehicle): Could not push vehicle to map");
    vehicles->Take(id);
    return 0;
  }
  return id;
}

int CGame::CreateApplyLocation(uint16_t defId, int x, int y) {
  if (!locations) {
    PrintLine("ERROR (CreateApplyLocation): Undefined location list");
    return 0;
  }
  if (!scenario.defs.locations) {
    PrintLine("ERROR (SetUpLocation): Undefined location definition list");
    return 0;
  }
  const LocationDef* def = scenario.defs.locations->Find(defId);
  if (!def) {
    PrintLine("ERROR (SetUpLocation): Could not get definition %d", defId);
    return 0;
  }
  int id = locations->FirstFree();
  if (!id) {
    PrintLine("ERROR (CreateApplyLocation): Could not add location to list");
    return 0;
  }
  auto o = std::make_unique<LocationObject>();
  o->id = uint16_t(id);
  o->defId = defId;
  o->def = def;
  o->x = int16_t(x);
  o->y = int16_t(y);
  locations->Set(id, std::move(o));
  if (!PushObject(KindLocation, uint16_t(id), x, y, def->value)) {
    PrintLine("ERROR (CreateApplyLocation): Could not push location to map");
    locations->Take(id);
    return 0;
  }
  return id;
}

const QEntry* CGame::TopAt(int x, int y, int kind) const { return qmap ? qmap->Top(x, y, uint16_t(kind)) : nullptr; }

namespace {
uint16_t FirstOfKind(const QMap* q, int x, int y, int kind) {
  if (!q) return 0;
  for (const QEntry& e : q->Stack(x, y))
    if (e.kind == kind) return e.id;
  return 0;
}
}  // namespace

CreatureObject* CGame::CreatureAt(int x, int y) const {
  uint16_t id = FirstOfKind(qmap.get(), x, y, KindCreature);
  return id && creatures ? creatures->Get(id) : nullptr;
}
LocationObject* CGame::LocationAt(int x, int y) const {
  uint16_t id = FirstOfKind(qmap.get(), x, y, KindLocation);
  return id && locations ? locations->Get(id) : nullptr;
}
VehicleObject* CGame::VehicleAt(int x, int y) const {
  uint16_t id = FirstOfKind(qmap.get(), x, y, KindVehicle);
  return id && vehicles ? vehicles->Get(id) : nullptr;
}
ItemObject* CGame::ItemAt(int x, int y) const {
  uint16_t id = FirstOfKind(qmap.get(), x, y, KindItem);
  return id && items ? items->Get(id) : nullptr;
}
