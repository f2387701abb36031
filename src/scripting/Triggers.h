#pragma once
// Triggers: scripts bound to cells and rectangles (zones) of a map. The
// trigger list comes from "DATA%d\triglist%d.dat"; which triggers are done
// or marked for removal and which cells still hold which trigger is kept in
// "save\Default%d\trigsave%d.dat".
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scripting/ScriptList.h"

class ScriptContext;

namespace trigger {
enum Flags : uint8_t { Once = 1, Done = 2, Remove = 4, NoIncap = 16, MoveOnly = 32, Immediate = 64, Running = 128 };
enum Flags2 : uint8_t { NoDark = 1 };
}  // namespace trigger

struct TriggerEntry {
  std::unique_ptr<ScriptList> script;  // none while it runs
  uint8_t flags = 0;
  uint8_t flags2 = 0;
  uint8_t redraw = 1;
  uint16_t tcap = 0;
  uint16_t npcTerrain = 0;
  uint8_t sflag = 0;
};

// Triggers under their IDs (not 0) in slots 0 .. capacity-1, in file order.
class TriggerList {
 public:
  explicit TriggerList(int capacity) : ids_(static_cast<size_t>(capacity), 0), entries_(static_cast<size_t>(capacity)) {}
  int Capacity() const { return static_cast<int>(ids_.size()); }
  // Appends in the next slot; false when full.
  bool Add(uint16_t id, std::unique_ptr<TriggerEntry> entry);
  TriggerEntry* Find(uint16_t id) const;
  TriggerEntry* At(int slot) const {
    return slot >= 0 && slot < Capacity() ? entries_[static_cast<size_t>(slot)].get() : nullptr;
  }
  uint16_t IdAt(int slot) const { return slot >= 0 && slot < Capacity() ? ids_[static_cast<size_t>(slot)] : 0; }
  int Count() const { return count_; }

 private:
  std::vector<uint16_t> ids_;
  std::vector<std::unique_ptr<TriggerEntry>> entries_;
  int count_ = 0;
};

struct TriggerZone {
  int16_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // inclusive corners
  uint16_t trigger = 0;
};

// The numbered zones of a map, with the capacity given by "ZLIST:".
struct ZoneList {
  int capacity = 0;
  std::vector<TriggerZone> zones;
};

// One trigger ID per cell of the current map (the map's quality map).
class TriggerCells {
 public:
  virtual ~TriggerCells() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual uint16_t Get(int x, int y) const = 0;
  virtual void Set(int x, int y, uint16_t id) = 0;
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
};

// A plain array of cell trigger IDs.
class TriggerCellArray : public TriggerCells {
 public:
  TriggerCellArray(int width, int height)
      : width_(width < 0 ? 0 : width), height_(height < 0 ? 0 : height),
        cells_(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  uint16_t Get(int x, int y) const override { return Inside(x, y) ? cells_[Index(x, y)] : 0; }
  void Set(int x, int y, uint16_t id) override {
    if (Inside(x, y)) cells_[Index(x, y)] = id;
  }

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x); }
  int width_, height_;
  std::vector<uint16_t> cells_;
};

// Terrain class words of TCAP: and NPCTERRAIN:, else a decimal number.
uint16_t ParseTerrainClass(const char* word);

// Reads a triglist file. `cells` receives the P: placements (may be none:
// then P: lines report the missing map); `zones` is none when the caller
// did not ask for zones. None when the load fails or the file has no LIST:.
std::unique_ptr<TriggerList> LoadTriggerListFile(const std::string& path, uint16_t scenario, TriggerCells* cells,
                                                 ZoneList* zones);
// The same from a text (tools, tests and fuzzing).
std::unique_ptr<TriggerList> LoadTriggerListText(const std::string& text, const std::string& path, uint16_t scenario,
                                                 TriggerCells* cells, ZoneList* zones);

// "save\Default%d\trigsave%d.dat" (scenario; list number).
std::string TriggerSavePath(uint16_t scenario, uint16_t listNumber);
// The trigsave text of a list and its cells.
std::string TriggerSaveText(const TriggerList& list, const TriggerCells& cells);
bool SaveTriggerList(uint16_t scenario, uint16_t listNumber, const TriggerList* list, const TriggerCells* cells);
bool LoadSavedTriggerList(uint16_t scenario, uint16_t listNumber, TriggerList* list, TriggerCells* cells);
// The trigsave rules on a text; a missing file is handled by the caller.
bool ApplySavedTriggerText(const std::string& text, TriggerList* list, TriggerCells* cells);

// Replaces the game's trigger list and zones with those of its trigger list
// number (none for 0) and applies the trigsave file.
bool LoadTriggerList(ScriptContext& game);
// Saves the game's triggers; a missing or broken list leaves the existing
// trigsave file alone (WARNING line) and does not fail.
bool SaveGameTriggers(ScriptContext& game);

// The three checks at the party's position, in order: after every move of
// the party, on arrival on a map, and when a re-check was requested.
bool CheckTriggers(ScriptContext& game, int x, int y);
// CheckTriggers at the position the world reports for the party.
bool CheckTriggersAtParty(ScriptContext& game);
// The cell's trigger and the zones' triggers at a position.
bool CheckTriggersAt(ScriptContext& game, int x, int y);
// 0 failure, 1 done or skipped, 2 no such trigger.
int CheckPosTriggers(ScriptContext& game, int x, int y, uint16_t triggerId);
