#pragma once
// The scenario's rule tables: classes, races and genders (classes.dat), the
// terrain delays (TerrainInfo.dat), the resistance groups (resistance.dat)
// and the complex spells (cspells.dat).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scenario/Definitions.h"

// Records addressed by a 16-bit ID in a table of fixed capacity; a record
// stored under an ID already present replaces it.
template <class T>
class IdTable {
 public:
  explicit IdTable(int capacity) : capacity(capacity) {}
  int Capacity() const { return capacity; }
  int Count() const { return int(slots.size()); }
  T* Get(uint16_t id) const {
    if (id == 0) return nullptr;
    for (const auto& s : slots)
      if (s.first == id) return s.second.get();
    return nullptr;
  }
  // False when the ID is 0 or the table is full.
  bool Set(uint16_t id, std::unique_ptr<T> item) {
    if (id == 0) return false;
    for (auto& s : slots)
      if (s.first == id) {
        s.second = std::move(item);
        return true;
      }
    if (Count() >= capacity) return false;
    slots.emplace_back(id, std::move(item));
    return true;
  }
  // Slots in table order.
  const std::vector<std::pair<uint16_t, std::unique_ptr<T>>>& Slots() const { return slots; }

 private:
  int capacity;
  std::vector<std::pair<uint16_t, std::unique_ptr<T>>> slots;
};

struct ClassRecord {
  std::string name;
  uint16_t id = 0;
  uint16_t tile = 0;
  uint8_t levelType = 0;
  int32_t xpFactor = 0;
  uint16_t attrib[6] = {0, 0, 0, 0, 0, 0};  // STRENGTH, AGILITY, STAMINA, INTEL., WISDOM, CHARISMA
  uint16_t baseHp = 0;
  int16_t baseAc = 0, baseAb = 0;
  uint16_t baseDice = 0, baseSides = 0;
  int16_t baseDb = 0;
  uint16_t levelGain[6] = {0, 0, 0, 0, 0, 0};  // hp, ac, ab, dice, sides, db
  uint8_t periodAc = 0, periodAb = 0, periodDb = 0;
  uint16_t baseSaves[3] = {0, 0, 0};  // reflex, fortitude, will
  uint16_t levelSaves[3] = {0, 0, 0};
  uint8_t periodSaves[3] = {0, 0, 0};
  std::vector<uint8_t> itemTypes;
  uint8_t spAttrib = 0;
  uint8_t spCreate = 0, spLevel = 0;
  std::vector<uint16_t> spells;
  std::vector<uint16_t> startSpells;
  uint8_t casterType = 0;
  uint8_t casterSaveMod = 0;
  uint8_t casterDurMod = 0, casterDurDiv = 0;
  int16_t pcmMax[2] = {0, 0};
  uint8_t traps = 0;
};
using ClassTable = IdTable<ClassRecord>;

// Reads classes.dat; `section` is none for the classes, "RACES" or "GENDER".
std::unique_ptr<ClassTable> LoadCreateClassList(int scenarioNumber, const char* section);
std::unique_ptr<ClassTable> LoadCreateClassListText(const std::string& text, const std::string& fileName,
                                                    const char* section);
// The record's name, or "None".
const char* ClassName(const ClassTable* table, uint16_t id);
// ID of the first record (table order) whose name begins with the first n
// characters of `text` (case-sensitive); 0 when none.
uint16_t FindClassByPrefix(const ClassTable* table, const char* text, int n);
bool ClassAllowsItemType(const ClassRecord& record, int itemType);
bool ClassHasSpell(const ClassRecord& record, uint16_t spell);

struct TerrainDelayEntry {
  uint16_t terrain = 0;  // 0 matches any
  uint16_t delay = 0;    // low 8 bits used
};
struct TerrainDelayRecord {
  uint16_t capability = 0;  // 0 matches any
  int capacity = 0;         // declared number of entries
  std::vector<TerrainDelayEntry> entries;
};
struct TerrainInfoTable {
  int capacity = 0;                         // declared number of records
  std::vector<TerrainDelayRecord> records;  // only the records defined
};
std::unique_ptr<TerrainInfoTable> LoadTerrainGroupInfo(int scenarioNumber);
std::unique_ptr<TerrainInfoTable> LoadTerrainGroupInfoText(const std::string& text, const std::string& fileName);
// Delay in turns for capability c on terrain t (0 unless c >= 1000, t >= 100).
int TerrainDelay(const TerrainInfoTable* table, uint16_t capability, uint16_t terrain);

struct ResistanceEntry {
  uint16_t number = 0;
  uint8_t chance = 0;  // percent; 100 always
};
struct ResistanceGroup {
  int size = 0;
  std::vector<ResistanceEntry> entries;
};
using ResistanceTable = IdTable<ResistanceGroup>;
std::unique_ptr<ResistanceTable> LoadResistanceList(int scenarioNumber);
std::unique_ptr<ResistanceTable> LoadResistanceListText(const std::string& text, const std::string& fileName);
const ResistanceEntry* FindResistance(const ResistanceTable* table, uint16_t group, uint16_t number);
// Chance 100 always resists; otherwise a roll of 1 to 100 at most the chance.
bool IsResisted(const ResistanceEntry& entry);
// "%d: %d" pairs (number, chance) separated by ", ".
std::string FormatResistanceGroup(const ResistanceGroup& group);

struct CSpell {
  OwnedText name;
  uint8_t cost = 0;
  uint16_t script = 0;
  uint8_t value = 0;
};
using CSpellTable = DefTable<CSpell>;
std::unique_ptr<CSpellTable> LoadCSpellList(int scenarioNumber);
std::unique_ptr<CSpellTable> LoadCSpellListText(const std::string& text, const std::string& fileName);
