// Tiles, tile sets and the tile section of tile-set files.
#include "graphics/TileSet.h"

#include <new>

#include "graphics/FrameSet.h"
#include "graphics/LineScan.h"
#include "platform/Frame.h"
#include "text/Output.h"

int CTile::SetFrameCount(int n) {
  if (n <= 0 || n > MaxTileFrames || !frames_.empty()) return 0;
  frames_.assign(size_t(n), 0);
  return 1;
}

int CTile::SetFrame(int index, uint16_t frameID) {
  if (index < 0 || index >= int(frames_.size())) return 0;
  frames_[size_t(index)] = frameID;
  return 1;
}

int CTile::GetFrame(int phase, uint16_t* frameID) const {
  if (frames_.empty() || phase < 0 || !frameID) return 0;
  *frameID = frames_[size_t(phase) % frames_.size()];
  return 1;
}

void CTile::SetName(const char* text) {
  hasName_ = text != nullptr;
  name_ = text ? text : "";
}

void CTile::CopyFrom(const CTile& other) {
  frames_ = other.frames_;
  name_ = other.name_;
  hasName_ = other.hasName_;
  view = other.view;
  terrain = other.terrain;
  effect = other.effect;
}

CTileSet::~CTileSet() {
  for (CTile* t : items_) delete t;
}

void CTileSet::Changed() {
  cacheValid_ = false;
  cachedTile_ = nullptr;
  cachedID_ = 0;
  ++generation_;
}

int CTileSet::Init(int capacity, int start, uint16_t defaultID) {
  if (capacity <= 0 || start < 0 || start >= capacity) return 0;
  for (CTile* t : items_) delete t;
  items_.clear();
  ids_.clear();
  try {
    items_.assign(size_t(capacity), nullptr);
  } catch (const std::bad_alloc&) {
    SetLastErrorText("ERROR (CTileSet::Init): Failed to create container array");
    return 0;
  }
  try {
    ids_.assign(size_t(capacity), 0);
  } catch (const std::bad_alloc&) {
    items_.clear();
    SetLastErrorText("ERROR (CTileSet::Init): Failed to create IDs array");
    return 0;
  }
  capacity_ = capacity;
  start_ = cursor_ = start;
  maxID_ = 0;
  defaultID_ = defaultID;
  Changed();
  return 1;
}

void CTileSet::Store(int index, uint16_t id, CTile* tile) {
  items_[size_t(index)] = tile;
  ids_[size_t(index)] = tile ? id : 0;
  if (tile && id > maxID_) maxID_ = id;
  Changed();
}

int CTileSet::AddNext(uint16_t id, CTile* tile) {
  if (!tile || cursor_ < 0 || cursor_ >= capacity_ || items_[size_t(cursor_)]) return 0;
  Store(cursor_++, id, tile);
  return 1;
}

int CTileSet::AddFree(uint16_t id, CTile* tile) {
  if (!tile || cursor_ < 0 || cursor_ >= capacity_) return 0;
  for (int k = 0; k < capacity_ - start_; ++k) {
    int index = cursor_;
    if (++cursor_ >= capacity_) cursor_ = start_;
    if (!items_[size_t(index)]) {
      Store(index, id, tile);
      return 1;
    }
  }
  return 0;
}

int CTileSet::SetAt(int index, uint16_t id, CTile* tile) {
  if (index < 0 || index >= capacity_) return 0;
  if (items_[size_t(index)] != tile) delete items_[size_t(index)];
  Store(index, id, tile);
  return 1;
}

int CTileSet::FindIndex(uint16_t id) const {
  if (id == 0) return -1;
  for (int i = 0; i < capacity_; ++i)
    if (ids_[size_t(i)] == id) return i;
  return -1;
}

CTile* CTileSet::Find(uint16_t id) {
  if (id == 0) return nullptr;
  if (cacheValid_ && id == cachedID_) return cachedTile_;
  int i = FindIndex(id);
  if (i < 0 && defaultID_ != 0) i = FindIndex(defaultID_);
  if (i < 0) return nullptr;
  cacheValid_ = true;
  cachedID_ = id;
  cachedTile_ = items_[size_t(i)];
  return cachedTile_;
}

int CTileSet::Remove(uint16_t id, int destroy) {
  int i = FindIndex(id);
  if (i < 0) return 1;
  return RemoveAt(i, destroy);
}

int CTileSet::RemoveAt(int index, int destroy) {
  if (index < 0 || index >= capacity_) return 0;
  if (destroy) delete items_[size_t(index)];
  items_[size_t(index)] = nullptr;
  ids_[size_t(index)] = 0;
  Changed();
  return 1;
}

void CTileSet::SetDefaultID(uint16_t id) {
  defaultID_ = id;
  Changed();
}

CTile* CTileSet::GetAt(int index) const {
  return index < 0 || index >= capacity_ ? nullptr : items_[size_t(index)];
}

uint16_t CTileSet::GetIdAt(int index) const {
  return index < 0 || index >= capacity_ ? 0 : ids_[size_t(index)];
}

