#pragma once
// Terrain groups of DATA<n>\Terrain.dat and the passability rule. A terrain
// capability of 1000 or more names a group: the terrain values its holders
// may enter.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TerrainGroup {
  uint16_t id = 0;
  std::vector<uint16_t> terrains;  // the non-zero values of its line, in order
};

class TerrainGroups {
 public:
  explicit TerrainGroups(int capacity) : capacity(capacity) {}
  int Capacity() const { return capacity; }
  int Count() const { return int(groups.size()); }
  // The first group with that ID, or none.
  const TerrainGroup* Find(uint16_t id) const;
  // Whether the first group with that ID lists the terrain value (false for
  // a missing group). Movement asks this for every step, so each group's
  // answers are kept as one bit per terrain value once it is first asked.
  bool Lists(uint16_t id, uint16_t terrain) const;
  // False when every slot is taken.
  bool Add(TerrainGroup group);
  const std::vector<TerrainGroup>& Groups() const { return groups; }

 private:
  int capacity;
  std::vector<TerrainGroup> groups;
  // Built on demand: for each group ID, 1 + the index of its first group
  // (0: none); for each group index, its terrain bits (empty until asked).
  mutable std::vector<uint16_t> slotOfId_;
  mutable std::vector<std::vector<uint64_t>> listed_;
};

// At most this many terrain values on one TG: line.
constexpr int kMaxTerrainGroupValues = 256;

// Reads DATA<n>\Terrain.dat; none when the file is missing or faulty.
std::unique_ptr<TerrainGroups> LoadTerrainGroups(int scenarioNumber);
std::unique_ptr<TerrainGroups> LoadTerrainGroupsText(const std::string& text, const std::string& fileName);

// The passability rule: may a holder of `capability` enter a tile whose
// terrain value is `terrain`? In order: capability 0 or 1 never; 3 always;
// terrain 0 or 2 yes; terrain 1 no; capability 2 yes; a capability of 1000
// or more: exactly the terrains its group lists (no for a missing group);
// any other capability: exactly terrain == capability. Without loaded groups
// (`groups` none) a capability of 1000 or more follows that last rule.
bool TerrainPassable(const TerrainGroups* groups, uint16_t capability, uint16_t terrain);
// The movement test's form: true when the capability may NOT enter.
inline bool CheckTerrain(const TerrainGroups* groups, uint16_t terrain, uint16_t capability) {
  return !TerrainPassable(groups, capability, terrain);
}
