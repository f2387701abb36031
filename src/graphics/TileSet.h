#pragma once
// Tiles and tile sets. A tile says which frames a map cell shows (in turn,
// one per animation phase), its sight class, its terrain class, the terrain
// effect acting on the party standing on it, and a name. The tile section of
// a tile-set file is a "TS:" line (unused, capacity, default tile ID) and
// "T:" lines: ID, frame IDs, then optionally ";" view terrain effect "name".
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TileView : uint8_t { TileViewUnblocked = 1, TileViewBlocked = 2, TileViewClear = 3 };
enum TileTerrain : uint16_t {
  TerrainBlocked = 1,
  TerrainUnblocked = 2,
  TerrainAll = 3,
  TerrainEmpty = 4,
  TerrainLand = 5,
  TerrainWater = 6
};

// The most frames one tile may list.
inline constexpr int MaxTileFrames = 256;

class CTile {
 public:
  int SetFrameCount(int n);
  int SetFrame(int index, uint16_t frameID);
  // The frame for an animation phase: frames[phase mod count].
  int GetFrame(int phase, uint16_t* frameID) const;
  int FrameCount() const { return int(frames_.size()); }
  const std::vector<uint16_t>& Frames() const { return frames_; }
  // None (null) or a name, which may be empty.
  void SetName(const char* text);
  const char* Name() const { return hasName_ ? name_.c_str() : nullptr; }
  void CopyFrom(const CTile& other);

  uint8_t view = TileViewUnblocked;
  uint16_t terrain = 0;
  uint16_t effect = 0;

 private:
  std::vector<uint16_t> frames_;
  std::string name_;
  bool hasName_ = false;
};

class CTileSet {
 public:
  CTileSet() = default;
  ~CTileSet();
  CTileSet(const CTileSet&) = delete;
  CTileSet& operator=(const CTileSet&) = delete;

  int Init(int capacity, int start, uint16_t defaultID);
  // The tile is owned by the set on success, by the caller on failure.
  // AddNext refuses an occupied slot at the cursor.
  int AddNext(uint16_t id, CTile* tile);
  int AddFree(uint16_t id, CTile* tile);
  int SetAt(int index, uint16_t id, CTile* tile);
  // The tile of an ID, else the default tile, else null. Answers repeated
  // look-ups from a one-entry cache that every change to the set clears.
  CTile* Find(uint16_t id);
  int FindIndex(uint16_t id) const;  // -1 when absent (no default)
  int Remove(uint16_t id, int destroy);
  int RemoveAt(int index, int destroy);
  uint16_t GetMaxID() const { return maxID_; }
  uint16_t DefaultID() const { return defaultID_; }
  void SetDefaultID(uint16_t id);
  int Capacity() const { return capacity_; }
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor) { cursor_ = cursor; }
  CTile* GetAt(int index) const;
  uint16_t GetIdAt(int index) const;
  // Counts every change, so displays can tell when to rebuild their tile maps.
  uint32_t Generation() const { return generation_; }
  // Marks a change made to a tile in place (clears the cache as well).
  void Touch() { Changed(); }

 private:
  void Changed();
  void Store(int index, uint16_t id, CTile* tile);

  std::vector<CTile*> items_;
  std::vector<uint16_t> ids_;
  int capacity_ = 0;
  int start_ = 0;
  int cursor_ = 0;
  uint16_t maxID_ = 0;
  uint16_t defaultID_ = 0;
  CTile* cachedTile_ = nullptr;
  uint16_t cachedID_ = 0;
  bool cacheValid_ = false;
  uint32_t generation_ = 0;
};

std::unique_ptr<CTileSet> LoadCreateTS(int scenario, const char* setName);
std::unique_ptr<CTileSet> LoadCreateTSFromDir(const std::string& dir, const char* setName);
// The tile section of tile-set lines already read (`path` for messages).
std::unique_ptr<CTileSet> ReadTileSection(const std::vector<std::string>& lines,
                                          const std::string& path);
