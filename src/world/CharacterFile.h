#pragma once
// The player-character record and its character file (pc.dat, pc<k>.dat, the
// scenario's template pc.dat): three sections !GENERAL, !CHARACTER and
// !INVENTORY of keyword lines.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "world/MapObjects.h"

struct PCRecord {
  CreatureObject body;
  CreatureDef def;  // the character's own definition (state 9)
  uint16_t ownTile = 0;
  uint16_t ownCap = 0;
  uint16_t posMap = 0;
  int16_t posX = -1, posY = -1;
  uint8_t posFacing = 255;
  uint16_t cls = 0, race = 0, gender = 0;
  int32_t level = 0, xp = 0;
  uint16_t attrib[6] = {0, 0, 0, 0, 0, 0};  // STRENGTH, AGILITY, STAMINA, INTEL., WISDOM, CHARISMA
  int32_t baseAc = 0, baseAb = 0, baseDice = 0, baseSides = 0, baseDb = 0;
  uint16_t sp = 0, spMax = 0;
  bool asleepMark = false;
  uint16_t weapon = 0, armour = 0, spell = 0, shield = 0, ammo = 0;
  uint32_t weight = 0, capacity = 0;
  int32_t vehicleAc = -1;
  uint16_t ammoRequired = 0, ammoClass = 0;
  uint16_t creatureDef = 0, npcDef = 0;
  uint16_t recordId = 0;
  std::shared_ptr<VehicleObject> vehicle;
  uint16_t vehicleAmmo = 0;
  uint16_t flagCount = 0;
  std::vector<std::pair<uint16_t, int32_t>> flags;  // game flags whose value is not 0
  bool hasFlags = false;
  // Lines kept as read and written back unchanged (morale, point-counter
  // modifiers, resistances, known spells), in file order.
  std::vector<std::string> keptLines;
  int32_t invSize = 0;
  std::vector<InvEntry> inventory;
  bool gone = false;  // a party member who left or was loaded without hit points
};

// party.dat: the party size and, for each occupied position k, "PC: k"
// followed by "ACTIVE" for the active member.
struct PartyFile {
  int size = 0;
  std::vector<int> members;  // occupied positions in file order
  int active = 0;            // 0: the first member read
};
std::string SavePartyText(const PartyFile& party);
// False after an ERROR line when the file cannot be used.
bool LoadPartyText(const std::string& text, PartyFile& out);
// "pc.dat" for position 1, "pc<k>.dat" otherwise.
std::string MemberFileName(int k);

// Reads a character file's text into `pc`. `scenarioId` receives SCENID:.
// Returns false after printing what failed.
bool LoadPCText(PCRecord& pc, const std::string& text, std::string* scenarioId = nullptr);
bool LoadPC(PCRecord& pc, const std::string& path, std::string* scenarioId = nullptr);
// The character file's text; `items` decides whether charges are written.
std::string SavePCText(const PCRecord& pc, const ItemTable* items, const char* scenarioId = nullptr);
// Writes the file through a temporary sibling.
bool SavePC(const PCRecord& pc, const std::string& path, const ItemTable* items, const char* scenarioId = nullptr);
