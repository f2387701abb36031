#pragma once
// Maps: a rectangle of 16-bit tile IDs (a CBArray file "<name>.map" with
// 2-byte little-endian elements, row 0 the northern edge, x growing east)
// and what the scenario's map-set file MAPSET.dat says about it: start
// position, the eight edge borders, stairs, first-person mode, game-data
// file, template overlay. For a map with a section in MAPSET.dat, a copy
// saved during play (save\Default<n>\<id>.map) is loaded in preference to
// the scenario's file.
#include <cstdint>
#include <memory>
#include <string>

#include "data/BArray.h"

enum BorderDirection { BorderN, BorderNE, BorderE, BorderSE, BorderS, BorderSW, BorderW, BorderNW };
enum BorderFill : uint8_t { BorderFillNone = 0, BorderFillFill = 1, BorderFillWrap = 2, BorderFillEcho = 3 };
enum BorderAction : uint8_t {
  BorderActionBlocked = 0,
  BorderActionWrap = 1,
  BorderActionExit = 2,
  BorderActionLink = 3,
  BorderActionLinkWrap = 4
};
enum BorderFlag : uint8_t { BorderDoTriggers = 1, BorderCrFirstTurn = 2 };
enum MapFlag : uint8_t { MapLockScreen = 1, MapRetreatAndSplit = 2 };
inline constexpr uint8_t KeepFacing = 255;
inline constexpr int16_t ViewModeFirstPerson = 2;

// What lies beyond one edge of a map and what crossing it does.
struct MapBorder {
  uint8_t fillType = BorderFillNone;
  uint16_t fillTile = 0;
  uint8_t action = BorderActionBlocked;
  std::string message;  // shown when the edge is met
  bool hasMessage = false;
  uint16_t targetMap = 0;
  int16_t x = 0, y = 0;
  uint8_t facing = KeepFacing;
  uint8_t collisionShift = 0;  // 0: the map's value applies
  uint16_t entryX = 0, entryY = 0;
  uint8_t flags = 0;
};

// Stairs up or down.
struct StairBorder {
  uint16_t targetMap = 0;
  uint8_t exit = 0;
  uint8_t buffering = 0;
  int16_t x = -1, y = -1;
};

class CMap {
 public:
  CBArray cells;  // 2-byte tile IDs
  uint16_t mapID = 0;
  int16_t viewMode = 0;
  int16_t startX = -1, startY = -1;
  uint8_t startFacing = KeepFacing;
  int16_t altX = -1, altY = -1;
  uint8_t altFacing = KeepFacing;
  uint8_t collisionShift = 0;
  // N, NE, E, SE, S, SW, W, NW; several entries may share one border.
  std::shared_ptr<MapBorder> borders[8];
  std::shared_ptr<StairBorder> upBorder, downBorder;
  std::string gameDataFile;
  bool hasGameDataFile = false;
  uint8_t flags = 0;

  int Width() const { return cells.Width(); }
  int Height() const { return cells.Height(); }
  // The tile ID of a cell; 0 outside the map.
  uint16_t Tile(int x, int y) const { return cells.GetU16(x, y); }
  int SetTile(int x, int y, uint16_t id) { return cells.SetU16(id, x, y); }
  MapBorder* Border(int direction) const {
    return direction >= 0 && direction < 8 ? borders[direction].get() : nullptr;
  }
  // Whether the border in that direction wraps round to the opposite edge.
  bool Wraps(int direction) const {
    const MapBorder* b = Border(direction);
    return b && b->action == BorderActionWrap;
  }
};

// Loads a map file and checks that it is one (2-byte elements); on failure
// `cells` is unchanged and `problem` (if given) says why.
int LoadMapCells(CBArray* cells, const std::string& path, std::string* problem = nullptr);

std::unique_ptr<CMap> LoadCreateMapMS(int scenario, uint16_t mapID);
// dataDir: the scenario directory ("DATA1"); saveDir: the working save
// directory ("save\Default1").
std::unique_ptr<CMap> LoadCreateMapMSFromDirs(const std::string& dataDir,
                                              const std::string& saveDir, uint16_t mapID);
std::unique_ptr<CMap> LoadMapDirect(int scenario, uint16_t mapID);
// The map file "<dataDir>\<id>.map" alone (the working save directory is
// not consulted).
std::unique_ptr<CMap> LoadMapDirectFromDir(const std::string& dataDir, uint16_t mapID);
std::unique_ptr<CMap> LoadMapObject(int scenario, uint16_t mapID);
std::unique_ptr<CMap> LoadMapObjectFromDirs(const std::string& dataDir,
                                            const std::string& saveDir, uint16_t mapID);

std::string SaveDirName(int scenario);  // "save\Default<n>"
std::string MapSavePath(int scenario, uint16_t mapID);
int SaveMap(const CMap* map, int scenario);
int SaveMapToDir(const CMap* map, const std::string& saveDir);
