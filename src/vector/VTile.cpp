#include "vector/VTile.h"

#include <cstdio>
#include <cstring>

#include "data/DataFile.h"
#include "scenario/ScanText.h"
#include "text/Output.h"

int VTile::InitGrid(int rowCount, int colCount) {
  if (rowCount < 0 || rowCount > MaxVTileRows || colCount < 0 || colCount > MaxVTileCols) return 0;
  rows = rowCount;
  cols = colCount;
  frames.assign(size_t(rows) * size_t(cols), 0);
  return 1;
}

uint16_t VTileFrame(const VTile* tile, int phase, int position, int distance, int facing) {
  if (!tile) return 0;
  int row = position;
  if (!tile->remaps.empty()) {
    const uint8_t facingBit = facing >= 0 && facing <= 3 ? uint8_t(1u << facing) : 0;
    const VTileRemap* hit = nullptr;
    for (const VTileRemap& r : tile->remaps) {
      if (r.position != position) continue;
      bool distanceOk = r.distanceMode == 0 || (r.distanceMode == 1 && distance == r.low) ||
                        (r.distanceMode == 2 && distance >= r.low && distance <= r.high);
      if (!distanceOk) continue;
      if (r.facingMask != 0 && !(r.facingMask & facingBit)) continue;
      hit = &r;
      break;
    }
    if (hit) row = hit->row;
    else if (tile->unmatched != 1) return 0;
  }
  if (row < 0 || row >= tile->rows || tile->cols == 0) return 0;
  int col = phase % tile->cols;
  if (col < 0) col += tile->cols;
  return tile->At(row, col);
}

int DeleteVTile(VTileSet* set, uint16_t tileID) { return set ? set->Delete(tileID) : 0; }

namespace {

// View and terrain words as in the tile sets; other words are numbers.
uint16_t WordValue(const std::string& word, const char* const* words) {
  for (int i = 0; words[i]; ++i)
    if (word == words[i]) return uint16_t(i + 1);
  return uint16_t(DecimalToInt(word));
}
const char* const kViewWords[] = {"UNBLOCKED", "BLOCKED", "CLEAR", nullptr};
const char* const kTerrainWords[] = {"BLOCKED", "UNBLOCKED", "ALL",
                                     "EMPTY",   "LAND",      "WATER", nullptr};

struct TileLoader {
  DataFileReader& reader;
  std::unique_ptr<VTileSet> set;
  VTile* tile = nullptr;
  size_t nextRemap = 0;
  int64_t cellsMade = 0;  // grid cells and remap entries created so far

  bool Budget(int64_t n) {
    cellsMade += n;
    if (cellsMade <= MaxVTileSetCells) return true;
    PrintLine("ERROR (LoadCreateVTileSet): More than %lld grid cells and remap entries",
              static_cast<long long>(MaxVTileSetCells));
    return false;
  }

