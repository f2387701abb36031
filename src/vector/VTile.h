#pragma once
// Vector tiles: which vector frame a map cell shows in the first-person
// view, by the cell's place in the view (position), its distance, the
// viewer's facing and the animation phase. Rows of the frame grid are view
// positions (0 ahead in the centre lane, 1/2 front faces of the left/right
// lane, 3/4 side faces, 5/6 extra frames) or rows chosen by remap entries;
// columns are animation variants.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vector/VFrame.h"

// A remap entry: the row for a position at a distance and facing.
struct VTileRemap {
  uint8_t row = 0;
  uint8_t position = 0;
  uint8_t distanceMode = 0;  // 0 any, 1 exact (low), 2 low..high
  uint8_t low = 0, high = 0;
  uint8_t facingMask = 0;  // 1 N, 2 E, 4 S, 8 W; 0 any facing
};

// Largest rows and columns of a tile's grid, and remap entries per tile.
inline constexpr int MaxVTileRows = 256;
inline constexpr int MaxVTileCols = 256;
inline constexpr int MaxVTileRemaps = 4096;
// Most grid cells and remap entries one tile-set file may create in all, so
// that a short file cannot ask for gigabytes.
inline constexpr int64_t MaxVTileSetCells = int64_t(1) << 22;

struct VTile {
  std::vector<uint16_t> frames;  // rows x cols, row-major
  int rows = 0, cols = 0;
  std::string name;
  uint16_t view = 1;
  uint16_t terrain = 0;
  uint16_t effect = 0;
  std::vector<VTileRemap> remaps;
  uint8_t unmatched = 0;  // 0 no frame, 1 the position is the row

  // A zero-filled grid; fails outside 0..MaxVTileRows / MaxVTileCols.
  int InitGrid(int rowCount, int colCount);
  uint16_t At(int row, int col) const { return frames[size_t(row) * size_t(cols) + size_t(col)]; }
  // True when the cell blocks the first-person view.
  bool Blocks() const { return view > 1; }
};

using VTileSet = VSet<VTile>;

// The vector frame ID to draw, or 0. facing 0 N, 1 E, 2 S, 3 W.
uint16_t VTileFrame(const VTile* tile, int phase, int position, int distance, int facing);
int DeleteVTile(VTileSet* set, uint16_t tileID);

// Loads "<directory>\<fileName>"; all or nothing, like the frame sets.
std::unique_ptr<VTileSet> LoadCreateVTileSet(const std::string& directory,
                                             const std::string& fileName);
std::unique_ptr<VTileSet> LoadCreateVTileSetFromText(const std::string& text);

// Both sets of a scenario.
struct VectorSets {
  std::unique_ptr<VFrameSet> frames;
  std::unique_ptr<VTileSet> tiles;
};
// "VFSET.dat" then "VTSET.dat" from "DATA<n>" (or the given directory);
// fails, freeing what was loaded, if either fails.
int LoadVectorSets(int scenario, VectorSets* out);
int LoadVectorSetsFromDir(const std::string& directory, VectorSets* out);
