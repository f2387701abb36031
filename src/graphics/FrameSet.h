#pragma once
// Frame sets: the frames of a tile-set file ("<dir>\<set>TILESET.dat"), one
// CBArray file per frame ("<dir>\<set><id>.til"). The frame section of the
// file is an "FS:" line (unused, width, height, elementSize, capacity), "F:"
// lines with a first and an optional last frame ID, and an "END" line.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/BArraySet.h"

class CTileSet;

// Largest frame set capacity a tile-set file may ask for.
inline constexpr int MaxFrameSetCapacity = 65536;

// "DATA<n>" of a scenario number.
std::string ScenarioDirName(int scenario);

std::unique_ptr<CBArraySet> LoadCreateFS(int scenario, const char* setName);
std::unique_ptr<CBArraySet> LoadCreateFSFromDir(const std::string& dir, const char* setName);
// Loads "<dir>\<set><id>.til" into the set's next slot. A frame whose size
// differs from the set's is refused.
int LoadFrameByID(CBArraySet* set, uint16_t id, const std::string& dir, const char* setName);
// Frames and then tiles from the same tile-set file; both or neither.
int LoadCreateFSTS(int scenario, const char* setName, std::unique_ptr<CBArraySet>* frames,
                   std::unique_ptr<CTileSet>* tiles);
int LoadCreateFSTSFromDir(const std::string& dir, const char* setName,
                          std::unique_ptr<CBArraySet>* frames, std::unique_ptr<CTileSet>* tiles);

// The frame section of tile-set lines already read (used by the loaders
// above; `path` names the file in messages).
std::unique_ptr<CBArraySet> ReadFrameSection(const std::vector<std::string>& lines,
                                             const std::string& path, const std::string& dir,
                                             const char* setName);
std::string TileSetPath(const std::string& dir, const char* setName);