  std::string Rest() {
    const char* t = reader.ReadRestOfLine();
    return t ? std::string(t) : std::string();
  }
  bool Line(const char* kw);
  bool TileLine();
  bool RowLine();
  bool RemapDef();
  bool RemapLine();
};

bool TileLoader::TileLine() {
  std::string text = Rest();
  ScanCursor s(text);
  uint16_t id, effect;
  int32_t rows, cols;
  std::string viewWord, terrainWord;
  if (!s.U16(id) || !s.Int(rows) || !s.Int(cols) || !s.Word(viewWord) || !s.Word(terrainWord) ||
      !s.U16(effect) || !set)
    return false;
  auto t = std::make_unique<VTile>();
  if (!t->InitGrid(rows, cols)) {
    PrintLine("ERROR (LoadCreateVTileSet): Tile %u: invalid grid size %d x %d", id, rows, cols);
    return false;
  }
  if (!Budget(int64_t(rows) * cols)) return false;
  t->view = WordValue(viewWord, kViewWords);
  t->terrain = WordValue(terrainWord, kTerrainWords);
  t->effect = effect;
  s.SkipWhite();
  std::string name;
  if (s.Literal('"')) s.ToSemicolon(name), name = name.substr(0, name.find('"'));
  t->name = name;
  tile = t.get();
  nextRemap = 0;
  return set->AddNext(id, std::move(t)) != 0;
}

bool TileLoader::RowLine() {
  std::string text = Rest();
  ScanCursor s(text);
  int32_t row;
  uint16_t first;
  if (!s.Int(row) || !s.U16(first) || !tile) return false;
  if (row < 0 || row >= tile->rows) {
    PrintLine("ERROR (LoadCreateVTileSet): Row %d outside the tile's %d rows", row, tile->rows);
    return false;
  }
  int col = 0;
  uint16_t id = first;
  for (;;) {
    if (col >= tile->cols) {
      PrintLine("ERROR (LoadCreateVTileSet): Column %d outside the tile's %d columns", col,
                tile->cols);
      return false;
    }
    tile->frames[size_t(row) * size_t(tile->cols) + size_t(col)] = id;
    ++col;
    if (!s.U16(id)) break;
  }
  return true;
}

bool TileLoader::RemapDef() {
  std::string text = Rest();
  ScanCursor s(text);
  int32_t n;
  if (!s.Int(n) || !tile) return false;
  if (n < 0 || n > MaxVTileRemaps) {
    PrintLine("ERROR (LoadCreateVTileSet): Invalid remap count %d", n);
    return false;
  }
  if (!Budget(n)) return false;
  std::string word;
  if (s.Word(word)) {
    if (word == "EMPTY") tile->unmatched = 0;
    else if (word == "POS") tile->unmatched = 1;
    else return false;
  }
  tile->remaps.assign(size_t(n), VTileRemap());
  nextRemap = 0;
  return true;
}

bool TileLoader::RemapLine() {
  std::string text = Rest();
  ScanCursor s(text);
  uint16_t row;
  if (!s.U16(row) || !tile || nextRemap >= tile->remaps.size()) return false;
  VTileRemap& r = tile->remaps[nextRemap++];
  r.row = uint8_t(row);
  std::string word;
  bool haveWord = s.Word(word);
  while (haveWord) {
    if (word == "POS") {
      uint16_t v;
      if (!s.U16(v)) return false;
      r.position = uint8_t(v);
      haveWord = s.Word(word);
    } else if (word == "DIS") {
      std::string value;
      if (!s.Word(value)) return false;
      if (value == "ALL") {
        r.distanceMode = 0;
      } else {
        ScanCursor v(value);
        uint16_t low, high;
        if (!v.U16(low)) return false;
        if (v.Literal('-') && v.U16(high)) {
          r.distanceMode = low < high ? 2 : 1;
          r.low = uint8_t(low);
          r.high = uint8_t(high);
        } else {
          r.distanceMode = 1;
          r.low = uint8_t(low);
        }
      }
      haveWord = s.Word(word);
    } else if (word == "DIR") {
      for (;;) {
        haveWord = s.Word(word);
        if (!haveWord) break;
        if (word == "N") r.facingMask |= 1;
        else if (word == "E") r.facingMask |= 2;
        else if (word == "S") r.facingMask |= 4;
        else if (word == "W") r.facingMask |= 8;
        else break;  // read as the next option
      }
    } else {
      haveWord = s.Word(word);  // other words are ignored
    }
  }
  return true;
}

bool TileLoader::Line(const char* kw) {
  if (std::strcmp(kw, "TS:") == 0) {
    std::string text = Rest();
    ScanCursor s(text);
    int32_t n;
    if (!s.Int(n) || set) return false;
    set = std::make_unique<VTileSet>();
    if (!set->Init(n)) {
      PrintLine("ERROR (LoadCreateVTileSet): Invalid set size %d", n);
      return false;
    }
    return true;
  }
  if (std::strcmp(kw, "T:") == 0) return TileLine();
  if (std::strcmp(kw, "P:") == 0) return RowLine();
  if (std::strcmp(kw, "CDEF:") == 0) return RemapDef();
  if (std::strcmp(kw, "C:") == 0) return RemapLine();
  return true;
}

std::unique_ptr<VTileSet> LoadTiles(DataFileReader& reader) {
  TileLoader loader{reader, nullptr, nullptr, 0, 0};
  while (const char* kw = reader.NextKeyword()) {
    if (!loader.Line(kw)) {
      PrintLine("ERROR (LoadCreateVTileSet): Failed");
      return nullptr;
    }
    reader.SkipLine();
  }
  if (!loader.set) {
    PrintLine("ERROR (LoadCreateVTileSet): Failed");
    return nullptr;
  }
  return std::move(loader.set);
}

}  // namespace

std::unique_ptr<VTileSet> LoadCreateVTileSet(const std::string& directory,
                                             const std::string& fileName) {
  DataFileReader reader;
  if (!reader.Open(directory + "\\" + fileName)) return nullptr;
  return LoadTiles(reader);
}

std::unique_ptr<VTileSet> LoadCreateVTileSetFromText(const std::string& text) {
  DataFileReader reader;
  reader.OpenText(text);
  return LoadTiles(reader);
}

int LoadVectorSetsFromDir(const std::string& directory, VectorSets* out) {
  if (!out) return 0;
  out->frames.reset();
  out->tiles.reset();
  std::unique_ptr<VFrameSet> frames = LoadCreateVFrameSet(directory, "VFSET.dat");
  if (!frames) return 0;
  std::unique_ptr<VTileSet> tiles = LoadCreateVTileSet(directory, "VTSET.dat");
  if (!tiles) return 0;
  out->frames = std::move(frames);
  out->tiles = std::move(tiles);
  return 1;
}

int LoadVectorSets(int scenario, VectorSets* out) {
  char dir[32];
  std::snprintf(dir, sizeof dir, "DATA%d", scenario);
  return LoadVectorSetsFromDir(dir, out);
}
