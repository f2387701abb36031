#pragma once
// The map file map<m>.dat: the map game data block followed by up to four
// object list sections (CLIST:, LLIST:, VLIST:, ILIST:). The same format is
// used by the scenario and by the engine's own saves of a map.
#include <cstdint>
#include <memory>
#include <string>

#include "world/MapObjects.h"

struct MapGameData {
  uint8_t flags = 0;  // 1 initialised, 2 no exit-map security check, 4 run triggers, 8 no group retreat, 16 ZMCBACK
  uint8_t dark = 0;
  uint8_t wind = 0;
  int16_t food = -1;
  uint16_t encTable = 0;
  uint8_t egTable = 0;
  uint16_t triggerList = 0;
  uint16_t startScript = 0, exitScript = 0, turnScript = 0;
  uint8_t aiMoveType = 0, aiAttackType = 0, aiAttackMapVehicle = 0, rangedAttack = 0;
  uint8_t noViewMap = 0;
  uint8_t noRepGroup = 0;
  uint8_t rangedRetreat = 0;
  uint8_t security = 0;
  uint16_t zmFloor = 0, zmWall = 0;
  uint8_t zmCwos = 0;
  uint16_t zmStartScript = 0;
  OwnedText startString;  // BSTART:
  uint8_t upType = 0;
  uint16_t upMap = 0;
  uint8_t downType = 0;
  uint16_t downMap = 0;
  uint16_t exitMap = 0, exitX = 0, exitY = 0, exitObject = 0;
  uint8_t save = 0;
  uint16_t group = 0;
  uint8_t memoryBuffer = 0, fileBuffer = 0, condBuffer = 0;
  int32_t encCount = 0;
  int16_t crTurn = 0;
  int16_t pcRep = 0;
  uint8_t partySplit = 0;
  uint16_t partySplitTrigger = 0;
};

enum MapGameDataFlag : uint8_t {
  MapDataInitDone = 1,
  MapDataNoExitMapIsc = 2,
  MapDataDoTriggers = 4,
  MapDataNoGroupRetreat = 8,
  MapDataZmcBack = 16,
};

// Reads the map game data block from file text; `scenario` names the
// directory of GINCLUDE files. Always fills `out` (defaults where absent).
void LoadMapGameDataText(const std::string& text, int scenario, MapGameData& out);
// Reads the block of a file; false (and `out` untouched) when it cannot be read.
bool LoadMapGameData(const std::string& path, int scenario, MapGameData& out);
// The block as written into a map file (no header line).
std::string SaveMapGameDataText(const MapGameData& data);

// One object list section as read from a file.
struct LoadedObjectList {
  std::unique_ptr<CreatureList> creatures;
  std::unique_ptr<LocationList> locations;
  std::unique_ptr<VehicleList> vehicles;
  std::unique_ptr<ItemList> items;
};

// Reads section `kind` ('C', 'L', 'V' or 'I') of file text. Returns false
// when the section is missing or its load fails (the section then counts as
// missing); object-level problems are reported and the object skipped.
bool LoadObjectListText(const std::string& text, char kind, LoadedObjectList& out,
                        const ItemTable* items = nullptr, const VehicleTable* vehicles = nullptr);
// The same on a file; a file that cannot be read fails.
bool LoadObjectList(const std::string& path, char kind, LoadedObjectList& out, const ItemTable* items = nullptr,
                    const VehicleTable* vehicles = nullptr);

// A section as written ("%cLIST: %d" ... "END"). Definitions are consulted
// for the lines that depend on them (an item's charges, a vehicle's cargo).
std::string SaveCreatureListText(const CreatureList& list);
std::string SaveVehicleListText(const VehicleList& list, const ItemTable* items);
std::string SaveItemListText(const ItemList& list, const ItemTable* items);

// Container entries ("INV: %d" weight, entries, extra lines, "END"), read
// from the rest of the "INV:" line onward. False on a syntax error.
class ScanCursor;
bool ReadContainerEntries(ScanCursor& c, Container& out, const char* op);
std::string WriteContainerEntries(const Container& box, const ItemTable* items);
// Inventory entries of a character file: the rest of the "INV:" line after
// the size and the "INVEX:" lines that follow (no "END").
bool ReadInventoryEntries(ScanCursor& c, std::vector<InvEntry>& out);
std::string WriteInventoryEntries(int size, const std::vector<InvEntry>& entries, const ItemTable* items);

// Whether the text has a "<kind>LIST:" line (comments honoured).
bool HasObjectListSection(const std::string& text, char kind);