namespace {

// A view or terrain class: one of the words, else a number in range (any
// other word is refused, not read as 0).
bool ClassValue(const std::string& word, const char* const* names, int64_t max, int64_t* out) {
  for (int i = 0; names[i]; ++i)
    if (word == names[i]) {
      *out = i + 1;
      return true;
    }
  LineScan scan(word);
  if (!scan.Integer(out) || !scan.AtEnd()) return false;
  return *out >= 0 && *out <= max;
}

const char* const kViewWords[] = {"UNBLOCKED", "BLOCKED", "CLEAR", nullptr};
const char* const kTerrainWords[] = {"BLOCKED", "UNBLOCKED", "ALL", "EMPTY", "LAND", "WATER", nullptr};

// One "T:" line after its keyword. Everything is read from this line only.
void ReadTileLine(LineScan& scan, CTileSet* set, const std::string& path) {
  uint16_t id = 0;
  if (!scan.U16(&id) || id == 0) return;
  DebugPrintText(" %d", id);
  std::vector<uint16_t> frames;
  std::string word;
  while (scan.SpacedWord(&word, " ;")) {
    int64_t v = WordValue(word);
    if (frames.empty() || v != 0) frames.push_back(uint16_t(uint64_t(v) & 0xFFFF));
  }
  if (int(frames.size()) > MaxTileFrames) {
    PrintLine("ERROR (LoadCreateTS): Tile %d lists %d frames; at most %d are allowed (%s)", id,
              int(frames.size()), MaxTileFrames, path.c_str());
    return;
  }
  if (frames.empty()) frames.push_back(id);
  auto tile = std::make_unique<CTile>();
  tile->SetFrameCount(int(frames.size()));
  for (size_t i = 0; i < frames.size(); ++i) tile->SetFrame(int(i), frames[i]);

  std::string viewWord, terrainWord;
  if (scan.SkipSet(" ;") && scan.Token(&viewWord)) {
    bool hasTerrain = scan.Token(&terrainWord);
    uint16_t effect = 0;
    std::string name;
    if (hasTerrain && scan.SkipSet(" ") && scan.U16(&effect) && scan.SkipSet(" ") && scan.Char('"'))
      scan.WordUntil("\";", &name);
    int64_t v = 0;
    if (ClassValue(viewWord, kViewWords, 255, &v)) tile->view = uint8_t(v);
    else PrintLine("ERROR (LoadCreateTS): Tile %d: invalid view class %s", id, viewWord.c_str());
    if (hasTerrain) {
      if (ClassValue(terrainWord, kTerrainWords, 65535, &v)) tile->terrain = uint16_t(v);
      else PrintLine("ERROR (LoadCreateTS): Tile %d: invalid terrain class %s", id, terrainWord.c_str());
    }
    tile->effect = effect;
    tile->SetName(name.c_str());
  }
  if (!set->AddNext(id, tile.get())) {
    PrintLine("ERROR (LoadCreateTS): No free tile slot for tile %d (%s)", id, path.c_str());
    return;
  }
  tile.release();
}

}  // namespace

std::unique_ptr<CTileSet> ReadTileSection(const std::vector<std::string>& lines,
                                          const std::string& path) {
  std::string value;
  if (!FindKeyValue(lines, "TS", &value)) return nullptr;
  LineScan ts(value);
  uint16_t unused = 0, defaultID = 0;
  int capacity = 0;
  if (!ts.U16(&unused) || !ts.Int(&capacity) || !ts.U16(&defaultID)) {
    PrintLine("ERROR (LoadCreateTS): Incomplete TS line in %s", path.c_str());
    return nullptr;
  }
  if (capacity < 1 || capacity > 65536) {
    PrintLine("ERROR (LoadCreateTS): Invalid tile set capacity %d in %s", capacity, path.c_str());
    return nullptr;
  }
  auto set = std::make_unique<CTileSet>();
  if (!set->Init(capacity, 0, defaultID)) return nullptr;
  DebugPrintText("DBG: Creating tiles:");
  for (const std::string& line : lines) {
    LineScan scan(line);
    std::string token;
    if (scan.Token(&token) && token == "T:") ReadTileLine(scan, set.get(), path);
  }
  DebugNewLine();
  return set;
}

std::unique_ptr<CTileSet> LoadCreateTSFromDir(const std::string& dir, const char* setName) {
  std::string path = TileSetPath(dir, setName);
  DebugPrintLine("Loading TileSet: %s", path.c_str());
  std::vector<std::string> lines;
  if (!ReadTextLines(path, &lines)) {
    DebugPrintLine("WARNING (LoadCreateTS): Could not open file: %s", path.c_str());
    return nullptr;
  }
  return ReadTileSection(lines, path);
}

std::unique_ptr<CTileSet> LoadCreateTS(int scenario, const char* setName) {
  return LoadCreateTSFromDir(ScenarioDirName(scenario), setName);
}
