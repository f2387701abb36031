// TerrainInfo.dat, resistance.dat and cspells.dat.
#include "scenario/RuleTables.h"

#include "platform/Random.h"
#include "scenario/KeywordFile.h"
#include "scenario/ScanText.h"
#include "scenario/ScenarioFiles.h"
#include "text/Output.h"

namespace {
bool ReadText(int scenarioNumber, const char* name, std::string& path, std::string& text) {
  path = ScenarioPath(scenarioNumber, name);
  return ReadScenarioText(path, text);
}
}  // namespace

// ---- TerrainInfo.dat -------------------------------------------------------

std::unique_ptr<TerrainInfoTable> LoadTerrainGroupInfoText(const std::string& text, const std::string& fileName) {
  const char* op = "LoadTerrainGroupInfo";
  KeywordFile file(fileName, text);
  int count = 0;
  if (!ScenarioListCount(file, op, 65535, count)) return nullptr;
  auto table = std::make_unique<TerrainInfoTable>();
  table->capacity = count;
  TerrainDelayRecord* current = nullptr;
  std::string k;
  while (file.Next(k)) {
    if (k == "T:") {
      uint16_t capability, entries;
      if (!file.U16(capability) || !file.U16(entries)) {
        ScenarioMessage("ERROR (LoadTerrainGroupInfo): Missing value after T:");
        return nullptr;
      }
      if (int(table->records.size()) >= count) {
        ScenarioMessage("ERROR (LoadTerrainGroupInfo): Could not add terrain group capability (array overrun)");
        return nullptr;
      }
      table->records.push_back({capability, entries, {}});
      current = &table->records.back();
    } else if (k == "E:") {
      uint16_t terrain;
      int32_t delay;
      if (!file.U16(terrain) || !file.Int(delay)) {
        ScenarioMessage("ERROR (LoadTerrainGroupInfo): Missing value after E:");
        return nullptr;
      }
      if (!current) {
        ScenarioMessage("ERROR (LoadTerrainGroupInfo): Capability object has not been defined");
        return nullptr;
      }
      if (int(current->entries.size()) >= current->capacity) {
        ScenarioMessage("ERROR (LoadTerrainGroupInfo): Could not add terrain group entry (array overrun)");
        return nullptr;
      }
      current->entries.push_back({terrain, uint16_t(delay)});
    }
    file.SkipLine();
  }
  return table;
}

std::unique_ptr<TerrainInfoTable> LoadTerrainGroupInfo(int scenarioNumber) {
  std::string path, text;
  if (!ReadText(scenarioNumber, "TerrainInfo.dat", path, text)) return nullptr;
  return LoadTerrainGroupInfoText(text, path);
}

int TerrainDelay(const TerrainInfoTable* table, uint16_t capability, uint16_t terrain) {
  if (!table || capability < 1000 || terrain < 100) return 0;
  for (const TerrainDelayRecord& r : table->records) {
    if (r.capability != capability && r.capability != 0) continue;
    for (const TerrainDelayEntry& e : r.entries)
      if (e.terrain == terrain || e.terrain == 0) return e.delay & 0xFF;
  }
  return 0;
}

// ---- resistance.dat --------------------------------------------------------

namespace {
bool AddResistance(ResistanceGroup* group, uint16_t groupId, uint16_t number, uint16_t chance) {
  if (!group || number == 0 || chance > 100) return false;
  if (int(group->entries.size()) >= group->size) {
    ScenarioMessage("ERROR (LoadResistanceList): Size %d exceeded for group %d", group->size, groupId);
    return false;
  }
  group->entries.push_back({number, uint8_t(chance)});
  return true;
}
}  // namespace

std::unique_ptr<ResistanceTable> LoadResistanceListText(const std::string& text, const std::string& fileName) {
  DebugPrintLine("Loading resistances list");
  KeywordFile file(fileName, text);
  int count = 0;
  if (!ScenarioListCount(file, "LoadResistanceList", 65535, count)) return nullptr;
  auto table = std::make_unique<ResistanceTable>(count);
  ResistanceGroup* current = nullptr;
  uint16_t currentId = 0;
  std::string k, word;
  auto fail = [] {
    ScenarioMessage("ERROR (LoadResistanceList): Failed");
    return nullptr;
  };
  while (file.Next(k)) {
    if (k == "RG:") {
      uint16_t id;
      int32_t size;
      if (!file.U16(id) || !file.Int(size) || id == 0 || size < 1 || size > 65535) return fail();
      auto group = std::make_unique<ResistanceGroup>();
      group->size = size;
      ResistanceGroup* g = group.get();
      if (!table->Set(id, std::move(group))) {
        ScenarioMessage("ERROR (LoadResistanceList): Could not add group %d to list", id);
        return fail();
      }
      current = g;
      currentId = id;
    } else if (k == "E:") {
      uint16_t number, chance;
      if (!file.U16(number) || !file.U16(chance) || !AddResistance(current, currentId, number, chance)) return fail();
    } else if (k == "IMMUNE:") {
      while (file.Word(word))
        if (!AddResistance(current, currentId, uint16_t(DecimalToInt(word)), 100)) return fail();
    }
    file.SkipLine();
  }
  return table;
}

