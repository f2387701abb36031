#include "scenario/TerrainGroups.h"

#include "scenario/KeywordFile.h"
#include "scenario/ScanText.h"
#include "scenario/Keywords.h"
#include "scenario/ScenarioFiles.h"
#include "text/Output.h"

const TerrainGroup* TerrainGroups::Find(uint16_t id) const {
  for (const TerrainGroup& g : groups)
    if (g.id == id) return &g;
  return nullptr;
}

bool TerrainGroups::Add(TerrainGroup group) {
  if (Count() >= capacity) return false;
  groups.push_back(std::move(group));
  slotOfId_.clear();
  listed_.clear();
  return true;
}

bool TerrainGroups::Lists(uint16_t id, uint16_t terrain) const {
  if (slotOfId_.empty()) {
    slotOfId_.assign(65536, 0);
    // Group numbers fit in 16 bits: the table holds at most 65535 groups.
    for (size_t i = groups.size(); i-- > 0;)
      if (i < 65535) slotOfId_[groups[i].id] = uint16_t(i + 1);
    listed_.assign(groups.size(), {});
  }
  const uint16_t slot = slotOfId_[id];
  if (!slot) return false;
  std::vector<uint64_t>& bits = listed_[slot - 1];
  if (bits.empty()) {
    bits.assign(65536 / 64, 0);
    for (uint16_t t : groups[slot - 1].terrains) bits[t >> 6] |= uint64_t(1) << (t & 63);
  }
  return (bits[terrain >> 6] >> (terrain & 63)) & 1;
}

std::unique_ptr<TerrainGroups> LoadTerrainGroupsText(const std::string& text, const std::string& fileName) {
  DebugPrintLine("Loading terrain definitions");
  KeywordFile file(fileName, text);
  int count = 0;
  if (!ScenarioListCount(file, "LoadTerrainGroups", 65535, count)) return nullptr;
  auto groups = std::make_unique<TerrainGroups>(count);
  std::string key, word;
  while (file.Next(key)) {
    if (key == "TG:") {
      TerrainGroup group;
      if (!file.U16(group.id)) {
        ScenarioMessage("ERROR (LoadTerrainGroups): Missing group ID");
        return nullptr;
      }
      bool tooMany = false;
      while (file.Word(word)) {
        int32_t v = DecimalToInt(word);
        if (v == 0) continue;
        if (int(group.terrains.size()) == kMaxTerrainGroupValues) {
          tooMany = true;
          break;
        }
        group.terrains.push_back(uint16_t(v));
      }
      if (tooMany) {
        ScenarioMessage("ERROR (LoadTerrainGroups): Group %d has more than %d terrain values, not added", group.id,
                        kMaxTerrainGroupValues);
      } else if (group.terrains.empty()) {
        ScenarioMessage("ERROR (LoadTerrainGroups): Group %d has no terrain values", group.id);
        return nullptr;
      } else {
        uint16_t id = group.id;
        if (!groups->Add(std::move(group)))
          ScenarioMessage("ERROR (LoadTerrainGroups): List full (%d groups), group %d not added", count, id);
      }
    }
    file.SkipLine();
  }
  return groups;
}

std::unique_ptr<TerrainGroups> LoadTerrainGroups(int scenarioNumber) {
  std::string path = ScenarioPath(scenarioNumber, "Terrain.dat");
  std::string text;
  if (!ReadScenarioText(path, text)) return nullptr;
  return LoadTerrainGroupsText(text, path);
}

bool TerrainPassable(const TerrainGroups* groups, uint16_t capability, uint16_t terrain) {
  if (capability == 0 || capability == CapabilityBlocked) return false;
  if (capability == CapabilityAll) return true;
  if (terrain == 0 || terrain == 2) return true;
  if (terrain == 1) return false;
  if (capability == CapabilityUnblocked) return true;
  if (capability >= CapabilityGroupBase && groups) return groups->Lists(capability, terrain);
  return terrain == capability;
}