std::unique_ptr<ResistanceTable> LoadResistanceList(int scenarioNumber) {
  std::string path, text;
  if (!ReadText(scenarioNumber, "resistance.dat", path, text)) return nullptr;
  return LoadResistanceListText(text, path);
}

const ResistanceEntry* FindResistance(const ResistanceTable* table, uint16_t group, uint16_t number) {
  if (!table || group == 0 || number == 0) return nullptr;
  const ResistanceGroup* g = table->Get(group);
  if (!g) return nullptr;
  for (const ResistanceEntry& e : g->entries)
    if (e.number == number) return &e;
  return nullptr;
}

bool IsResisted(const ResistanceEntry& entry) {
  if (entry.chance >= 100) return true;
  return 1 + NextRandom15() % 100 <= entry.chance;
}

std::string FormatResistanceGroup(const ResistanceGroup& group) {
  std::string out;
  for (const ResistanceEntry& e : group.entries) {
    if (!out.empty()) out += ", ";
    out += std::to_string(e.number) + ": " + std::to_string(e.chance);
  }
  return out;
}

// ---- cspells.dat -----------------------------------------------------------

std::unique_ptr<CSpellTable> LoadCSpellListText(const std::string& text, const std::string& fileName) {
  KeywordFile file(fileName, text);
  int count = 0;
  if (!ScenarioListCount(file, "LoadCSpellList", 65535, count)) return nullptr;
  auto table = std::make_unique<CSpellTable>(count);
  CSpell* current = nullptr;
  std::string k, name, rest;
  while (file.Next(k)) {
    ScanCursor c;
    const bool haveLine = file.RestOfLine(rest);
    if (haveLine) c = ScanCursor(rest);
    if (k == "SPELL:") {
      if (!haveLine) {
        ScenarioMessage("ERROR (LoadCSpellList SPELL): Could not read line");
        return nullptr;
      }
      uint16_t id;
      bool ok = c.U16(id);
      if (ok) {
        c.SkipWhite();
        QuotedResult q = c.Quoted(name, false);
        if (q == QuotedUnterminated) ScenarioMessage("ERROR (LoadCSpellList SPELL): Unterminated quoted text");
        ok = q == QuotedOk;
      }
      if (!ok) {
        ScenarioMessage("ERROR (LoadCSpellList SPELL): Argument underrun");
        return nullptr;
      }
      auto spell = std::make_unique<CSpell>();
      SetQuotedText(spell->name, name);
      CSpell* s = spell.get();
      if (!table->Set(id, std::move(spell))) {
        ScenarioMessage("ERROR (LoadCSpellList SPELL): Could not add object to list");
        return nullptr;
      }
      current = s;
    } else if (k == "SP:" || k == "REFID:" || k == "BVALUE:") {
      const char* tag = k == "SP:" ? "SP" : k == "REFID:" ? "REFID" : "BVALUE";
      if (!current) {
        ScenarioMessage("ERROR (LoadCSpellList %s): Spell object not defined", tag);
        return nullptr;
      }
      if (!haveLine) {
        ScenarioMessage("ERROR (LoadCSpellList %s): Could not read line", tag);
        return nullptr;
      }
      uint16_t v;
      if (!c.U16(v)) {
        ScenarioMessage("ERROR (LoadCSpellList %s): Argument underrun", tag);
        return nullptr;
      }
      if (k == "SP:")
        current->cost = uint8_t(v & 0xFF);
      else if (k == "REFID:")
        current->script = v;
      else
        current->value = uint8_t(v & 0xFF);
    }
    file.SkipLine();
  }
  return table;
}

std::unique_ptr<CSpellTable> LoadCSpellList(int scenarioNumber) {
  std::string path, text;
  if (!ReadText(scenarioNumber, "cspells.dat", path, text)) {
    DebugPrintLine("WARNING (LoadCSpellList): Could not open file: %s", path.c_str());
    return nullptr;
  }
  return LoadCSpellListText(text, path);
}
